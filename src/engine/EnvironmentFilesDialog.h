#pragma once
// The environment additional files: the additional files layout ("ScriptPropsDlg") opened with
// the title "Environment additional files...". It edits the script files, the audio output file
// and the audio format used while no project supplies them.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class EnvironmentFilesDialog : public QDialog {
    Q_OBJECT
public:
    explicit EnvironmentFilesDialog(QWidget* owner);
    static void Run(QWidget* owner);

    QLineEdit* Script1() const { return m_script1; }
    QLineEdit* Script2() const { return m_script2; }
    QLineEdit* AudioFile() const { return m_audioFile; }
    QComboBox* AudioFormat() const { return m_format; }
    QPushButton* Browse1() const { return m_browse1; }
    QPushButton* Browse2() const { return m_browse2; }
    QPushButton* BrowseAudio() const { return m_browseAudio; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;
    void reject() override;

private:
    QLineEdit* m_script1 = nullptr;
    QLineEdit* m_script2 = nullptr;
    QLineEdit* m_audioFile = nullptr;
    QComboBox* m_format = nullptr;
    QPushButton* m_browse1 = nullptr;
    QPushButton* m_browse2 = nullptr;
    QPushButton* m_browseAudio = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
