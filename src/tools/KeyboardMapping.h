#pragma once
// The keyboard mapping: three letter rows and the digit row of the computer keyboard play notes
// on the MIDI output, and four keys change the velocity and the channel the notes go out with.

#include <cstdint>
#include <functional>
#include <map>

#include "base/FrameHooks.h"

// One key of the table: its octave (-1 for a key that plays nothing), semitone and note name.
struct KeyMapEntry {
    int octave = -1;
    int semitone = 0;
    const char* name = "";
};

// The table covers the scan codes 0 to 53; the keys above never play notes.
inline constexpr int kKeyMapSize = 54;

// The adjustment keys: keypad 8, 2, 9 and 3, which the arrow and page keys stand in for.
inline constexpr int kScanVelocityUp = 0x48;
inline constexpr int kScanVelocityDown = 0x50;
inline constexpr int kScanChannelUp = 0x49;
inline constexpr int kScanChannelDown = 0x51;

struct KeyboardMappingState {
    int velocity = 64;
    int channel = 0; // 0..15, shown as 1..16
    // The note keys whose Note On went out and whose Note Off has not, by scan code, with the
    // channel and note of that Note On: a channel or octave change while a key is held must not
    // leave the note sounding.
    struct HeldNote {
        int channel = 0;
        std::uint8_t note = 0;
    };
    std::map<int, HeldNote> heldKeys;
};

extern KeyboardMappingState g_keyboardMapping;

// The table's entry for a scan code; codes outside the table are not mapped.
KeyMapEntry KeyMapEntryOf(int scanCode);

// A key of the main window while the mapping is enabled: adjusts the velocity or the channel,
// or plays or ends the key's note. The note is taken with the modifiers of this very event, so a
// key-up computes it afresh.
void HandleMappedKey(const MappedKey& key);

// Sends the Note Off of every key still held down, computed as its key-up now would be, and
// forgets them: their later key-ups send nothing more.
void ReleaseMappedKeys(KeyModifiers modifiers);

// Carries the main window's keys and releases into the mapping; `modifiersNow` tells which
// modifiers are held when the release comes from elsewhere than a key.
void RegisterKeyboardMapping(std::function<KeyModifiers()> modifiersNow);

void ResetKeyboardMappingState();
