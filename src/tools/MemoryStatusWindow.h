#pragma once
// The "Global memory status..." window: the share of physical memory in use as a bar, read
// again every second while the window is open.

#include <QTimer>

#include "tools/MidiToolWindow.h"

class QProgressBar;

class MemoryStatusWindow : public MidiToolWindow {
public:
    MemoryStatusWindow(QWidget* owner, ToolWindowHost* host);

    QProgressBar* Bar() const { return m_bar; }
    const QTimer& Timer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;
    void Closing() override;

private:
    // Reads the memory status into the bar; a failure is reported once and closes the window.
    bool Refresh();
    void GiveUp(const std::string& message);

    QProgressBar* m_bar = nullptr;
    QTimer m_timer;
    bool m_started = false;
    bool m_givenUp = false;
};
