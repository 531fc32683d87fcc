#include "tools/MidiScope.h"

#include <cstdio>

#include "base/Preferences.h"
#include "engine/EngineRun.h"
#include "midi/MidiInputQueue.h"
#include "resources/Strings.h"

std::vector<ScopeLine> g_scopeLines;

namespace {

constexpr std::uint8_t kActiveSensing = 0xFE;

struct StatusLook {
    int name;
    ScopeColour colour;
};

// The channel messages by their high nibble, 0x8 to 0xE.
constexpr StatusLook kChannelLooks[] = {
    {kStrScopeNoteOff, {0, 127, 0}},         {kStrScopeNoteOn, {0, 255, 0}},
    {kStrScopeKeyAftertouch, {0, 127, 127}}, {kStrScopeControlChange, {0, 0, 255}},
    {kStrScopeProgramChange, {255, 0, 127}}, {kStrScopeChannelAftertouch, {0, 127, 255}},
    {kStrScopePitchBend, {255, 0, 0}},
};

StatusLook LookOf(std::uint8_t status) {
    if (status >= 0x80 && status < 0xF0) {
        return kChannelLooks[(status >> 4) - 0x8];
    }
    if (status == kEngineStopStatus) {
        return {kStrScopeStopSignal, {255, 255, 0}};
    }
    if (status == kActiveSensing) {
        return {kStrScopeActiveSensing, {255, 255, 255}};
    }
    return {kStrScopeUnknown, {127, 127, 127}};
}

} // namespace

std::optional<ScopeLine> DecodeScopeLine(std::uint32_t word, std::uint32_t timeMs,
                                         bool filterActiveSensing) {
    const auto status = static_cast<std::uint8_t>(word & 0xFF);
    if (status == kActiveSensing && filterActiveSensing) {
        return std::nullopt;
    }
    const StatusLook look = LookOf(status);
    char text[kScopeTextWidth];
    // All three bytes are shown, whatever the message's length.
    std::snprintf(text, sizeof text, "0x%08X 0x%02X 0x%02X 0x%02X (%s)",
                  static_cast<unsigned>(timeMs), static_cast<unsigned>(status),
                  static_cast<unsigned>((word >> 8) & 0xFF),
                  static_cast<unsigned>((word >> 16) & 0xFF), Str(look.name).c_str());
    return ScopeLine{text, look.colour};
}

void AppendScopeLine(ScopeLine line) {
    if (g_scopeLines.capacity() <= kScopeMaxLines) {
        g_scopeLines.reserve(kScopeMaxLines + 1); // once: a burst never waits for the list to grow
    }
    g_scopeLines.push_back(std::move(line));
    if (g_scopeLines.size() > kScopeMaxLines) {
        ClearScopeList();
    }
}

void ClearScopeList() {
    g_scopeLines.clear();
}

bool ScopeMidiInput(const MidiInputEvent& event, bool scopeVisible) {
    if (!event.bytes.empty() || !scopeVisible) {
        return false;
    }
    std::optional<ScopeLine> line =
        DecodeScopeLine(event.word, event.timeMs, g_midiScopeFilterActiveSensing != 0);
    if (!line) {
        return false;
    }
    AppendScopeLine(std::move(*line));
    return true;
}

void ResetMidiScopeState() {
    ClearScopeList();
}
