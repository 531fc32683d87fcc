#include "app/StartUp.h"

#include <cctype>
#include <exception>

#include "app/ExitSequence.h"
#include "app/FrameView.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

std::string CommandLineProjectPath(std::string_view commandLine) {
    if (commandLine.size() <= kMaxCommandLinePath) {
        return std::string(commandLine);
    }
    std::size_t cut = kMaxCommandLinePath;
    while (cut > 0 && (static_cast<unsigned char>(commandLine[cut]) & 0xC0) == 0x80) {
        --cut; // the byte at the cut continues a character: keep that character out whole
    }
    return std::string(commandLine.substr(0, cut));
}

bool IsSysexBankPath(std::string_view path) {
    constexpr std::string_view kExtension = ".syx";
    if (path.size() <= kExtension.size()) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - kExtension.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(end[i])) != kExtension[i]) {
            return false;
        }
    }
    return true;
}

void LoadMidiDeviceSettingsGuarded() {
    try {
        LoadMidiDeviceSettings();
    } catch (const std::exception& e) {
        if (g_ui) {
            g_ui->ShowMessageWithCaption(e.what(), "", MessageIcon::Stop);
        }
    } catch (...) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrFatalMidiStatus), MessageIcon::Stop);
        }
    }
}

void RunStartUpSequence(std::string_view commandLine, const std::function<bool()>& quitRequested) {
    const auto stopped = [&] { return quitRequested && quitRequested(); };
    LoadMidiDeviceSettingsGuarded();
    if (stopped()) {
        return;
    }
    if (g_frameHooks.readAudioDevices) {
        g_frameHooks.readAudioDevices();
    }
    if (g_frameHooks.readSoundEngine) {
        g_frameHooks.readSoundEngine();
    }
    for (int w = 0; w < kToolWindowCount && !stopped(); ++w) {
        if (g_toolWindows[w].openAtExit == 1 && g_ui) {
            g_ui->SendCommand(ToolWindowCommand(static_cast<ToolWindow>(w)));
        }
    }
    if (stopped()) {
        return;
    }
    if (g_frameView) {
        g_frameView->FocusMainWindow();
        g_frameView->AcceptDroppedFiles();
    }
    if (commandLine.empty()) {
        return;
    }
    const std::string path = CommandLineProjectPath(commandLine);
    // A bank read as a project would only be refused as a damaged project.
    if (IsSysexBankPath(path) && g_frameHooks.openStartupBank) {
        g_frameHooks.openStartupBank(path);
    } else if (g_frameHooks.openStartupProject) {
        g_frameHooks.openStartupProject(path);
    }
}
