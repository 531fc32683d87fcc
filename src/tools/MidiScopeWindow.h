#pragma once
// The MIDIScope: the incoming messages, one coloured line each, on black in the fixed-pitch font,
// newest at the bottom; its right-click menu filters Active Sensing and empties the list.

#include <QAbstractScrollArea>
#include <QTimer>

#include "tools/MidiToolWindow.h"

class QAction;
class QMenu;

// The list's lines, drawn by their numbers in the list: the scroll position is the number of the
// top line, over the list's whole capacity.
class MidiScopeView : public QAbstractScrollArea {
public:
    explicit MidiScopeView(QWidget* parent);
    int LineHeight() const;
    // Whole lines in the view.
    int Page() const;
    // The newest line at the bottom.
    void ScrollToEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void SetRange();
};

class MidiScopeWindow : public MidiToolWindow {
public:
    MidiScopeWindow(QWidget* owner, ToolWindowHost* host);
    // Lines were added: the view follows at the next frame, so that a burst costs one repaint.
    void LinesAdded();
    // The list was emptied.
    void ListCleared();
    MidiScopeView* View() const { return m_view; }
    QMenu* Menu() const { return m_menu; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void Closing() override;

private:
    MidiScopeView* m_view;
    QMenu* m_menu;
    QAction* m_filter;
    QTimer m_refresh;
};

// The window for its command, and the input step that fills it.
void RegisterMidiScope(ToolWindowHost& host);
