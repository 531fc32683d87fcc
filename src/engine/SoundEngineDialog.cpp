#include "engine/SoundEngineDialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/SettingsRecords.h"
#include "base/ToolWindowHost.h"
#include "base/Ui.h"
#include "engine/AdditionalFilesDialog.h"
#include "engine/AudioDevicesDialog.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "engine/EngineSettingsEditing.h"
#include "resources/Artwork.h"

namespace {

constexpr int kDialogWidthUnits = 300;
constexpr int kSelectProgramMode = 1;

QLineEdit* PathField(const char* id, std::string_view text) {
    auto* field = new QLineEdit(ToQt(std::string(text)));
    field->setObjectName(id);
    field->setMaxLength(static_cast<int>(kPathWidth) - 1);
    return field;
}

QPushButton* BrowseButton(const char* id) {
    auto* button = new QPushButton("Browse");
    button->setObjectName(id);
    return button;
}

QCheckBox* Check(const char* id, const char* text) {
    auto* check = new QCheckBox(text);
    check->setObjectName(id);
    return check;
}

} // namespace

void FlagsComboBox::RenewCurrentEntry() {
    const int current = g_soundEngine.flagsPreset;
    if (current < 0 || current >= count()) {
        return;
    }
    setItemText(current, ToQt(FlagsPresetText(current)));
    setCurrentIndex(current);
}

void FlagsComboBox::showPopup() {
    RenewCurrentEntry();
    QComboBox::showPopup();
}

void FlagsComboBox::focusOutEvent(QFocusEvent* event) {
    RenewCurrentEntry();
    QComboBox::focusOutEvent(event);
}

void SoundEngineDialog::Run(QWidget* owner) {
    SoundEngineDialog dialog(owner);
    dialog.exec();
}

SoundEngineDialog::SoundEngineDialog(QWidget* owner) : OkCancelDialog(owner) {
    setObjectName("SoundEngineDlg");
    setWindowTitle("Sound engine configuration...");
    setMinimumWidth(DialogUnitsToPixelsX(kDialogWidthUnits, DialogUnitsOf(*this)));

    m_programName = PathField("13001", TextOf(g_soundEngine.programName));
    m_programBrowse = BrowseButton("13005");
    m_embedded = Check("13002", "Use embedded engine");
    m_flags = new FlagsComboBox;
    m_flags->setObjectName("13003");
    m_flags->setEditable(true);
    m_flags->setInsertPolicy(QComboBox::NoInsert); // an edit changes the preset, never adds one
    m_flags->lineEdit()->setMaxLength(static_cast<int>(kFlagsWidth) - 1);
    for (int preset = 0; preset < static_cast<int>(kFlagsPresetCount); ++preset) {
        m_flags->addItem(ToQt(FlagsPresetText(preset)));
    }
    m_flags->setCurrentIndex(g_soundEngine.flagsPreset);
    m_flags->lineEdit()->setCursorPosition(0); // a long preset shows its beginning
    m_scriptEditor = PathField("13004", TextOf(g_soundEngine.scriptEditor));
    m_editorBrowse = BrowseButton("13006");
    m_view = Check("13007", "View engine window");
    m_libraryText = new QLabel(ToQt(EngineLibraryText()));
    m_libraryText->setObjectName("13008");
    m_libraryText->setWordWrap(true);
    m_libraryText->setVisible(!m_libraryText->text().isEmpty()); // no gap without the library
    m_close = Check("13009", "Close engine on exit");
    m_force = Check("13010", "Force engine termination");

    auto* engine = new QGroupBox("Sound engine");
    auto* engineGrid = new QGridLayout(engine);
    engineGrid->addWidget(new QLabel("Program name:"), 0, 0);
    engineGrid->addWidget(m_programName, 0, 1);
    engineGrid->addWidget(m_programBrowse, 0, 2);
    engineGrid->addWidget(m_embedded, 1, 1, 1, 2);
    engineGrid->addWidget(m_libraryText, 2, 1, 1, 2);
    engineGrid->addWidget(new QLabel("Flags:"), 3, 0);
    engineGrid->addWidget(m_flags, 3, 1, 1, 2);
    engineGrid->setColumnStretch(1, 1);

    auto* editor = new QGroupBox("Scripts");
    auto* editorGrid = new QGridLayout(editor);
    editorGrid->addWidget(new QLabel("Default script editor:"), 0, 0);
    editorGrid->addWidget(m_scriptEditor, 0, 1);
    editorGrid->addWidget(m_editorBrowse, 0, 2);
    editorGrid->setColumnStretch(1, 1);

    auto* toggles = new QGroupBox("Engine window and termination");
    auto* toggleBox = new QVBoxLayout(toggles);
    toggleBox->addWidget(m_view);
    toggleBox->addWidget(m_close);
    toggleBox->addWidget(m_force);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(engine);
    layout->addWidget(editor);
    layout->addWidget(toggles);
    layout->addLayout(ButtonRow());
    ShowControlStates();

    // Every check box acts on the live toggle at once, before OK.
    connect(m_embedded, &QCheckBox::clicked, this, [this] {
        ToggleEmbeddedEngine();
        ShowControlStates();
    });
    connect(m_view, &QCheckBox::clicked, this, [this] {
        ToggleViewEngineWindow();
        ShowControlStates();
    });
    connect(m_close, &QCheckBox::clicked, this, [this] {
        ToggleCloseEngineOnExit();
        ShowControlStates();
    });
    connect(m_force, &QCheckBox::clicked, this, [this] {
        ToggleForceTermination();
        ShowControlStates();
    });
    connect(m_flags, &QComboBox::activated, this, [](int index) { SelectFlagsPreset(index); });
    connect(m_flags->lineEdit(), &QLineEdit::textEdited, this,
            [](const QString& text) { EditFlagsText(FromQt(text)); });
    connect(m_programBrowse, &QPushButton::clicked, this, [this] { Browse(m_programName); });
    connect(m_editorBrowse, &QPushButton::clicked, this, [this] { Browse(m_scriptEditor); });
}

void SoundEngineDialog::ShowControlStates() {
    const SoundEngineControls controls = SoundEngineControlStates();
    m_embedded->setEnabled(controls.embeddedEnabled);
    m_embedded->setChecked(controls.embeddedChecked);
    m_programName->setEnabled(controls.programNameEnabled);
    m_programBrowse->setEnabled(controls.programNameEnabled);
    m_view->setChecked(controls.viewChecked);
    m_close->setChecked(controls.closeChecked);
    m_force->setChecked(controls.forceChecked);
}

void SoundEngineDialog::Browse(QLineEdit* field) {
    std::string path;
    std::string title;
    if (g_ui && g_ui->SelectFile(kSelectProgramMode, path, title)) {
        field->setText(ToQt(path));
    }
}

void SoundEngineDialog::accept() {
    if (ConfirmSoundEngine(FromQt(m_programName->text()), FromQt(m_scriptEditor->text()))) {
        QDialog::accept();
    }
}

void SoundEngineDialog::reject() {
    CancelSoundEngine();
    QDialog::reject();
}

void RegisterEngineDialogs(ToolWindowHost& host) {
    QWidget* owner = host.HostWidget();
    RouteCommand(kCmdSoundEngineConfig, [owner] { SoundEngineDialog::Run(owner); });
    RouteCommand(kCmdEnvironmentFiles,
                 [owner] { AdditionalFilesDialog::Run(owner, kEnvironmentFilesRole); });
    RouteCommand(kCmdAudioDevices, [owner] { AudioDevicesDialog::Run(owner); });
}
