#pragma once
// A launcher that records every program it is asked to start and can be told to fail.

#include <functional>
#include <string>
#include <vector>

#include "base/ProgramLauncher.h"

class FakeProgramLauncher : public ProgramLauncher {
public:
    struct Launched {
        std::string program;
        std::vector<std::string> arguments;
    };
    long Launch(const std::string& program, const std::vector<std::string>& arguments) override {
        launched.push_back({program, arguments});
        return fail ? -1 : 4242;
    }
    // A kept program runs until it is terminated, or until `endsOnStopSignal` says it ended on
    // the stop signal; every call is logged in `calls`.
    KeptProcess LaunchKept(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& folder, ProcessOutput output) override {
        launched.push_back({program, arguments});
        if (onLaunch) {
            onLaunch();
        }
        calls.push_back("start " + program + (folder.empty() ? "" : " in " + folder) +
                        (output == ProcessOutput::Piped ? " piped" : ""));
        running = !fail;
        return {fail ? -1 : 4242, -1};
    }
    bool WaitForExit(long, int milliseconds, ProcessExit* exit) override {
        if (running && endsOnStopSignal) {
            running = false;
        }
        calls.push_back("wait " + std::to_string(milliseconds) + (running ? "" : " ended"));
        if (exit && !running) {
            *exit = {};
        }
        return !running;
    }
    void Terminate(long, bool kill) override {
        calls.push_back(kill ? "kill" : "term");
        running = running && !kill && ignoresTerm;
    }
    std::vector<Launched> launched;
    bool fail = false;
    bool running = false;
    bool endsOnStopSignal = false;
    bool ignoresTerm = false; // only SIGKILL ends it
    std::vector<std::string> calls;
    std::function<void()> onLaunch;
};
