#pragma once
// The start-up sequence after the main window exists and was shown: the MIDI devices, the
// device and engine settings, the tool windows open at the last exit, and the project named on
// the command line.

#include <functional>
#include <string>
#include <string_view>

// The longest project path: the path field holds 259 characters and its terminator.
inline constexpr std::size_t kMaxCommandLinePath = 259;

// The project path of a command line: the text as it stands (no quotes removed), cut to 259
// characters, never inside a multi-byte character.
std::string CommandLineProjectPath(std::string_view commandLine);

// Whether the file named on the command line is a system exclusive bank (".syx" in any case)
// rather than a project: the desktop hands both kinds to the program.
bool IsSysexBankPath(std::string_view path);

// Reads the stored device choice and opens the devices; an exception it raises is shown and
// start-up goes on.
void LoadMidiDeviceSettingsGuarded();

// Runs the start-up steps from the device choice to the command-line project. `quitRequested`
// tells whether a step asked the program to end (no usable MIDI device), which stops the rest.
void RunStartUpSequence(std::string_view commandLine, const std::function<bool()>& quitRequested);
