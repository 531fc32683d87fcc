// The only file that knows libjack.
//
// Threads. The process callback runs on JACK's thread once per cycle: it only copies (the user
// interface's queued messages out at frame 0, each input event to its handler and, for thru, to
// the output at its own frame) and never blocks, locks or allocates. The user-interface thread
// hands opened ports to the callback and takes them back through atomics; what a port's cycle
// uses is freed only once no cycle can still be using it. Requests to the server (registering,
// activating, connecting, disconnecting, closing) wait for its answer, which a stopped server
// never gives: they run on a request thread, waited for a bounded time. Reading the port lists
// needs no answer.
//
// Our client's ports are registered once, just before it first runs, and stay until it closes;
// opening one connects it, closing it takes the connection back. libjack's notification thread
// walks a client's port list without a lock (to work out latencies after any change in the
// graph, ours or another client's), and registering or unregistering a port while the client
// runs changes that list under it: a crash in libjack, seen about once in 250 runs of the test
// that reopens the ports.

#include "midi/JackMidiBackend.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <string_view>
#include <thread>
#include <vector>

#include "midi/MidiByteRing.h"
#include "midi/RequestThread.h"

namespace {

constexpr const char* kClientName = "Ventaro.2";
constexpr const char* kVirtualDeviceName = "Ventaro.2";
// Each direction has a port connected to the chosen port of another client, and a virtual port
// that other clients connect to. Other clients see the virtual output as "Ventaro.2:Ventaro.2",
// the name the Csound flags presets use.
enum Role { kDevice, kVirtual, kRoles };
constexpr const char* kOutputNames[kRoles] = {"Output", "Ventaro.2"};
constexpr const char* kInputNames[kRoles] = {"Input", "Ventaro.2 input"};
constexpr std::size_t kQueueBytes = 64 * 1024;
// A server that runs answers within milliseconds.
constexpr auto kAnswerBound = std::chrono::milliseconds(2000);

void Quiet(const char*) {}

// An output port of ours. The user interface's messages wait in `queue` for the next cycle.
struct OutState {
    explicit OutState(jack_port_t* registered) : port(registered), queue(kQueueBytes) {}
    jack_port_t* const port;
    MidiByteRing queue;
    // Set when the port closes: thru writes no more to it, but what the user interface sent
    // before still goes out.
    std::atomic<bool> closing{false};
    std::atomic<std::uint64_t> dropped{0};
    std::string peer; // the port it is connected to; empty for the virtual output
};

struct InState {
    explicit InState(jack_port_t* registered) : port(registered) {}
    jack_port_t* const port;
    std::atomic<MidiBytesHandler*> handler{nullptr};
    std::atomic<OutState*> thru{nullptr};
    std::string peer;
};

// What the process and shutdown callbacks use. It lives until the JACK client is closed, which
// a server that does not answer may hold back beyond the life of its owner.
struct JackCore {
    jack_client_t* client = nullptr; // set once on the request thread, before any port exists
    std::size_t longestMessage = 0;
    std::atomic<bool> withVirtualPorts{false}; // set before the client first runs
    // Registered on the request thread just before the client first runs.
    std::array<jack_port_t*, kRoles> outputPorts{};
    std::array<jack_port_t*, kRoles> inputPorts{};
    std::atomic<bool> active{false};
    // The opened ports, by role.
    std::array<std::atomic<OutState*>, kRoles> outputs{};
    std::array<std::atomic<InState*>, kRoles> inputs{};
    // Odd while the process callback runs. Every access is sequentially consistent, with the
    // slots too: a cycle that loaded a port before it was taken out has an odd count that the
    // taker sees, and it waits for that count to change.
    std::atomic<std::uint64_t> cycle{0};
    std::atomic<bool> lost{false};
    char lostReason[256] = {};

    bool Lost() const { return lost.load(std::memory_order_acquire); }
    bool Running() const { return active.load() && !Lost(); }

    // The cycle that may be running ends. It runs only our own copying, which never waits for
    // the server, so this ends in microseconds whether the server runs, stalled or went away.
    void AwaitCycleEnd() const {
        const std::uint64_t seen = cycle.load();
        if (seen % 2 == 0) {
            return;
        }
        while (cycle.load() == seen) {
            std::this_thread::yield();
        }
    }

    // A whole cycle that starts after this call ends, or the server is gone. Request thread
    // only: a stopped server runs no cycle until it goes on.
    void AwaitWholeCycle() const {
        const std::uint64_t seen = cycle.load();
        const std::uint64_t end = seen + 2 + seen % 2;
        while (cycle.load() < end && Running()) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }

    // Registers the ports and lets the client run, once; false with `error` set when the
    // server refused. Request thread only.
    bool Start(std::string& error);
    void Unregister();

    static int Process(jack_nframes_t frames, void* self);
    static void Shutdown(jack_status_t, const char* reason, void* self);
};

bool JackCore::Start(std::string& error) {
    if (active.load()) {
        return true;
    }
    const int roles = withVirtualPorts.load() ? kRoles : kVirtual;
    for (int role = 0; role < roles; ++role) {
        outputPorts[role] = jack_port_register(client, kOutputNames[role], JACK_DEFAULT_MIDI_TYPE,
                                               JackPortIsOutput, 0);
        inputPorts[role] = jack_port_register(client, kInputNames[role], JACK_DEFAULT_MIDI_TYPE,
                                              JackPortIsInput, 0);
        if (!outputPorts[role] || !inputPorts[role]) {
            Unregister();
            error = "The JACK server refused Ventaro.2's ports.";
            return false;
        }
    }
    if (jack_activate(client) != 0) {
        Unregister();
        error = "The JACK server did not take Ventaro.2's client.";
        return false;
    }
    active.store(true);
    return true;
}

// While the client does not run, nothing walks its port list.
void JackCore::Unregister() {
    for (auto* ports : {&outputPorts, &inputPorts}) {
        for (jack_port_t*& port : *ports) {
            if (port) {
                jack_port_unregister(client, port);
            }
            port = nullptr;
        }
    }
}

// The user interface's messages, at frame 0 in their order. One that does not fit waits for the
// next cycle; one that cannot fit even an empty buffer is dropped and counted.
void WriteQueued(OutState& out, void* buffer) {
    bool written = false;
    while (const std::size_t length = out.queue.PeekLength()) {
        jack_midi_data_t* place = jack_midi_event_reserve(buffer, 0, length);
        if (!place) {
            if (written) {
                return;
            }
            out.queue.Discard();
            out.dropped.fetch_add(1, std::memory_order_relaxed);
            continue;
        }
        std::uint32_t stamp = 0;
        std::size_t popped = 0;
        out.queue.Pop(stamp, place, popped);
        written = true;
    }
}

struct InCycle {
    InState* state = nullptr;
    OutState* thru = nullptr;
    void* buffer = nullptr;
    std::uint32_t count = 0;
    std::uint32_t next = 0; // the next event to write through
};

// The events of every input connected through to `out`, merged by frame, after the queued
// messages at frame 0: JACK takes events in non-decreasing frames only. An event that does not
// fit is dropped whole and counted.
void WriteThru(OutState& out, void* buffer, std::array<InCycle, kRoles>& ins) {
    for (;;) {
        InCycle* earliest = nullptr;
        jack_midi_event_t event{};
        for (InCycle& in : ins) {
            jack_midi_event_t candidate;
            if (in.thru == &out && in.next < in.count &&
                jack_midi_event_get(&candidate, in.buffer, in.next) == 0 &&
                (!earliest || candidate.time < event.time)) {
                earliest = &in;
                event = candidate;
            }
        }
        if (!earliest) {
            return;
        }
        ++earliest->next;
        if (event.size > 0 &&
            jack_midi_event_write(buffer, event.time, event.buffer, event.size) != 0) {
            out.dropped.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

int JackCore::Process(jack_nframes_t frames, void* self) {
    JackCore& core = *static_cast<JackCore*>(self);
    core.cycle.fetch_add(1);
    std::array<OutState*, kRoles> outs{};
    std::array<void*, kRoles> outBuffers{};
    for (std::size_t i = 0; i < kRoles; ++i) {
        OutState* out = core.outputs[i].load();
        outBuffers[i] = out ? jack_port_get_buffer(out->port, frames) : nullptr;
        if (!outBuffers[i]) {
            continue;
        }
        jack_midi_clear_buffer(outBuffers[i]);
        WriteQueued(*out, outBuffers[i]);
        if (!out->closing.load()) {
            outs[i] = out;
        }
    }
    std::array<InCycle, kRoles> ins{};
    for (std::size_t i = 0; i < kRoles; ++i) {
        InCycle& in = ins[i];
        in.state = core.inputs[i].load();
        in.buffer = in.state ? jack_port_get_buffer(in.state->port, frames) : nullptr;
        if (!in.buffer) {
            continue;
        }
        in.count = jack_midi_get_event_count(in.buffer);
        in.thru = in.state->thru.load();
        if (MidiBytesHandler* handler = in.state->handler.load()) {
            for (std::uint32_t e = 0; e < in.count; ++e) {
                jack_midi_event_t event;
                if (jack_midi_event_get(&event, in.buffer, e) == 0 && event.size > 0) {
                    handler->OnBytes(event.buffer, event.size);
                }
            }
        }
    }
    for (std::size_t i = 0; i < kRoles; ++i) {
        if (outs[i]) {
            WriteThru(*outs[i], outBuffers[i], ins);
        }
    }
    core.cycle.fetch_add(1);
    return 0;
}

void JackCore::Shutdown(jack_status_t, const char* reason, void* self) {
    JackCore& core = *static_cast<JackCore*>(self);
    if (!core.Lost()) {
        std::snprintf(core.lostReason, sizeof core.lostReason, "%s", reason ? reason : "");
        core.lost.store(true, std::memory_order_release);
    }
}

template <typename State>
void TakeOut(std::array<std::atomic<State*>, kRoles>& slots, State* state) {
    for (std::atomic<State*>& slot : slots) {
        State* expected = state;
        slot.compare_exchange_strong(expected, nullptr);
    }
}

// Takes back the connection an opening made; what other clients connected stays. Request
// thread only.
void Disconnect(const JackCore& core, jack_port_t* port, bool output, const std::string& peer) {
    if (!port || peer.empty() || core.Lost()) {
        return;
    }
    const std::string own = jack_port_name(port);
    if (output) {
        jack_disconnect(core.client, own.c_str(), peer.c_str());
    } else {
        jack_disconnect(core.client, peer.c_str(), own.c_str());
    }
}

class JackClient;

class JackOutPort : public MidiOutPort {
public:
    JackOutPort(std::shared_ptr<JackClient> client, Role role, OutState* state);
    ~JackOutPort() override;
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override;
    std::size_t Room(std::size_t length) const noexcept override;
    std::string LastError() const override;
    std::uint64_t Dropped() const override {
        return m_state->dropped.load(std::memory_order_relaxed);
    }
    bool Lost() const override;
    const JackClient* Client() const { return m_client.get(); }
    OutState* State() const { return m_state; }

private:
    enum Refusal { kNone, kLost, kTooLong, kQueueFull };
    std::shared_ptr<JackClient> m_client;
    const JackCore& m_core;
    Role m_role;
    OutState* m_state;
    std::atomic<int> m_refusal{kNone};
};

class JackInPort : public MidiInPort {
public:
    JackInPort(std::shared_ptr<JackClient> client, Role role, InState* state);
    ~JackInPort() override;
    // In the process cycle when the output is a port of ours too.
    bool ConnectThru(MidiOutPort& output) override;
    void DisconnectThru() override;
    bool Lost() const override;

private:
    std::shared_ptr<JackClient> m_client;
    Role m_role;
    InState* m_state;
};

class JackClient : public std::enable_shared_from_this<JackClient> {
public:
    JackClient() : m_core(std::make_shared<JackCore>()), m_requests(kAnswerBound) {}
    ~JackClient();

    // Opens the client on a running server; false when none runs or it does not answer.
    bool Open();
    bool ServerLost() const { return m_core->Lost(); }
    std::string LostReason() const { return m_core->Lost() ? m_core->lostReason : ""; }
    std::string LostText() const;
    // True once the server went away or the port `peer` (when not empty) is gone from it.
    bool PortLost(const std::string& peer) const;

    // Before the client first runs: it will have the virtual ports too.
    void WithVirtualPorts() { m_core->withVirtualPorts.store(true); }
    // The other clients' MIDI ports with these JACK flags.
    std::vector<std::string> Ports(unsigned long flags) const;
    // True when the port of this name is a device's (physical), not a program's.
    bool IsPhysical(const std::string& name) const;
    // Our port of this role, connected to `peer` unless it is empty.
    std::unique_ptr<MidiOutPort> OpenOutput(Role role, const std::string& peer, std::string& error);
    std::unique_ptr<MidiInPort> OpenInput(Role role, const std::string& peer,
                                          MidiBytesHandler& handler, std::string& error);
    void CloseOutput(Role role, OutState* state);
    void CloseInput(Role role, InState* state);
    JackCore& Core() const { return *m_core; }

private:
    // Our port of this role, connected to `peer`; null with `error` set on failure.
    jack_port_t* Connect(Role role, bool output, const std::string& peer, std::string& error);

    std::shared_ptr<JackCore> m_core;
    RequestThread m_requests;
    std::array<bool, kRoles> m_outputOpen{};
    std::array<bool, kRoles> m_inputOpen{};
};

JackClient::~JackClient() {
    // The ports have all closed (each holds its client). A server that does not answer keeps
    // the core, and with it what its callbacks use, until the close has happened.
    m_requests.Post([core = m_core] {
        if (core->client) {
            jack_deactivate(core->client);
            jack_client_close(core->client);
        }
    });
}

bool JackClient::Open() {
    const bool answered = m_requests.Run([core = m_core] {
        jack_set_error_function(Quiet);
        jack_set_info_function(Quiet);
        jack_status_t status{};
        jack_client_t* client = jack_client_open(kClientName, JackNoStartServer, &status);
        if (!client) {
            return;
        }
        if (jack_set_process_callback(client, &JackCore::Process, core.get()) != 0) {
            jack_client_close(client);
            return;
        }
        jack_on_info_shutdown(client, &JackCore::Shutdown, core.get());
        // The largest event an empty MIDI buffer takes, less its bookkeeping.
        const std::size_t buffer = jack_port_type_get_buffer_size(client, JACK_DEFAULT_MIDI_TYPE);
        core->longestMessage = buffer > 256 ? buffer - 256 : 0;
        core->client = client;
    });
    return answered && m_core->client;
}

std::string JackClient::LostText() const {
    const std::string reason = LostReason();
    return reason.empty() ? "The JACK server has stopped."
                          : "The JACK server has stopped (" + reason + ").";
}

bool JackClient::PortLost(const std::string& peer) const {
    // The server's port list is read from shared memory: this never waits for the server.
    return m_core->Lost() || (!peer.empty() && !jack_port_by_name(m_core->client, peer.c_str()));
}

std::vector<std::string> JackClient::Ports(unsigned long flags) const {
    std::vector<std::string> names;
    if (m_core->Lost()) {
        return names;
    }
    const char** ports = jack_get_ports(m_core->client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!ports) {
        return names;
    }
    const std::string own = std::string(jack_get_client_name(m_core->client)) + ":";
    for (const char** port = ports; *port; ++port) {
        if (!std::string_view(*port).starts_with(own)) {
            names.emplace_back(*port);
        }
    }
    jack_free(ports);
    return names;
}

bool JackClient::IsPhysical(const std::string& name) const {
    if (m_core->Lost()) {
        return false;
    }
    // Read from the server's shared memory, as the port lists are: this never waits for it.
    const jack_port_t* port = jack_port_by_name(m_core->client, name.c_str());
    return port && (jack_port_flags(port) & JackPortIsPhysical) != 0;
}

jack_port_t* JackClient::Connect(Role role, bool output, const std::string& peer,
                                 std::string& error) {
    if (m_core->Lost()) {
        error = LostText();
        return nullptr;
    }
    struct Request {
        jack_port_t* port = nullptr;
        std::string error;
    };
    auto request = std::make_shared<Request>();
    const bool answered = m_requests.Run([core = m_core, request, role, output, peer] {
        if (!core->Start(request->error)) {
            return;
        }
        jack_port_t* port = output ? core->outputPorts[role] : core->inputPorts[role];
        if (!port) {
            request->error = "Ventaro.2 has no such JACK port.";
            return;
        }
        if (!peer.empty()) {
            const std::string own = jack_port_name(port);
            const int connected = output ? jack_connect(core->client, own.c_str(), peer.c_str())
                                         : jack_connect(core->client, peer.c_str(), own.c_str());
            if (connected != 0 && connected != EEXIST) {
                request->error = "The JACK port \"" + peer + "\" could not be connected.";
                return;
            }
            // The server takes a connection into the graph its cycles run a few cycles later,
            // later still while other requests are under way: until then, what the port writes
            // reaches nobody. The port goes to the cycles once the graph has it.
            const auto deadline = std::chrono::steady_clock::now() + kAnswerBound / 2;
            while (!jack_port_connected_to(port, peer.c_str()) && core->Running() &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
        request->port = port;
    });
    if (!answered) {
        // It still runs when the server goes on; this undoes it then.
        m_requests.Post([core = m_core, request, output, peer] {
            Disconnect(*core, request->port, output, peer);
        });
        error = "The JACK server does not answer.";
        return nullptr;
    }
    error = request->error;
    return request->port;
}

std::unique_ptr<MidiOutPort> JackClient::OpenOutput(Role role, const std::string& peer,
                                                    std::string& error) {
    if (m_outputOpen[role]) {
        error = "The JACK port is open already.";
        return nullptr;
    }
    jack_port_t* port = Connect(role, true, peer, error);
    if (!port) {
        return nullptr;
    }
    auto* state = new OutState(port);
    state->peer = peer;
    m_core->outputs[role].store(state);
    m_outputOpen[role] = true;
    return std::make_unique<JackOutPort>(shared_from_this(), role, state);
}

std::unique_ptr<MidiInPort> JackClient::OpenInput(Role role, const std::string& peer,
                                                  MidiBytesHandler& handler, std::string& error) {
    if (m_inputOpen[role]) {
        error = "The JACK port is open already.";
        return nullptr;
    }
    jack_port_t* port = Connect(role, false, peer, error);
    if (!port) {
        return nullptr;
    }
    auto* state = new InState(port);
    state->peer = peer;
    state->handler.store(&handler);
    m_core->inputs[role].store(state);
    m_inputOpen[role] = true;
    return std::make_unique<JackInPort>(shared_from_this(), role, state);
}

void JackClient::CloseOutput(Role role, OutState* state) {
    m_outputOpen[role] = false;
    state->closing.store(true);
    for (std::atomic<InState*>& slot : m_core->inputs) {
        if (InState* in = slot.load()) { // inputs are freed on this thread only
            OutState* expected = state;
            in->thru.compare_exchange_strong(expected, nullptr);
        }
    }
    // The queued messages go out, then a cycle with nothing to write leaves the buffer empty
    // before the port leaves the cycles: a connected reader would otherwise read its last
    // events again each cycle. A stopped server holds this back, never the user interface.
    // The requests run in order: a later opening of the port waits for this.
    m_requests.Run([core = m_core, state] {
        while (!state->queue.Empty() && core->Running()) {
            core->AwaitWholeCycle();
        }
        core->AwaitWholeCycle();
        TakeOut(core->outputs, state);
        core->AwaitCycleEnd();
        Disconnect(*core, state->port, true, state->peer);
        delete state;
    });
}

void JackClient::CloseInput(Role role, InState* state) {
    m_inputOpen[role] = false;
    // The handler is the caller's: it is never called again once this returns.
    state->handler.store(nullptr);
    TakeOut(m_core->inputs, state);
    m_core->AwaitCycleEnd();
    jack_port_t* port = state->port;
    std::string peer = std::move(state->peer);
    delete state;
    m_requests.Run([core = m_core, port, peer] { Disconnect(*core, port, false, peer); });
}

JackOutPort::JackOutPort(std::shared_ptr<JackClient> client, Role role, OutState* state)
    : m_client(std::move(client)), m_core(m_client->Core()), m_role(role), m_state(state) {}

JackOutPort::~JackOutPort() {
    m_client->CloseOutput(m_role, m_state);
}

bool JackOutPort::Send(const std::uint8_t* data, std::size_t length) noexcept {
    if (m_core.Lost()) {
        m_refusal.store(kLost, std::memory_order_relaxed);
        return false;
    }
    if (length > m_core.longestMessage) {
        m_refusal.store(kTooLong, std::memory_order_relaxed);
        return false;
    }
    if (length > 0 && !m_state->queue.Push(0, data, length)) {
        // Only a server that runs no cycles leaves a queue this long waiting.
        m_refusal.store(kQueueFull, std::memory_order_relaxed);
        return false;
    }
    return true;
}

std::size_t JackOutPort::Room(std::size_t length) const noexcept {
    // A lost server never drains its queue: its sends fail at once and say why.
    return m_core.Lost() ? kAnyRoom : m_state->queue.Room(length);
}

std::string JackOutPort::LastError() const {
    switch (m_refusal.load(std::memory_order_relaxed)) {
    case kLost:
        return m_client->LostText();
    case kTooLong:
        return "The message is longer than a JACK MIDI buffer holds (" +
               std::to_string(m_core.longestMessage) + " bytes).";
    case kQueueFull:
        return "The JACK server is not taking messages: it does not answer.";
    default:
        return {};
    }
}

bool JackOutPort::Lost() const {
    return m_client->PortLost(m_state->peer);
}

JackInPort::JackInPort(std::shared_ptr<JackClient> client, Role role, InState* state)
    : m_client(std::move(client)), m_role(role), m_state(state) {}

JackInPort::~JackInPort() {
    m_client->CloseInput(m_role, m_state);
}

bool JackInPort::ConnectThru(MidiOutPort& output) {
    const auto* out = dynamic_cast<const JackOutPort*>(&output);
    if (!out || out->Client() != m_client.get()) {
        return false;
    }
    m_state->thru.store(out->State());
    return true;
}

bool JackInPort::Lost() const {
    return m_client->PortLost(m_state->peer);
}

void JackInPort::DisconnectThru() {
    m_state->thru.store(nullptr);
    m_client->Core().AwaitCycleEnd();
}

// The client every JACK back end of the program shares: opened on the first server that answers,
// and opened anew once its server went away and one runs again. The ports opened on a client
// that was replaced keep it until they close, reporting their loss.
class JackSlot : public JackMidiClient {
public:
    bool Connected() const override { return m_client && !m_client->ServerLost(); }
    void Refresh() {
        if (Connected()) {
            return;
        }
        if (m_client) {
            // libjack must have let the dead server's client go before a client of the same
            // process meets the new server: the old one waits until its last port has closed.
            if (m_client.use_count() > 1) {
                return;
            }
            m_client.reset();
        }
        auto fresh = std::make_shared<JackClient>();
        if (!fresh->Open()) {
            return;
        }
        if (m_virtualPorts) {
            fresh->WithVirtualPorts();
        }
        m_client = std::move(fresh);
    }
    void WithVirtualPorts() {
        m_virtualPorts = true;
        if (m_client) {
            m_client->WithVirtualPorts();
        }
    }
    const std::shared_ptr<JackClient>& Client() const { return m_client; }
    // Why nothing can be opened: the server stopped, or none answered.
    std::string Unavailable() const {
        return m_client ? m_client->LostText() : "No JACK server is running.";
    }

private:
    std::shared_ptr<JackClient> m_client;
    bool m_virtualPorts = false;
};

// The other clients' ports: the outputs are the ports they read from.
class JackPortBackend : public MidiPortBackend {
public:
    explicit JackPortBackend(std::shared_ptr<JackSlot> slot) : m_slot(std::move(slot)) {}

    std::vector<std::string> OutputPorts() override {
        m_outputs = m_slot->Connected() ? m_slot->Client()->Ports(JackPortIsInput)
                                        : std::vector<std::string>{};
        return m_outputs;
    }
    std::vector<std::string> InputPorts() override {
        m_inputs = m_slot->Connected() ? m_slot->Client()->Ports(JackPortIsOutput)
                                       : std::vector<std::string>{};
        return m_inputs;
    }
    // By the name listed last, so that a port the server added meanwhile changes nothing.
    std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) override {
        if (!Listed(index, m_outputs, error)) {
            return nullptr;
        }
        return m_slot->Client()->OpenOutput(kDevice, m_outputs[static_cast<std::size_t>(index)],
                                            error);
    }
    std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler& handler,
                                          std::string& error) override {
        if (!Listed(index, m_inputs, error)) {
            return nullptr;
        }
        return m_slot->Client()->OpenInput(kDevice, m_inputs[static_cast<std::size_t>(index)],
                                           handler, error);
    }
    void Refresh() override { m_slot->Refresh(); }
    void DescribeOutput(int index, MidiDeviceCaps& caps) override {
        Describe(index, m_outputs, caps);
    }
    void DescribeInput(int index, MidiDeviceCaps& caps) override {
        Describe(index, m_inputs, caps);
    }

private:
    void Describe(int index, const std::vector<std::string>& ports, MidiDeviceCaps& caps) const {
        std::string error;
        if (Listed(index, ports, error) &&
            m_slot->Client()->IsPhysical(ports[static_cast<std::size_t>(index)])) {
            caps.technology = kTechnologyMidiPort;
        }
    }
    bool Listed(int index, const std::vector<std::string>& ports, std::string& error) const {
        if (!m_slot->Connected()) {
            error = m_slot->Unavailable();
            return false;
        }
        if (index < 0 || index >= static_cast<int>(ports.size())) {
            error = "The JACK port is gone.";
            return false;
        }
        return true;
    }

    std::shared_ptr<JackSlot> m_slot;
    std::vector<std::string> m_outputs;
    std::vector<std::string> m_inputs;
};

class JackVirtualBackend : public MidiPortBackend {
public:
    explicit JackVirtualBackend(std::shared_ptr<JackSlot> slot) : m_slot(std::move(slot)) {
        m_slot->WithVirtualPorts();
    }

    // Like every JACK port, they exist only while the server does.
    std::vector<std::string> OutputPorts() override { return Listed(); }
    std::vector<std::string> InputPorts() override { return Listed(); }
    std::unique_ptr<MidiOutPort> OpenOutput(int, std::string& error) override {
        if (!m_slot->Connected()) {
            error = m_slot->Unavailable();
            return nullptr;
        }
        return m_slot->Client()->OpenOutput(kVirtual, "", error);
    }
    std::unique_ptr<MidiInPort> OpenInput(int, MidiBytesHandler& handler,
                                          std::string& error) override {
        if (!m_slot->Connected()) {
            error = m_slot->Unavailable();
            return nullptr;
        }
        return m_slot->Client()->OpenInput(kVirtual, "", handler, error);
    }
    void Refresh() override { m_slot->Refresh(); }

private:
    std::vector<std::string> Listed() const {
        return m_slot->Connected() ? std::vector<std::string>{kVirtualDeviceName}
                                   : std::vector<std::string>{};
    }

    std::shared_ptr<JackSlot> m_slot;
};

} // namespace

std::shared_ptr<JackMidiClient> MakeJackMidiClient() {
    auto slot = std::make_shared<JackSlot>();
    slot->Refresh();
    return slot;
}

std::unique_ptr<MidiPortBackend> MakeJackPortBackend(std::shared_ptr<JackMidiClient> client) {
    return std::make_unique<JackPortBackend>(std::static_pointer_cast<JackSlot>(client));
}

std::unique_ptr<MidiPortBackend> MakeJackVirtualBackend(std::shared_ptr<JackMidiClient> client) {
    return std::make_unique<JackVirtualBackend>(std::static_pointer_cast<JackSlot>(client));
}
