#pragma once
// Running and stopping the sound engine: the external Csound program, or the engine program that
// the engine library carries, written out to the engine folder first. The engine is started with
// the selected flags preset and the project's scripts, and stopped by the MIDI stop signal.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ProgramLauncher.h"

inline constexpr const char* kEmbeddedEngineFile = "VentaroEmebeddedEngine.exe";
inline constexpr const char* kEngineSupportFile = "glut.dll";
// The parameter string's buffer, its terminating zero included.
inline constexpr std::size_t kEngineCommandLineSize = 500;
inline constexpr int kEngineStopWaitMs = 1000;
// The status byte that asks the engine to end (0xF5 0x00 0x00 on the wire).
inline constexpr std::uint8_t kEngineStopStatus = 0xF5;

// 1 from a successful Run to the next Stop.
extern std::int32_t g_engineRunning;
// The process Run started, -1 when none.
extern long g_engineProcess;

// The folder that stands for the embedded engine's fixed folder, set by the program; empty
// without a home folder, when nothing can be exported.
extern std::string g_engineFolder;
std::string EmbeddedEnginePath();
std::string EngineSupportPath();

// What Run starts: the program file, the parameter string as the user reads it, the arguments
// (the flags preset split into words, each file name one word, found beside the project) and
// the folder the engine runs in (the project's, so that the scripts' own relative files are
// found; ours without a project).
struct EngineCommand {
    std::string program;
    std::string parameters;
    std::vector<std::string> arguments;
    std::string folder;
};
// The command Run would start with the current settings; nothing is exported or saved.
EngineCommand CurrentEngineCommand();

// Where the output of an engine started with its window shown goes: the program's engine console.
// Without a view (a command-line tool) the output goes to ours.
class EngineOutputView {
public:
    virtual ~EngineOutputView() = default;
    // A new engine started; `process.outputFd` is the read end of its output, now the view's.
    virtual void EngineStarted(const KeptProcess& process, const EngineCommand& command) = 0;
};
extern EngineOutputView* g_engineOutputView;

// Command 24000: the transport stopped, a running engine stopped, the embedded engine exported,
// the scripts saved when the preferences ask, the engine started.
void RunSoundEngine();
// Command 25000: the stop signal, the wait, the engine ended and reaped, the devices reset.
void StopSoundEngine();
// Deletes the exported engine program, whether or not it exists (at exit).
void DeleteEmbeddedEngineProgram();
// Shows the running flag in the menus and on the tool bar.
void ShowEngineState();

void ResetEngineRunState();
// Routes commands 24000 and 25000.
void RegisterEngineCommands();
