#pragma once
// The MIDI device manager: the one output device, the optional input device, their stored
// choice, and every message the program sends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/SettingsStore.h"
#include "midi/MidiService.h"

struct MidiDeviceState {
    std::int32_t outputDeviceIndex = 0;
    std::int32_t inputDeviceIndex = 0;
    std::int32_t inputEnabled = -1; // +1 enabled, -1 disabled; above 0 means enabled
    // The device each open handle refers to, -1 while closed (the null handle).
    std::int32_t openOutputIndex = -1;
    std::int32_t openInputIndex = -1;
    std::int32_t outputOpened = 0;
    std::int32_t inputOpened = 0;
    std::int32_t devicesConfigured = 0;
    MidiResult lastResult = kMidiOk;
    std::array<std::uint8_t, 4> shortMessage{};
    // The open devices' names, kept so that a device whose server or port went away can be
    // found again when it comes back; while lost, its handle is closed.
    std::string openOutputName;
    std::string openInputName;
    std::int32_t outputLost = 0;
    std::int32_t inputLost = 0;
};

// What the MIDI devices dialog remembers, and restores on Cancel.
struct MidiDialogState {
    std::int32_t checkbox = 0;         // "Enable MIDI input" checked
    std::int32_t inputListEnabled = 0; // the input list enabled
    std::int32_t rememberedInputEnabled = -1;
    std::int32_t rememberedCheckbox = 0;
    std::int32_t rememberedInputListEnabled = 0;
};

// The stored choice, value "MIDIDevices" (12 bytes).
struct MidiDeviceSettings {
    std::int32_t inputDeviceIndex = 0;
    std::int32_t outputDeviceIndex = 0;
    std::int32_t inputEnabled = -1;
};
inline constexpr std::size_t kMidiDeviceSettingsSize = 12;
Bytes EncodeMidiDeviceSettings(const MidiDeviceSettings& settings);
// Only a value of exactly 12 bytes is a stored choice.
std::optional<MidiDeviceSettings> DecodeMidiDeviceSettings(const Bytes& bytes);

// The chosen devices' names, value "MIDIDeviceNames": the input's name and the output's name,
// each ended by a zero byte. An empty name says nothing about its device.
struct MidiDeviceNames {
    std::string input;
    std::string output;
};
inline constexpr std::size_t kMaxMidiDeviceNamesSize = 1024;
Bytes EncodeMidiDeviceNames(const MidiDeviceNames& names);
std::optional<MidiDeviceNames> DecodeMidiDeviceNames(const Bytes& bytes);
// The index of the output or input with this name, or -1.
int FindMidiOutput(const std::string& name);
int FindMidiInput(const std::string& name);

extern MidiDeviceState g_midiDevices;
extern MidiDialogState g_midiDialog;
// The platform's MIDI service and the receiver of incoming MIDI; installed by the program.
extern MidiService* g_midiService;
extern MidiInputSink* g_midiInputSink;
// Status bar texts of the open devices ("In: ...", "Out: ..."), written again on every layout.
extern std::string g_midiInputStatusText;
extern std::string g_midiOutputStatusText;

inline constexpr int kStatusPartInput = 1;
inline constexpr int kStatusPartOutput = 2;
inline constexpr int kCommandMidiDevices = 12000;

// Puts the device state back to its start values (does not touch the service).
void ResetMidiDeviceState();

void LoadMidiDeviceSettings();
bool OpenMidiDevices();
MidiResult OpenMidiInput(int index);
bool ResetMidiDevices();
MidiResult SendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
// How many more short messages the output takes now without refusing one.
std::size_t MidiOutputRoom();
void SendPanic();
MidiResult SendSystemExclusive(const std::uint8_t* data, std::size_t length);
void CloseMidiInput();
void CloseMidiDevices();

// Closes an open device whose server or port went away and shows it as lost in the status bar;
// true while a device is lost.
bool NoticeLostMidiDevices();
// Opens the lost devices again where a device of the same name is listed now; true when none is
// lost any more. With `report`, a device that cannot be opened is reported as an open failure.
bool ReopenLostMidiDevices(bool report);
// Run about once a second on the user-interface thread: a lost device is noticed, and reopened by
// itself once it is back, which the status bar then says.
void CheckMidiDevices();

// Writes the current choice as "MIDIDevices"; reports a failure and returns false.
bool StoreMidiDeviceSettings();
