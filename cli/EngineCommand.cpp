// ventaro-tool engine cmdline [FILE.vtp] | run FILE.vtp [--seconds N]

#include <QString>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "Commands.h"
#include "ConsoleUi.h"
#include "ToolArgs.h"
#include "base/FileSettingsStore.h"
#include "base/PlatformPaths.h"
#include "base/PosixFileSystem.h"
#include "base/PosixProgramLauncher.h"
#include "base/Preferences.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "engine/ResourceEngineLibrary.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPollMs = 50;
std::atomic<bool> g_interrupted{false};

// The engine library beside the program: the tool sits beside it or one folder down (cli/).
std::unique_ptr<EngineLibrary> LoadEngineLibrary() {
    std::error_code error;
    const fs::path tool = fs::read_symlink("/proc/self/exe", error).parent_path();
    for (const fs::path& folder : {tool, tool.parent_path()}) {
        const fs::path file = folder / kEngineLibraryFile;
        if (fs::exists(file, error)) {
            return ResourceEngineLibrary::Load(QString::fromStdString(file.string()));
        }
    }
    return nullptr;
}

// The services and the stored settings, as the program has them after its start-up.
class EngineSession {
public:
    EngineSession() : m_store(FileSettingsStore::UserRoot()) {
        g_ui = &m_ui;
        g_settingsStore = &m_store;
        g_fileSystem = &m_files;
        g_programLauncher = &m_launcher;
        g_engineFolder = EmbeddedEngineFolder().string();
        g_engineLibrary = m_library.get();
        SetPreferenceDefaults();
        ReadPreferences();
        SetEngineSettingsDefaults();
        ReadSoundEngineSettings();
        ReadEnvironmentFiles();
        RegisterEngineCommands();
    }
    ~EngineSession() {
        g_engineLibrary = nullptr;
        g_midiService = nullptr;
        g_programLauncher = nullptr;
        g_fileSystem = nullptr;
        g_settingsStore = nullptr;
        g_ui = nullptr;
    }
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    bool OpenProject(const std::string& path) { return SetProjectFile(path) && ReadProject() == 1; }
    // The "Ventaro.2" output the engine listens to, which carries the stop signal.
    bool OpenEngineOutput() {
        m_midi = CreatePlatformMidiService();
        g_midiService = m_midi.get();
        m_midi->OutputCount();
        const int index = FindMidiOutput(Str(kStrProductName));
        if (index < 0 || m_midi->OpenOutput(index) != kMidiOk) {
            std::fprintf(stderr, "%s\"%s\" could not be opened.\n",
                         Str(kStrMidiOutputError).c_str(), Str(kStrProductName).c_str());
            return false;
        }
        return true;
    }
    PosixProgramLauncher& Launcher() { return m_launcher; }

private:
    std::unique_ptr<EngineLibrary> m_library = LoadEngineLibrary();
    ConsoleUi m_ui;
    FileSettingsStore m_store;
    PosixFileSystem m_files;
    PosixProgramLauncher m_launcher;
    std::unique_ptr<MidiService> m_midi;
};

int PrintCommandLine(const Args& args) {
    if (args.size() > 2) {
        return Usage();
    }
    EngineSession session;
    if (args.size() == 2 && !session.OpenProject(args[1])) {
        return 1;
    }
    const EngineCommand command = CurrentEngineCommand();
    std::printf("%s\n%s\n", command.program.c_str(), command.parameters.c_str());
    return 0;
}

int RunEngine(const Args& args) {
    double seconds = -1;
    if (args.size() == 4 && args[2] == "--seconds") {
        const auto parsed = ParseInteger(args[3], 1, 86400);
        if (!parsed) {
            return Usage();
        }
        seconds = static_cast<double>(*parsed);
    } else if (args.size() != 2) {
        return Usage();
    }
    EngineSession session;
    if (!EngineLibraryLoaded()) {
        std::fprintf(stderr, "%s\n", Str(kStrEngineExportError).c_str());
        return 1;
    }
    if (!session.OpenProject(args[1]) || !session.OpenEngineOutput()) {
        return 1;
    }
    // Run as the program does, with the embedded engine and its output on ours.
    g_soundEngine.useEmbedded = 1;
    g_soundEngine.viewWindow = 1;
    g_preferences.editor.saveScriptsBeforeRun = 0; // the tool never rewrites the user's files
    std::signal(SIGINT, [](int) { g_interrupted = true; });
    RunSoundEngine();
    if (g_engineRunning != 1) {
        return 1;
    }
    const long engine = g_engineProcess;
    ProcessExit exit;
    bool ended = false;
    for (double waited = 0; !g_interrupted && (seconds < 0 || waited < seconds) && !ended;
         waited += kPollMs / 1000.0) {
        ended = session.Launcher().WaitForExit(engine, kPollMs, &exit);
    }
    StopSoundEngine();
    if (!ended && !session.Launcher().WaitForExit(engine, 0, &exit)) {
        // Stop could not end it (deaf to SIGTERM): say which program is left running.
        std::fprintf(stderr, "%s%s\n", Str(kStrEngineRunning).c_str(),
                     EmbeddedEnginePath().c_str());
        return 1;
    }
    if (exit.signalled || exit.code != 0) {
        std::fprintf(stderr, "%s%d.\n",
                     Str(exit.signalled ? kStrEngineExitSignal : kStrEngineExitCode).c_str(),
                     exit.code);
        return 1;
    }
    return 0;
}

} // namespace

int RunEngineCommand(const Args& args) {
    if (args.empty()) {
        return Usage();
    }
    if (args[0] == "cmdline") {
        return PrintCommandLine(args);
    }
    if (args[0] == "run" && args.size() >= 2) {
        return RunEngine(args);
    }
    return Usage();
}
