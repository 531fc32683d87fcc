#include "panel/PanelConfiguration.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Ui.h"
#include "engine/AudioFormats.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "panel/SliderProps.h"
#include "project/ProjectFilesEditing.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

constexpr int kStatusFirst = 128;
constexpr int kStatusLast = 255;
constexpr int kDataLast = 127;

// The field's up-down range: the up arrow's end, then the down arrow's end.
struct ByteRange {
    int upEnd;
    int downEnd;
};

ByteRange RangeOf(int field) {
    return IsStatusField(field) ? ByteRange{kStatusFirst, kStatusLast} : ByteRange{0, kDataLast};
}

bool InRange(int field, long long value) {
    const ByteRange range = RangeOf(field);
    return value >= range.upEnd && value <= range.downEnd;
}

// A whole decimal number, blanks around it and a sign allowed; none for any other text. A
// number too large for 64 bits still reads, as one far out of every range.
std::optional<long long> ReadNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long long value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        value = 1LL << 62;
    }
    return negative ? -value : value;
}

// "1/%d" with the step in place of its "%d".
std::string FormatScrollStep(int step) {
    std::string text = Str(kStrScrollStepEntry);
    const std::size_t mark = text.find("%d");
    if (mark != std::string::npos) {
        text.replace(mark, 2, std::to_string(step));
    }
    return text;
}

// The other windows show the panel again: the project manager rebuilt on its panel branch
// with the panel held in front meanwhile, and the panel closed and opened anew, so that it
// shows the new style, sliders and step.
void RefreshPanelWindows() {
    if (g_panelWindow) {
        g_panelWindow->KeepInFront(true);
    }
    RebuildProjectManager(ProjectBranch::Panel);
    if (g_panelWindow) {
        g_panelWindow->KeepInFront(false);
        g_panelWindow->Close();
        if (g_ui) {
            g_ui->SendCommand(kCommandVirtualPanel);
        }
    }
}

// A new slider's default name may already be taken (the running number starts again with each
// project read); the properties dialog finds its slider by name, so the name must be its own.
void GiveUnusedName(int position) {
    SliderRecord& slider = g_sliders[static_cast<std::size_t>(position)];
    auto takenElsewhere = [&](std::string_view name) {
        for (int i = 0; i < g_sliderCount; ++i) {
            if (i != position && TextOf(g_sliders[static_cast<std::size_t>(i)].name) == name) {
                return true;
            }
        }
        return false;
    };
    while (takenElsewhere(TextOf(slider.name))) {
        SetText(slider.name, "Slider" + std::to_string(++g_sliderNameCounter));
    }
}

} // namespace

std::string StepMessageByte(std::string_view text, int field, bool up) {
    const ByteRange range = RangeOf(field);
    const std::optional<long long> read = ReadNumber(text);
    if (!read || !InRange(field, *read)) {
        return std::to_string(range.upEnd);
    }
    const int value = static_cast<int>(*read);
    return std::to_string(up ? std::max(value - 1, range.upEnd)
                             : std::min(value + 1, range.downEnd));
}

bool ValidatePanelMessages(const MessageFieldTexts& fields) {
    std::array<std::optional<long long>, kMessageFieldCount> values;
    for (int field = 0; field < kMessageFieldCount; ++field) {
        values[field] = ReadNumber(fields[field]);
    }
    // The status bytes first, then the data bytes, whatever their places.
    for (const bool status : {true, false}) {
        for (int field = 0; field < kMessageFieldCount; ++field) {
            if (IsStatusField(field) == status &&
                (!values[field] || !InRange(field, *values[field]))) {
                ShowWarning(Str(status ? kStrPanelStatusRange : kStrPanelDataRange));
                return false;
            }
        }
    }
    for (int k = 0; k < 3; ++k) {
        g_startMessage[k] = static_cast<std::uint8_t>(*values[kStartStatusField + k]);
        g_stopMessage[k] = static_cast<std::uint8_t>(*values[kStopStatusField + k]);
    }
    return true;
}

std::vector<std::string> ScrollStepEntries() {
    std::vector<std::string> entries;
    for (int step = 1; step <= kScrollStepCount; ++step) {
        entries.push_back(FormatScrollStep(step));
    }
    return entries;
}

int ScrollStepEntry(int step) {
    return std::clamp(step, 1, kScrollStepCount) - 1;
}

PanelConfiguration::PanelConfiguration(PanelConfigOwner owner)
    : m_owner(owner), m_lastSeenCount(g_sliderCount) {
    g_panelPropsOpen = 1;
    if (g_ui) {
        g_ui->EnableCommand(kCmdPanelProperties, false);
    }
    m_contents.slidersStyle = g_panelControlStyle == 1;
    m_contents.scrollStepEntry = ScrollStepEntry(g_scrollStep);
    for (int k = 0; k < 3; ++k) {
        m_contents.messages[kStartStatusField + k] = std::to_string(g_startMessage[k]);
        m_contents.messages[kStopStatusField + k] = std::to_string(g_stopMessage[k]);
    }
    m_contents.script1 = TextOf(g_scriptPaths[0]);
    m_contents.script2 = TextOf(g_scriptPaths[1]);
    m_contents.audioFile = TextOf(g_audioOutputFile);
    m_contents.audioFormat =
        IsAudioFormatIndex(g_audioFormatIndex) ? g_audioFormatIndex : kDefaultAudioFormat;
    for (int i = 0; i < g_sliderCount; ++i) {
        m_items.emplace_back(TextOf(g_sliders[static_cast<std::size_t>(i)].name));
    }
    m_items.emplace_back();
}

PanelConfiguration::~PanelConfiguration() {
    if (!m_closed) {
        RestoreCommitted();
        g_panelPropsOpen = 0;
        if (g_ui) {
            g_ui->EnableCommand(kCmdPanelProperties, true);
        }
    }
}

void PanelConfiguration::ChooseControlStyle(bool sliders) {
    g_panelControlStyle = sliders ? 1 : 0;
}

bool PanelConfiguration::Browse(AdditionalFileField field, std::string& path) {
    std::string title;
    if (m_closed || !g_ui || !g_ui->SelectFile(FileChooserModeOf(field), path, title)) {
        return false;
    }
    ChooseProjectFile(field, path);
    return true;
}

void PanelConfiguration::Delete(int position) {
    if (m_closed || position < 0 || position >= static_cast<int>(m_items.size())) {
        return;
    }
    if (g_sliderCount <= 1) {
        ShowWarning(Str(kStrLastSliderWarning));
        return;
    }
    if (position == static_cast<int>(m_items.size()) - 1) {
        return; // the empty entry after the last slider
    }
    // The entry must still name the slider at its place: deleting by place anything else would
    // take away a slider the user did not choose.
    if (position >= g_sliderCount || TextOf(g_sliders[static_cast<std::size_t>(position)].name) !=
                                         m_items[static_cast<std::size_t>(position)]) {
        ShowWarning(Str(kStrSliderNotFound));
        Cancel();
        return;
    }
    m_lastSeenCount = g_sliderCount;
    if (!AskYesNo(Str(kStrDeleteSliderQuestion), MessageIcon::Warning)) {
        return;
    }
    DeleteSlider(position);
    m_items.erase(m_items.begin() + position);
    m_selected = 0;
}

void PanelConfiguration::AddNew(int position, const EditNewSlider& edit) {
    if (m_closed || position < 0 || position >= static_cast<int>(m_items.size())) {
        return;
    }
    if (g_sliderCount >= kMaxSliders) {
        ShowWarning(Str(kStrTooManySlidersWarning));
        return;
    }
    InsertSlider(position);
    GiveUnusedName(position);
    m_lastSeenCount = g_sliderCount;
    g_sliderPropsFromPanelProps = 1;
    const SliderRecord& slider = g_sliders[static_cast<std::size_t>(position)];
    if (edit && edit(std::string(TextOf(slider.name)))) {
        m_items.insert(m_items.begin() + position, std::string(TextOf(slider.name)));
        m_selected = position;
    } else {
        DeleteSlider(position);
    }
    // One less than the count, so that the next deactivation shows the new slider elsewhere.
    m_lastSeenCount -= 1;
    g_sliderPropsFromPanelProps = 0;
}

void PanelConfiguration::Activate(int position, const EditNewSlider& edit) {
    if (position == static_cast<int>(m_items.size()) - 1) {
        AddNew(position, edit);
    } else {
        Delete(position);
    }
}

bool PanelConfiguration::Ok(const PanelConfigFields& fields) {
    if (m_closed) {
        return false;
    }
    // A path cut to its field would name another file. Checked before the message bytes are
    // stored, so that a refusal here leaves them as they were.
    if (!AdditionalFilePathsFit(fields.script1, fields.script2, fields.audioFile) ||
        !ValidatePanelMessages(fields.messages)) {
        return false;
    }
    g_panelControlStyleCommitted = g_panelControlStyle;
    g_sliderCountCommitted = g_sliderCount;
    g_scrollStep = std::clamp(fields.scrollStepEntry, 0, kScrollStepCount - 1) + 1;
    SetText(g_audioOutputFile, fields.audioFile);
    g_audioOutputFileCommitted = g_audioOutputFile;
    if (IsAudioFormatIndex(fields.audioFormat)) {
        g_audioFormatIndex = fields.audioFormat;
    }
    CommitScriptPaths({fields.script1, fields.script2});
    Finish();
    return true;
}

void PanelConfiguration::Cancel() {
    if (m_closed) {
        return;
    }
    RestoreCommitted();
    Finish();
}

void PanelConfiguration::RestoreCommitted() {
    g_scriptPaths = g_scriptPathsCommitted;
    g_audioOutputFile = g_audioOutputFileCommitted;
    g_panelControlStyle = g_panelControlStyleCommitted;
    g_sliderCount = g_sliderCountCommitted;
}

void PanelConfiguration::Finish() {
    m_closed = true;
    RefreshPanelWindows();
    g_panelPropsOpen = 0;
    if (g_ui) {
        g_ui->EnableCommand(kCmdPanelProperties, true);
    }
}

void PanelConfiguration::LoseActivation() {
    if (m_closed || g_sliderCount == m_lastSeenCount) {
        return;
    }
    m_lastSeenCount = g_sliderCount;
    RebuildProjectManager(ProjectBranch::Panel);
    if (g_panelWindow && m_owner != PanelConfigOwner::Panel) {
        g_panelWindow->Close();
        if (g_ui) {
            g_ui->SendCommand(kCommandVirtualPanel);
        }
    }
}
