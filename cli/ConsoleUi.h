#pragma once
// The core's Ui for ventaro-tool: messages go to stderr, questions are answered No, and the
// frame's services have no window to act on.

#include <cstdio>
#include <string>

#include "base/CommandRouter.h"
#include "base/Ui.h"

class ConsoleUi : public Ui {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageIcon,
                              MessageButtons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void ShowMessageWithCaption(const std::string& text, const std::string&,
                                MessageIcon icon) override {
        ShowMessage(text, icon, MessageButtons::Ok);
    }
    void SendCommand(int command) override { DispatchCommand(command); }
    void PostQuit(int) override {}
    void SetWaitCursor(bool) override {}
    void SetStatusText(int, const std::string&) override {}
    void EnableCommand(int, bool) override {}
    bool SelectFile(int, std::string&, std::string&) override { return false; }
    void SetTitle(const std::string&) override {}
    void SetBackground(bool) override {}
    void EnablePopupCommand(int, bool) override {}
    void SetToolButtonState(int, bool, bool) override {}
    void ShowProjectButtons(bool) override {}
    bool IsWindowOpen(int) override { return false; }
    bool GetWindowPlacement(int, WindowPlacement&) override { return false; }
    RecorderState GetRecorderState() override { return RecorderState::Idle; }
    void AddRecentDocument(const std::string&) override {}
};
