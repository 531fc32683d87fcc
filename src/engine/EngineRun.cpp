#include "engine/EngineRun.h"

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FileSystem.h"
#include "base/Preferences.h"
#include "base/Ui.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

std::int32_t g_engineRunning = 0;
long g_engineProcess = -1;
std::string g_engineFolder;
EngineOutputView* g_engineOutputView = nullptr;

namespace {

void StopTransport() {
    g_transportStopped = 1;
    SendPanelAndTransport();
}

std::string InEngineFolder(const char* file) {
    return g_engineFolder.empty() ? std::string() : g_engineFolder + "/" + file;
}

// Writes one resource of the engine library to its file; false when the library lacks it or the
// file could not be written whole.
bool ExportResource(const char* name, const char* type, const std::string& path, bool executable) {
    if (!g_engineLibrary || !g_fileSystem || path.empty()) {
        return false;
    }
    const std::optional<Bytes> bytes = g_engineLibrary->Resource(name, type);
    return bytes && g_fileSystem->WritePrivateFile(path, *bytes, executable) == FileStatus::Ok;
}

// The support file first, then the engine: the first failure ends the export.
bool ExportEmbeddedEngine() {
    return ExportResource("GLUT_DLL", "GLUT", EngineSupportPath(), false) &&
           ExportResource("SOUNDENGINE", "ENGINE", EmbeddedEnginePath(), true);
}

// With the editor open its text goes into the script documents; then both are saved.
void SaveScriptsBeforeRun() {
    TakePaneTexts();
    for (int i = 0; i < 2; ++i) {
        SaveScript(i);
    }
}

void AppendFile(EngineCommand& command, std::string_view stored, bool besideProject) {
    if (stored.empty()) {
        return;
    }
    command.parameters += ' ';
    command.parameters += stored;
    command.arguments.push_back(besideProject ? ResolveProjectPath(stored) : std::string(stored));
}

// Ends an engine that is still running after the stop signal and its wait, and reaps it.
void EndEngineProcess() {
    if (!g_programLauncher || g_engineProcess < 0) {
        return;
    }
    ProcessExit exit;
    if (g_programLauncher->WaitForExit(g_engineProcess, kEngineStopWaitMs, &exit)) {
        return;
    }
    // Csound does not know the stop signal: it ends cleanly on SIGTERM instead.
    g_programLauncher->Terminate(g_engineProcess, false);
    if (g_programLauncher->WaitForExit(g_engineProcess, kEngineStopWaitMs, &exit)) {
        return;
    }
    if (ForceEngineTermination()) {
        g_programLauncher->Terminate(g_engineProcess, true);
        g_programLauncher->WaitForExit(g_engineProcess, kEngineStopWaitMs, &exit);
    }
}

} // namespace

std::string EmbeddedEnginePath() {
    return InEngineFolder(kEmbeddedEngineFile);
}

std::string EngineSupportPath() {
    return InEngineFolder(kEngineSupportFile);
}

EngineCommand CurrentEngineCommand() {
    EngineCommand command;
    command.program =
        EmbeddedEngineInUse() ? EmbeddedEnginePath() : TextOf(g_soundEngine.programName);
    command.parameters = SelectedFlagsPreset();
    command.arguments = SplitParameters(command.parameters);
    if (g_projectOpen == 1) {
        for (const ScriptPath& path : g_scriptPaths) {
            AppendFile(command, TextOf(path), true);
        }
        command.folder = ResolveProjectPath(".");
    } else {
        AppendFile(command, TextOf(g_environmentFiles.script1), false);
        AppendFile(command, TextOf(g_environmentFiles.script2), false);
    }
    return command;
}

void RunSoundEngine() {
    StopTransport();
    StopSoundEngine();
    if (EmbeddedEngineInUse() && !ExportEmbeddedEngine()) {
        ShowWarning(Str(kStrEngineExportError));
        return;
    }
    if (g_projectOpen == 1 && g_preferences.editor.saveScriptsBeforeRun != 0) {
        SaveScriptsBeforeRun();
    }
    const EngineCommand command = CurrentEngineCommand();
    // A cut command line would start the engine on another file, or none.
    if (command.parameters.size() >= kEngineCommandLineSize) {
        ShowWarning(Str(kStrEngineCommandTooLong) + std::to_string(kEngineCommandLineSize - 1) +
                    ", " + std::to_string(command.parameters.size()) + ".");
        return;
    }
    const ProcessOutput output = !EngineWindowShown() ? ProcessOutput::Discarded
                                 : g_engineOutputView ? ProcessOutput::Piped
                                                      : ProcessOutput::Inherited;
    const KeptProcess process =
        g_programLauncher ? g_programLauncher->LaunchKept(command.program, command.arguments,
                                                          command.folder, output)
                          : KeptProcess{};
    if (process.id < 0) {
        ShowWarning(NotStartedMessage(command.program));
        return;
    }
    g_engineProcess = process.id;
    g_engineRunning = 1;
    if (output == ProcessOutput::Piped) {
        g_engineOutputView->EngineStarted(process, command);
    }
    ShowEngineState();
}

void StopSoundEngine() {
    if (g_engineRunning != 1) {
        return;
    }
    StopTransport();
    if (g_ui) {
        g_ui->SetWaitCursor(true);
    }
    SendShortMessage(kEngineStopStatus, 0x00, 0x00);
    EndEngineProcess();
    if (!ResetMidiDevices()) {
        ShowWarning(Str(kStrDevicesResetError));
    }
    if (EmbeddedEngineInUse()) {
        DeleteEmbeddedEngineProgram();
    }
    if (g_ui) {
        g_ui->SetWaitCursor(false);
    }
    g_engineRunning = 0;
    g_engineProcess = -1;
    ShowEngineState();
}

void DeleteEmbeddedEngineProgram() {
    if (g_fileSystem && !g_engineFolder.empty()) {
        g_fileSystem->RemoveFile(EmbeddedEnginePath());
    }
}

void ShowEngineState() {
    if (!g_ui) {
        return;
    }
    // Stop only while there is an engine to stop; Run pressed while one runs, so the state reads
    // from a distance.
    const bool running = g_engineRunning == 1;
    g_ui->EnableCommand(kCmdStopEngine, running);
    g_ui->EnablePopupCommand(kCmdStopEngine, running);
    g_ui->SetToolButtonState(kCmdRunEngine, true, running);
    g_ui->SetToolButtonState(kCmdStopEngine, running, false);
}

void RegisterEngineCommands() {
    RouteCommand(kCmdRunEngine, RunSoundEngine);
    RouteCommand(kCmdStopEngine, StopSoundEngine);
}

void ResetEngineRunState() {
    g_engineRunning = 0;
    g_engineProcess = -1;
}
