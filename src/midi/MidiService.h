#pragma once
// The platform's MIDI service as the device manager sees it: ordered device lists with product
// names, one output and one input opened by index, short and long messages, reset, an input
// delivered to a sink on the service's own thread, and a thru connection from input to output.
// Result codes: 0 is success; ErrorText gives the service's own text for any other code.

#include <cstddef>
#include <cstdint>
#include <string>

using MidiResult = std::uint32_t;

inline constexpr MidiResult kMidiOk = 0;
inline constexpr MidiResult kMidiErrorGeneric = 1;
inline constexpr MidiResult kMidiErrorBadDevice = 2;
inline constexpr MidiResult kMidiErrorAllocated = 4;
inline constexpr MidiResult kMidiErrorInvalidHandle = 5;
inline constexpr MidiResult kMidiErrorNoDriver = 6;
inline constexpr MidiResult kMidiErrorInvalidParameter = 11;

// What the platform tells of one device, as its capabilities record holds it. A value the
// platform does not know stays 0.
struct MidiDeviceCaps {
    std::uint16_t manufacturerId = 0;
    std::uint16_t productId = 0;
    std::uint32_t driverVersion = 0; // major in the high 16 bits, minor in the low
    std::string name;
    // Outputs only.
    std::uint16_t technology = 0;
    std::uint16_t voices = 0;
    std::uint16_t notes = 0;
    std::uint16_t channelMask = 0;
    std::uint32_t support = 0;
};

// Technologies of an output; any other number (0: nothing known, a virtual or software port) is
// shown as the number.
inline constexpr std::uint16_t kTechnologyMidiPort = 1;
inline constexpr std::uint16_t kTechnologySynthesizer = 2;

// Receives what arrives on the open input. Called on the service's thread, possibly a real-time
// audio thread: an implementation must only hand the data over (for example into a
// MidiInputQueue), never block, lock, allocate or touch user-interface state.
class MidiInputSink {
public:
    virtual ~MidiInputSink() = default;
    // One complete short message packed as status + data1·256 + data2·65536.
    virtual void OnShortMessage(std::uint32_t word, std::uint32_t timeMs) noexcept = 0;
    // One system exclusive block, F0 .. F7.
    virtual void OnLongMessage(const std::uint8_t* data, std::size_t length,
                               std::uint32_t timeMs) noexcept = 0;
};

class MidiService {
public:
    virtual ~MidiService() = default;

    virtual int OutputCount() = 0;
    virtual std::string OutputName(int index) = 0;
    virtual int InputCount() = 0;
    virtual std::string InputName(int index) = 0;

    virtual MidiResult OpenOutput(int index) = 0;
    virtual MidiResult CloseOutput() = 0;
    virtual bool OutputIsOpen() = 0;
    // Sends one short message at once; the word is packed as in MidiInputSink.
    virtual MidiResult SendShort(std::uint32_t word) = 0;
    virtual MidiResult SendLong(const std::uint8_t* data, std::size_t length) = 0;
    // Silences the open output; fails when no output is open.
    virtual MidiResult ResetOutput() = 0;

    virtual MidiResult OpenInput(int index, MidiInputSink* sink) = 0;
    virtual MidiResult StartInput() = 0;
    virtual MidiResult StopInput() = 0;
    virtual MidiResult ResetInput() = 0;
    virtual MidiResult CloseInput() = 0;
    virtual bool InputIsOpen() = 0;

    // MIDI thru: everything arriving on the input is echoed to the output.
    virtual MidiResult Connect() = 0;
    virtual MidiResult Disconnect() = 0;

    virtual std::string ErrorText(MidiResult code) = 0;

    // The capabilities of output (input) `index` of the lists as last counted. Asks the platform
    // on the calling thread: for the user-interface thread only, never a real-time one.
    virtual MidiResult OutputCaps(int index, MidiDeviceCaps& caps) {
        return NameOnlyCaps(index, OutputCount(), OutputName(index), caps);
    }
    virtual MidiResult InputCaps(int index, MidiDeviceCaps& caps) {
        return NameOnlyCaps(index, InputCount(), InputName(index), caps);
    }

    // Messages lost on their way out since the service started: thru forwards and sends the
    // output's queue or buffer could not hold. Never wrong bytes in their place.
    virtual std::uint64_t DroppedMessages() { return 0; }
    // How many more short messages the open output takes now without refusing one: a JACK
    // port queues them for its next cycles, most other outputs take any number.
    virtual std::size_t OutputRoom() { return static_cast<std::size_t>(-1); }

    // True while the open output (input) is one whose server or port went away: it delivers
    // nothing any more, and only a new opening can bring it back.
    virtual bool OutputLost() { return false; }
    virtual bool InputLost() { return false; }
    // Looks for servers that came back or started since, so that the lists show their ports.
    virtual void Rescan() {}

private:
    static MidiResult NameOnlyCaps(int index, int count, std::string name, MidiDeviceCaps& caps) {
        if (index < 0 || index >= count) {
            return kMidiErrorBadDevice;
        }
        caps = MidiDeviceCaps{};
        caps.name = std::move(name);
        return kMidiOk;
    }
};

// Number of bytes a short message with this status carries on the wire. The undefined system
// common statuses F4 and F5 carry all three bytes, so that the engine's stop signal arrives whole.
std::size_t ShortMessageLength(std::uint8_t status);

inline std::uint32_t PackShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    return static_cast<std::uint32_t>(status) | (static_cast<std::uint32_t>(data1) << 8) |
           (static_cast<std::uint32_t>(data2) << 16);
}
