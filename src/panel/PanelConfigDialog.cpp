#include "panel/PanelConfigDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "engine/AudioFormats.h"
#include "panel/SliderPropsDialog.h"
#include "resources/Strings.h"

namespace {

// Wide enough for "255" and a little room.
constexpr int kByteEditChars = 5;
constexpr int kListMinimumRows = 8;
// Room for a path of a folder or two: longer ones scroll in their edit.
constexpr int kPathEditChars = 30;

QLineEdit* NamedEdit(const QString& name, const std::string& text) {
    auto* edit = new QLineEdit(ToQt(text));
    edit->setObjectName(name);
    return edit;
}

QToolButton* Arrow(Qt::ArrowType direction) {
    auto* arrow = new QToolButton;
    arrow->setArrowType(direction);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setFixedSize(16, 11);
    return arrow;
}

} // namespace

void PanelConfigDialog::Run(QWidget* owner, PanelConfigOwner who, QWidget* over) {
    if (g_panelPropsOpen == 1) {
        return;
    }
    PanelConfigDialog dialog(owner, who);
    if (over && over->isVisible()) {
        dialog.adjustSize();
        dialog.move(over->frameGeometry().center() - dialog.rect().center());
    }
    dialog.exec();
}

PanelConfigDialog::PanelConfigDialog(QWidget* owner, PanelConfigOwner who)
    : OkCancelDialog(owner), m_config(who) {
    setObjectName("PanelPropsDlg");
    setWindowTitle(ToQt(Str(kStrPanelConfigTitle)));
    const PanelConfigContents& shown = m_config.Contents();

    m_style[0] = new QRadioButton("Sliders");
    m_style[0]->setObjectName("16001");
    m_style[1] = new QRadioButton("Scroll bars");
    m_style[1]->setObjectName("16002");
    m_style[shown.slidersStyle ? 0 : 1]->setChecked(true);
    m_scrollStep = new QComboBox;
    m_scrollStep->setObjectName("16018");
    for (const std::string& entry : ScrollStepEntries()) {
        m_scrollStep->addItem(ToQt(entry));
    }
    m_scrollStep->setCurrentIndex(shown.scrollStepEntry);
    auto* controls = new QGroupBox("Virtual controls");
    auto* controlsLayout = new QGridLayout(controls);
    controlsLayout->addWidget(m_style[0], 0, 0);
    controlsLayout->addWidget(m_style[1], 0, 1);
    controlsLayout->addWidget(new QLabel("Scroll step:"), 1, 0);
    controlsLayout->addWidget(m_scrollStep, 1, 1);

    m_sliders = new QListWidget;
    m_sliders->setObjectName("16015");
    m_sliders->setMinimumHeight(m_sliders->fontMetrics().height() * kListMinimumRows);
    m_delete = new QPushButton("Delete");
    m_delete->setObjectName("16016");
    m_add = new QPushButton("Add new");
    m_add->setObjectName("16017");
    auto* manager = new QGroupBox("Sliders manager");
    auto* managerLayout = new QGridLayout(manager);
    managerLayout->addWidget(m_sliders, 0, 0, 1, 2);
    managerLayout->addWidget(m_delete, 1, 0);
    managerLayout->addWidget(m_add, 1, 1);

    m_format = new QComboBox;
    m_format->setObjectName("14023");
    for (int format = 0; format < kAudioFormatCount; ++format) {
        m_format->addItem(ToQt(AudioFormatText(format)));
    }
    m_format->setCurrentIndex(shown.audioFormat);

    auto* left = new QVBoxLayout;
    left->addWidget(controls);
    left->addWidget(MessageGroup("MIDI start message", kStartStatusField));
    left->addWidget(MessageGroup("MIDI stop message", kStopStatusField));
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(PathGroup("Script 1", kScript1Field));
    right->addWidget(PathGroup("Script 2", kScript2Field));
    QWidget* audio = PathGroup("Audio output file", kAudioFileField);
    qobject_cast<QGridLayout*>(audio->layout())->addWidget(m_format, 1, 0, 1, 2);
    right->addWidget(audio);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(manager, 1);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(ButtonRow());

    // The style changes at once, so that the panel can show it; Cancel takes it back.
    connect(m_style[0], &QRadioButton::clicked, this,
            [this] { m_config.ChooseControlStyle(true); });
    connect(m_style[1], &QRadioButton::clicked, this,
            [this] { m_config.ChooseControlStyle(false); });
    connect(m_delete, &QPushButton::clicked, this, &PanelConfigDialog::DeleteSelected);
    connect(m_add, &QPushButton::clicked, this, &PanelConfigDialog::AddNewAtSelected);
    connect(m_sliders, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Activated(m_sliders->row(item)); });
    ShowList();
}

QWidget* PanelConfigDialog::MessageGroup(const char* title, int firstField) {
    const char* labels[] = {"Status byte:", "Data byte 1:", "Data byte 2:"};
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 3; ++k) {
        const int field = firstField + k;
        // The edits are 16003..16008, their up-down controls 16009..16014.
        QLineEdit* edit =
            NamedEdit(QString::number(16003 + field), m_config.Contents().messages[field]);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QChar('0')) * kByteEditChars +
                            12);
        edit->installEventFilter(this);
        m_messages[field] = edit;
        auto* upDown = new QWidget;
        upDown->setObjectName(QString::number(16009 + field));
        auto* arrows = new QVBoxLayout(upDown);
        arrows->setContentsMargins(0, 0, 0, 0);
        arrows->setSpacing(0);
        for (const bool up : {true, false}) {
            QToolButton* arrow = Arrow(up ? Qt::UpArrow : Qt::DownArrow);
            arrows->addWidget(arrow);
            m_arrows[field][up ? 0 : 1] = arrow;
            connect(arrow, &QToolButton::clicked, this, [this, field, up] { Step(field, up); });
        }
        grid->addWidget(new QLabel(labels[k]), k, 0);
        grid->addWidget(edit, k, 1);
        grid->addWidget(upDown, k, 2);
    }
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* PanelConfigDialog::PathGroup(const char* title, AdditionalFileField field) {
    const PanelConfigContents& shown = m_config.Contents();
    const std::string* texts[] = {&shown.script1, &shown.script2, &shown.audioFile};
    const char* editNames[] = {"14017", "14018", "14019"};
    const char* browseNames[] = {"14020", "14021", "14022"};
    m_paths[field] = NamedEdit(editNames[field], *texts[field]);
    m_paths[field]->setMinimumWidth(m_paths[field]->fontMetrics().averageCharWidth() *
                                    kPathEditChars);
    m_browse[field] = new QPushButton("Browse");
    m_browse[field]->setObjectName(browseNames[field]);
    connect(m_browse[field], &QPushButton::clicked, this, [this, field] {
        std::string path;
        if (m_config.Browse(field, path)) {
            m_paths[field]->setText(ToQt(path));
        }
    });
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_paths[field], 0, 0);
    grid->addWidget(m_browse[field], 0, 1);
    return group;
}

void PanelConfigDialog::Step(int field, bool up) {
    QLineEdit* edit = m_messages[field];
    edit->setText(ToQt(StepMessageByte(FromQt(edit->text()), field, up)));
}

// The list as the configuration holds it; the dialog ends when the configuration closed.
void PanelConfigDialog::ShowList() {
    m_sliders->clear();
    for (const std::string& name : m_config.Items()) {
        m_sliders->addItem(ToQt(name));
    }
    m_sliders->setCurrentRow(m_config.Selected());
    if (m_config.Closed()) {
        QDialog::reject();
    }
}

void PanelConfigDialog::DeleteSelected() {
    m_config.Delete(m_sliders->currentRow());
    ShowList();
}

void PanelConfigDialog::AddNewAtSelected() {
    m_config.AddNew(m_sliders->currentRow(),
                    [this](const std::string& name) { return EditNewSlider(name); });
    ShowList();
}

void PanelConfigDialog::Activated(int row) {
    m_config.Activate(row, [this](const std::string& name) { return EditNewSlider(name); });
    ShowList();
}

bool PanelConfigDialog::EditNewSlider(const std::string& name) {
    return SliderPropsDialog::Run(this, name) == 1;
}

void PanelConfigDialog::accept() {
    PanelConfigFields fields;
    for (int field = 0; field < kMessageFieldCount; ++field) {
        fields.messages[field] = FromQt(m_messages[field]->text());
    }
    fields.scrollStepEntry = m_scrollStep->currentIndex();
    fields.script1 = FromQt(m_paths[kScript1Field]->text());
    fields.script2 = FromQt(m_paths[kScript2Field]->text());
    fields.audioFile = FromQt(m_paths[kAudioFileField]->text());
    fields.audioFormat = m_format->currentIndex();
    if (m_config.Ok(fields)) {
        QDialog::accept();
    }
}

void PanelConfigDialog::reject() {
    m_config.Cancel();
    QDialog::reject();
}

void PanelConfigDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        m_config.LoseActivation();
    }
    QDialog::changeEvent(event);
}

// The arrow keys in a message edit work its up-down control, as the arrows do.
bool PanelConfigDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (int field = 0; field < kMessageFieldCount; ++field) {
            if (watched == m_messages[field] && (key == Qt::Key_Up || key == Qt::Key_Down)) {
                Step(field, key == Qt::Key_Up);
                return true;
            }
        }
    }
    return OkCancelDialog::eventFilter(watched, event);
}

void RegisterPanelConfiguration(ToolWindowHost& host) {
    ToolWindowHost* frame = &host;
    RouteCommand(kCmdPanelProperties, [frame] {
        PanelConfigDialog::Run(frame->HostWidget(), PanelConfigOwner::MainWindow);
    });
}
