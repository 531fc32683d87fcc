#include "engine/EnvironmentFilesDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/ByteCodec.h"
#include "base/DialogParts.h"
#include "base/QtText.h"
#include "base/SettingsRecords.h"
#include "base/Ui.h"
#include "base/WindowGeometry.h"
#include "engine/AudioFormats.h"
#include "engine/EngineSettings.h"
#include "engine/EngineSettingsEditing.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {

constexpr int kDialogWidthUnits = 240;
// The file chooser's modes: an orchestra first, a score first, a wave file to save.
constexpr int kChooseOrchestraMode = 4;
constexpr int kChooseScoreMode = 5;
constexpr int kChooseWaveMode = 6;

QLineEdit* PathField(const char* id, std::string_view text) {
    auto* field = new QLineEdit(ToQt(std::string(text)));
    field->setObjectName(id);
    field->setMaxLength(static_cast<int>(kPathWidth) - 1);
    return field;
}

QPushButton* BrowseButton(const char* id, QLineEdit* field, int mode, QWidget* dialog) {
    auto* button = new QPushButton("Browse");
    button->setObjectName(id);
    QObject::connect(button, &QPushButton::clicked, dialog, [field, mode] {
        std::string path;
        std::string title;
        if (g_ui && g_ui->SelectFile(mode, path, title)) {
            field->setText(ToQt(path));
        }
    });
    return button;
}

} // namespace

void EnvironmentFilesDialog::Run(QWidget* owner) {
    EnvironmentFilesDialog dialog(owner);
    dialog.exec();
}

EnvironmentFilesDialog::EnvironmentFilesDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("ScriptPropsDlg");
    setWindowTitle(ToQt(Str(kStrEnvironmentFilesTitle)));
    const QFontMetrics metrics(font());
    setMinimumWidth(
        DialogUnitsToPixelsX(kDialogWidthUnits, {metrics.averageCharWidth(), metrics.height()}));

    m_script1 = PathField("14017", TextOf(g_environmentFiles.script1));
    m_script2 = PathField("14018", TextOf(g_environmentFiles.script2));
    m_audioFile = PathField("14019", TextOf(g_environmentFiles.audioFile));
    m_browse1 = BrowseButton("14020", m_script1, kChooseOrchestraMode, this);
    m_browse2 = BrowseButton("14021", m_script2, kChooseScoreMode, this);
    m_browseAudio = BrowseButton("14022", m_audioFile, kChooseWaveMode, this);
    m_format = new QComboBox;
    m_format->setObjectName("14023");
    for (int format = 0; format < kAudioFormatCount; ++format) {
        m_format->addItem(ToQt(AudioFormatText(format)));
    }
    m_format->setCurrentIndex(IsAudioFormatIndex(g_environmentFiles.audioFormat)
                                  ? g_environmentFiles.audioFormat
                                  : kDefaultAudioFormat);

    QHBoxLayout* buttons = OkCancelRow(m_ok, m_cancel);

    auto* scripts = new QGroupBox("Script files");
    auto* scriptGrid = new QGridLayout(scripts);
    scriptGrid->addWidget(new QLabel("Orchestra (or unified file):"), 0, 0, 1, 2);
    scriptGrid->addWidget(m_script1, 1, 0);
    scriptGrid->addWidget(m_browse1, 1, 1);
    scriptGrid->addWidget(new QLabel("Score:"), 2, 0, 1, 2);
    scriptGrid->addWidget(m_script2, 3, 0);
    scriptGrid->addWidget(m_browse2, 3, 1);
    auto* audio = new QGroupBox("Audio output");
    auto* audioGrid = new QGridLayout(audio);
    audioGrid->addWidget(new QLabel("Audio output file:"), 0, 0, 1, 2);
    audioGrid->addWidget(m_audioFile, 1, 0);
    audioGrid->addWidget(m_browseAudio, 1, 1);
    audioGrid->addWidget(new QLabel("Audio format:"), 2, 0, 1, 2);
    audioGrid->addWidget(m_format, 3, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scripts);
    layout->addWidget(audio);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &EnvironmentFilesDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &EnvironmentFilesDialog::reject);
}

void EnvironmentFilesDialog::accept() {
    if (ConfirmEnvironmentFiles(FromQt(m_script1->text()), FromQt(m_script2->text()),
                                FromQt(m_audioFile->text()), m_format->currentIndex())) {
        QDialog::accept();
    }
}

void EnvironmentFilesDialog::reject() {
    CancelEnvironmentFiles();
    QDialog::reject();
}
