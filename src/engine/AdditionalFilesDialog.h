#pragma once
// The additional files dialog ("ScriptPropsDlg"): two script files and the audio output file,
// each with its "Browse", and the audio format. One layout serves "Environment additional
// files..." and "Project additional files..."; what it edits and the rules of OK and Cancel
// come from its role (engine/EngineSettingsEditing.h).

#include "base/DialogParts.h"
#include "engine/EngineSettingsEditing.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class AdditionalFilesDialog : public OkCancelDialog {
    Q_OBJECT
public:
    AdditionalFilesDialog(QWidget* owner, const AdditionalFilesRole& role);
    static void Run(QWidget* owner, const AdditionalFilesRole& role);

    QLineEdit* Script1() const { return m_paths[kScript1Field]; }
    QLineEdit* Script2() const { return m_paths[kScript2Field]; }
    QLineEdit* AudioFile() const { return m_paths[kAudioFileField]; }
    QComboBox* AudioFormat() const { return m_format; }
    QPushButton* Browse1() const { return m_browse[kScript1Field]; }
    QPushButton* Browse2() const { return m_browse[kScript2Field]; }
    QPushButton* BrowseAudio() const { return m_browse[kAudioFileField]; }

public slots:
    void accept() override;
    void reject() override;

private:
    void Browse(AdditionalFileField field, int mode);

    AdditionalFilesRole m_role;
    QLineEdit* m_paths[3] = {nullptr, nullptr, nullptr};
    QPushButton* m_browse[3] = {nullptr, nullptr, nullptr};
    QComboBox* m_format = nullptr;
};
