#pragma once
// The Send MIDI message window: the composed or typed status, two data bytes with their scroll
// bars, which send on every move, and the send and panic buttons. Its values outlive it.

#include <QAbstractSpinBox>

#include "tools/MidiToolWindow.h"
#include "tools/SendMidi.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollBar;

// An edit with up and down arrows, as a number's edit with its spin: the arrows step within the
// range, but any text may be typed; what it means is judged when the message is sent.
class ByteEdit : public QAbstractSpinBox {
public:
    ByteEdit(int minimum, int maximum);
    void SetNumber(int number);
    void SetText(const QString& text);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};

class SendMidiWindow : public MidiToolWindow {
public:
    SendMidiWindow(QWidget* owner, ToolWindowHost* host);

    // For tests and screenshots.
    QRadioButton* ModeRadio(int mode) const { return m_modes[mode]; }
    QComboBox* TypeBox() const { return m_typeBox; }
    QComboBox* ChannelBox() const { return m_channelBox; }
    ByteEdit* StatusEdit() const { return m_statusEdit; }
    ByteEdit* DataEdit(int k) const { return m_dataEdits[k]; }
    QScrollBar* DataBar(int k) const { return m_dataBars[k]; }
    QPushButton* SendButton() const { return m_send; }
    QPushButton* PanicButton() const { return m_panic; }

private:
    void SetMode(int mode);
    void Send();
    void Scroll(int k, ScrollAction action);

    QRadioButton* m_modes[2] = {};
    QComboBox* m_typeBox = nullptr;
    QComboBox* m_channelBox = nullptr;
    ByteEdit* m_statusEdit = nullptr;
    ByteEdit* m_dataEdits[2] = {};
    QScrollBar* m_dataBars[2] = {};
    QPushButton* m_send = nullptr;
    QPushButton* m_panic = nullptr;
};

// The three tool windows of this file's family with the frame: Send MIDI message and the memory
// status toggled by their commands, the capabilities dialog opened by its own.
void RegisterMidiToolWindows(ToolWindowHost& host);
