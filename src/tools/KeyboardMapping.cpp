#include "tools/KeyboardMapping.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "base/Preferences.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

KeyboardMappingState g_keyboardMapping;

namespace {

// The status bar part the frame leaves for the last note, velocity or channel.
constexpr int kStatusPartFeedback = 4;
constexpr int kMaxVelocity = 127;
constexpr int kMaxChannel = 15;
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;

constexpr KeyMapEntry kUnmapped{};

struct MappedScanCode {
    int scanCode;
    KeyMapEntry entry;
};

// By scan code (set 1), with the key caps of a US layout.
constexpr MappedScanCode kMappedKeys[] = {
    {0x03, {5, 1, "C#"}},  // 2
    {0x04, {5, 3, "D#"}},  // 3
    {0x06, {5, 6, "F#"}},  // 5
    {0x07, {5, 8, "G#"}},  // 6
    {0x08, {5, 10, "A#"}}, // 7
    {0x0A, {6, 1, "C#"}},  // 9
    {0x0B, {6, 3, "D#"}},  // 0
    {0x0D, {6, 6, "F#"}},  // =
    {0x10, {5, 0, "C"}},   // Q
    {0x11, {5, 2, "D"}},   // W
    {0x12, {5, 4, "E"}},   // E
    {0x13, {5, 5, "F"}},   // R
    {0x14, {5, 7, "G"}},   // T
    {0x15, {5, 9, "A"}},   // Y
    {0x16, {5, 11, "B"}},  // U
    {0x17, {6, 0, "C"}},   // I
    {0x18, {6, 2, "D"}},   // O
    {0x19, {6, 4, "E"}},   // P
    {0x1A, {6, 5, "F"}},   // [
    {0x1B, {6, 7, "G"}},   // ]
    {0x1E, {3, 8, "G#"}},  // A
    {0x1F, {3, 10, "A#"}}, // S
    {0x21, {4, 1, "C#"}},  // F
    {0x22, {4, 3, "D#"}},  // G
    {0x24, {4, 6, "F#"}},  // J
    {0x25, {4, 8, "G#"}},  // K
    {0x26, {4, 10, "A#"}}, // L
    {0x28, {5, 1, "C#"}},  // '
    {0x2C, {3, 9, "A"}},   // Z
    {0x2D, {3, 11, "B"}},  // X
    {0x2E, {4, 0, "C"}},   // C
    {0x2F, {4, 2, "D"}},   // V
    {0x30, {4, 4, "E"}},   // B
    {0x31, {4, 5, "F"}},   // N
    {0x32, {4, 7, "G"}},   // M
    {0x33, {4, 9, "A"}},   // ,
    {0x34, {4, 11, "B"}},  // .
    {0x35, {5, 0, "C"}},   // /
};

constexpr std::array<KeyMapEntry, kKeyMapSize> BuildKeyMap() {
    std::array<KeyMapEntry, kKeyMapSize> map{};
    for (const MappedScanCode& key : kMappedKeys) {
        map[static_cast<std::size_t>(key.scanCode)] = key.entry;
    }
    return map;
}

constexpr std::array<KeyMapEntry, kKeyMapSize> kKeyMap = BuildKeyMap();

void ShowFeedback(const std::string& text) {
    if (g_ui) {
        g_ui->SetStatusText(kStatusPartFeedback, text);
    }
}

std::string WithNumber(int format, int number) {
    std::string text = Str(format);
    text.replace(text.find("%d"), 2, std::to_string(number));
    return text;
}

// Applies an adjustment key; false when the scan code is none of them.
bool Adjust(int scanCode) {
    KeyboardMappingState& s = g_keyboardMapping;
    switch (scanCode) {
    case kScanVelocityUp:
    case kScanVelocityDown:
        s.velocity =
            std::clamp(s.velocity + (scanCode == kScanVelocityUp ? 1 : -1), 0, kMaxVelocity);
        ShowFeedback(WithNumber(kStrVelocityFeedback, s.velocity));
        return true;
    case kScanChannelUp:
    case kScanChannelDown:
        s.channel = std::clamp(s.channel + (scanCode == kScanChannelUp ? 1 : -1), 0, kMaxChannel);
        ShowFeedback(WithNumber(kStrChannelFeedback, s.channel + 1));
        return true;
    default:
        return false;
    }
}

int ShiftedOctave(const KeyMapEntry& entry, KeyModifiers modifiers) {
    return entry.octave + (modifiers.shift ? 1 : 0) - (modifiers.ctrl ? 1 : 0);
}

std::uint8_t NoteOf(const KeyMapEntry& entry, KeyModifiers modifiers) {
    // The conversion keeps the note modulo 256.
    return static_cast<std::uint8_t>(ShiftedOctave(entry, modifiers) * 12 + entry.semitone);
}

void SendNote(std::uint8_t kind, int channel, std::uint8_t note) {
    SendShortMessage(static_cast<std::uint8_t>(kind + channel), note,
                     static_cast<std::uint8_t>(g_keyboardMapping.velocity));
}

// The Note Off of a key-up is computed afresh with the modifiers held now; when that is not the
// note that sounds (Shift let go first), the sounding note is ended too.
void EndNote(const KeyboardMappingState::HeldNote& held, std::uint8_t note) {
    SendNote(kNoteOff, held.channel, note);
    if (note != held.note) {
        SendNote(kNoteOff, held.channel, held.note);
    }
}

} // namespace

KeyMapEntry KeyMapEntryOf(int scanCode) {
    return scanCode >= 0 && scanCode < kKeyMapSize ? kKeyMap[static_cast<std::size_t>(scanCode)]
                                                   : kUnmapped;
}

void HandleMappedKey(const MappedKey& key) {
    if (g_frame.keyboardMapping <= 0) {
        return;
    }
    if (key.down && Adjust(key.scanCode)) {
        return;
    }
    const KeyMapEntry entry = KeyMapEntryOf(key.scanCode);
    if (entry.octave < 0) {
        return;
    }
    KeyboardMappingState& s = g_keyboardMapping;
    const std::uint8_t note = NoteOf(entry, key.modifiers);
    if (!key.down) {
        // Only a key whose note is sounding ends one: a key pressed before the mapping or the
        // focus came, or already let go by a release, has nothing to end.
        if (const auto held = s.heldKeys.find(key.scanCode); held != s.heldKeys.end()) {
            EndNote(held->second, note);
            s.heldKeys.erase(held);
        }
        return;
    }
    if (key.autoRepeat || s.heldKeys.count(key.scanCode) > 0) {
        return; // the key was down already: a repeat, marked or not
    }
    ShowFeedback(entry.name + std::to_string(ShiftedOctave(entry, key.modifiers)));
    SendNote(kNoteOn, s.channel, note);
    s.heldKeys[key.scanCode] = {s.channel, note};
}

void ReleaseMappedKeys(KeyModifiers modifiers) {
    const auto held = std::exchange(g_keyboardMapping.heldKeys, {});
    for (const auto& [scanCode, note] : held) {
        EndNote(note, NoteOf(KeyMapEntryOf(scanCode), modifiers));
    }
}

void RegisterKeyboardMapping(std::function<KeyModifiers()> modifiersNow) {
    g_frameHooks.keyboardMappingKey = HandleMappedKey;
    g_frameHooks.keyboardMappingRelease = [modifiersNow = std::move(modifiersNow)] {
        ReleaseMappedKeys(modifiersNow ? modifiersNow() : KeyModifiers{});
    };
}

void ResetKeyboardMappingState() {
    g_keyboardMapping = KeyboardMappingState{};
}
