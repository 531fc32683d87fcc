#pragma once
// One family of platform MIDI ports (the ALSA sequencer, a JACK server, a virtual port): the
// smallest surface a platform library has to offer. RoutedMidiService builds the device lists,
// the Loopback device, the thru connection and the error codes on top of these.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiService.h"

class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;
    // Sends raw bytes; false when the platform refused them (LastError says why). The service
    // calls it from one thread at a time, but that thread may be the input's (thru forwarding),
    // so it must never block, lock or allocate on success.
    virtual bool Send(const std::uint8_t* data, std::size_t length) noexcept = 0;
    // The platform's text for the last refused Send. User-interface thread only.
    virtual std::string LastError() const = 0;
    // Messages the platform accepted but then lost (a full buffer), counted, never delivered as
    // wrong bytes. Any thread.
    virtual std::uint64_t Dropped() const { return 0; }
    // True once the port can never deliver again: its server stopped, or the port it was
    // connected to went away. The device is then opened anew, perhaps from another server.
    virtual bool Lost() const { return false; }
    // How many more messages of `length` bytes the port takes now without refusing one; a port
    // that hands each message on at once takes any number. User-interface thread.
    virtual std::size_t Room(std::size_t length) const noexcept {
        (void)length;
        return kAnyRoom;
    }
    static constexpr std::size_t kAnyRoom = static_cast<std::size_t>(-1);
};

// Receives what arrives on an input port, on the platform's thread (possibly a real-time audio
// thread): it must only copy the bytes on, never block, lock or allocate.
class MidiBytesHandler {
public:
    virtual ~MidiBytesHandler() = default;
    // One complete message: a short message, or a system exclusive block F0 .. F7.
    virtual void OnBytes(const std::uint8_t* data, std::size_t length) noexcept = 0;
};

class MidiInPort {
public:
    virtual ~MidiInPort() = default;
    // MIDI thru inside the platform, as a port connection would: everything arriving here is
    // also written to `output` with its timing kept. False when the platform cannot connect
    // these two ports; the service then forwards each message itself.
    virtual bool ConnectThru(MidiOutPort& output) {
        (void)output;
        return false;
    }
    // Ends a connection ConnectThru made; when it returns, nothing more is written through it.
    virtual void DisconnectThru() {}
    // As MidiOutPort::Lost.
    virtual bool Lost() const { return false; }
};

class MidiPortBackend {
public:
    virtual ~MidiPortBackend() = default;
    virtual std::vector<std::string> OutputPorts() = 0;
    virtual std::vector<std::string> InputPorts() = 0;
    // Opens port `index` of OutputPorts(); null with `error` set on failure.
    virtual std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) = 0;
    // Opens port `index` of InputPorts(), delivering to `handler` until the port is destroyed;
    // once the destructor returns, the handler is no longer called.
    virtual std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler& handler,
                                                  std::string& error) = 0;
    // Looks for a server that was not there or went away, so that its ports are listed again.
    virtual void Refresh() {}
    // Fills in what the platform tells of port `index` of OutputPorts() (InputPorts()) as last
    // listed; the service has set the name and the rest to 0. User-interface thread only.
    virtual void DescribeOutput(int index, MidiDeviceCaps& caps) {
        (void)index;
        (void)caps;
    }
    virtual void DescribeInput(int index, MidiDeviceCaps& caps) {
        (void)index;
        (void)caps;
    }
};
