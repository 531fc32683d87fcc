#pragma once
// What the frame's logic asks of the main window it runs in: check marks, the tool bar and
// status bar, the window's stacking, the tray. The Qt main window implements it and only shows
// what it is told; the decisions stay in the core, where tests run them without a screen.

#include <string>

#include "base/SettingsRecords.h"

enum class MenuKind { MenuBar, Popup, Tray };

class FrameView {
public:
    virtual ~FrameView() = default;

    virtual void CheckMenuItem(MenuKind menu, int command, bool checked) = 0;
    virtual void EnableMenuItem(MenuKind menu, int command, bool enabled) = 0;

    // The tool bar strip and the status bar exist from the main window's creation, once the
    // stored settings are read, until they are destroyed (clearing the preferences makes them
    // again).
    virtual bool HasToolBar() = 0;
    virtual bool HasStatusBar() = 0;
    virtual void ShowToolBar(bool shown) = 0;
    virtual void ShowStatusBar(bool shown) = 0;
    // Makes the strip and the status bar ("Ready") from the current preferences.
    virtual void CreateBars() = 0;
    virtual void DestroyBars() = 0;
    // Makes the tool bar strip anew from the current preferences (button size, look), keeping
    // whether it is shown and its buttons' states, and repaints the window.
    virtual void RebuildToolBar() = 0;
    virtual void SetToolButtonPressed(int command, bool pressed) = 0;
    virtual void SetToolButtonImage(int command, int image) = 0;
    // Lays the bars out over the window's width again and rewrites the status parts 1 to 4.
    virtual void Relayout() = 0;

    // Topmost without moving or sizing the window.
    virtual void SetTopmost(bool topmost) = 0;
    virtual bool TrayAvailable() = 0;
    // Hides the window behind a tray icon.
    virtual void HideInTray() = 0;
    virtual void Minimize() = 0;
    // Shows the window again (maximized or restored), focuses it, removes the tray icon.
    virtual void RestoreFromTray(bool maximized) = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void FocusMainWindow() = 0;
    // From now on files dropped from the file manager reach the main window.
    virtual void AcceptDroppedFiles() = 0;
    // The window's placement record as the platform keeps it.
    virtual WindowPlacement Placement() = 0;

    // Opens the modal MIDI devices dialog.
    virtual void RunMidiDevicesDialog() = 0;
    // Destroys a tool window at exit, after its placement was stored.
    virtual void DestroyToolWindow(int command) = 0;
};

// The main window's view; null until the program makes its main window.
extern FrameView* g_frameView;
