#pragma once
// The forms of ventaro-tool. Each returns the process exit code: 0 done, 1 failed, 2 bad usage.

#include <string>
#include <vector>

using Args = std::vector<std::string>;
class MidiService;

int RunNoiseCommand(const Args& args);
int RunSliderCommand(const Args& args);
int RunMidiCommand(const Args& args);
int RunMidiMonitor(const Args& args);
int RunProjectCommand(const Args& args);
int RunCsoundCommand(const Args& args);
int RunEngineCommand(const Args& args);
int RunFindCommand(const Args& args);
int RunSysexCommand(const Args& args);
int RunMorphCommand(const Args& args);
int RunAudioCommand(const Args& args);

// Opens the output named by its number or its name and installs the service for the device
// manager's sends; prints the error and fails otherwise.
bool OpenToolMidiOutput(MidiService& service, const std::string& device);

class MidiInputQueue;
// Prints the messages that arrived on a Loopback input, one a line in hexadecimal: what the
// program put on the wire.
void PrintArrived(MidiInputQueue& queue);

// Prints the usage line of every form to stderr and returns 2.
int Usage();
