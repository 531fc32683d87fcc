#pragma once
// The modal "MIDI devices capabilities..." dialog: the current input's and output's reports in
// two read-only edits, closed by OK or Cancel.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class DeviceCapsDialog : public QDialog {
    Q_OBJECT
public:
    static void Run(QWidget* owner);
    explicit DeviceCapsDialog(QWidget* owner);

    QPlainTextEdit* InputReport() const { return m_input; }
    QPlainTextEdit* OutputReport() const { return m_output; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QPlainTextEdit* m_input = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QPushButton* m_ok = nullptr;
};
