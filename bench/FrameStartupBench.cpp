// Start-up of the program against a minimal Qt Widgets program: the time from starting the
// process to the main window's first paint (no splash), and the resident memory once the
// window has painted and the start-up settled. A third program, the minimal one made to load
// every shared library the program loads, separates the program's own work from the loading
// of its libraries. All run the same way, in turn, on the offscreen platform, with a stored
// device choice so the program asks nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "base/FileSettingsStore.h"
#include "base/SettingsKeys.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"

extern char** environ;

namespace {

struct Sample {
    double milliseconds = 0;
    long residentKb = 0;
};

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

// Starts the program, waits for its "first-paint" line, lets it settle, measures, ends it.
bool Measure(const std::string& program, Sample& sample) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
        line += c;
    }
    const auto painted = std::chrono::steady_clock::now();
    sample.milliseconds = std::chrono::duration<double, std::milli>(painted - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    sample.residentKb = ResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    return line == "first-paint";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    const char* name;
    const char* path;
    std::vector<double> times;
    std::vector<double> memory;
};

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::filesystem::path home = std::filesystem::temp_directory_path() /
                                       ("ventaro-startup-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(home / "config");
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VENTARO_SPLASH_MS", "0", 1);
    setenv("VENTARO_REPORT_FIRST_PAINT", "1", 1);
    {
        // The Loopback output, chosen before: the program opens it and asks nothing.
        FileSettingsStore store(home / "config");
        const int loopback = CreatePlatformMidiService()->OutputCount() - 1;
        store.CreateKey(kSettingsKey);
        store.WriteValue(kSettingsKey, kValueMidiDevices,
                         EncodeMidiDeviceSettings({0, loopback, -1}));
    }

    Series series[] = {
        {"ventaro", VENTARO_PROGRAM, {}, {}},
        {"minimal Qt program", MINIMAL_PROGRAM, {}, {}},
        {"minimal Qt program, the program's libraries loaded", MINIMAL_WITH_LIBRARIES, {}, {}}};
    for (int i = 0; i < runs; ++i) {
        for (Series& s : series) {
            Sample sample;
            if (!Measure(s.path, sample)) {
                std::fprintf(stderr, "%s did not report its first paint\n", s.name);
                return 1;
            }
            s.times.push_back(sample.milliseconds);
            s.memory.push_back(static_cast<double>(sample.residentKb) / 1024.0);
        }
    }
    std::filesystem::remove_all(home);

    std::printf("runs: %d, medians\n", runs);
    for (const Series& s : series) {
        std::printf("%-52s first paint %6.1f ms   resident %5.1f MB\n", s.name, Median(s.times),
                    Median(s.memory));
    }
    const double program = Median(series[0].times);
    std::printf("first paint, ratio to the minimal program: %.2f (goal <= 1.5); to the one with "
                "the same libraries: %.2f\n",
                program / Median(series[1].times), program / Median(series[2].times));
    std::printf("resident memory above the minimal program: %.1f MB (goal <= 20)\n",
                Median(series[0].memory) - Median(series[1].memory));
    return 0;
}
