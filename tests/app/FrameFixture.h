#pragma once
// The frame's core as the program sets it up, over fakes: a settings store, a MIDI service, a
// Ui, a main window view and a launcher, with the frame's commands routed.

#include <gtest/gtest.h>

#include "FakeFrameView.h"
#include "app/FrameCommands.h"
#include "app/FrameView.h"
#include "base/AllState.h"
#include "base/Clock.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/ProgramLauncher.h"
#include "base/SettingsKeys.h"
#include "base/Ui.h"
#include "fakes/FakeMidiService.h"
#include "fakes/FakeProgramLauncher.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDevices.h"

class FixedClock : public Clock {
public:
    std::uint32_t TickCount() override { return 123456; }
};

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        g_ui = &ui;
        g_settingsStore = &store;
        g_midiService = &midi;
        g_frameView = &view;
        g_programLauncher = &launcher;
        g_frameHooks = FrameHooks{};
        g_installedHelpFile.clear();
        ResetCommandRoutes();
        RegisterFrameCommands();
        // Sending a command reaches the dispatch, as in the main window.
        ui.onCommand = [](int command) { DispatchCommand(command); };
    }
    void TearDown() override {
        ResetCommandRoutes();
        g_frameHooks = FrameHooks{};
        g_ui = nullptr;
        g_settingsStore = nullptr;
        g_midiService = nullptr;
        g_frameView = nullptr;
        g_programLauncher = nullptr;
        ResetAllState();
    }

    // The status texts written to one part, in order.
    std::vector<std::string> StatusOf(int part) const {
        std::vector<std::string> texts;
        for (const auto& [p, text] : ui.statusTexts) {
            if (p == part) {
                texts.push_back(text);
            }
        }
        return texts;
    }

    FakeUi ui;
    FakeSettingsStore store;
    FakeMidiService midi;
    FakeFrameView view;
    FakeProgramLauncher launcher;
    FixedClock clock;
};
