#pragma once
// A Ui that records what the core shows and answers questions from a script.

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app/Ui.h"

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    std::string caption; // empty for messages captioned with the main window title
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
        messages.push_back({text, icon, MessageButtons::Ok, caption});
    }
    void SendCommand(int command) override { commands.push_back(command); }
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

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    std::deque<MessageAnswer> answers;
    std::deque<std::string> chosenFiles; // answers of SelectFile; none left = Cancel
    std::vector<int> fileModes;
    std::vector<ShownMessage> messages;
    std::vector<int> commands;
    std::vector<int> quitCodes;
    std::vector<std::pair<int, std::string>> statusTexts;
    std::vector<std::pair<int, bool>> enabledCommands;
    bool waitCursor = false;
};
