#pragma once
// A main window that records what the frame's logic asks of it as lines of text, in order; the
// state of a menu item, a button or a bar is what its last line says.

#include <string>
#include <vector>

#include "app/FrameView.h"

class FakeFrameView : public FrameView {
public:
    void CheckMenuItem(MenuKind menu, int command, bool checked) override {
        Log("check " + Menu(menu) + std::to_string(command) + (checked ? " on" : " off"));
    }
    void EnableMenuItem(MenuKind menu, int command, bool enabled) override {
        Log("enable " + Menu(menu) + std::to_string(command) + (enabled ? " on" : " off"));
    }
    bool HasToolBar() override { return hasToolBar; }
    bool HasStatusBar() override { return hasStatusBar; }
    void ShowToolBar(bool shown) override { Log(shown ? "toolbar shown" : "toolbar hidden"); }
    void ShowStatusBar(bool shown) override { Log(shown ? "statusbar shown" : "statusbar hidden"); }
    void CreateBars() override {
        Log("create bars");
        hasToolBar = hasStatusBar = true;
    }
    void DestroyBars() override {
        Log("destroy bars");
        hasToolBar = hasStatusBar = false;
    }
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

    // The rest of the last line that starts with `what` and a blank ("on", "shown", an image
    // number), or "" when no line does: Last("check popup 58000") is "on" while it is checked.
    std::string Last(const std::string& what) const {
        for (auto line = log.rbegin(); line != log.rend(); ++line) {
            if (line->rfind(what + " ", 0) == 0) {
                return line->substr(what.size() + 1);
            }
        }
        return "";
    }
    bool On(const std::string& what) const { return Last(what) == "on"; }

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
};
