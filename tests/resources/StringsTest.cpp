#include <gtest/gtest.h>

#include "resources/Strings.h"

TEST(StringTable, GivesTheTextOfEachNumber) {
    EXPECT_STREQ(LoadResourceString(kStrProductName), "Ventaro.2");
    EXPECT_STREQ(LoadResourceString(kStrTitle), "Ventaro.2 - Live Fader Studio");
    EXPECT_EQ(Str(kStrFirstExecution),
              "This is the first execution so you need to setup the\r\nMIDI input and output "
              "devices.");
}

TEST(StringTable, GivesAnEmptyTextForAnUnknownNumber) {
    EXPECT_STREQ(LoadResourceString(-1), "");
    EXPECT_STREQ(LoadResourceString(3), "");
    EXPECT_STREQ(LoadResourceString(999999), "");
}
