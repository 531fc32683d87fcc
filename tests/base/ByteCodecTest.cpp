#include <gtest/gtest.h>

#include <array>

#include "base/ByteCodec.h"

// The spans are the front of a larger buffer, so a codec that strays past its span shows. After
// a read or write that does not fit, the fields that follow are no fields: nothing more is read
// or written, although a smaller one would fit.
TEST(ByteCodec, NeitherEndLeavesItsSpanAndAShortFieldFailsTheRest) {
    const std::array<std::uint8_t, 10> buffer{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ByteReader r{std::span(buffer).first(6)};
    EXPECT_EQ(r.GetU32(), 0x04030201u);
    EXPECT_EQ(r.GetU32(), 0u);
    EXPECT_EQ(r.GetU8(), 0);
    EXPECT_EQ(r.GetText(1), "");
    std::array<std::uint8_t, 2> out{9, 9};
    r.GetBytes(out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_FALSE(r.Ok());

    std::array<std::uint8_t, 10> written{};
    ByteWriter w{std::span(written).first(6)};
    w.PutU32(0x04030201);
    w.PutText("abc", 4);
    w.PutU8(7);
    EXPECT_FALSE(w.Ok());
    EXPECT_EQ(written, (std::array<std::uint8_t, 10>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0}));
}
