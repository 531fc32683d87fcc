#include "project/TemplateTable.h"

#include "base/ByteCodec.h"
#include "project/Templates.h"
#include "resources/Strings.h"

namespace {

struct TemplateRow {
    const char* name;
    bool unified; // one Csound document instead of an orchestra and a score
    bool needsSample;
};

// Rows 1, 2 and 8 carry an orchestra and a score, rows 3 to 7 one document; rows 4, 5, 7 and 8
// play the voice sample.
constexpr TemplateRow kRows[kTemplateCount] = {
    {"Subtractive", false, false}, {"FMBells", false, false}, {"Additive", true, false},
    {"Granular", true, true},      {"Looper", true, true},    {"Plucked", true, false},
    {"Formants", true, true},      {"Delays", false, true},
};

} // namespace

void FillTemplateTable() {
    for (int i = 0; i < kTemplateCount; ++i) {
        const TemplateRow& row = kRows[i];
        TemplateEntry& entry = g_templates[static_cast<std::size_t>(i)];
        const std::string name = row.name;
        SetText(entry.projectName, name + ".vtp");
        SetText(entry.script1Name, name + (row.unified ? ".csd" : ".orc"));
        SetText(entry.script2Name, row.unified ? std::string() : name + ".sco");
        entry.needsSample = row.needsSample ? 1 : 0;
    }
}

std::string TemplateDescription(int index) {
    if (index < 0 || index >= kTemplateCount) {
        return {};
    }
    return Str(kStrTemplateDescriptionFirst + index);
}
