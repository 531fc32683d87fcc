#pragma once
// The modal "Project additional files..." dialog: the two script paths, the audio output file
// and its format, each path with its "Browse". OK commits them; Cancel puts back the committed
// paths.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class AdditionalFilesDialog : public QDialog {
    Q_OBJECT
public:
    static void Run(QWidget* owner);

    explicit AdditionalFilesDialog(QWidget* owner);

    QLineEdit* Script1Field() const { return m_script1; }
    QLineEdit* Script2Field() const { return m_script2; }
    QLineEdit* AudioFileField() const { return m_audioFile; }
    QPushButton* Script1Browse() const { return m_browse1; }
    QPushButton* Script2Browse() const { return m_browse2; }
    QPushButton* AudioFileBrowse() const { return m_browseAudio; }
    QComboBox* FormatList() const { return m_formats; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;
    void reject() override;

private:
    void BrowseScript(int script, int mode);
    void BrowseAudioFile();

    QLineEdit* m_script1 = nullptr;
    QLineEdit* m_script2 = nullptr;
    QLineEdit* m_audioFile = nullptr;
    QPushButton* m_browse1 = nullptr;
    QPushButton* m_browse2 = nullptr;
    QPushButton* m_browseAudio = nullptr;
    QComboBox* m_formats = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
