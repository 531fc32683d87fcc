#pragma once
// A Ui that records what the core shows and answers questions from a script.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Ui.h"

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    std::string caption;     // empty for messages captioned with the main window title
    bool ownCaption = false; // shown with a caption of its own (possibly empty)
};

class FakeUi : public Ui {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, icon, buttons, {}});
        if (answers.empty()) {
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessageWithCaption(const std::string& text, const std::string& caption,
                                MessageIcon icon) override {
        messages.push_back({text, icon, MessageButtons::Ok, caption, true});
    }
    void SendCommand(int command) override {
        commands.push_back(command);
        if (onCommand) {
            onCommand(command);
        }
    }
    void PostQuit(int code) override { quitCodes.push_back(code); }
    void SetWaitCursor(bool waiting) override { waitCursor = waiting; }
    void SetStatusText(int part, const std::string& text) override {
        statusTexts.emplace_back(part, text);
    }
    void EnableCommand(int command, bool enabled) override {
        enabledCommands.emplace_back(command, enabled);
    }

    bool SelectFile(int mode, std::string& path, std::string& title) override {
        fileModes.push_back(mode);
        if (chosenFiles.empty()) {
            return false;
        }
        path = chosenFiles.front();
        chosenFiles.pop_front();
        const std::size_t slash = path.find_last_of("/\\");
        title = slash == std::string::npos ? path : path.substr(slash + 1);
        return true;
    }

    void SetTitle(const std::string& text) override { titles.push_back(text); }
    void SetBackground(bool) override {}
    void EnablePopupCommand(int, bool) override {}
    void SetToolButtonState(int command, bool enabled, bool pressed) override {
        toolButtons[command] = {enabled, pressed};
    }
    void ShowProjectButtons(bool shown) override { projectButtons.push_back(shown); }
    bool IsWindowOpen(int command) override { return openWindows.count(command) > 0; }
    bool GetWindowPlacement(int command, WindowPlacement& placement) override {
        placement = windowPlacements[command];
        return openWindows.count(command) > 0;
    }
    RecorderState GetRecorderState() override { return recorderState; }
    void AddRecentDocument(const std::string& path) override { recentDocuments.push_back(path); }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        std::ranges::transform(messages, std::back_inserter(texts), &ShownMessage::text);
        return texts;
    }

    std::deque<MessageAnswer> answers;
    std::deque<std::string> chosenFiles; // answers of SelectFile; none left = Cancel
    std::vector<ShownMessage> messages;
    std::vector<int> fileModes, commands, quitCodes;
    std::vector<std::pair<int, std::string>> statusTexts;
    std::vector<std::pair<int, bool>> enabledCommands;
    std::map<int, std::pair<bool, bool>> toolButtons; // enabled, pressed
    bool waitCursor = false;
    // Called after each SendCommand is recorded: a test can make commands open and close windows.
    std::function<void(int)> onCommand;
    std::vector<std::string> titles, recentDocuments;
    std::vector<bool> projectButtons;
    std::set<int> openWindows;
    std::map<int, WindowPlacement> windowPlacements;
    RecorderState recorderState = RecorderState::Idle;
};
