#pragma once
// Starting programs on Linux. A program opened for the user is started with posix_spawnp and
// reaped at the next start; a kept program (the sound engine) is forked so that it can be told
// to end with our process, and is stopped and reaped through the launcher.

#include <map>
#include <vector>

#include "base/ProgramLauncher.h"

class PosixProgramLauncher : public ProgramLauncher {
public:
    // Ends every kept program still running (SIGTERM, and SIGKILL after a second), and reaps them.
    ~PosixProgramLauncher() override;
    long Launch(const std::string& program, const std::vector<std::string>& arguments) override;
    KeptProcess LaunchKept(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& folder, ProcessOutput output) override;
    bool WaitForExit(long id, int milliseconds, ProcessExit* exit) override;
    void Terminate(long id, bool kill) override;

private:
    void ReapFinished();
    // Reaps `id` when it has ended; true then, with its end kept in m_ended.
    bool Reap(long id);

    std::vector<long> m_children;
    std::vector<long> m_kept;
    std::map<long, ProcessExit> m_ended;
};

// The file `program` names: itself when it holds a "/", else the first executable file of that
// name on $PATH; empty when there is none.
std::string FindProgramFile(const std::string& program);
