#pragma once
// The frame as far as a benchmark of one tool window needs it: an owner, and the one window
// its command toggles.

#include <QWidget>

#include "base/ToolWindowHost.h"

class BenchToolHost : public ToolWindowHost {
public:
    QWidget* HostWidget() override { return &m_frame; }
    void RegisterToolWindow(int, ToolWindowFactory factory) override {
        m_factory = std::move(factory);
    }
    void ToggleToolWindow(int) override {
        if (m_window && m_window->isVisible()) {
            m_window->close();
            return;
        }
        if (!m_window) {
            m_window = m_factory(&m_frame);
        }
        m_window->show();
    }
    void ToolWindowClosing(int) override {}
    QWidget* VisibleToolWindow(int) override {
        return m_window && m_window->isVisible() ? m_window : nullptr;
    }
    void FollowMenuHelp(QMenu*) override {}

private:
    QWidget m_frame;
    ToolWindowFactory m_factory;
    QWidget* m_window = nullptr;
};
