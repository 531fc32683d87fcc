#pragma once
// The modal dialog "Sound engine configuration..." ("SoundEngineDlg"): the engine program, the
// embedded engine, the flags presets, the default script editor and the engine toggles. What the
// controls do to the settings comes from EngineSettingsEditing.

#include <QComboBox>

#include "base/DialogParts.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ToolWindowHost;

// The flags box: its list entry of the current preset is renewed from the preset's text when
// the list drops down or the box loses the focus.
class FlagsComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void RenewCurrentEntry();

protected:
    void showPopup() override;
    void focusOutEvent(QFocusEvent* event) override;
};

class SoundEngineDialog : public OkCancelDialog {
    Q_OBJECT
public:
    explicit SoundEngineDialog(QWidget* owner);
    static void Run(QWidget* owner);

    QLineEdit* ProgramName() const { return m_programName; }
    QPushButton* ProgramBrowse() const { return m_programBrowse; }
    QCheckBox* EmbeddedCheck() const { return m_embedded; }
    FlagsComboBox* Flags() const { return m_flags; }
    QLineEdit* ScriptEditor() const { return m_scriptEditor; }
    QPushButton* ScriptEditorBrowse() const { return m_editorBrowse; }
    QCheckBox* ViewCheck() const { return m_view; }
    QLabel* LibraryText() const { return m_libraryText; }
    QCheckBox* CloseCheck() const { return m_close; }
    QCheckBox* ForceCheck() const { return m_force; }

public slots:
    void accept() override;
    void reject() override;

private:
    void ShowControlStates();
    void Browse(QLineEdit* field);

    QLineEdit* m_programName = nullptr;
    QPushButton* m_programBrowse = nullptr;
    QCheckBox* m_embedded = nullptr;
    FlagsComboBox* m_flags = nullptr;
    QLineEdit* m_scriptEditor = nullptr;
    QPushButton* m_editorBrowse = nullptr;
    QCheckBox* m_view = nullptr;
    QLabel* m_libraryText = nullptr;
    QCheckBox* m_close = nullptr;
    QCheckBox* m_force = nullptr;
};

// Routes the commands of the engine settings dialogs (13000, 19000, 26000) to their dialogs.
void RegisterEngineDialogs(ToolWindowHost& host);
