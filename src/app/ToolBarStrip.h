#pragma once
// The tool bar strip at the top of the main window: one band with a gripper holding the tool
// bar of the command table, with 32 or 16 pixel buttons, flat ("coolbar") or raised.

#include <QAction>
#include <QMap>
#include <QWidget>
#include <functional>

#include "base/SettingsRecords.h"

class QToolBar;

class ToolBarStrip : public QWidget {
    Q_OBJECT
public:
    ToolBarStrip(QWidget* parent, const GlobalRecord& global, bool projectOpen,
                 std::function<void(int)> onCommand);

    int BandHeight() const { return m_bandHeight; }
    // The button of a command, or the separator with that id; null when there is none.
    QAction* Entry(int id) const;
    void SetPressed(int command, bool pressed);
    void SetState(int command, bool enabled, bool pressed);
    void SetImage(int command, int image);
    void ShowProjectButtons(bool shown);
    QToolBar* ToolBar() const { return m_toolBar; }
    bool Flat() const { return m_flat; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolBar* m_toolBar = nullptr;
    QMap<int, QAction*> m_entries;
    int m_bandHeight = 0;
    bool m_flat = true;
};
