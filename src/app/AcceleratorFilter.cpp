#include "app/AcceleratorFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyChord ChordOf(const QKeyEvent& event) {
    const int key = event.key();
    KeyChord chord;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        chord.key = 'A' + (key - Qt::Key_A);
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        chord.key = '0' + (key - Qt::Key_0);
    } else if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        chord.key = KeyF(1 + (key - Qt::Key_F1));
    } else if (key == Qt::Key_Backspace) {
        chord.key = kKeyBackspace;
    } else if (key == Qt::Key_Escape) {
        chord.key = kKeyEscape;
    } else {
        return {};
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ControlModifier) {
        chord.modifiers |= kModCtrl;
    }
    if (modifiers & Qt::ShiftModifier) {
        chord.modifiers |= kModShift;
    }
    if (modifiers & Qt::AltModifier) {
        chord.modifiers |= kModAlt;
    }
    return chord;
}

AcceleratorFilter::AcceleratorFilter(QWidget* mainWindow, std::function<void(int)> onCommand)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_onCommand(std::move(onCommand)) {}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    // A modal dialog or an open menu handles its own keys.
    if (!widget || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        return false;
    }
    QWidget* window = widget->window();
    if (window != m_mainWindow && !window->property("ventaroAccelerators").toBool()) {
        return false;
    }
    const int command = FindAcceleratorCommand(ChordOf(*static_cast<QKeyEvent*>(event)));
    if (command < 0) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Claim the key, so that no shortcut (a menu mnemonic) takes it before the press.
        event->accept();
        return true;
    }
    m_onCommand(command);
    return true;
}
