#include "project/NewProject.h"

#include <charconv>

#include "base/Ui.h"
#include "panel/PanelState.h"
#include "project/ProjectLifecycle.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"

int SliderCountLimit(int kind) {
    return kind == kNewPanelFourteenBit ? kMaxFourteenBitSliders : kMaxSliders;
}

std::string NewProjectDescription(int kind) {
    switch (kind) {
    case kNewPanelSevenBit:
        return Str(kStrNewSevenBitDescription);
    case kNewPanelFourteenBit:
        return Str(kStrNewFourteenBitDescription);
    default:
        return Str(kStrNewTemplateDescription);
    }
}

std::optional<int> ParseSliderCount(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > static_cast<unsigned>(INT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

void BuildDefaultPanel(bool fourteenBit, int count) {
    g_sliderCount = count;
    g_sliderCountCommitted = count;
    g_snapshotCount = 0;
    for (int i = 0; i < count; ++i) {
        SetDefaultSlider(i, fourteenBit);
    }
    ResetWindowStates();
}

NewProjectChoice AcceptNewProject(int kind, std::string_view countText) {
    const std::optional<int> count = ParseSliderCount(countText);
    const bool fits = count && *count >= 1 && *count <= SliderCountLimit(kind);
    if (kind != kNewPanelTemplate && !fits) {
        g_ui->ShowMessage(Str(kStrSliderLimitWarning), MessageIcon::Warning);
        return NewProjectChoice::Refused;
    }
    // The default pairing reaches the channel mode controllers beyond 120 7-bit or 56 14-bit
    // sliders; the user decides whether such a panel is wanted.
    if (kind != kNewPanelTemplate &&
        *count - 1 + (kind == kNewPanelFourteenBit ? kFourteenBitPairOffset : 0) >=
            kFirstChannelModeController &&
        g_ui->ShowMessage(Str(kStrNewPanelChannelMode), MessageIcon::Question,
                          MessageButtons::YesNo) != MessageAnswer::Yes) {
        return NewProjectChoice::Refused;
    }
    // The template kind does not test the count; it only serves a fallback panel, which needs
    // one the panel can hold.
    g_sliderCount = fits ? *count : 16;
    g_sliderCountCommitted = g_sliderCount;
    g_newPanelType = kind;
    g_newPanelTypeCommitted = kind;
    if (kind == kNewPanelTemplate) {
        return NewProjectChoice::ChooseTemplate;
    }
    BuildDefaultPanel(kind == kNewPanelFourteenBit, g_sliderCount);
    return NewProjectChoice::PanelBuilt;
}

void CancelNewProject() {
    g_sliderCount = g_sliderCountCommitted;
    g_newPanelType = g_newPanelTypeCommitted;
}

void FinishNewProject() {
    g_projectUntitled = 1;
    g_projectDirty = 1;
    const std::string name = Str(kStrProjectNamePrefix) + std::to_string(g_untitledCounter) + "." +
                             Str(kStrProjectExtension);
    ClearProjectFile();
    SetText(g_projectName, name);
    SetText(g_projectPath, "./" + name);
    g_ui->SetTitle(ProjectTitle());
    ++g_untitledCounter;
    ProjectOpened();
}
