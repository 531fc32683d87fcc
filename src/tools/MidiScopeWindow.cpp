#include "tools/MidiScopeWindow.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "resources/Strings.h"
#include "tools/MidiScope.h"

namespace {

// The scroll range covers the list's capacity, not its count, so that the newest line sits at
// the bottom of a full view from the start.
constexpr int kScrollRange = 32767;
// A repaint per frame at most, however dense the input.
constexpr int kFrameMs = 16;
// The longest line, "... (Unknown MIDI message)", in sight at the first opening.
constexpr int kScopeLineChars = 49;

QColor ColourOf(const ScopeColour& colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

MidiScopeView::MidiScopeView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    viewport()->setFont(font());
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Window, Qt::black);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    SetRange();
}

int MidiScopeView::LineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int MidiScopeView::Page() const {
    return viewport()->height() / LineHeight();
}

void MidiScopeView::SetRange() {
    const int page = Page();
    verticalScrollBar()->setPageStep(std::max(1, page));
    verticalScrollBar()->setRange(0, std::max(0, kScrollRange + 1 - page));
}

void MidiScopeView::ScrollToEnd() {
    verticalScrollBar()->setValue(static_cast<int>(g_scopeLines.size()) - Page());
}

void MidiScopeView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const int lineHeight = LineHeight();
    const int position = verticalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    const QRect area = event->rect();
    const int first = std::max(0, area.top() / lineHeight + position);
    const int last = std::min({kScrollRange, area.bottom() / lineHeight + position,
                               static_cast<int>(g_scopeLines.size()) - 1});
    for (int index = first; index <= last; ++index) {
        const ScopeLine& line = g_scopeLines[static_cast<std::size_t>(index)];
        painter.setPen(ColourOf(line.colour));
        painter.drawText(0, (index - position) * lineHeight + ascent, ToQt(line.text));
    }
}

void MidiScopeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SetRange();
}

void MidiScopeView::scrollContentsBy(int, int dy) {
    viewport()->scroll(0, dy * LineHeight());
}

MidiScopeWindow::MidiScopeWindow(QWidget* owner, ToolWindowHost* host)
    : MidiToolWindow(owner, host, kCmdMidiScope, kToolMidiScope), m_view(new MidiScopeView(this)),
      m_menu(new QMenu(this)) {
    setWindowTitle(ToQt(Str(kStrScopeTitle)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    const QFontMetrics metrics(m_view->font());
    resize(metrics.horizontalAdvance(QString(kScopeLineChars, QLatin1Char('0'))) +
               m_view->verticalScrollBar()->sizeHint().width() + 4,
           m_view->LineHeight() * 16 + 4);

    m_filter = m_menu->addAction(ToQt(Str(kStrScopeFilterItem)), this, [this](bool checked) {
        g_midiScopeFilterActiveSensing = checked ? 1 : 0;
    });
    m_filter->setCheckable(true);
    m_filter->setData(kCmdScopeFilterActiveSensing);
    QAction* clear = m_menu->addAction(ToQt(Str(kStrScopeClearItem)), this, [this] {
        ClearScopeList();
        ListCleared();
    });
    clear->setData(kCmdScopeClearList);
    if (host) {
        host->FollowMenuHelp(m_menu);
    }

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(kFrameMs);
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        m_view->ScrollToEnd();
        m_view->viewport()->update();
    });
}

void MidiScopeWindow::LinesAdded() {
    if (!m_refresh.isActive()) {
        m_refresh.start();
    }
}

void MidiScopeWindow::ListCleared() {
    m_refresh.stop();
    m_view->viewport()->update();
    m_view->verticalScrollBar()->setValue(-m_view->Page());
}

void MidiScopeWindow::showEvent(QShowEvent* event) {
    MidiToolWindow::showEvent(event);
    m_filter->setChecked(g_midiScopeFilterActiveSensing != 0);
    m_view->ScrollToEnd();
}

void MidiScopeWindow::contextMenuEvent(QContextMenuEvent* event) {
    m_filter->setChecked(g_midiScopeFilterActiveSensing != 0);
    m_menu->popup(event->globalPos());
}

void MidiScopeWindow::Closing() {
    m_refresh.stop();
}

void RegisterMidiScope(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(
        kCmdMidiScope, [owner](QWidget* parent) { return new MidiScopeWindow(parent, owner); });
    g_frameHooks.midiInput = [owner](const MidiInputEvent& event) {
        auto* scope = dynamic_cast<MidiScopeWindow*>(owner->VisibleToolWindow(kCmdMidiScope));
        const std::size_t before = g_scopeLines.size();
        if (ScopeMidiInput(event, scope != nullptr)) {
            if (g_scopeLines.size() < before) {
                scope->ListCleared();
            }
            scope->LinesAdded();
        }
    };
}
