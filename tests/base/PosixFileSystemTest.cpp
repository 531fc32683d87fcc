#include <chrono>
#include <fcntl.h>
#include <future>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TempFolderTest.h"

#include "base/PosixFileSystem.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class PosixFileSystemTest : public TempFolderTest {
protected:
    FileStatus Write(const fs::path& file, const Bytes& bytes) {
        return files.WriteFileAtomically(file.string(), bytes);
    }

    PosixFileSystem files;
};

// The exported engine program: a private folder made on the way, a program only we may run, and
// never a folder where another user could swap it before it runs.
TEST_F(PosixFileSystemTest, APrivateFileGoesOnlyIntoAFolderOfOurOwn) {
    const fs::path engine = folder / "drive_c" / "engine.exe";
    ASSERT_EQ(files.WritePrivateFile(engine.string(), Bytes{0x7F, 'E'}, true), FileStatus::Ok);
    EXPECT_EQ(Read(engine), (Bytes{0x7F, 'E'}));
    EXPECT_EQ(fs::status(engine).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(engine.parent_path()).permissions() & fs::perms::all,
              fs::perms::owner_all);
    EXPECT_TRUE(files.RemoveFile(engine.string()));
    EXPECT_FALSE(files.RemoveFile(engine.string()));
    fs::permissions(engine.parent_path(), fs::perms::others_write, fs::perm_options::add);
    EXPECT_EQ(files.WritePrivateFile(engine.string(), Bytes{1}, true), FileStatus::CreateFailed);
    EXPECT_FALSE(fs::exists(engine));
}

TEST_F(PosixFileSystemTest, AWriteReplacesTheWholeFileKeepingItsModeAndLeavesNoTemporary) {
    const fs::path file = folder / "a.vtp";
    ASSERT_EQ(Write(file, Bytes(9000, 1)), FileStatus::Ok);
    ::chmod(file.c_str(), 0640);
    ASSERT_EQ(Write(file, Bytes{1, 2, 3}), FileStatus::Ok);
    EXPECT_EQ(Read(file), (Bytes{1, 2, 3}));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(folder).size(), 1u);
    // A short write, cut by the file size limit as a full disk would, keeps the old bytes.
    EXPECT_EQ(UnderSizeLimit(4096, [&] { return Write(file, Bytes(20000, 7)); }),
              FileStatus::WriteFailed);
    EXPECT_EQ(Read(file), (Bytes{1, 2, 3}));
    EXPECT_EQ(Entries(folder).size(), 1u);
}

// A link survives the write, also one that names no file yet.
TEST_F(PosixFileSystemTest, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
    Write(folder / "real.vtp", Bytes{1});
    fs::create_symlink(folder / "real.vtp", folder / "link.vtp");
    fs::create_symlink("named.vtp", folder / "dangling.vtp");
    ASSERT_EQ(Write(folder / "link.vtp", Bytes{7, 7}), FileStatus::Ok);
    ASSERT_EQ(Write(folder / "dangling.vtp", Bytes{4}), FileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(folder / "link.vtp") && fs::is_symlink(folder / "dangling.vtp"));
    EXPECT_EQ(Read(folder / "real.vtp"), (Bytes{7, 7}));
    EXPECT_EQ(Read(folder / "named.vtp"), Bytes{4});
}

TEST_F(PosixFileSystemTest, WhatCannotBeCreatedOrOpenedIsReportedAsSuch) {
    for (const fs::path& bad : {folder / "no" / "a.vtp", folder, folder / std::string(300, 'a')}) {
        EXPECT_EQ(Write(bad, {}), FileStatus::CreateFailed) << bad;
    }
    for (const fs::path& bad : {folder / "none", folder, fs::path("/dev/zero")}) {
        EXPECT_EQ(files.ReadFile(bad.string(), 10).status, FileStatus::OpenFailed) << bad;
    }
    Write(folder / "b", Bytes(100, 3));
    const FileContents head = files.ReadFile((folder / "b").string(), 10);
    EXPECT_TRUE(head.status == FileStatus::Ok && head.bytes == Bytes(10, 3));
    // A FIFO is refused at once rather than waiting for a writer.
    const fs::path fifo = folder / "pipe.vtp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&] { return files.ReadFile(fifo.string(), 10); });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)); // lets the blocked reader go
        FAIL() << "reading a FIFO blocked";
    }
    EXPECT_EQ(read.get().status, FileStatus::OpenFailed);
}

// The rename that replaces a file needs only the folder: a file the user may not write must be
// refused all the same. Run as another user when the tests run as root.
TEST_F(PosixFileSystemTest, AFileTheUserMayNotWriteIsNotReplaced) {
    const fs::path file = folder / "locked.vtp";
    Write(file, Bytes{1, 2});
    ::chmod(file.c_str(), 0444);
    ::chmod(folder.c_str(), 0777);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(3);
        }
        PosixFileSystem own;
        ::_exit(own.WriteFileAtomically(file.string(), Bytes{9}) == FileStatus::CreateFailed ? 0
                                                                                             : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Read(file), (Bytes{1, 2}));
}

// Whatever a killed save left beside the file is gone after the next save.
TEST_F(PosixFileSystemTest, ASaveKilledAtAnyMomentLeavesAWholeFileAndNoDebris) {
    const fs::path file = folder / "Big.vtp";
    const Bytes before(1000, 0x42);
    ASSERT_EQ(Write(file, before), FileStatus::Ok);
    const Bytes after(33 * 1024 * 1024, 0x17);
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            PosixFileSystem own;
            own.WriteFileAtomically(file.string(), after);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto size = fs::file_size(file);
        ASSERT_TRUE(size == before.size() || size == after.size()) << "round " << round;
    }
    // Where the file system has no unnamed files, a killed save leaves a named temporary; no
    // process has a number beyond the kernel's limit of 2^22.
    std::ofstream(folder / ".Big.vtp.2147483647.3.tmp") << "half";
    ASSERT_EQ(Write(file, before), FileStatus::Ok);
    EXPECT_EQ(Read(file), before);
    EXPECT_EQ(Entries(folder).size(), 1u);
}

} // namespace
