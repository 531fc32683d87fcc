#pragma once
// The frame's core as the program sets it up over the core's fakes and a main window view, with
// the frame's commands routed.

#include <gtest/gtest.h>

#include "FakeFrameView.h"
#include "app/FrameCommands.h"
#include "app/FrameView.h"
#include "base/Clock.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"

class FixedClock : public Clock {
public:
    std::uint32_t TickCount() override { return 123456; }
};

class FrameFixture : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        g_frameView = &view;
        g_frameHooks = FrameHooks{};
        g_installedHelpFile.clear();
        RegisterFrameCommands();
    }
    void TearDown() override {
        g_frameHooks = FrameHooks{};
        g_frameView = nullptr;
        CoreServices::TearDown();
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

    FakeFrameView view;
    FixedClock clock;
};

// The frame after its creation, with what the creation showed and sent forgotten.
class CreatedFrame : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        CreateFrameState(clock);
        view.log.clear();
        ui.statusTexts.clear();
        ui.commands.clear();
    }
};
