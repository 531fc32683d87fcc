#pragma once
// The project tests' fixture, the project windows simulated, and a new project's file bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/AllState.h"
#include "fakes/CoreServices.h"
#include "fakes/ExpectedBytes.h"
#include "panel/PanelState.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

using Lines = std::vector<std::string>;

class ProjectTest : public CoreServices {
protected:
    void TearDown() override {
        g_scriptPanes = nullptr;
        CoreServices::TearDown();
    }

    // A fresh start within one test: fakes and state as SetUp leaves them.
    void Restart() {
        TearDown();
        ui = FakeUi{};
        files = FakeFileSystem{};
        SetUp();
    }

    std::int32_t ReadBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        files.files[path] = bytes;
        return SetProjectFile(path) ? ReadProject() : -1;
    }

    // The project windows' toggle commands open (placement valid) and close (placement kept) them.
    void SimulateWindows() {
        ui.onCommand = [this](int command) {
            for (std::size_t w = 0; w < kProjectWindowCommands.size(); ++w) {
                if (kProjectWindowCommands[w] != command) {
                    continue;
                }
                if (ui.openWindows.erase(command)) {
                    g_windowStates[w].placement = ui.windowPlacements[command];
                } else {
                    ui.openWindows.insert(command);
                    g_windowStates[w].placementValid = 1;
                }
            }
        };
    }
};

// The header of a new project's file and its default 7-bit sliders, window states as given.
inline ExpectedBytes ExpectedNewProject(std::string_view name, int sliders, int snapshots) {
    ExpectedBytes e(1636 + 544 * static_cast<std::size_t>(sliders) +
                    1012 * static_cast<std::size_t>(snapshots));
    e.Text(0, "<Ventaro Project File>\r\n");
    e.Text(100, name);
    e.I32(600, sliders);
    e.I32(604, snapshots);
    e.I32(608, 0);
    e.I32(612, 8);
    e.Text(616, "\x90\x3C\x40\x80\x3C\x40"); // start and stop: Note On and Off of C4, 64
    e.I32(624, 16);
    e.Text(644, "test.orc");
    e.Text(904, "test.sco");
    e.Text(1164, "test.wav");
    e.I32(1424, 15);
    for (int i = 0; i < sliders; ++i) {
        const std::size_t at = 1636 + 544 * static_cast<std::size_t>(i);
        e.Text(at, "Slider" + std::to_string(i + 1));
        e.I32(at + 500, 1);
        e.I32(at + 516, 0x3F800000); // its maximum, 1.0f
        e.I32(at + 524, i);
    }
    return e;
}
