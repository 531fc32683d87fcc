#pragma once
// The modal MIDI devices dialog "MIDIDevicesDlg": the input and output lists, "Enable MIDI
// input", OK and Cancel. What it shows and what its buttons do come from MidiDeviceChoice.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
struct MidiDevicesChoice;

class MidiDevicesDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog modally over `owner`; with no output device the program quits instead.
    static void Run(QWidget* owner);

    QCheckBox* InputCheck() const { return m_inputCheck; }
    QComboBox* InputList() const { return m_inputList; }
    QComboBox* OutputList() const { return m_outputList; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;
    void reject() override;

private:
    MidiDevicesDialog(QWidget* owner, const MidiDevicesChoice& choice);

    QCheckBox* m_inputCheck = nullptr;
    QComboBox* m_inputList = nullptr;
    QComboBox* m_outputList = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
