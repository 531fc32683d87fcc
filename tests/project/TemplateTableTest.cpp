#include <gtest/gtest.h>

#include "base/ByteCodec.h"
#include "project/TemplateTable.h"
#include "project/Templates.h"

// Rows 1, 2 and 8 carry an orchestra and a score, 3 to 7 one document; 4, 5, 7 and 8 the sample.
TEST(TemplateTable, RowsNameTheirScriptsAndSampleAsTheLibraryHoldsThem) {
    FillTemplateTable();
    const std::string expected[kTemplateCount][3] = {
        {"Subtractive.vtp", "Subtractive.orc", "Subtractive.sco"},
        {"FMBells.vtp", "FMBells.orc", "FMBells.sco"},
        {"Additive.vtp", "Additive.csd", ""},
        {"Granular.vtp", "Granular.csd", ""},
        {"Looper.vtp", "Looper.csd", ""},
        {"Plucked.vtp", "Plucked.csd", ""},
        {"Formants.vtp", "Formants.csd", ""},
        {"Delays.vtp", "Delays.orc", "Delays.sco"},
    };
    const int needsSample[kTemplateCount] = {0, 0, 0, 1, 1, 0, 1, 1};
    for (int i = 0; i < kTemplateCount; ++i) {
        const TemplateEntry& row = g_templates[static_cast<std::size_t>(i)];
        EXPECT_EQ(TextOf(row.projectName), expected[i][0]) << i;
        EXPECT_EQ(TextOf(row.script1Name), expected[i][1]) << i;
        EXPECT_EQ(TextOf(row.script2Name), expected[i][2]) << i;
        EXPECT_EQ(row.needsSample, needsSample[i]) << i;
        // The list line starts with the template's name.
        const std::string name = expected[i][0].substr(0, expected[i][0].size() - 4);
        EXPECT_EQ(TemplateDescription(i).rfind(name + " - ", 0), 0u) << TemplateDescription(i);
    }
    EXPECT_EQ(TemplateDescription(-1), "");
    EXPECT_EQ(TemplateDescription(kTemplateCount), "");
}
