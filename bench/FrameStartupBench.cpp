// Start-up of the program against a minimal Qt Widgets program: the time from starting the
// process to the main window's first paint (no splash), and the resident memory once the
// window has painted and the start-up settled. Both run the same way, alternately, on the
// offscreen platform, with a stored device choice so the program asks nothing.

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

#include "app/FileSettingsStore.h"
#include "app/SettingsKeys.h"
#include "midi/MidiDevices.h"
#include "midi/RtMidiBackend.h"

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

    std::vector<double> programTimes, minimalTimes;
    std::vector<double> programMemory, minimalMemory;
    for (int i = 0; i < runs; ++i) {
        Sample program, minimal;
        if (!Measure(VENTARO_PROGRAM, program) || !Measure(MINIMAL_PROGRAM, minimal)) {
            std::fprintf(stderr, "a program did not report its first paint\n");
            return 1;
        }
        programTimes.push_back(program.milliseconds);
        minimalTimes.push_back(minimal.milliseconds);
        programMemory.push_back(static_cast<double>(program.residentKb));
        minimalMemory.push_back(static_cast<double>(minimal.residentKb));
    }
    std::filesystem::remove_all(home);

    const double programTime = Median(programTimes);
    const double minimalTime = Median(minimalTimes);
    const double programRss = Median(programMemory) / 1024.0;
    const double minimalRss = Median(minimalMemory) / 1024.0;
    std::printf("runs: %d (medians)\n", runs);
    std::printf(
        "first paint: ventaro %.1f ms, minimal Qt program %.1f ms, ratio %.2f (goal <= 1.5)\n",
        programTime, minimalTime, programTime / minimalTime);
    std::printf("resident memory: ventaro %.1f MB, minimal Qt program %.1f MB, difference %.1f MB "
                "(goal <= 20)\n",
                programRss, minimalRss, programRss - minimalRss);
    return 0;
}
