#pragma once
// JACK clients of a test or benchmark of its own, beside the program's client, and the numbered
// messages they exchange. A sender and a receiver are separate clients, so that a path through
// the program (sender → program → receiver) is an acyclic graph, which JACK runs in one cycle; a
// client connected to itself, directly or through another client, hears its own messages one
// cycle late.

#include <cstddef>
#include <cstdint>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <map>
#include <string>
#include <vector>

class JackPeerClient {
public:
    // Called on the client's process thread once per cycle with its ports: it must not block,
    // lock or allocate.
    using Process = void (*)(void* user, jack_client_t* client, jack_port_t* const* ports,
                             jack_nframes_t frames);

    JackPeerClient() = default;
    ~JackPeerClient() { Close(); }
    JackPeerClient(const JackPeerClient&) = delete;
    JackPeerClient& operator=(const JackPeerClient&) = delete;

    // Opens the client `name` on the running server with MIDI ports of one direction, named
    // `ports`, and activates it; false when the server refused any of it.
    bool Open(const std::string& name, bool output, const std::vector<std::string>& ports,
              Process process, void* user);
    void Close();
    // The port's full name, "client:port".
    std::string PortName(std::size_t index) const;
    jack_client_t* Client() const { return m_client; }

private:
    static int OnProcess(jack_nframes_t frames, void* self);

    jack_client_t* m_client = nullptr;
    std::vector<jack_port_t*> m_ports;
    Process m_process = nullptr;
    void* m_user = nullptr;
};

// A sequence number carried whole in one Control Change: 4 bits in the channel, 14 in the two
// data bytes.
inline constexpr std::uint32_t kSequenceSpace = 1u << 18;
void EncodeSequence(std::uint32_t sequence, std::uint8_t bytes[3]);

// Follows one stream of numbered messages at its receiver: each message is the expected one, a
// later one (the ones between lost), or wrong (repeated, older than expected or corrupted).
struct SequenceCheck {
    // True when the message came in order; `sequence` is then its number.
    bool Take(const std::uint8_t* bytes, std::size_t size, std::uint32_t& sequence);

    std::uint32_t next = 0;
    std::uint64_t inOrder = 0;
    std::uint64_t wrong = 0;
};

// How often each thread of this process went to sleep and was woken again (its voluntary context
// switches), by thread id, with the thread's name.
struct ThreadWakeUps {
    std::string name;
    std::uint64_t count = 0;
};
std::map<long, ThreadWakeUps> WakeUpsByThread();
