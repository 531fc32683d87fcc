#pragma once
// The Send MIDI message tool: one short message composed from a type and a channel or typed as
// a status byte, with two data bytes, checked and sent to the output. Its values live for the
// whole run, so that the window reopens as it was left.

#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kSendMidiPresets = 0;
inline constexpr int kSendMidiUser = 1;
inline constexpr int kSendMidiTypeCount = 7;     // Note off .. Pitch bend
inline constexpr int kSendMidiChannelCount = 16; // Ch1 .. Ch16
inline constexpr int kDataByteMax = 127;
inline constexpr int kDataBarPage = 16;

struct SendMidiState {
    std::int32_t mode = kSendMidiPresets;
    std::int32_t presetType = 1; // Note on
    std::int32_t presetChannel = 0;
    std::uint16_t status = 0x90;
    // As last typed, so that a refused number is still there when the window reopens.
    std::int32_t data[2] = {60, 64};
};

extern SendMidiState g_sendMidi;

void ResetSendMidiState();

// The status of a channel message: (type + 8) × 16 + channel, type 0 being Note off.
std::uint16_t ComposeStatus(int type, int channel);

// The combo box entry of a channel index 0..15: "Ch1" .. "Ch16".
std::string ChannelEntry(int channel);

enum class SendMidiField { None, Status, Data1, Data2 };

// What the window's three edits hold when Send runs.
struct SendMidiFields {
    std::string status;
    std::string data1;
    std::string data2;
};

struct SendMidiOutcome {
    bool sent = false;
    // The edit that takes the focus after a refusal.
    SendMidiField focus = SendMidiField::None;
};

// Send: the status from the presets or the status edit, then the two data bytes, each checked
// in turn; a refusal is shown and nothing is sent. The data bytes read are kept in both cases.
SendMidiOutcome SendMidiMessage(const SendMidiFields& fields);

enum class ScrollAction {
    LineLeft,
    LineRight,
    PageLeft,
    PageRight,
    ThumbTrack,
    ThumbPosition,
    LeftEnd,
    RightEnd,
    EndScroll,
};

// A data byte's scroll bar moved from `value` by `action` (`thumb` is the thumb's position):
// the new value within 0..127, or nothing when the action changes nothing.
std::optional<int> ScrollDataValue(int value, ScrollAction action, int thumb);

// The panic button: the main window's Panic! command.
void SendMidiPanic();
