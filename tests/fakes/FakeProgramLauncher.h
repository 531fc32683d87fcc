#pragma once
// A launcher that records every program it is asked to start and can be told to fail.

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
    std::vector<Launched> launched;
    bool fail = false;
};
