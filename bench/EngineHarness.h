#pragma once
// The embedded engine run for real by the benchmark: a JACK client of its own standing in for the
// program's "Ventaro.2" output, timing its sends, and the engine started through the program's
// launcher with its output collected.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/PosixProgramLauncher.h"
#include "midi/JackPeer.h"

using EngineClock = std::chrono::steady_clock;

// JACK client "Ventaro.2" with the output port "Ventaro.2", as the program offers it.
class ProgramPortStandIn {
public:
    bool Open();
    // Waits until some client (the engine) has connected to the port.
    bool WaitConnected(int milliseconds) const;
    // Queues a three-byte message for the next cycle and waits until that cycle wrote it; the
    // time it was written, or nothing after a second.
    EngineClock::time_point Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

private:
    static void Process(void* user, jack_client_t*, jack_port_t* const* ports,
                        jack_nframes_t frames);

    JackPeerClient m_peer;
    std::array<std::array<std::uint8_t, 3>, 4> m_messages{};
    std::atomic<int> m_queued{0}; // messages queued, written by the test
    std::atomic<int> m_sent{0};   // messages written, by the process callback
    std::atomic<EngineClock::rep> m_sentAt{0};
};

// The engine started in `folder` with `arguments`; its standard output and error are collected
// until it ends.
class EngineProcess {
public:
    EngineProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder);
    ~EngineProcess();
    bool Started() const { return m_id > 0; }
    // True once it has ended within `milliseconds`, with how in `exit`.
    bool WaitForExit(int milliseconds, ProcessExit* exit);
    void Terminate() { m_launcher.Terminate(m_id, false); }
    // What it printed so far (all of it once it has ended).
    std::string Output();

private:
    PosixProgramLauncher m_launcher;
    long m_id = -1;
    std::thread m_reader;
    std::mutex m_mutex;
    std::string m_output;
};
