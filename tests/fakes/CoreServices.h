#pragma once
// The services the core reaches, as fakes, installed around one test with the whole state reset
// before and after: the fixture every core test starts from. The MIDI service is the program's
// own routing service over a scripted back end, with the outputs "Out A", "Out B", "Loopback"
// and the inputs "In A", "In B", "Loopback", so tests see the bytes that would reach the wire.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/AllState.h"
#include "base/CommandRouter.h"
#include "base/FileSystem.h"
#include "base/ProgramLauncher.h"
#include "base/SettingsStore.h"
#include "base/Ui.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeMidiBackend.h"
#include "fakes/FakeProgramLauncher.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"

class CoreServices : public ::testing::Test {
protected:
    void SetUp() override {
        Reset(true);
        // A command sent to the main window reaches its route, as in the program.
        ui.onCommand = [](int command) { DispatchCommand(command); };
    }
    void TearDown() override { Reset(false); }
    // The state and the routes afresh, with the fakes installed or taken out.
    void Reset(bool install) {
        g_ui = install ? &ui : nullptr;
        g_settingsStore = install ? &store : nullptr;
        g_fileSystem = install ? &files : nullptr;
        g_programLauncher = install ? &launcher : nullptr;
        g_midiService = install ? midi.get() : nullptr;
        g_midiInputSink = install ? &midiInput : nullptr;
        ResetCommandRoutes();
        ResetAllState();
    }

    // Opens an output straight on the service, for tests of what is sent rather than of the
    // device choice.
    void OpenOutput(int index = 0) { ASSERT_EQ(midi->OpenOutput(index), kMidiOk); }
    // What reached the output ports since the last call, as "B0 07 64" texts.
    std::vector<std::string> Sent() { return ports->TakeSent(); }

    FakeUi ui;
    FakeSettingsStore store;
    FakeFileSystem files;
    FakeProgramLauncher launcher;
    std::shared_ptr<FakePortLog> ports = std::make_shared<FakePortLog>();
    MidiInputQueue midiInput; // outlives the service that writes into it
    std::unique_ptr<RoutedMidiService> midi = [this] {
        std::vector<std::unique_ptr<MidiPortBackend>> backends;
        backends.push_back(
            std::make_unique<FakeMidiBackend>(std::vector<std::string>{"Out A", "Out B"},
                                              std::vector<std::string>{"In A", "In B"}, ports));
        return std::make_unique<RoutedMidiService>(std::move(backends));
    }();
};
