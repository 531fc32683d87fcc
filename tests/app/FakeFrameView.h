#pragma once
// A main window that records what the frame's logic asks of it, in order.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/FrameView.h"

class FakeFrameView : public FrameView {
public:
    void CheckMenuItem(MenuKind menu, int command, bool checked) override {
        Log("check " + Menu(menu) + std::to_string(command) + (checked ? " on" : " off"));
        checks[{menu, command}] = checked;
    }
    void EnableMenuItem(MenuKind menu, int command, bool enabled) override {
        Log("enable " + Menu(menu) + std::to_string(command) + (enabled ? " on" : " off"));
        enabled_[{menu, command}] = enabled;
    }
    bool HasToolBar() override { return hasToolBar; }
    bool HasStatusBar() override { return hasStatusBar; }
    void ShowToolBar(bool shown) override {
        Log(shown ? "toolbar shown" : "toolbar hidden");
        toolBarVisible = shown;
    }
    void ShowStatusBar(bool shown) override {
        Log(shown ? "statusbar shown" : "statusbar hidden");
        statusBarVisible = shown;
    }
    void CreateBars() override {
        Log("create bars");
        hasToolBar = hasStatusBar = true;
        toolBarVisible = statusBarVisible = false;
    }
    void DestroyBars() override {
        Log("destroy bars");
        hasToolBar = hasStatusBar = false;
    }
    void SetToolButtonPressed(int command, bool pressed) override {
        Log("press " + std::to_string(command) + (pressed ? " on" : " off"));
        pressedButtons[command] = pressed;
    }
    void SetToolButtonImage(int command, int image) override {
        Log("image " + std::to_string(command) + " " + std::to_string(image));
        buttonImages[command] = image;
    }
    void Relayout() override { Log("relayout"); }
    void SetTopmost(bool on) override {
        Log(on ? "topmost on" : "topmost off");
        topmost = on;
    }
    bool TrayAvailable() override { return trayAvailable; }
    void HideInTray() override {
        Log("hide in tray");
        trayIcon = true;
    }
    void Minimize() override { Log("minimize"); }
    void RestoreFromTray(bool maximized) override {
        Log(maximized ? "restore maximized" : "restore");
        trayIcon = false;
    }
    void RemoveTrayIcon() override {
        Log("remove tray icon");
        trayIcon = false;
    }
    void FocusMainWindow() override { Log("focus"); }
    void AcceptDroppedFiles() override { Log("accept drops"); }
    WindowPlacement Placement() override { return placement; }
    void RunMidiDevicesDialog() override { Log("midi devices dialog"); }
    void DestroyToolWindow(int command) override { Log("destroy " + std::to_string(command)); }

    bool Checked(int command, MenuKind menu = MenuKind::MenuBar) const {
        const auto it = checks.find({menu, command});
        return it != checks.end() && it->second;
    }

    std::vector<std::string> log;
    std::map<std::pair<MenuKind, int>, bool> checks;
    std::map<std::pair<MenuKind, int>, bool> enabled_;
    std::map<int, bool> pressedButtons;
    std::map<int, int> buttonImages;
    bool hasToolBar = false;
    bool hasStatusBar = false;
    bool toolBarVisible = false;
    bool statusBarVisible = false;
    bool topmost = false;
    bool trayAvailable = false;
    bool trayIcon = false;
    WindowPlacement placement;

private:
    static std::string Menu(MenuKind menu) {
        return menu == MenuKind::MenuBar ? "" : menu == MenuKind::Popup ? "popup " : "tray ";
    }
    void Log(const std::string& line) { log.push_back(line); }
};
