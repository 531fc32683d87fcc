#include "engine/AdditionalFilesDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/Ui.h"
#include "engine/AudioFormats.h"
#include "resources/Strings.h"

namespace {

constexpr int kDialogWidthUnits = 240;

QLineEdit* PathField(const char* id, const std::string& text) {
    auto* field = new QLineEdit(ToQt(text));
    field->setObjectName(id);
    return field;
}

QPushButton* BrowseButton(const char* id) {
    auto* button = new QPushButton("Browse");
    button->setObjectName(id);
    return button;
}

// A path's label on row `row`, the path with its "Browse" beside it on the row below.
void AddPathRows(QGridLayout& grid, int row, const char* label, QLineEdit* path,
                 QPushButton* browse) {
    grid.addWidget(new QLabel(label), row, 0, 1, 2);
    grid.addWidget(path, row + 1, 0);
    grid.addWidget(browse, row + 1, 1);
}

} // namespace

void AdditionalFilesDialog::Run(QWidget* owner, const AdditionalFilesRole& role) {
    AdditionalFilesDialog dialog(owner, role);
    dialog.exec();
}

AdditionalFilesDialog::AdditionalFilesDialog(QWidget* owner, const AdditionalFilesRole& role)
    : OkCancelDialog(owner), m_role(role) {
    setObjectName("ScriptPropsDlg");
    setWindowTitle(ToQt(Str(m_role.title)));
    setMinimumWidth(DialogUnitsToPixelsX(kDialogWidthUnits, DialogUnitsOf(*this)));

    const AdditionalFiles files = m_role.current();
    m_paths[kScript1Field] = PathField("14017", files.script1);
    m_paths[kScript2Field] = PathField("14018", files.script2);
    m_paths[kAudioFileField] = PathField("14019", files.audioFile);
    m_browse[kScript1Field] = BrowseButton("14020");
    m_browse[kScript2Field] = BrowseButton("14021");
    m_browse[kAudioFileField] = BrowseButton("14022");
    m_format = new QComboBox;
    m_format->setObjectName("14023");
    for (int format = 0; format < kAudioFormatCount; ++format) {
        m_format->addItem(ToQt(AudioFormatText(format)));
    }
    m_format->setCurrentIndex(IsAudioFormatIndex(files.audioFormat) ? files.audioFormat
                                                                    : kDefaultAudioFormat);

    auto* scripts = new QGroupBox("Script files");
    auto* scriptGrid = new QGridLayout(scripts);
    AddPathRows(*scriptGrid, 0, "Orchestra (or unified file):", Script1(), Browse1());
    AddPathRows(*scriptGrid, 2, "Score:", Script2(), Browse2());
    auto* audio = new QGroupBox("Audio output");
    auto* audioGrid = new QGridLayout(audio);
    AddPathRows(*audioGrid, 0, "Audio output file:", AudioFile(), BrowseAudio());
    audioGrid->addWidget(new QLabel("Audio format:"), 2, 0, 1, 2);
    audioGrid->addWidget(m_format, 3, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scripts);
    layout->addWidget(audio);
    layout->addLayout(ButtonRow());

    for (const AdditionalFileField field : {kScript1Field, kScript2Field, kAudioFileField}) {
        connect(m_browse[field], &QPushButton::clicked, this,
                [this, field] { Browse(field, FileChooserModeOf(field)); });
    }
}

void AdditionalFilesDialog::Browse(AdditionalFileField field, int mode) {
    std::string path;
    std::string title;
    if (!g_ui || !g_ui->SelectFile(mode, path, title)) {
        return;
    }
    if (m_role.chosen) {
        m_role.chosen(field, path);
    }
    m_paths[field]->setText(ToQt(path));
}

void AdditionalFilesDialog::accept() {
    if (m_role.confirm(FromQt(Script1()->text()), FromQt(Script2()->text()),
                       FromQt(AudioFile()->text()), m_format->currentIndex())) {
        QDialog::accept();
    }
}

void AdditionalFilesDialog::reject() {
    m_role.cancel();
    QDialog::reject();
}
