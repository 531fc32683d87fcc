#include "app/ExitSequence.h"

#include "app/FrameView.h"
#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "base/SettingsKeys.h"
#include "base/SettingsStore.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"

int ToolWindowCommand(ToolWindow window) {
    switch (window) {
    case kToolAudioRecorder:
        return kCmdAudioRecorder;
    case kToolMidiSend:
        return kCmdSendMidiMessage;
    case kToolGlobalMemory:
        return kCmdGlobalMemory;
    case kToolMidiScope:
        return kCmdMidiScope;
    default:
        return kCmdScratchPad;
    }
}

namespace {

void StopRecorder() {
    if (!g_ui) {
        return;
    }
    const RecorderState state = g_ui->GetRecorderState();
    if (state == RecorderState::Recording ||
        (state == RecorderState::Playing && g_ui->IsWindowOpen(kCmdAudioRecorder))) {
        g_ui->SendCommand(kCmdRecorderStop);
    }
}

} // namespace

void WriteWindowSettings() {
    SettingsStore* store = g_settingsStore;
    const bool keyReady = store && store->CreateKey(kWindowsKey);
    if (keyReady && g_frameView) {
        FrameWindowRecord frame;
        frame.placement = g_frameView->Placement();
        frame.alwaysOnTop = g_frame.alwaysOnTop;
        store->WriteValue(kWindowsKey, kValueFrameWindow, EncodeFrameWindow(frame));
        store->WriteValue(kWindowsKey, kValueBars,
                          EncodeBars({g_frame.toolBarShown, g_frame.statusBarShown}));
    }
    for (int w = 0; w < kToolWindowCount; ++w) {
        const auto window = static_cast<ToolWindow>(w);
        const int command = ToolWindowCommand(window);
        ToolWindowRecord record;
        if (!g_ui || !g_ui->IsWindowOpen(command) ||
            !g_ui->GetWindowPlacement(command, record.placement)) {
            continue;
        }
        if (keyReady) {
            const bool withFilter = window == kToolMidiScope;
            record.open = 1;
            record.filterActiveSensing = withFilter ? g_midiScopeFilterActiveSensing : 0;
            store->WriteValue(kWindowsKey, ToolWindowValueName(window),
                              EncodeToolWindow(record, withFilter));
        }
        if (g_frameView) {
            g_frameView->DestroyToolWindow(command);
        }
    }
}

bool RunExitSequence() {
    if (g_frameHooks.exitProject && !g_frameHooks.exitProject()) {
        return false;
    }
    if (g_frameHooks.closeEngineOnExit && g_frameHooks.closeEngineOnExit() && g_ui) {
        g_ui->SendCommand(kCmdStopEngine);
    }
    if (g_frameHooks.deleteEmbeddedEngineFile) {
        g_frameHooks.deleteEmbeddedEngineFile();
    }
    StopRecorder();
    WriteWindowSettings();
    CloseMidiDevices();
    if (g_frame.inTray == 1 && g_frameView) {
        g_frameView->RemoveTrayIcon();
        g_frame.inTray = 0;
    }
    if (g_ui) {
        g_ui->PostQuit(0);
    }
    return true;
}
