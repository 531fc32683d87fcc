#pragma once
// The frame's core over the core's fakes and a main window view, with its commands routed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FrameCommands.h"
#include "app/FrameView.h"
#include "base/Clock.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"

// A main window that records what the frame's logic asks of it as lines of text, in order; the
// state of a menu item, a button or a bar is what its last line says.
class FakeFrameView : public FrameView {
public:
    void CheckMenuItem(MenuKind menu, int command, bool checked) override {
        Log("check " + Menu(menu) + std::to_string(command) + (checked ? " on" : " off"));
    }
    void EnableMenuItem(MenuKind, int, bool) override {} // only the window calls it
    bool HasToolBar() override { return hasToolBar; }
    bool HasStatusBar() override { return hasStatusBar; }
    void ShowToolBar(bool shown) override { Log(shown ? "toolbar shown" : "toolbar hidden"); }
    void ShowStatusBar(bool shown) override { Log(shown ? "statusbar shown" : "statusbar hidden"); }
    void CreateBars() override { Bars("create bars", true); }
    void DestroyBars() override { Bars("destroy bars", false); }
    void RebuildToolBar() override { Log("rebuild toolbar"); }
    void SetToolButtonPressed(int command, bool pressed) override {
        Log("press " + std::to_string(command) + (pressed ? " on" : " off"));
    }
    void SetToolButtonImage(int command, int image) override {
        Log("image " + std::to_string(command) + " " + std::to_string(image));
    }
    void Relayout() override { Log("relayout"); }
    void SetTopmost(bool on) override { Log(on ? "topmost on" : "topmost off"); }
    bool TrayAvailable() override { return trayAvailable; }
    void HideInTray() override { Log("hide in tray"); }
    void Minimize() override { Log("minimize"); }
    void RestoreFromTray(bool maximized) override {
        Log(maximized ? "restore maximized" : "restore");
    }
    void RemoveTrayIcon() override { Log("remove tray icon"); }
    void FocusMainWindow() override { Log("focus"); }
    void AcceptDroppedFiles() override { Log("accept drops"); }
    WindowPlacement Placement() override { return placement; }
    void RunMidiDevicesDialog() override { Log("midi devices dialog"); }
    void DestroyToolWindow(int command) override { Log("destroy " + std::to_string(command)); }

    // The rest of the last line starting with `what` and a blank: Last("check 800") is "on".
    std::string Last(const std::string& what) const {
        for (auto line = log.rbegin(); line != log.rend(); ++line) {
            if (line->rfind(what + " ", 0) == 0) {
                return line->substr(what.size() + 1);
            }
        }
        return "";
    }

    std::vector<std::string> log;
    bool hasToolBar = false;
    bool hasStatusBar = false;
    bool trayAvailable = false;
    WindowPlacement placement;

private:
    static std::string Menu(MenuKind menu) {
        return menu == MenuKind::MenuBar ? "" : menu == MenuKind::Popup ? "popup " : "tray ";
    }
    void Log(const std::string& line) { log.push_back(line); }
    void Bars(const char* line, bool made) {
        Log(line);
        hasToolBar = hasStatusBar = made;
    }
};

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
