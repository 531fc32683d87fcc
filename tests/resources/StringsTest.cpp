#include <gtest/gtest.h>

#include "resources/Strings.h"

TEST(StringTable, GivesAnEmptyTextForAnUnknownNumber) {
    EXPECT_STREQ(LoadResourceString(-1), "");
    EXPECT_STREQ(LoadResourceString(3), "");
    EXPECT_STREQ(LoadResourceString(999999), "");
}
