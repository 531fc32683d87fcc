// The kept programs of the real launcher: their output, folder and end, and that none outlives
// the launcher or our process, nor stays behind as a zombie.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "base/PosixProgramLauncher.h"
#include "midi/JackServer.h"

namespace {

std::string ReadAll(int fd) {
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// Gone, or a zombie nobody reaps yet (a container's first process may never reap), within 3 s.
bool Ends(long pid) {
    const std::string proc = "/proc/" + std::to_string(pid);
    return WaitFor("! test -e " + proc + " || grep -q ') Z ' " + proc + "/stat", 3000);
}

} // namespace

TEST(PosixProgramLauncher, AKeptProgramRunsInItsFolderWithItsOutputPipedAndIsReaped) {
    PosixProgramLauncher launcher;
    const KeptProcess process = launcher.LaunchKept(
        "sh", {"-c", "pwd; echo 'to stderr' >&2; exit 7"}, "/tmp", ProcessOutput::Piped);
    ASSERT_GT(process.id, 0);
    EXPECT_EQ(ReadAll(process.outputFd), "/tmp\nto stderr\n");
    ProcessExit exit;
    ASSERT_TRUE(launcher.WaitForExit(process.id, 5000, &exit));
    EXPECT_EQ(exit, (ProcessExit{false, 7}));
    EXPECT_FALSE(std::ifstream("/proc/" + std::to_string(process.id) + "/stat")); // no zombie
    // A missing program or folder starts nothing.
    EXPECT_EQ(launcher.LaunchKept("no-such-engine", {}, "", ProcessOutput::Piped).id, -1);
    EXPECT_EQ(launcher.LaunchKept("sh", {}, "/no/such/folder", ProcessOutput::Discarded).id, -1);
}

TEST(PosixProgramLauncher, AProgramDeafToSigtermEndsOnSigkill) {
    PosixProgramLauncher launcher;
    const KeptProcess process = launcher.LaunchKept(
        "sh", {"-c", "trap '' TERM; echo ready; exec sleep 30"}, "", ProcessOutput::Piped);
    const long id = process.id;
    ASSERT_GT(id, 0);
    char ready[6] = {};
    ASSERT_EQ(::read(process.outputFd, ready, sizeof ready), 6); // the trap is set
    ::close(process.outputFd);
    launcher.Terminate(id, false);
    EXPECT_FALSE(launcher.WaitForExit(id, 300, nullptr));
    launcher.Terminate(id, true);
    ProcessExit exit;
    ASSERT_TRUE(launcher.WaitForExit(id, 5000, &exit));
    EXPECT_EQ(exit, (ProcessExit{true, SIGKILL}));
    launcher.Terminate(id, true); // once reaped, the id is never signalled again
}

TEST(PosixProgramLauncher, NoKeptProgramOutlivesTheLauncherOrAKilledProgram) {
    long engine = -1;
    {
        PosixProgramLauncher launcher;
        engine = launcher.LaunchKept("sleep", {"30"}, "", ProcessOutput::Discarded).id;
        ASSERT_GT(engine, 0);
    }
    EXPECT_TRUE(Ends(engine));

    // A program killed outright cannot stop its engine: the engine ends with it all the same.
    int pidPipe[2];
    ASSERT_EQ(::pipe(pidPipe), 0);
    const pid_t program = ::fork();
    if (program == 0) {
        PosixProgramLauncher launcher;
        const long id = launcher.LaunchKept("sleep", {"30"}, "", ProcessOutput::Discarded).id;
        [[maybe_unused]] ssize_t written = ::write(pidPipe[1], &id, sizeof id);
        ::pause();
        ::_exit(0);
    }
    ASSERT_GT(program, 0);
    ASSERT_EQ(::read(pidPipe[0], &engine, sizeof engine), static_cast<ssize_t>(sizeof engine));
    ::close(pidPipe[0]);
    ::close(pidPipe[1]);
    ASSERT_GT(engine, 0);
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    EXPECT_TRUE(Ends(engine));
}
