#pragma once
// Find slider: the panel's sliders that match one criterion, as rows of their summaries. The
// criterion and the text are kept for the whole run.

#include <string>
#include <string_view>
#include <vector>

enum FindCriterion : int {
    kFindByName,
    kFindByValue,
    kFindByMin,
    kFindByMax,
    kFindByType,
    kFindByChannel,
    kFindByController1,
    kFindByController2,
    kFindCriterionCount
};

// The row of "No sliders found." carries this slider index, which stands for no slider.
inline constexpr int kNoSliderRow = 130;
inline constexpr std::size_t kFindTextLimit = 499;

struct FindRow {
    std::string text;
    int slider = kNoSliderRow;
    bool operator==(const FindRow&) const = default;
};

extern int g_findCriterion;
extern std::string g_findText;

// The criterion's name in the dialog's list ("By name" ...).
std::string FindCriterionName(int criterion);
// The rows of the sliders that match, in panel order, or the one "No sliders found." row.
std::vector<FindRow> FindSliders(int criterion, std::string_view text);
// The integer read from the text's start as the C library's atoi reads it, saturated.
long long LeadingInteger(std::string_view text);

void ResetFindSliderState();
