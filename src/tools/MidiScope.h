#pragma once
// The MIDIScope's list: each incoming short message decoded into a line of text with a colour by
// its status, kept in arrival order while the window shows them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A line holds at most 79 characters; the list holds at most 32768 lines: the next one empties it.
inline constexpr std::size_t kScopeTextWidth = 80;
inline constexpr std::size_t kScopeMaxLines = 32768;

struct ScopeColour {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    bool operator==(const ScopeColour&) const = default;
};

struct ScopeLine {
    std::string text;
    ScopeColour colour;
    bool operator==(const ScopeLine&) const = default;
};

// The lines shown so far, oldest first.
extern std::vector<ScopeLine> g_scopeLines;

// The line of a short message (status in bits 0-7, the data bytes above it) that arrived
// `timeMs` after the input started; nothing for Active Sensing while it is filtered.
std::optional<ScopeLine> DecodeScopeLine(std::uint32_t word, std::uint32_t timeMs,
                                         bool filterActiveSensing);
// Adds a line; the line past the limit empties the list, itself with it.
void AppendScopeLine(ScopeLine line);
void ClearScopeList();

struct MidiInputEvent;
// The MIDIScope's step for each input event, on the user-interface thread: a short message is
// decoded and, while the window shows (`scopeVisible`), added to the list with the live filter.
// True when a line was added. System exclusive blocks are not shown.
bool ScopeMidiInput(const MidiInputEvent& event, bool scopeVisible);

void ResetMidiScopeState();
