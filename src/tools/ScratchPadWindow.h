#pragma once
// The system exclusive scratchpad's window: the message typed in decimal, sent, loaded from and
// saved to a bank file through the core's scratchpad.

#include <QPlainTextEdit>
#include <string>

#include "tools/MidiToolWindow.h"

class QPushButton;
class ToolWindowHost;

// The edit field: it takes no typing or paste past the scratchpad's limit.
class ScratchPadEdit : public QPlainTextEdit {
public:
    explicit ScratchPadEdit(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether replacing the selection with `inserted` stays within the limit.
    bool Fits(const QString& inserted) const;
};

class ScratchPadWindow : public MidiToolWindow {
public:
    ScratchPadWindow(QWidget* owner, ToolWindowHost* host);

    ScratchPadEdit* Edit() const { return m_edit; }
    QPushButton* SendButton() const { return m_send; }
    void Send();
    void LoadBank();
    void SaveBank();

protected:
    void Closing() override;

private:
    ScratchPadEdit* m_edit;
    QPushButton* m_send;
};

// Loads the bank into the scratchpad and shows it there, opening the window when it is closed.
void OpenBankInScratchPad(ToolWindowHost& host, const std::string& path);

// Makes command 59000 open and close the scratchpad, and shows there the banks the desktop
// hands to the program.
void RegisterScratchPad(ToolWindowHost& host);
