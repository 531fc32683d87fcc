#pragma once
// Starting programs on Linux with posix_spawnp: the program is looked up on the search path,
// success means the program image was loaded. Finished children are reaped at the next start
// and when the launcher goes.

#include <vector>

#include "base/ProgramLauncher.h"

class PosixProgramLauncher : public ProgramLauncher {
public:
    ~PosixProgramLauncher() override;
    long Launch(const std::string& program, const std::vector<std::string>& arguments) override;

private:
    void ReapFinished();
    std::vector<long> m_children;
};
