#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "scripts/CsoundText.h"

// The texts built from these numbers are pinned down by ScriptCommands' golden texts; here the
// number rule's own edges: single-precision values widened, ten significant digits, the switch
// to a three-digit exponent outside ten digits and below a tenth, the point always kept.
TEST(NumberText, WritesTenSignificantDigitsFixedOrScientific) {
    const std::vector<std::pair<double, const char*>> numbers = {
        {0.0, "0."},
        {-0.0, "0."},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {127.0, "127."},
        {-20000.0, "-20000."},
        {0.1, "0.1"},
        {0.1f, "0.1000000015"},
        {0.05f, "5.000000075e-002"},
        {-0.05, "-5.e-002"},
        {0.001f, "1.000000047e-003"},
        {1e11f, "9.999999795e+010"},
        {1e-300, "1.e-300"},
        {64.0 / 127.0, "0.5039370079"},
        {1234567890.0, "1234567890."},      // ten digits before the point: still fixed
        {12345678901.0, "1.23456789e+010"}, // eleven
        {9999999999.7, "1.e+010"},          // rounding carries into eleven digits
    };
    for (const auto& [value, text] : numbers) {
        EXPECT_EQ(NumberText(value), text) << value;
    }
}
