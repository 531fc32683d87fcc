#pragma once
// One family of platform MIDI ports (the ALSA sequencer, a JACK server, a virtual port): the
// smallest surface a platform library has to offer. RoutedMidiService builds the device lists,
// the Loopback device, the thru connection and the error codes on top of these.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;
    // Sends raw bytes; false with `error` set when the platform refused them.
    virtual bool Send(const std::uint8_t* data, std::size_t length, std::string& error) = 0;
};

class MidiInPort {
public:
    virtual ~MidiInPort() = default;
};

// Receives one complete message (short or system exclusive) on the platform's thread.
using MidiBytesHandler = std::function<void(const std::uint8_t* data, std::size_t length)>;

class MidiPortBackend {
public:
    virtual ~MidiPortBackend() = default;
    virtual std::vector<std::string> OutputPorts() = 0;
    virtual std::vector<std::string> InputPorts() = 0;
    // Opens port `index` of OutputPorts(); null with `error` set on failure.
    virtual std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) = 0;
    // Opens port `index` of InputPorts(), delivering to `handler` until the port is destroyed.
    virtual std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler handler,
                                                  std::string& error) = 0;
};
