#pragma once
// The forms of ventaro-tool. Each returns the process exit code: 0 done, 1 failed, 2 bad usage.

#include <string>
#include <vector>

#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"

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

// The Loopback device as the program's output for the object's life: what the program sends
// arrives at the Loopback input, and PrintArrived prints it, one message a line in hexadecimal.
class LoopbackWire {
public:
    LoopbackWire();
    ~LoopbackWire();
    LoopbackWire(const LoopbackWire&) = delete;
    LoopbackWire& operator=(const LoopbackWire&) = delete;
    void PrintArrived();

private:
    MidiInputQueue m_arrived; // outlives the service that delivers to it
    RoutedMidiService m_service;
};

// Prints the usage line of every form to stderr and returns 2.
int Usage();
