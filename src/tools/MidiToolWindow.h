#pragma once
// The frame of every MIDI tool window: a tool window of the main window that opens on its stored
// placement or else on its default position, and at the user's close stores its record and
// clears its check marks.

#include <QWidget>

#include "base/Preferences.h"

class ToolWindowHost;

class MidiToolWindow : public QWidget {
public:
    MidiToolWindow(QWidget* owner, ToolWindowHost* host, int command, ToolWindow tool);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window, as Cancel ends a dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // The window's own steps of closing (a timer stopped), before its record is stored.
    virtual void Closing() {}
    ToolWindowHost* Host() const { return m_host; }

private:
    void PlaceAtOpening();

    ToolWindowHost* m_host;
    int m_command;
    ToolWindow m_tool;
    bool m_placed = false;
};

// The outer width of the command's tool window while it is visible, else 0.
int VisibleToolWindowWidth(ToolWindowHost* host, int command);
