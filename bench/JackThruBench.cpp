// MIDI thru through the program's MIDI service on a private JACK server (dummy driver, 48 kHz,
// 64 frames per cycle), side by side in one run with a direct JACK connection: a sender client of
// the benchmark writes each numbered message at a random frame of its cycle to both paths, and a
// receiver client times its arrival in frames (the cycle's first frame plus the event's offset at
// both ends). Then the service's idle cost on the server, with the benchmark's clients closed.
// A plain program: the figures are distributions over JACK cycles, not timed loops.
// Run: bench/jack_thru_bench [IDLE_SECONDS] [--async]
// The server runs synchronously (-S) unless --async is given: see JackServer.h.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

#include "midi/JackPeer.h"
#include "midi/JackServer.h"
#include "midi/MidiInputQueue.h"
#include "midi/PlatformMidiService.h"

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 64;
constexpr double kCyclesPerSecond = static_cast<double>(kRate) / kPeriod;
enum Path { kDirect, kThru, kPaths };
constexpr const char* kPathNames[kPaths] = {"direct", "thru"};
constexpr int kLowestLatency = -1024; // frames
constexpr int kLatencyBins = 4096;

struct PathRun {
    std::atomic<std::uint64_t> sent{0};    // written by the sender
    std::atomic<std::uint64_t> refused{0}; // the sender's own buffer was full
    std::unique_ptr<std::atomic<std::uint32_t>[]> sendFrame {
        new std::atomic<std::uint32_t>[ kSequenceSpace ]
    };
    // The receiver's, read once the phase is over.
    SequenceCheck check;
    std::vector<std::uint64_t> latencies = std::vector<std::uint64_t>(kLatencyBins);
    std::uint64_t outOfRange = 0;
    std::uint64_t fromUi = 0; // Note On messages the service's user-interface side sent
};

struct Phase {
    std::string name;
    double perCycle = 0;
    int cycles = 0;
    int uiSendsPerTick = 0; // sent through the service every 5 ms while the phase runs
    std::uint64_t uiSent = 0;
    std::uint64_t droppedByService = 0;
    double credit = 0; // the sender's
    std::atomic<int> cyclesDone{0};
    PathRun paths[kPaths];
};

struct Bench {
    std::atomic<Phase*> phase{nullptr};
    std::uint64_t random = 0x9E3779B97F4A7C15u;
    std::vector<std::uint32_t> perFrame = std::vector<std::uint32_t>(8192); // the sender's
};

std::uint64_t NextRandom(std::uint64_t& state) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

void Send(void* user, jack_client_t* client, jack_port_t* const* ports, jack_nframes_t frames) {
    Bench& bench = *static_cast<Bench*>(user);
    void* buffers[kPaths];
    for (int p = 0; p < kPaths; ++p) {
        buffers[p] = jack_port_get_buffer(ports[p], frames);
        jack_midi_clear_buffer(buffers[p]);
    }
    Phase* phase = bench.phase.load(std::memory_order_acquire);
    if (!phase || phase->cyclesDone.load(std::memory_order_relaxed) >= phase->cycles ||
        frames > bench.perFrame.size()) {
        return;
    }
    phase->credit += phase->perCycle;
    const auto count = static_cast<std::uint64_t>(phase->credit);
    phase->credit -= static_cast<double>(count);
    std::fill_n(bench.perFrame.begin(), frames, 0u);
    for (std::uint64_t i = 0; i < count; ++i) {
        ++bench.perFrame[NextRandom(bench.random) % frames];
    }
    const jack_nframes_t start = jack_last_frame_time(client);
    for (jack_nframes_t frame = 0; frame < frames; ++frame) {
        for (std::uint32_t n = 0; n < bench.perFrame[frame]; ++n) {
            for (int p = 0; p < kPaths; ++p) {
                PathRun& run = phase->paths[p];
                const auto sequence = static_cast<std::uint32_t>(
                    run.sent.load(std::memory_order_relaxed) & (kSequenceSpace - 1));
                std::uint8_t bytes[3];
                EncodeSequence(sequence, bytes);
                if (jack_midi_event_write(buffers[p], frame, bytes, 3) == 0) {
                    run.sendFrame[sequence].store(start + frame, std::memory_order_relaxed);
                    run.sent.fetch_add(1, std::memory_order_release);
                } else {
                    run.refused.fetch_add(1, std::memory_order_relaxed);
                }
            }
        }
    }
    phase->cyclesDone.fetch_add(1, std::memory_order_release);
}

void Receive(void* user, jack_client_t* client, jack_port_t* const* ports, jack_nframes_t frames) {
    Bench& bench = *static_cast<Bench*>(user);
    Phase* phase = bench.phase.load(std::memory_order_acquire);
    if (!phase) {
        return;
    }
    const jack_nframes_t start = jack_last_frame_time(client);
    for (int p = 0; p < kPaths; ++p) {
        void* buffer = jack_port_get_buffer(ports[p], frames);
        PathRun& run = phase->paths[p];
        const std::uint32_t count = jack_midi_get_event_count(buffer);
        for (std::uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            std::uint32_t sequence = 0;
            if (jack_midi_event_get(&event, buffer, i) != 0) {
                continue;
            }
            if (event.size == 3 && (event.buffer[0] & 0xF0) == 0x90) {
                ++run.fromUi;
                continue;
            }
            if (!run.check.Take(event.buffer, event.size, sequence)) {
                continue;
            }
            const auto latency = static_cast<std::int32_t>(
                start + event.time - run.sendFrame[sequence].load(std::memory_order_relaxed));
            const std::int64_t bin = static_cast<std::int64_t>(latency) - kLowestLatency;
            if (bin < 0 || bin >= kLatencyBins) {
                ++run.outOfRange;
            } else {
                ++run.latencies[static_cast<std::size_t>(bin)];
            }
        }
    }
}

int FindPort(int count, const std::function<std::string(int)>& name, const std::string& wanted) {
    for (int i = 0; i < count; ++i) {
        if (name(i) == wanted) {
            return i;
        }
    }
    return -1;
}

JackServer* g_server = nullptr;

void Fail(const std::string& text) {
    std::fprintf(stderr, "jack_thru_bench: %s\n", text.c_str());
    if (g_server) {
        g_server->Stop();
    }
    std::exit(1);
}

// Lets the phase run to its end and the last messages arrive, draining the input queue as the
// user-interface thread does; false when the server's cycles stalled.
bool RunPhase(Bench& bench, Phase& phase, MidiService& service, MidiInputQueue& queue) {
    const std::uint64_t droppedBefore = service.DroppedMessages();
    bench.phase.store(&phase, std::memory_order_release);
    const auto start = std::chrono::steady_clock::now();
    const auto deadline =
        start + std::chrono::duration<double>(phase.cycles / kCyclesPerSecond * 4 + 10);
    while (phase.cyclesDone.load(std::memory_order_acquire) < phase.cycles) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::printf(
                "| %s | stalled: %d of %d cycles ran in %.0f s |\n", phase.name.c_str(),
                phase.cyclesDone.load(), phase.cycles,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            bench.phase.store(nullptr, std::memory_order_release);
            return false;
        }
        for (int i = 0; i < phase.uiSendsPerTick; ++i) {
            if (service.SendShort(PackShortMessage(0x90, 60, 100)) == kMidiOk) {
                ++phase.uiSent;
            }
        }
        queue.Drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (int i = 0; i < 60; ++i) {
        queue.Drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    bench.phase.store(nullptr, std::memory_order_release);
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the receiver's last cycle
    queue.Drain();
    phase.droppedByService = service.DroppedMessages() - droppedBefore;
    return true;
}

void PrintPhase(const Phase& phase) {
    for (int p = 0; p < kPaths; ++p) {
        const PathRun& run = phase.paths[p];
        const std::uint64_t sent = run.sent.load();
        std::uint64_t timed = run.outOfRange;
        for (std::uint64_t n : run.latencies) {
            timed += n;
        }
        int lowest = 0;
        int highest = 0;
        int median = 0;
        std::uint64_t seen = 0;
        bool first = true;
        for (int bin = 0; bin < kLatencyBins; ++bin) {
            if (run.latencies[bin] == 0) {
                continue;
            }
            const int latency = bin + kLowestLatency;
            if (first) {
                lowest = latency;
                first = false;
            }
            highest = latency;
            if (seen < (timed + 1) / 2 && seen + run.latencies[bin] >= (timed + 1) / 2) {
                median = latency;
            }
            seen += run.latencies[bin];
        }
        std::printf("| %s | %s | %llu | %llu | %llu | %llu | %d | %d | %d | %d |\n",
                    phase.name.c_str(), kPathNames[p], static_cast<unsigned long long>(sent),
                    static_cast<unsigned long long>(run.check.inOrder),
                    static_cast<unsigned long long>(sent - std::min(sent, run.check.inOrder)),
                    static_cast<unsigned long long>(run.check.wrong), median, lowest, highest,
                    highest - lowest);
        if (run.outOfRange != 0) {
            std::printf("|   | (%llu latencies outside %d..%d frames) |\n",
                        static_cast<unsigned long long>(run.outOfRange), kLowestLatency,
                        kLowestLatency + kLatencyBins - 1);
        }
    }
    const PathRun& thru = phase.paths[kThru];
    if (thru.refused.load() != 0 || phase.uiSent != 0 || phase.droppedByService != 0) {
        std::printf("|   | the sender's own buffer refused %llu per path; the service sent %llu "
                    "messages of its own, %llu arrived; it counted %llu as dropped |\n",
                    static_cast<unsigned long long>(thru.refused.load()),
                    static_cast<unsigned long long>(phase.uiSent),
                    static_cast<unsigned long long>(thru.fromUi),
                    static_cast<unsigned long long>(phase.droppedByService));
    }
    std::fflush(stdout);
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// `clock` is an inactive client of the benchmark (no thread of its wakes): it reads the server's
// frame counter, so that the wake-ups are set against the cycles the server really ran.
void MeasureIdle(const char* what, int seconds, jack_client_t* clock) {
    const std::map<long, ThreadWakeUps> before = WakeUpsByThread();
    const double cpuBefore = CpuSeconds();
    const jack_nframes_t framesBefore = jack_frame_time(clock);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cycles = static_cast<double>(jack_frame_time(clock) - framesBefore) / kPeriod;
    const double cpu = CpuSeconds() - cpuBefore;
    const std::map<long, ThreadWakeUps> after = WakeUpsByThread();
    std::uint64_t total = 0;
    std::printf("\nIdle for %.1f s: %s\n", wall, what);
    for (const auto& [id, thread] : after) {
        const auto it = before.find(id);
        const std::uint64_t delta = thread.count - (it == before.end() ? 0 : it->second.count);
        total += delta;
        if (delta > 0) {
            std::printf("  thread %ld (%s): %.0f wake-ups/s\n", id, thread.name.c_str(),
                        static_cast<double>(delta) / wall);
        }
    }
    std::printf("  threads: %zu; server cycles: %.0f/s; wake-ups: %.0f/s = %.2f per cycle; "
                "CPU: %.2f %%\n",
                after.size(), cycles / wall, static_cast<double>(total) / wall,
                static_cast<double>(total) / cycles, 100.0 * cpu / wall);
}

} // namespace

int main(int argc, char** argv) {
    int idleSeconds = 10;
    bool synchronous = true;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--async") {
            synchronous = false;
        } else {
            idleSeconds = std::max(1, std::atoi(argv[i]));
        }
    }
    if (std::system("command -v jackd >/dev/null") != 0) {
        Fail("jackd is not installed");
    }
    JackServer server(kRate, kPeriod, synchronous);
    if (!server.Start()) {
        Fail("the private JACK server did not start");
    }
    g_server = &server;
    std::printf("Private JACK server \"%s\" (pid %d): jackd --no-realtime%s -d dummy -r %d -p %d\n",
                server.Name().c_str(), static_cast<int>(server.Pid()), synchronous ? " -S" : "",
                kRate, kPeriod);

    Bench bench;
    JackPeerClient sender;
    JackPeerClient receiver;
    if (!sender.Open("bench-send", true, {"direct", "thru"}, Send, &bench) ||
        !receiver.Open("bench-recv", false, {"direct", "thru"}, Receive, &bench) ||
        jack_connect(sender.Client(), sender.PortName(kDirect).c_str(),
                     receiver.PortName(kDirect).c_str()) != 0) {
        Fail("the benchmark's JACK clients could not be opened");
    }

    MidiInputQueue queue;
    std::unique_ptr<MidiService> service = CreatePlatformMidiService();
    const int input = FindPort(
        service->InputCount(), [&](int i) { return service->InputName(i); },
        sender.PortName(kThru));
    const int output = FindPort(
        service->OutputCount(), [&](int i) { return service->OutputName(i); },
        receiver.PortName(kThru));
    if (input < 0 || output < 0) {
        Fail("the benchmark's ports are not in the service's device lists");
    }
    for (const MidiResult result : {service->OpenOutput(output), service->OpenInput(input, &queue),
                                    service->StartInput(), service->Connect()}) {
        if (result != kMidiOk) {
            Fail(service->ErrorText(result));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // the connections settle

    const auto cycles = [](double seconds) { return static_cast<int>(seconds * kCyclesPerSecond); };
    std::vector<std::unique_ptr<Phase>> phases;
    const auto add = [&](const char* name, double perCycle, int count) {
        phases.push_back(std::make_unique<Phase>());
        phases.back()->name = name;
        phases.back()->perCycle = perCycle;
        phases.back()->cycles = count;
    };
    add("1 message per cycle, 2 s", 1, cycles(2));
    add("20 000 messages/s, 5 s", 20000.0 / kCyclesPerSecond, cycles(5));
    add("2500 messages per cycle, 2 s", 2500, cycles(2));
    add("a full buffer per cycle (10 000 asked) and 4000 messages/s from the service's own "
        "sends, 2 s",
        10000, cycles(2));

    phases.back()->uiSendsPerTick = 20;

    std::printf("\n| Load | Path | Sent | Received in order | Lost | Wrong | Latency median "
                "(frames) | min | max | Jitter (max - min) |\n"
                "|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& phase : phases) {
        const bool ran = RunPhase(bench, *phase, *service, queue);
        PrintPhase(*phase);
        if (!ran) {
            std::printf("\nThe server's cycles stalled: the remaining loads were not run.\n");
            break;
        }
    }
    std::printf("\nService: %llu messages counted as dropped; input queue to the user interface: "
                "%llu dropped\n",
                static_cast<unsigned long long>(service->DroppedMessages()),
                static_cast<unsigned long long>(queue.Dropped()));

    sender.Close();
    receiver.Close();
    jack_status_t status{};
    jack_client_t* clock = jack_client_open("bench-clock", JackNoStartServer, &status);
    if (!clock) {
        Fail("the benchmark's clock client could not be opened");
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    MeasureIdle("the service open, thru on, the benchmark's other clients closed", idleSeconds,
                clock);
    service.reset();

    // The floor: what any active JACK client costs here, with a callback that does nothing.
    JackPeerClient bare;
    if (!bare.Open(
            "bench-bare", true, {},
            [](void*, jack_client_t*, jack_port_t* const*, jack_nframes_t) {}, nullptr)) {
        Fail("the benchmark's bare client could not be opened");
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    MeasureIdle("the service closed; one JACK client of the benchmark with an empty callback",
                idleSeconds, clock);
    bare.Close();
    jack_client_close(clock);
    return 0;
}
