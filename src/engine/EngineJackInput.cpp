// The engine's MIDI input on a JACK server. The process callback only copies events into the
// sink; connecting waits for the server, so it runs on a thread of its own, woken whenever a port
// appears (the program may start its port after the engine).

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <string>
#include <thread>

#include "engine/EngineMidiInput.h"

namespace {

class JackEngineInput : public EngineMidiInput {
public:
    JackEngineInput(EngineMidiSink& sink, jack_client_t* client) : m_sink(sink), m_client(client) {}
    ~JackEngineInput() override;
    JackEngineInput(const JackEngineInput&) = delete;
    JackEngineInput& operator=(const JackEngineInput&) = delete;

    bool Start(std::string& error);
    std::string Description() const override {
        return std::string("JACK port ") + jack_port_name(m_port);
    }

private:
    static int OnProcess(jack_nframes_t frames, void* self);
    static void OnPortRegistration(jack_port_id_t, int registered, void* self);
    void Wake();
    void ConnectLoop();

    EngineMidiSink& m_sink;
    jack_client_t* m_client;
    jack_port_t* m_port = nullptr;
    std::atomic<bool> m_wake{false};
    std::atomic<bool> m_closing{false};
    std::thread m_connector;
};

JackEngineInput::~JackEngineInput() {
    m_closing.store(true);
    Wake();
    if (m_connector.joinable()) {
        m_connector.join();
    }
    jack_client_close(m_client);
}

bool JackEngineInput::Start(std::string& error) {
    m_port = jack_port_register(m_client, "Input", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (!m_port || jack_set_process_callback(m_client, &JackEngineInput::OnProcess, this) != 0 ||
        jack_set_port_registration_callback(m_client, &JackEngineInput::OnPortRegistration, this) !=
            0) {
        error = "the JACK server refused the engine's MIDI port";
        return false;
    }
    if (jack_activate(m_client) != 0) {
        error = "the JACK server did not activate the engine's MIDI client";
        return false;
    }
    m_connector = std::thread(&JackEngineInput::ConnectLoop, this);
    Wake(); // the program's port may be there already
    return true;
}

int JackEngineInput::OnProcess(jack_nframes_t frames, void* self) {
    auto* input = static_cast<JackEngineInput*>(self);
    void* buffer = jack_port_get_buffer(input->m_port, frames);
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0) {
            input->m_sink.Take(event.buffer, event.size);
        }
    }
    return 0;
}

void JackEngineInput::OnPortRegistration(jack_port_id_t, int registered, void* self) {
    if (registered) {
        static_cast<JackEngineInput*>(self)->Wake();
    }
}

void JackEngineInput::Wake() {
    m_wake.store(true);
    m_wake.notify_one();
}

void JackEngineInput::ConnectLoop() {
    const std::string source = std::string(kProgramClient) + ":" + kProgramPort;
    while (true) {
        m_wake.wait(false);
        m_wake.store(false);
        if (m_closing.load()) {
            return;
        }
        // Also a port of another client wakes us: only the program's port is connected, once.
        if (!jack_port_by_name(m_client, source.c_str()) ||
            jack_port_connected_to(m_port, source.c_str())) {
            continue;
        }
        const int result = jack_connect(m_client, source.c_str(), jack_port_name(m_port));
        if (result == 0) {
            std::fprintf(stderr, "%s: MIDI input connected from %s\n", kEngineClient,
                         source.c_str());
        } else if (result != EEXIST) {
            std::fprintf(stderr, "%s: could not connect the MIDI input from %s\n", kEngineClient,
                         source.c_str());
        }
    }
}

void Quiet(const char*) {}

void PrintJackMessage(const char* message) {
    std::fprintf(stderr, "JACK: %s\n", message);
}

} // namespace

std::unique_ptr<EngineMidiInput> OpenJackEngineInput(EngineMidiSink& sink, std::string& error) {
    // Without a server libjack complains at length; the engine says it once, in its own words.
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open(kEngineClient, JackNoStartServer, &status);
    jack_set_error_function(PrintJackMessage);
    jack_set_info_function(PrintJackMessage);
    if (!client) {
        error = "no JACK server runs";
        return nullptr;
    }
    auto input = std::make_unique<JackEngineInput>(sink, client);
    if (!input->Start(error)) {
        return nullptr;
    }
    return input;
}
