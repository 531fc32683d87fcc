#include "project/ProjectLifecycle.h"

#include <string>

#include "base/CommandIds.h"
#include "base/Preferences.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "panel/PanelViews.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"

namespace {

bool IsOpen(int command) {
    return g_ui->IsWindowOpen(command);
}

// The save question itself, after the change detector has run.
SaveAnswer AskIfChanged() {
    if (g_projectDirty != 1) {
        return SaveAnswer::Continue;
    }
    const std::string question = std::string(TextOf(g_projectName)) + Str(kStrNotSavedQuestion);
    switch (g_ui->ShowMessage(question, MessageIcon::Warning, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return WriteProject() == 1 ? SaveAnswer::Continue : SaveAnswer::Abort;
    case MessageAnswer::No:
        return SaveAnswer::Continue;
    default:
        return SaveAnswer::Abort;
    }
}

// The recorder is stopped before the project it records for changes.
void StopRecorder(bool recordingOnlyWithWindow) {
    const RecorderState state = g_ui->GetRecorderState();
    const bool stop = state == RecorderState::Playing ||
                      (state == RecorderState::Recording &&
                       (!recordingOnlyWithWindow || IsOpen(kCmdAudioRecorder)));
    if (stop) {
        g_ui->SendCommand(kCommandRecorderStop);
    }
}

void CloseIfOpen(int command) {
    if (IsOpen(command)) {
        g_ui->SendCommand(command);
    }
}

void ReadChosenProject(std::string_view path) {
    if (!SetProjectFile(path)) {
        // A path longer than the field cannot be opened under its own name.
        g_ui->ShowMessage(Str(kStrFileOpenError), MessageIcon::Warning);
        return;
    }
    ReadProject();
}

// Open, Drop and New begin alike: the prompt, then the open project is closed.
bool LeaveCurrentProject() {
    if (AskToSaveChanges() == SaveAnswer::Abort) {
        return false;
    }
    if (g_projectOpen == 1) {
        CloseProject(TextOf(g_projectPath));
    }
    ClearProjectFile();
    return true;
}

} // namespace

SaveAnswer AskToSaveChanges() {
    DetectProjectChanges();
    return AskIfChanged();
}

void CloseProject(std::string_view path) {
    for (int command : {kCmdCloseProject, kCmdSaveProject, kCmdSaveProjectAs}) {
        g_ui->EnableCommand(command, false);
    }
    g_ui->EnablePopupCommand(kCmdSaveProject, false);
    g_ui->AddRecentDocument(std::string(path));
    g_projectUntitled = 0;
    g_projectDirty = 0;
    g_projectOpen = 0;
    g_ui->ShowProjectButtons(false);
    StopRecorder(true);
    g_ui->SendCommand(kCmdStopEngine);
    CloseIfOpen(kCmdVirtualPanel);
    CloseIfOpen(kCmdGestureWindow);
    CloseIfOpen(kCmdProjectManager);
    for (int command : {kCmdProjectManager, kCmdVirtualPanel, kCmdGestureWindow,
                        kCmdPanelProperties, kCmdSnapshotManager, kCmdStart}) {
        g_ui->EnableCommand(command, false);
    }
    CloseIfOpen(kCmdScriptEditor);
    g_ui->EnableCommand(kCmdScriptEditor, false);
    g_ui->EnableCommand(kCmdFindSlider, false);
    for (int command :
         {kCmdVirtualPanel, kCmdGestureWindow, kCmdProjectManager, kCmdScriptEditor}) {
        g_ui->EnablePopupCommand(command, false);
    }
    g_ui->SetTitle(Str(kStrTitle));
    g_ui->SetBackground(false);
    ResetProjectDefaults();
    ResetWindowStates();
}

void ProjectOpened() {
    g_ui->SetBackground(true);
    for (int command : {kCmdCloseProject, kCmdSaveProject, kCmdSaveProjectAs}) {
        g_ui->EnableCommand(command, true);
    }
    g_ui->EnablePopupCommand(kCmdSaveProject, true);
    g_projectOpen = 1;
    g_ui->ShowProjectButtons(true);
    StopRecorder(false);
    g_ui->SendCommand(kCmdStopEngine);
    for (int command :
         {kCmdPanelProperties, kCmdSnapshotManager, kCmdStart, kCmdScriptEditor, kCmdFindSlider}) {
        g_ui->EnableCommand(command, true);
    }
    for (int command :
         {kCmdVirtualPanel, kCmdGestureWindow, kCmdProjectManager, kCmdScriptEditor}) {
        g_ui->EnablePopupCommand(command, true);
    }
    // The windows reopen in this order, each applying its stored placement as it opens.
    if (g_windowStates[kWindowScriptEditor].visible == 1) {
        g_ui->SendCommand(kCmdScriptEditor);
    }
    for (int window : {kWindowProjectManager, kWindowVirtualPanel, kWindowGesture}) {
        const int command = kProjectWindowCommands[static_cast<std::size_t>(window)];
        g_ui->EnableCommand(command, true);
        if (g_windowStates[static_cast<std::size_t>(window)].visible == 1) {
            g_ui->SendCommand(command);
        }
    }
}

bool BeginNewProject() {
    OpenMidiDevices();
    return LeaveCurrentProject();
}

void OpenProjectCommand() {
    if (!LeaveCurrentProject()) {
        return;
    }
    std::string path;
    std::string title;
    if (!g_ui->SelectFile(3, path, title)) {
        return;
    }
    ReadChosenProject(path);
}

void CloseProjectCommand() {
    if (AskToSaveChanges() == SaveAnswer::Abort) {
        return;
    }
    CloseProject(TextOf(g_projectPath));
}

void SaveProjectCommand() {
    WriteProject();
    // The manager's tree shows the project's file; it is rebuilt for the new one, in place, as
    // Ctrl+S may come from a key pressed in the manager itself.
    RebuildProjectManager(ProjectBranch::None);
}

void SaveProjectAsCommand() {
    g_projectUntitled = 1;
    SaveProjectCommand();
}

bool ExitProject() {
    DetectProjectChanges();
    if (g_projectDirty == 1 && g_frame.inTray == 1) {
        g_ui->SendCommand(kCmdRestore);
    }
    if (AskIfChanged() == SaveAnswer::Abort) {
        return false;
    }
    if (g_projectOpen == 1) {
        const std::string path(TextOf(g_projectPath));
        CloseProject(path);
        g_ui->AddRecentDocument(path);
    }
    return true;
}

void DropProjectFile(std::string_view path) {
    if (!LeaveCurrentProject()) {
        return;
    }
    ReadChosenProject(path);
}

void OpenStartupProject(std::string_view path) {
    ReadChosenProject(path);
}
