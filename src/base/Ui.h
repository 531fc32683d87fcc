#pragma once
// The core's window onto the user: message boxes, file choosers and the few frame services that
// the platform-free logic needs. The Qt program implements it; tests script it.

#include <string>

#include "base/SettingsRecords.h"

enum class MessageIcon { Warning, Stop, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };
enum class RecorderState { Idle, Playing, Recording };

class Ui {
public:
    virtual ~Ui() = default;

    // A message box owned by the main window, captioned with the main window title.
    virtual MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    // A message box without owner and with the given caption (used for start-up exceptions).
    virtual void ShowMessageWithCaption(const std::string& text, const std::string& caption,
                                        MessageIcon icon) = 0;
    // Sends a command to the main window, as a menu item would.
    virtual void SendCommand(int command) = 0;
    // Asks the message loop to end with the given code.
    virtual void PostQuit(int code) = 0;
    virtual void SetWaitCursor(bool waiting) = 0;
    // Writes one part of the main window's status bar, when it has one.
    virtual void SetStatusText(int part, const std::string& text) = 0;
    // Enables or grays a command in the main window's menus.
    virtual void EnableCommand(int command, bool enabled) = 0;
    // The shared file chooser in its nine modes; false when the user cancels. `path` receives
    // the chosen path, `title` its file title.
    virtual bool SelectFile(int mode, std::string& path, std::string& title) = 0;

    // Frame services of the project lifecycle.
    // The main window's title bar text.
    virtual void SetTitle(const std::string& title) = 0;
    // The background (the "WallPaper1" pattern without a project, dark blue with one); the main
    // window is repainted and its children laid out again.
    virtual void SetBackground(bool projectOpen) = 0;
    // Enables or grays a command in the right-click menu.
    virtual void EnablePopupCommand(int command, bool enabled) = 0;
    // Enables or grays a command's tool bar button and shows it pressed or not; nothing when
    // there is no tool bar or no such button.
    virtual void SetToolButtonState(int command, bool enabled, bool pressed) = 0;
    // Shows (and enables) or hides the tool bar buttons that need a project: 500, 65000, 15000,
    // 61000, 14000, 27000 and the separators 334 and 333; nothing when there is no tool bar.
    virtual void ShowProjectButtons(bool shown) = 0;
    // Whether the tool window of a toggle command (15000, 61000, 14000, 27000, 18000) is open.
    virtual bool IsWindowOpen(int command) = 0;
    // The current placement of an open tool window; false when it is not open.
    virtual bool GetWindowPlacement(int command, WindowPlacement& placement) = 0;
    virtual RecorderState GetRecorderState() = 0;
    // Adds a path to the desktop's recent documents, where the desktop keeps such a list.
    virtual void AddRecentDocument(const std::string& path) = 0;
};

// The Ui the core reports to; null until the program (or a test) installs one.
extern Ui* g_ui;

// A warning in the main window's message box, when there is a user to tell.
void ShowWarning(const std::string& text);
// A Yes/No question with this icon. Without a user to ask, nothing is taken on trust: false.
bool AskYesNo(const std::string& text, MessageIcon icon);
