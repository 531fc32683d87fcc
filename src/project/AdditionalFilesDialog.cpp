#include "project/AdditionalFilesDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/DialogParts.h"
#include "base/QtText.h"
#include "base/Ui.h"
#include "project/ProjectState.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

QLineEdit* PathField(const char* id, std::string_view text) {
    auto* field = new QLineEdit(ToQt(std::string(text)));
    field->setObjectName(id);
    field->setMinimumWidth(300);
    return field;
}

QPushButton* BrowseButton(const char* id) {
    auto* button = new QPushButton("Browse");
    button->setObjectName(id);
    return button;
}

} // namespace

void AdditionalFilesDialog::Run(QWidget* owner) {
    AdditionalFilesDialog dialog(owner);
    dialog.exec();
}

AdditionalFilesDialog::AdditionalFilesDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("ProjectFilesDlg");
    setWindowTitle(ToQt(Str(kStrProjectFilesTitle)));

    m_script1 = PathField("14017", TextOf(g_scriptPaths[0]));
    m_script2 = PathField("14018", TextOf(g_scriptPaths[1]));
    m_audioFile = PathField("14019", TextOf(g_audioOutputFile));
    m_browse1 = BrowseButton("14020");
    m_browse2 = BrowseButton("14021");
    m_browseAudio = BrowseButton("14022");
    m_formats = new QComboBox;
    m_formats->setObjectName("14023");
    for (int i = 0; i < kAudioFormatCount; ++i) {
        m_formats->addItem(ToQt(Str(kStrAudioFormatFirst + i)));
    }
    m_formats->setCurrentIndex(g_audioFormatIndex >= 0 && g_audioFormatIndex < kAudioFormatCount
                                   ? g_audioFormatIndex
                                   : kDefaultAudioFormat);

    QHBoxLayout* buttons = OkCancelRow(m_ok, m_cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Script 1:"), 0, 0);
    grid->addWidget(m_script1, 0, 1);
    grid->addWidget(m_browse1, 0, 2);
    grid->addWidget(new QLabel("Script 2:"), 1, 0);
    grid->addWidget(m_script2, 1, 1);
    grid->addWidget(m_browse2, 1, 2);
    grid->addWidget(new QLabel("Audio output file:"), 2, 0);
    grid->addWidget(m_audioFile, 2, 1);
    grid->addWidget(m_browseAudio, 2, 2);
    grid->addWidget(new QLabel("Audio format:"), 3, 0);
    grid->addWidget(m_formats, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_browse1, &QPushButton::clicked, this, [this] { BrowseScript(0, 4); });
    connect(m_browse2, &QPushButton::clicked, this, [this] { BrowseScript(1, 5); });
    connect(m_browseAudio, &QPushButton::clicked, this, [this] { BrowseAudioFile(); });
    connect(m_ok, &QPushButton::clicked, this, &AdditionalFilesDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &AdditionalFilesDialog::reject);
}

// A chosen file goes straight into the paths; Cancel takes it back out.
void AdditionalFilesDialog::BrowseScript(int script, int mode) {
    std::string path;
    std::string title;
    if (!g_ui || !g_ui->SelectFile(mode, path, title)) {
        return;
    }
    SetText(g_scriptPaths[static_cast<std::size_t>(script)], path);
    (script == 0 ? m_script1 : m_script2)->setText(ToQt(path));
}

void AdditionalFilesDialog::BrowseAudioFile() {
    std::string path;
    std::string title;
    if (!g_ui || !g_ui->SelectFile(6, path, title)) {
        return;
    }
    SetText(g_audioOutputFile, path);
    m_audioFile->setText(ToQt(path));
}

void AdditionalFilesDialog::accept() {
    const std::string audioFile = FromQt(m_audioFile->text());
    const std::array<std::string, 2> scripts = {FromQt(m_script1->text()),
                                                FromQt(m_script2->text())};
    // A path cut to its field would name another file: the dialog stays for a shorter one.
    for (const std::string* path : {&audioFile, &scripts[0], &scripts[1]}) {
        if (path->size() >= kProjectPathWidth) {
            if (g_ui) {
                g_ui->ShowMessage(Str(kStrPathTooLong), MessageIcon::Warning);
            }
            return;
        }
    }
    SetText(g_audioOutputFile, audioFile);
    g_audioOutputFileCommitted = g_audioOutputFile;
    g_audioFormatIndex = m_formats->currentIndex();
    CommitScriptPaths(scripts);
    // The manager's tree shows these files: it is made again for them.
    if (g_ui && g_ui->IsWindowOpen(kCmdProjectManager)) {
        g_ui->SendCommand(kCmdProjectManager);
        g_ui->SendCommand(kCmdProjectManager);
    }
    QDialog::accept();
}

void AdditionalFilesDialog::reject() {
    g_scriptPaths = g_scriptPathsCommitted;
    g_audioOutputFile = g_audioOutputFileCommitted;
    QDialog::reject();
}
