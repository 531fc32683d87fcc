#pragma once
// The device capabilities reports: what the platform tells of the current MIDI input and output
// devices, line by line, as the capabilities dialog shows them.

#include <string>

#include "midi/MidiService.h"

// A capabilities record holds at most 31 characters of the name.
inline constexpr std::size_t kCapsNameLength = 31;

// The report of an output (with the technology, voices, notes and channel mask lines) or of an
// input.
std::string OutputCapsReport(const MidiDeviceCaps& caps);
std::string InputCapsReport(const MidiDeviceCaps& caps);

// The reports of the current devices: the input's says "No device selected." while MIDI input
// is disabled; a device the platform cannot describe is reported with the platform's reason.
std::string CurrentInputReport();
std::string CurrentOutputReport();
