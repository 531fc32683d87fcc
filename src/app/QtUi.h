#pragma once
// The core's Ui in the program: message boxes captioned with the main window's title, the file
// chooser, and the frame services, shown by the main window. Tests script the answers: in
// scripted mode every box is still built (and offered for a screenshot) but never waits.

#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/Ui.h"

class MainWindow;
class QWidget;

class QtUi : public Ui {
public:
    void SetMainWindow(MainWindow* window) { m_window = window; }

    MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok) override;
    void ShowMessageWithCaption(const std::string& text, const std::string& caption,
                                MessageIcon icon) override;
    void SendCommand(int command) override;
    void PostQuit(int code) override;
    void SetWaitCursor(bool waiting) override;
    void SetStatusText(int part, const std::string& text) override;
    void EnableCommand(int command, bool enabled) override;
    bool SelectFile(int mode, std::string& path, std::string& title) override;
    void SetTitle(const std::string& title) override;
    void SetBackground(bool projectOpen) override;
    void EnablePopupCommand(int command, bool enabled) override;
    void SetToolButtonState(int command, bool enabled, bool pressed) override;
    void ShowProjectButtons(bool shown) override;
    bool IsWindowOpen(int command) override;
    bool GetWindowPlacement(int command, WindowPlacement& placement) override;
    RecorderState GetRecorderState() override;
    void AddRecentDocument(const std::string& path) override;

    bool QuitRequested() const { return m_quitRequested; }
    int QuitCode() const { return m_quitCode; }
    // While the message loop runs, a quit ends it (and any modal loop inside it); before, the
    // request is only noted and the program does not start its loop.
    void SetLoopRunning(bool running) { m_loopRunning = running; }

    // The test hook. With scripting on, answers come from `answers` (an empty queue answers
    // Ok, No or Cancel) and file choices from `files` (empty: cancelled).
    struct Shown {
        QString text;
        QString caption;
        MessageIcon icon;
        MessageButtons buttons;
    };
    void SetScripted(bool messages, bool fileChoices = true) {
        m_scripted = messages;
        m_scriptedFiles = fileChoices;
    }
    std::deque<MessageAnswer> answers;
    std::deque<std::string> files;
    std::vector<Shown> shown;
    std::vector<int> fileModes;
    // Called with each box while it is on the screen, before it is answered.
    std::function<void(QWidget* box)> onShown;

private:
    MessageAnswer Answer(QWidget* box, MessageButtons buttons);
    QWidget* Owner() const;

    MainWindow* m_window = nullptr;
    bool m_scripted = false;
    bool m_scriptedFiles = false;
    bool m_loopRunning = false;
    bool m_quitRequested = false;
    int m_quitCode = 0;
    bool m_waiting = false;
};
