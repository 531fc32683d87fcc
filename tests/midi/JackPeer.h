#pragma once
// A test's own JACK clients and their numbered messages. Sender and receiver are two clients, so
// that a path through the program runs in one cycle; a client hears itself a cycle late.

#include <cstddef>
#include <cstdint>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <map>
#include <string>
#include <vector>

class JackPeerClient {
public:
    // Runs on the client's process thread each cycle: it must not block, lock or allocate.
    using Process = void (*)(void* user, jack_client_t* client, jack_port_t* const* ports,
                             jack_nframes_t frames);

    JackPeerClient() = default;
    ~JackPeerClient() { Close(); }
    JackPeerClient(const JackPeerClient&) = delete;
    JackPeerClient& operator=(const JackPeerClient&) = delete;

    // Opens and activates a client with MIDI ports of one direction; false if any of it failed.
    bool Open(const std::string& name, bool output, const std::vector<std::string>& ports,
              Process process, void* user);
    void Close();
    std::string PortName(std::size_t index) const;
    jack_client_t* Client() const { return m_client; }

private:
    static int OnProcess(jack_nframes_t frames, void* self);

    jack_client_t* m_client = nullptr;
    std::vector<jack_port_t*> m_ports;
    Process m_process = nullptr;
    void* m_user = nullptr;
};

// A sequence number in one Control Change: 4 bits in the channel, 14 in the data bytes.
inline constexpr std::uint32_t kSequenceSpace = 1u << 18;
void EncodeSequence(std::uint32_t sequence, std::uint8_t bytes[3]);

// Follows numbered messages at their receiver: in order (after a gap, lost) or wrong.
struct SequenceCheck {
    // True when the message came in order; `sequence` is then its number.
    bool Take(const std::uint8_t* bytes, std::size_t size, std::uint32_t& sequence);

    std::uint32_t next = 0;
    std::uint64_t inOrder = 0;
    std::uint64_t wrong = 0;
};

// Each thread's voluntary context switches (its wake-ups), by thread id, with its name.
struct ThreadWakeUps {
    std::string name;
    std::uint64_t count = 0;
};
std::map<long, ThreadWakeUps> WakeUpsByThread();
