// A burst of 20 000 messages a second for 5 s on a private JACK server (dummy driver, 48 kHz, 64
// frames per cycle) into the program's input with thru on and the MIDIScope window open
// (offscreen), beside a direct JACK connection, and the same burst with the window closed as the
// baseline. Per phase: the lines listed against the messages sent, the longest time the
// user-interface thread was away from its loop, and the latency in frames of both paths at the
// receiver. A plain program: run bench/scope_burst_bench.

#include <QApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "BenchToolHost.h"
#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "midi/EventFdWakeUp.h"
#include "midi/JackPeer.h"
#include "midi/JackServer.h"
#include "midi/MidiInputQueue.h"
#include "midi/PlatformMidiService.h"
#include "tools/MidiScope.h"
#include "tools/MidiScopeWindow.h"

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 64;
constexpr double kPerCycle = 20000.0 * kPeriod / kRate;
constexpr int kCycles = 5 * kRate / kPeriod;
enum Path { kDirect, kThru, kPaths };
constexpr int kMaxLatency = 1024; // frames

struct PathRun {
    std::atomic<std::uint32_t> sent{0};
    std::vector<std::atomic<std::uint32_t>> sendFrame =
        std::vector<std::atomic<std::uint32_t>>(kSequenceSpace);
    SequenceCheck check;
    std::vector<std::uint64_t> latencies = std::vector<std::uint64_t>(kMaxLatency + 1);
};

struct Burst {
    std::atomic<bool> running{false};
    std::atomic<int> cycles{0};
    double credit = 0;
    PathRun paths[kPaths];
};

void Send(void* user, jack_client_t* client, jack_port_t* const* ports, jack_nframes_t frames) {
    Burst& burst = *static_cast<Burst*>(user);
    void* buffers[kPaths] = {jack_port_get_buffer(ports[0], frames),
                             jack_port_get_buffer(ports[1], frames)};
    for (void* buffer : buffers) {
        jack_midi_clear_buffer(buffer);
    }
    if (!burst.running.load() || burst.cycles.load() >= kCycles) {
        return;
    }
    burst.credit += kPerCycle;
    const auto count = static_cast<jack_nframes_t>(burst.credit);
    burst.credit -= count;
    const jack_nframes_t start = jack_last_frame_time(client);
    for (jack_nframes_t n = 0; n < count; ++n) {
        const jack_nframes_t frame = n * frames / count; // spread over the cycle
        for (int p = 0; p < kPaths; ++p) {
            PathRun& run = burst.paths[p];
            const std::uint32_t sequence = run.sent.load() & (kSequenceSpace - 1);
            std::uint8_t bytes[3];
            EncodeSequence(sequence, bytes);
            if (jack_midi_event_write(buffers[p], frame, bytes, 3) == 0) {
                run.sendFrame[sequence].store(start + frame);
                run.sent.fetch_add(1);
            }
        }
    }
    burst.cycles.fetch_add(1);
}

void Receive(void* user, jack_client_t* client, jack_port_t* const* ports, jack_nframes_t frames) {
    Burst& burst = *static_cast<Burst*>(user);
    const jack_nframes_t start = jack_last_frame_time(client);
    for (int p = 0; p < kPaths; ++p) {
        void* buffer = jack_port_get_buffer(ports[p], frames);
        PathRun& run = burst.paths[p];
        const std::uint32_t count = jack_midi_get_event_count(buffer);
        for (std::uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            std::uint32_t sequence = 0;
            if (jack_midi_event_get(&event, buffer, i) == 0 &&
                run.check.Take(event.buffer, event.size, sequence)) {
                const std::uint32_t latency = start + event.time - run.sendFrame[sequence].load();
                ++run.latencies[std::min<std::uint32_t>(latency, kMaxLatency)];
            }
        }
    }
}

struct UiFigures {
    std::uint64_t events = 0;
    std::uint64_t lines = 0;
    qint64 longestDrainUs = 0;
    qint64 longestGapUs = 0; // between two ticks of a 1 ms timer, less the millisecond
};

void Fail(const char* text) {
    std::fprintf(stderr, "scope_burst_bench: %s\n", text);
    std::exit(1);
}

int Median(const std::vector<std::uint64_t>& histogram, std::uint64_t total) {
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i < histogram.size(); ++i) {
        seen += histogram[i];
        if (seen * 2 >= total) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int Highest(const std::vector<std::uint64_t>& histogram) {
    for (std::size_t i = histogram.size(); i-- > 0;) {
        if (histogram[i] != 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    JackServer server(kRate, kPeriod, true);
    if (std::system("command -v jackd >/dev/null") != 0 || !server.Start()) {
        Fail("no private JACK server");
    }
    std::printf("Private JACK server (pid %d): jackd --no-realtime -S -d dummy -r %d -p %d\n",
                static_cast<int>(server.Pid()), kRate, kPeriod);

    BenchToolHost host;
    RegisterMidiScope(host);
    MidiInputQueue queue;
    EventFdWakeUp wakeUp;
    UiFigures ui;
    const auto handler = g_frameHooks.midiInput;
    QSocketNotifier notifier(wakeUp.Descriptor(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        QElapsedTimer drain;
        drain.start();
        wakeUp.Acknowledge();
        for (const MidiInputEvent& event : queue.Drain()) {
            const std::size_t before = g_scopeLines.size();
            handler(event);
            ++ui.events;
            ui.lines += g_scopeLines.size() != before; // a line added (or the full list emptied)
        }
        ui.longestDrainUs = std::max(ui.longestDrainUs, drain.nsecsElapsed() / 1000);
    });
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        ui.longestGapUs = std::max(ui.longestGapUs, sinceTick.nsecsElapsed() / 1000 - 1000);
        sinceTick.restart();
    });
    ticks.start(1);

    std::printf("\n| Phase | path | sent | arrived in order | lost | median latency | max "
                "latency | lines listed | queue drops | longest drain | longest loop gap |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const bool scopeOpen : {false, true}) {
        Burst burst;
        JackPeerClient sender;
        JackPeerClient receiver;
        if (!sender.Open("bench-send", true, {"direct", "thru"}, Send, &burst) ||
            !receiver.Open("bench-recv", false, {"direct", "thru"}, Receive, &burst) ||
            jack_connect(sender.Client(), sender.PortName(kDirect).c_str(),
                         receiver.PortName(kDirect).c_str()) != 0) {
            Fail("the benchmark's JACK clients could not be opened");
        }
        std::unique_ptr<MidiService> service = CreatePlatformMidiService();
        service->OutputCount();
        service->InputCount();
        int output = -1;
        int input = -1;
        for (int i = 0; i < service->OutputCount(); ++i) {
            output = service->OutputName(i) == receiver.PortName(kThru) ? i : output;
        }
        for (int i = 0; i < service->InputCount(); ++i) {
            input = service->InputName(i) == sender.PortName(kThru) ? i : input;
        }
        queue.SetWakeUp(&wakeUp);
        if (output < 0 || input < 0 || service->OpenOutput(output) != kMidiOk ||
            service->OpenInput(input, &queue) != kMidiOk || service->StartInput() != kMidiOk ||
            service->Connect() != kMidiOk) {
            Fail("the service's thru could not be opened");
        }
        if (scopeOpen) {
            host.ToggleToolWindow(kCmdMidiScope);
        }
        app.processEvents();
        ui = UiFigures{};
        sinceTick.restart(); // the gaps of the phase only, not the clients' opening
        const std::uint64_t dropsBefore = queue.Dropped();
        burst.running = true;
        QElapsedTimer phase;
        phase.start();
        while (burst.cycles.load() < kCycles && phase.elapsed() < 60000) {
            app.processEvents(QEventLoop::AllEvents, 50);
        }
        while (phase.elapsed() < 60000 &&
               burst.paths[kThru].check.inOrder < burst.paths[kThru].sent.load()) {
            app.processEvents(QEventLoop::AllEvents, 50);
        }
        QElapsedTimer tail;
        tail.start();
        while (tail.elapsed() < 300) {
            app.processEvents(QEventLoop::AllEvents, 50);
        }
        for (int p = 0; p < kPaths; ++p) {
            const PathRun& run = burst.paths[p];
            const std::uint64_t sent = run.sent.load();
            std::printf("| %s | %s | %llu | %llu | %llu | %d | %d | %s | %s | %s | %s |\n",
                        scopeOpen ? "MIDIScope open" : "MIDIScope closed (baseline)",
                        p == kDirect ? "direct" : "thru", static_cast<unsigned long long>(sent),
                        static_cast<unsigned long long>(run.check.inOrder),
                        static_cast<unsigned long long>(sent - run.check.inOrder),
                        Median(run.latencies, run.check.inOrder), Highest(run.latencies),
                        p == kDirect ? "" : std::to_string(ui.lines).c_str(),
                        p == kDirect ? "" : std::to_string(queue.Dropped() - dropsBefore).c_str(),
                        p == kDirect ? "" : (std::to_string(ui.longestDrainUs) + " µs").c_str(),
                        p == kDirect ? "" : (std::to_string(ui.longestGapUs) + " µs").c_str());
        }
        std::fflush(stdout);
        if (scopeOpen) {
            host.ToggleToolWindow(kCmdMidiScope);
        }
        queue.SetWakeUp(nullptr);
        service->CloseInput();
        service->CloseOutput();
    }
    return 0;
}
