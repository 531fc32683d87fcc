#pragma once
// Starting other programs: the sound engine, the external script editor, the volume control,
// and the desktop's opener of documents and addresses. The platform starts the process; the
// core decides what to start and with which words.

#include <string>
#include <string_view>
#include <vector>

// Where a kept program's standard output and error go.
enum class ProcessOutput {
    Discarded, // to nowhere
    Piped,     // both into one pipe whose read end the caller receives
    Inherited, // to ours (a command-line tool prints them)
};

// A program started to be kept and stopped later.
struct KeptProcess {
    long id = -1;      // -1 when it could not be started
    int outputFd = -1; // the pipe's read end with ProcessOutput::Piped, owned by the caller
};

// How a program ended: its exit code, or the signal that ended it.
struct ProcessExit {
    bool signalled = false;
    int code = 0;
    bool operator==(const ProcessExit&) const = default;
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts `program`, looked up on the search path, with these arguments and no working folder
    // of its own. The process id, or -1 when the program could not be started.
    virtual long Launch(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Starts a program that is kept until it is stopped: it runs in `folder` (ours when empty),
    // ends when our program ends, and is reaped by WaitForExit or when the launcher goes.
    virtual KeptProcess LaunchKept(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::string& folder, ProcessOutput output) = 0;
    // Waits up to `milliseconds` for a kept program to end; true once it has ended (now or
    // before), with how in `exit`. Returns as soon as it ends: a wait never outlasts the program.
    virtual bool WaitForExit(long id, int milliseconds, ProcessExit* exit) = 0;
    // Asks a kept program to end (SIGTERM), or ends it at once (`kill`, SIGKILL); nothing once it
    // has ended, so that a recycled process id is never hit.
    virtual void Terminate(long id, bool kill) = 0;
};

// The launcher the core starts programs with; null until the program installs one.
extern ProgramLauncher* g_programLauncher;

// Splits a parameter string into words at blanks and tabs; double quotes group blanks into a
// word and are themselves dropped.
std::vector<std::string> SplitParameters(std::string_view parameters);

// Starts a program with a parameter string; true when it started. `processId` receives its id.
bool RunProgram(const std::string& program, const std::string& parameters,
                long* processId = nullptr);
// The message for a program that could not be started: it names the program, so that the user
// knows what to install or set.
std::string NotStartedMessage(const std::string& program);
// Opens a document or an address with the desktop's opener; true when the opener started.
bool OpenDocument(const std::string& pathOrAddress);
