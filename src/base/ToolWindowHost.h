#pragma once
// What the windows of a subsystem ask of the frame they live in: an owner for their dialogs, one
// tool window per command toggled by that command, their check marks, and the frame's menu help
// line. The main window implements it, so a subsystem registers its windows without knowing the
// frame.

#include <functional>

class QMenu;
class QWidget;

class ToolWindowHost {
public:
    using ToolWindowFactory = std::function<QWidget*(QWidget* owner)>;

    virtual ~ToolWindowHost() = default;

    // The frame's window: the owner of the tool windows and of the modal dialogs.
    virtual QWidget* HostWidget() = 0;
    // One window at most for the command, made by `factory` when the command first opens it.
    virtual void RegisterToolWindow(int command, ToolWindowFactory factory) = 0;
    // Opens the window, or closes it when it is visible. A window closed but not yet deleted is
    // deleted, and a new one made.
    virtual void ToggleToolWindow(int command) = 0;
    // A tool window closing: its check marks go at once, although the widget goes a little later.
    virtual void ToolWindowClosing(int command) = 0;
    // The command's tool window while it is visible, else null.
    virtual QWidget* VisibleToolWindow(int command) = 0;
    // The status bar's help line follows the items of a tool window's own menu, and says
    // "Ready" again when the menu closes.
    virtual void FollowMenuHelp(QMenu* menu) = 0;
};
