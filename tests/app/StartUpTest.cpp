#include <algorithm>
#include <stdexcept>
#include <utility>

#include "FrameFixture.h"
#include "app/StartUp.h"
#include "base/CommandIds.h"
#include "midi/MidiDeviceChoice.h"

namespace {

// A store that throws, as a broken platform service might: a standard exception, or any other.
struct ThrowingStore : FakeSettingsStore {
    bool KeyExists(const std::string&) override {
        if (throwStandard) {
            throw std::runtime_error("the settings service went away");
        }
        throw 42;
    }
    bool throwStandard = true;
};

} // namespace

TEST(CommandLine, AProjectPathIsTakenAsItStandsCutAtTheFieldsTwoHundredFiftyNineCharacters) {
    EXPECT_EQ(CommandLineProjectPath("\"D:\\Music\\Demo.vtp\""), "\"D:\\Music\\Demo.vtp\"");
    EXPECT_EQ(CommandLineProjectPath("/home/me/My Demo.vtp"), "/home/me/My Demo.vtp");
    const std::string exact(259, 'a');
    EXPECT_EQ(CommandLineProjectPath(exact), exact); // the start-up test sees a longer one cut
    // A two-byte character across the cut stays out whole rather than half.
    const std::string split = std::string(258, 'a') + "\xC3\xA9" + "z";
    EXPECT_EQ(CommandLineProjectPath(split), std::string(258, 'a'));
}

TEST(CommandLine, OnlyAFileEndingInSyxInAnyCaseIsABank) {
    for (const char* bank : {"/home/me/BANK.SYX", "a.SyX"}) {
        EXPECT_TRUE(IsSysexBankPath(bank)) << bank;
    }
    for (const char* other : {"bank.syx.vtp", ".syx", "bank.sysx"}) {
        EXPECT_FALSE(IsSysexBankPath(other)) << other;
    }
}

class StartUp : public CreatedFrame {
protected:
    void Run(std::string_view commandLine = "") {
        RunStartUpSequence(commandLine, [this] { return !ui.quitCodes.empty(); });
    }
};

TEST_F(StartUp, AFirstStartOpensTheDevicesDialogWhoseCancelEndsTheProgram) {
    ui.onCommand = [](int command) {
        DispatchCommand(command);
        ASSERT_TRUE(OpenMidiDevicesChoice().has_value());
        CancelMidiDevicesChoice();
    };
    g_toolWindows[kToolMidiScope].openAtExit = 1;
    Run("/some/project.vtp");
    ASSERT_EQ(ui.messages.size(), 2u); // the first start's, then Cancel's as the device tests say
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    // The program ends: no tool window opens, no project is read.
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdMidiDevices}));
    EXPECT_EQ(view.log, (std::vector<std::string>{"midi devices dialog"}));
}

TEST_F(StartUp, AStandardExceptionIsShownAndStartUpGoesOnAnyOtherIsTheFatalMidiStatus) {
    ThrowingStore throwing;
    g_settingsStore = &throwing;
    Run();
    EXPECT_EQ(view.log, (std::vector<std::string>{"focus", "accept drops"}));
    throwing.throwStandard = false;
    Run();
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"the settings service went away",
                                        "A fatal error occurred while reading MIDI status"}));
    // An empty caption, not the main window title.
    EXPECT_TRUE(ui.messages[0].ownCaption && ui.messages[0].caption.empty());
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Stop);
}

TEST_F(StartUp, AStoredChoiceOpensTheDevicesThenTheEngineSettingsTheToolWindowsAndTheProject) {
    store.Put(kSettingsKey, "MIDIDevices", EncodeMidiDeviceSettings({0, 1, -1}));
    std::vector<std::string> steps;
    g_frameHooks.readAudioDevices = [&] { steps.push_back("AudioDevices"); };
    g_frameHooks.readSoundEngine = [&] { steps.push_back("SoundEngine"); };
    g_frameHooks.openStartupProject = [&](std::string_view path) { steps.emplace_back(path); };
    ui.onCommand = [&](int command) { steps.push_back(std::to_string(command)); };
    for (ToolWindowSettings& window : g_toolWindows) {
        window.openAtExit = 1;
    }
    g_toolWindows[kToolGlobalMemory].openAtExit = 0;
    Run(std::string(300, 'p')); // cut at the field's 259 characters
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(g_midiOutputStatusText + ", " + g_midiInputStatusText, "Out: Out B, In: none");
    EXPECT_EQ(steps, (std::vector<std::string>{"AudioDevices", "SoundEngine", "18000", "55000",
                                               "58000", "59000", std::string(259, 'p')}));
    std::vector<std::string> withoutProject(steps.begin(), steps.end() - 1);
    steps.clear();
    Run("");
    EXPECT_EQ(steps, withoutProject);
    // A bank goes to the scratchpad, never into the project reader.
    g_frameHooks.openStartupBank = [&](std::string_view path) {
        steps.push_back("bank " + std::string(path));
    };
    steps.clear();
    Run("/home/me/Bank.SYX");
    EXPECT_EQ(steps.back(), "bank /home/me/Bank.SYX");
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "/home/me/Bank.SYX"), 0);
}
