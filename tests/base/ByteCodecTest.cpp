#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>

#include "base/ByteCodec.h"

// The spans are the front of a larger buffer, so a codec that strays past its span shows.
TEST(ByteCodec, AReadPastTheEndYieldsZerosFromThenOnAndMarksTheReaderFailed) {
    const std::array<std::uint8_t, 10> buffer{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ByteReader r{std::span(buffer).first(6)};
    EXPECT_EQ(r.GetU32(), 0x04030201u);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.GetU32(), 0u); // two bytes left
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.GetU8(), 0); // one would fit, but the fields after a short one are no fields
    EXPECT_EQ(r.GetText(1), "");
    std::array<std::uint8_t, 2> out{9, 9};
    r.GetBytes(out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_EQ(r.Position(), 4u);

    ByteReader text{std::span(buffer).first(3)};
    EXPECT_EQ(text.GetText(4), "");
    EXPECT_FALSE(text.Ok());
}

TEST(ByteCodec, AWriteThatDoesNotFitWritesNothingFromThenOn) {
    std::array<std::uint8_t, 10> buffer{};
    ByteWriter w{std::span(buffer).first(6)};
    w.PutU32(0x04030201);
    w.PutText("abc", 4); // two bytes left
    EXPECT_FALSE(w.Ok());
    w.PutU8(7);
    w.PutBytes(std::array<std::uint8_t, 1>{8});
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 10>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(w.Position(), 4u);

    ByteWriter empty{std::span(buffer).first(0)};
    empty.PutText("abc", 0); // a field of no width holds nothing, not even the terminator
    EXPECT_TRUE(empty.Ok());
}
