#pragma once
// The "Program preferences..." sheet: the "Global", "Help" and "Script editor" pages over the
// live preferences, with OK and Cancel and no Apply. Every rule is the core's PreferencesSheet;
// the pages show the values and hand over the clicks.

#include <QDialog>

#include "app/PreferencesEditing.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* owner);

    // Shows the sheet modally; the editor panes take a confirmed font.
    static void Run(QWidget* owner);

    // For tests and screenshots.
    QTabWidget* Pages() const { return m_pages; }
    QCheckBox* GlobalBox(GlobalFlag flag) const { return m_globalBoxes[flag]; }
    QLineEdit* DelayEdit() const { return m_delay; }
    QLineEdit* BrowserEdit() const { return m_browser; }
    QLineEdit* HelpFileEdit() const { return m_helpFile; }
    QLabel* FontSample() const { return m_fontSample; }
    QPushButton* ChangeFontButton() const { return m_changeFont; }
    QCheckBox* SaveScriptsBox() const { return m_saveScripts; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    const PreferencesFollowUp& FollowUp() const { return m_followUp; }

public slots:
    void accept() override;
    void reject() override;

private:
    QWidget* MakeGlobalPage();
    QWidget* MakeHelpPage();
    QWidget* MakeEditorPage();
    void ShowFont();
    void ChangeFont();

    PreferencesSheet m_sheet;
    PreferencesFollowUp m_followUp;
    QTabWidget* m_pages = nullptr;
    QCheckBox* m_globalBoxes[4] = {};
    QLineEdit* m_delay = nullptr;
    QLineEdit* m_browser = nullptr;
    QLineEdit* m_helpFile = nullptr;
    QLabel* m_fontSample = nullptr;
    QPushButton* m_changeFont = nullptr;
    QCheckBox* m_saveScripts = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// Routes the preferences (1000), "Special features!!" (0) and About (1500) commands to their
// dialogs, made only when their command runs.
void RegisterFrameDialogs(QWidget* owner);
