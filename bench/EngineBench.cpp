// The embedded engine against plain csound on a private JACK server (dummy driver, 44.1 kHz, 64
// frames per cycle), on the same orchestra and flags, in the same run:
// - start: from the start of the process to the first non-silent frame of its audio at an input
//   port of the benchmark's own (the program connects its outputs there itself), csound and the
//   engine taking turns in each iteration;
// - stop: from the cycle in which a stand-in for the program's "Ventaro.2" port wrote 0xF5 0x00
//   0x00 to the engine's exit, reaped by the program's launcher (which looks every 2 ms).
// Resolution: one JACK cycle (1.45 ms) for the start.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include "EngineHarness.h"
#include "base/PosixFileSystem.h"
#include "midi/JackServer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kPeriod = 64;
constexpr const char* kListenerClient = "VentaroBench";

// The benchmark's audio input: the time of the first cycle that carried a non-silent frame.
class AudioListener {
public:
    bool Open() {
        m_client = jack_client_open(kListenerClient, JackNoStartServer, nullptr);
        if (!m_client) {
            return false;
        }
        for (const char* name : {"in_1", "in_2"}) {
            m_ports.push_back(
                jack_port_register(m_client, name, JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0));
        }
        return jack_set_process_callback(m_client, &AudioListener::Process, this) == 0 &&
               jack_activate(m_client) == 0;
    }
    ~AudioListener() {
        if (m_client) {
            jack_client_close(m_client);
        }
    }
    void Arm() { m_heardAt.store(0); }
    // The time of the first sound since Arm, waited for up to ten seconds.
    EngineClock::time_point WaitHeard() const {
        const auto deadline = EngineClock::now() + std::chrono::seconds(10);
        while (m_heardAt.load() == 0 && EngineClock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return EngineClock::time_point(EngineClock::duration(m_heardAt.load()));
    }

private:
    static int Process(jack_nframes_t frames, void* user) {
        auto* self = static_cast<AudioListener*>(user);
        if (self->m_heardAt.load(std::memory_order_relaxed) != 0) {
            return 0;
        }
        for (jack_port_t* port : self->m_ports) {
            const auto* samples = static_cast<const float*>(jack_port_get_buffer(port, frames));
            for (jack_nframes_t i = 0; i < frames; ++i) {
                if (std::fabs(samples[i]) > 1e-6f) {
                    self->m_heardAt.store(EngineClock::now().time_since_epoch().count());
                    return 0;
                }
            }
        }
        return 0;
    }

    jack_client_t* m_client = nullptr;
    std::vector<jack_port_t*> m_ports;
    std::atomic<EngineClock::rep> m_heardAt{1};
};

// The server, the listener, the stand-in for the program's port and the files, for the whole run.
struct Bench {
    Bench() {
        fs::create_directories(folder);
        std::ofstream(folder / "tone.orc") << "sr = 44100\nksmps = 32\nnchnls = 2\n0dbfs = 1\n"
                                              "instr 1\n  a1 oscili 0.5, 440\n  outs a1, a1\n"
                                              "endin\n";
        std::ofstream(folder / "tone.sco") << "i1 0 3600\n";
        if (!jack.Start() || !listener.Open() || !program.Open()) {
            throw std::runtime_error("the private JACK server or its clients did not come up");
        }
    }
    ~Bench() { fs::remove_all(folder); }

    // The same words for both programs: audio out to the listener, MIDI left to each program.
    std::vector<std::string> Arguments() const {
        return {"-odac:" + std::string(kListenerClient) + ":in_",
                "-+rtaudio=jack",
                "-b64",
                "-B256",
                "-m0",
                (folder / "tone.orc").string(),
                (folder / "tone.sco").string()};
    }
    // Starts `program` and returns the milliseconds to its first sound; it is left running.
    double StartToSound(const std::string& programFile, std::unique_ptr<EngineProcess>& process) {
        listener.Arm();
        const auto started = EngineClock::now();
        process = std::make_unique<EngineProcess>(programFile, Arguments(), folder.string());
        const auto heard = listener.WaitHeard();
        if (heard == EngineClock::time_point{}) {
            throw std::runtime_error(programFile + " played nothing:\n" + process->Output());
        }
        return std::chrono::duration<double, std::milli>(heard - started).count();
    }

    fs::path folder =
        fs::temp_directory_path() / ("ventaro-engine-bench-" + std::to_string(::getpid()));
    JackServer jack{kRate, kPeriod};
    AudioListener listener;
    ProgramPortStandIn program;
};

Bench& TheBench() {
    static Bench bench;
    return bench;
}

void StopCsound(EngineProcess& csound) {
    csound.Terminate();
    csound.WaitForExit(5000, nullptr);
}

// Run's export of the engine program: written whole into the private engine folder, as Run does
// before it starts it. Milliseconds.
double ExportEngine(const fs::path& target) {
    static const std::vector<std::uint8_t> engine = [] {
        std::ifstream file(VENTARO_ENGINE_PROGRAM, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>());
    }();
    PosixFileSystem files;
    const auto start = EngineClock::now();
    if (files.WritePrivateFile(target.string(), engine, true) != FileStatus::Ok) {
        throw std::runtime_error("the engine could not be exported to " + target.string());
    }
    return std::chrono::duration<double, std::milli>(EngineClock::now() - start).count();
}

// Each iteration starts plain csound and then, as Run does, exports the engine and starts it;
// the iteration's time is the engine's, its export included.
void BM_StartToFirstSound(benchmark::State& state) {
    Bench& bench = TheBench();
    const fs::path exported = bench.folder / "drive_c" / "VentaroEmebeddedEngine.exe";
    double csoundTotal = 0;
    double engineTotal = 0;
    double exportTotal = 0;
    for (auto _ : state) {
        std::unique_ptr<EngineProcess> process;
        csoundTotal += bench.StartToSound("csound", process);
        StopCsound(*process);
        const double exportMs = ExportEngine(exported);
        exportTotal += exportMs;
        const double engine = exportMs + bench.StartToSound(exported.string(), process);
        engineTotal += engine;
        bench.program.WaitConnected(2000);
        bench.program.Send(0xF5, 0x00, 0x00);
        process->WaitForExit(5000, nullptr);
        state.SetIterationTime(engine / 1000.0);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["csound_ms"] = csoundTotal / runs;
    state.counters["engine_ms"] = engineTotal / runs;
    state.counters["export_ms"] = exportTotal / runs;
    state.counters["engine_to_csound"] = engineTotal / csoundTotal;
}
BENCHMARK(BM_StartToFirstSound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// From the stop signal's cycle to the engine's exit, after it has played for half a second.
void BM_StopSignalToExit(benchmark::State& state) {
    Bench& bench = TheBench();
    int unclean = 0;
    double slowest = 0;
    for (auto _ : state) {
        std::unique_ptr<EngineProcess> process;
        bench.StartToSound(VENTARO_ENGINE_PROGRAM, process);
        bench.program.WaitConnected(2000);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const auto sent = bench.program.Send(0xF5, 0x00, 0x00);
        if (sent == EngineClock::time_point{}) {
            state.SkipWithError("the stop signal was not sent");
            return;
        }
        ProcessExit exit{true, -1};
        const bool ended = process->WaitForExit(5000, &exit);
        const auto stopped = EngineClock::now();
        unclean += !ended || exit != ProcessExit{false, 0};
        const double seconds = std::chrono::duration<double>(stopped - sent).count();
        slowest = std::max(slowest, seconds * 1000);
        state.SetIterationTime(seconds);
    }
    state.counters["unclean_exits"] = unclean;
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_StopSignalToExit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
