#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ProgramLauncher.h"

TEST(ProgramParameters, SplitAtBlanksWithDoubleQuotesGrouping) {
    EXPECT_EQ(SplitParameters(""), std::vector<std::string>{});
    EXPECT_EQ(SplitParameters("  -odac   -m0 "), (std::vector<std::string>{"-odac", "-m0"}));
    EXPECT_EQ(SplitParameters("-o \"my file.wav\" x"),
              (std::vector<std::string>{"-o", "my file.wav", "x"}));
    EXPECT_EQ(SplitParameters("a\"b c\"d\t\"\""), (std::vector<std::string>{"ab cd", ""}));
    EXPECT_EQ(SplitParameters("\"open ended"), (std::vector<std::string>{"open ended"}));
}
