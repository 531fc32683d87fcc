#pragma once
// The accelerator table at work: a key chord pressed in the main window, or in a tool window
// without keyboard handling of its own, runs the command of the first entry of "KeybAccel"
// that matches, before any widget or menu mnemonic sees the key.

#include <QObject>
#include <functional>

#include "app/CommandTable.h"

class QKeyEvent;
class QWidget;

// The chord of a key event in the table's terms; no key for keys the table cannot hold.
KeyChord ChordOf(const QKeyEvent& event);

class AcceleratorFilter : public QObject {
    Q_OBJECT
public:
    // Windows other than `mainWindow` take part when their property "ventaroAccelerators" is
    // true (the project manager, script editor, MIDIScope, scratchpad and memory status).
    AcceleratorFilter(QWidget* mainWindow, std::function<void(int)> onCommand);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_mainWindow;
    std::function<void(int)> m_onCommand;
};
