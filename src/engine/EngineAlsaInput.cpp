// The engine's MIDI input on the ALSA sequencer, for machines without a JACK server. A thread of
// its own waits for events; the system's announcements tell it when the program's port appears.

#include <alsa/asoundlib.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/EngineMidiInput.h"

namespace {

class AlsaEngineInput : public EngineMidiInput {
public:
    explicit AlsaEngineInput(EngineMidiSink& sink) : m_sink(sink) {}
    ~AlsaEngineInput() override;
    AlsaEngineInput(const AlsaEngineInput&) = delete;
    AlsaEngineInput& operator=(const AlsaEngineInput&) = delete;

    bool Start(std::string& error);
    std::string Description() const override {
        return std::string("ALSA sequencer client ") + kEngineClient;
    }

private:
    void Listen();
    void TryConnect();
    void Take(const snd_seq_event_t* event);

    EngineMidiSink& m_sink;
    snd_seq_t* m_seq = nullptr;
    snd_midi_event_t* m_decoder = nullptr;
    int m_port = -1;
    int m_stopFd = -1;
    std::thread m_listener;
};

AlsaEngineInput::~AlsaEngineInput() {
    if (m_listener.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_stopFd, &one, sizeof one);
        m_listener.join();
    }
    if (m_stopFd >= 0) {
        ::close(m_stopFd);
    }
    if (m_decoder) {
        snd_midi_event_free(m_decoder);
    }
    if (m_seq) {
        snd_seq_close(m_seq);
    }
}

// alsa-lib's own report of a missing sequencer; the engine says it in its own words.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

bool AlsaEngineInput::Start(std::string& error) {
    snd_lib_error_set_handler(Quiet);
    const int opened = snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    snd_lib_error_set_handler(nullptr);
    if (opened < 0) {
        m_seq = nullptr;
        error = "the ALSA sequencer cannot be opened";
        return false;
    }
    snd_seq_set_client_name(m_seq, kEngineClient);
    m_port = snd_seq_create_simple_port(
        m_seq, "Input", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    m_stopFd = ::eventfd(0, EFD_CLOEXEC);
    if (m_port < 0 || m_stopFd < 0 || snd_midi_event_new(256, &m_decoder) < 0) {
        m_decoder = nullptr;
        error = "the ALSA sequencer refused the engine's MIDI port";
        return false;
    }
    // Whole messages each time: Csound parses them, running status and all.
    snd_midi_event_no_status(m_decoder, 1);
    // Announcements of new clients and ports, so that a program started later is found.
    snd_seq_connect_from(m_seq, m_port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    TryConnect();
    m_listener = std::thread(&AlsaEngineInput::Listen, this);
    return true;
}

void AlsaEngineInput::TryConnect() {
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(m_seq, client) >= 0) {
        if (std::strcmp(snd_seq_client_info_get_name(client), kProgramClient) != 0) {
            continue;
        }
        snd_seq_port_info_set_client(port, snd_seq_client_info_get_client(client));
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(m_seq, port) >= 0) {
            if (std::strcmp(snd_seq_port_info_get_name(port), kProgramPort) != 0) {
                continue;
            }
            // An existing connection answers EBUSY and stays as it is.
            if (snd_seq_connect_from(m_seq, m_port, snd_seq_port_info_get_client(port),
                                     snd_seq_port_info_get_port(port)) >= 0) {
                std::fprintf(stderr, "%s: MIDI input connected from %s:%s\n", kEngineClient,
                             kProgramClient, kProgramPort);
            }
            return;
        }
    }
}

void AlsaEngineInput::Take(const snd_seq_event_t* event) {
    switch (event->type) {
    case SND_SEQ_EVENT_CLIENT_START:
    case SND_SEQ_EVENT_PORT_START:
    case SND_SEQ_EVENT_PORT_CHANGE: // a port renamed to the program's
        TryConnect();
        return;
    default:
        break;
    }
    unsigned char bytes[256];
    const long length = snd_midi_event_decode(m_decoder, bytes, sizeof bytes, event);
    if (length > 0) {
        m_sink.Take(bytes, static_cast<std::size_t>(length));
    }
}

void AlsaEngineInput::Listen() {
    const int count = snd_seq_poll_descriptors_count(m_seq, POLLIN);
    std::vector<pollfd> fds(static_cast<std::size_t>(count) + 1);
    fds[0] = {m_stopFd, POLLIN, 0};
    snd_seq_poll_descriptors(m_seq, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
    while (true) {
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
            return;
        }
        if (fds[0].revents & POLLIN) {
            return;
        }
        snd_seq_event_t* event = nullptr;
        while (snd_seq_event_input(m_seq, &event) >= 0 && event) {
            Take(event);
        }
    }
}

} // namespace

std::unique_ptr<EngineMidiInput> OpenAlsaEngineInput(EngineMidiSink& sink, std::string& error) {
    auto input = std::make_unique<AlsaEngineInput>(sink);
    if (!input->Start(error)) {
        return nullptr;
    }
    return input;
}
