#include "app/ToolBarStrip.h"

#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include "app/CommandTable.h"
#include "app/FrameLayout.h"
#include "base/QtText.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {
constexpr int kGripperWidth = 10;
constexpr int kMinimumChildWidth = 256;
} // namespace

ToolBarStrip::ToolBarStrip(QWidget* parent, const GlobalRecord& global, bool projectOpen,
                           std::function<void(int)> onCommand)
    : QWidget(parent), m_bandHeight(ToolBandHeight(global)),
      m_flat(global.toolBarLook == kFlatToolBar) {
    setObjectName("ToolBarStrip");
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    const int iconSize = ToolButtonSize(global);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setIconSize(QSize(iconSize, iconSize));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setMinimumWidth(kMinimumChildWidth);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    for (const ToolBarEntry& entry : ToolBarLayout()) {
        QAction* action = nullptr;
        if (entry.separator) {
            action = m_toolBar->addSeparator();
        } else {
            const CommandRow* row = FindCommand(entry.id);
            action = m_toolBar->addAction(ToolBarIcon(row->toolBarImage), ToQt(Str(entry.id)));
            action->setToolTip(ToQt(Str(entry.id)));
            action->setCheckable(entry.checkButton);
            const int command = entry.id;
            connect(action, &QAction::triggered, this,
                    [onCommand, command] { onCommand(command); });
            if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action))) {
                // Buttons a little inside the band: 36 pixels in 38, 20 in 22.
                const int side = iconSize + 4;
                button->setFixedSize(side, side);
                button->setAutoRaise(m_flat);
                button->setObjectName(QString("ToolButton%1").arg(command));
            }
        }
        action->setVisible(!entry.hidden || projectOpen);
        if (entry.id != 0) {
            m_entries.insert(entry.id, action);
        }
    }
    setFixedHeight(m_bandHeight);
}

QAction* ToolBarStrip::Entry(int id) const {
    return m_entries.value(id, nullptr);
}

void ToolBarStrip::SetPressed(int command, bool pressed) {
    QAction* action = Entry(command);
    if (!action || action->isSeparator()) {
        return;
    }
    // Only a pressed button is checkable, so a click on a button nobody presses never
    // looks pressed on its own.
    const bool isCheckButton = command == kCmdAlwaysOnTop;
    action->setCheckable(pressed || isCheckButton);
    action->setChecked(pressed);
}

void ToolBarStrip::SetState(int command, bool enabled, bool pressed) {
    SetPressed(command, pressed);
    if (QAction* action = Entry(command)) {
        action->setEnabled(enabled);
    }
}

void ToolBarStrip::SetImage(int command, int image) {
    if (QAction* action = Entry(command)) {
        action->setIcon(ToolBarIcon(image));
    }
}

void ToolBarStrip::ShowProjectButtons(bool shown) {
    for (const ToolBarEntry& entry : ToolBarLayout()) {
        if (entry.hidden) {
            if (QAction* action = Entry(entry.id)) {
                action->setVisible(shown);
                action->setEnabled(true);
            }
        }
    }
}

void ToolBarStrip::resizeEvent(QResizeEvent*) {
    const int height = m_bandHeight;
    m_toolBar->setGeometry(kGripperWidth, 0, qMax(kMinimumChildWidth, width() - kGripperWidth),
                           height);
}

void ToolBarStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& palette = this->palette();
    // The band's gripper: two etched lines, as the platform's rebar draws it.
    for (int x : {3, 6}) {
        p.setPen(palette.color(QPalette::Light));
        p.drawLine(x, 3, x, height() - 4);
        p.setPen(palette.color(QPalette::Mid));
        p.drawLine(x + 1, 3, x + 1, height() - 4);
    }
    p.setPen(palette.color(QPalette::Mid));
    p.drawLine(0, height() - 1, width(), height() - 1);
    if (!m_flat) {
        p.setPen(palette.color(QPalette::Light));
        p.drawLine(0, 0, width(), 0);
    }
}
