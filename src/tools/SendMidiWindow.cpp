#include "tools/SendMidiWindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "resources/PanelArtwork.h"
#include "resources/SendMidiArtwork.h"
#include "resources/Strings.h"
#include "tools/DeviceCapsDialog.h"
#include "tools/MemoryStatusWindow.h"

// ---- ByteEdit ---------------------------------------------------------------------------------

ByteEdit::ByteEdit(int minimum, int maximum) : m_minimum(minimum), m_maximum(maximum) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
}

void ByteEdit::SetNumber(int number) {
    SetText(QString::number(number));
}

void ByteEdit::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void ByteEdit::stepBy(int steps) {
    // From the number typed, or from the range's end when there is none; never past the range.
    bool isNumber = false;
    const qlonglong typed = text().trimmed().toLongLong(&isNumber);
    const qlonglong from = isNumber ? std::clamp<qlonglong>(typed, m_minimum, m_maximum)
                                    : (steps > 0 ? m_minimum - 1 : m_maximum + 1);
    SetNumber(static_cast<int>(std::clamp<qlonglong>(from + steps, m_minimum, m_maximum)));
    selectAll();
}

QValidator::State ByteEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

QSize ByteEdit::sizeHint() const {
    QSize hint = QAbstractSpinBox::sizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                                             fontMetrics().height() * 2));
    return hint;
}

QAbstractSpinBox::StepEnabled ByteEdit::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

// ---- SendMidiWindow ---------------------------------------------------------------------------

namespace {

// The scroll bar's action as the rule names it; a plain value change has none.
std::optional<ScrollAction> ActionOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return ScrollAction::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
        return ScrollAction::LineRight;
    case QAbstractSlider::SliderPageStepSub:
        return ScrollAction::PageLeft;
    case QAbstractSlider::SliderPageStepAdd:
        return ScrollAction::PageRight;
    case QAbstractSlider::SliderToMinimum:
        return ScrollAction::LeftEnd;
    case QAbstractSlider::SliderToMaximum:
        return ScrollAction::RightEnd;
    case QAbstractSlider::SliderMove:
        return ScrollAction::ThumbTrack;
    default:
        return std::nullopt;
    }
}

} // namespace

SendMidiWindow::SendMidiWindow(QWidget* owner, ToolWindowHost* host)
    : MidiToolWindow(owner, host, kCmdSendMidiMessage, kToolMidiSend) {
    setObjectName("MIDISendDlg");
    setWindowTitle("Send MIDI message...");

    m_modes[kSendMidiPresets] = new QRadioButton("Presets");
    m_modes[kSendMidiPresets]->setObjectName("55006");
    m_modes[kSendMidiUser] = new QRadioButton("User");
    m_modes[kSendMidiUser]->setObjectName("55007");
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_modes[kSendMidiPresets], kSendMidiPresets);
    modes->addButton(m_modes[kSendMidiUser], kSendMidiUser);

    m_typeBox = new QComboBox;
    m_typeBox->setObjectName("55008");
    for (int type = 0; type < kSendMidiTypeCount; ++type) {
        m_typeBox->addItem(ToQt(Str(kStrScopeNoteOff + type)));
    }
    m_typeBox->setCurrentIndex(std::clamp(g_sendMidi.presetType, 0, kSendMidiTypeCount - 1));
    m_channelBox = new QComboBox;
    m_channelBox->setObjectName("55009");
    for (int channel = 0; channel < kSendMidiChannelCount; ++channel) {
        m_channelBox->addItem(ToQt(ChannelEntry(channel)));
    }
    m_channelBox->setCurrentIndex(
        std::clamp(g_sendMidi.presetChannel, 0, kSendMidiChannelCount - 1));

    m_statusEdit = new ByteEdit(128, 255);
    m_statusEdit->setObjectName("55010");
    m_statusEdit->SetNumber(g_sendMidi.status);

    auto* grid = new QGridLayout;
    grid->addWidget(m_modes[kSendMidiPresets], 0, 0);
    grid->addWidget(m_typeBox, 0, 1);
    grid->addWidget(m_channelBox, 0, 2);
    grid->addWidget(m_modes[kSendMidiUser], 1, 0);
    grid->addWidget(m_statusEdit, 1, 1);
    grid->addWidget(new QLabel("Status"), 1, 2);
    const char* editNames[2] = {"55011", "55012"};
    const char* barNames[2] = {"55002", "55003"};
    for (int k = 0; k < 2; ++k) {
        m_dataEdits[k] = new ByteEdit(0, kDataByteMax);
        m_dataEdits[k]->setObjectName(editNames[k]);
        m_dataEdits[k]->SetNumber(g_sendMidi.data[k]);
        m_dataBars[k] = new QScrollBar(Qt::Horizontal);
        m_dataBars[k]->setObjectName(barNames[k]);
        m_dataBars[k]->setRange(0, kDataByteMax);
        m_dataBars[k]->setSingleStep(1);
        m_dataBars[k]->setPageStep(kDataBarPage);
        // A controller, not a view's scroll bar: reached by Tab, Right and the wheel up raise it.
        m_dataBars[k]->setInvertedControls(false);
        m_dataBars[k]->setFocusPolicy(Qt::StrongFocus);
        m_dataBars[k]->setValue(std::clamp(g_sendMidi.data[k], 0, kDataByteMax));
        m_dataBars[k]->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
        grid->addWidget(new QLabel(k == 0 ? "Data 1" : "Data 2"), 2 + k, 0);
        grid->addWidget(m_dataEdits[k], 2 + k, 1);
        grid->addWidget(m_dataBars[k], 2 + k, 2);
        // Every move sends, so that the bar plays as a controller.
        connect(m_dataBars[k], &QAbstractSlider::actionTriggered, this, [this, k](int action) {
            if (const std::optional<ScrollAction> scroll = ActionOf(action)) {
                Scroll(k, *scroll);
            }
        });
        connect(m_dataBars[k], &QAbstractSlider::sliderReleased, this,
                [this, k] { Scroll(k, ScrollAction::ThumbPosition); });
    }
    grid->setColumnStretch(2, 1);

    m_send = new QPushButton(PanelControlIcon(3), QString());
    m_send->setObjectName("55001");
    m_send->setToolTip("Send");
    m_send->setDefault(true);
    m_panic = new QPushButton(PanicIcon(), QString());
    m_panic->setObjectName("55016");
    m_panic->setToolTip(ToQt(Str(kCmdPanic)));
    for (QPushButton* button : {m_send, m_panic}) {
        button->setIconSize(QSize(32, 32));
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(m_panic);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    SetMode(g_sendMidi.mode == kSendMidiUser ? kSendMidiUser : kSendMidiPresets);
    connect(modes, &QButtonGroup::idClicked, this, &SendMidiWindow::SetMode);
    connect(m_typeBox, &QComboBox::currentIndexChanged, this,
            [](int type) { g_sendMidi.presetType = std::max(type, 0); });
    connect(m_channelBox, &QComboBox::currentIndexChanged, this,
            [](int channel) { g_sendMidi.presetChannel = std::max(channel, 0); });
    connect(m_send, &QPushButton::clicked, this, &SendMidiWindow::Send);
    connect(m_panic, &QPushButton::clicked, this, [] { SendMidiPanic(); });
    resize(sizeHint());
}

void SendMidiWindow::SetMode(int mode) {
    g_sendMidi.mode = mode;
    m_modes[mode]->setChecked(true);
    const bool presets = mode == kSendMidiPresets;
    m_typeBox->setEnabled(presets);
    m_channelBox->setEnabled(presets);
    m_statusEdit->setEnabled(!presets);
}

void SendMidiWindow::Send() {
    const SendMidiOutcome outcome =
        SendMidiMessage({FromQt(m_statusEdit->text()), FromQt(m_dataEdits[0]->text()),
                         FromQt(m_dataEdits[1]->text())});
    if (g_sendMidi.mode == kSendMidiPresets) {
        m_statusEdit->SetNumber(g_sendMidi.status); // the status the presets made
    }
    // The bars follow the data bytes taken, up to the one refused.
    const int taken = outcome.focus == SendMidiField::None    ? 2
                      : outcome.focus == SendMidiField::Data2 ? 1
                                                              : 0;
    for (int k = 0; k < taken; ++k) {
        m_dataBars[k]->setValue(g_sendMidi.data[k]);
    }
    ByteEdit* focus = outcome.focus == SendMidiField::Status  ? m_statusEdit
                      : outcome.focus == SendMidiField::Data1 ? m_dataEdits[0]
                      : outcome.focus == SendMidiField::Data2 ? m_dataEdits[1]
                                                              : nullptr;
    if (focus) {
        focus->setFocus();
        focus->selectAll();
    }
}

void SendMidiWindow::Scroll(int k, ScrollAction action) {
    QScrollBar* bar = m_dataBars[k];
    const std::optional<int> value = ScrollDataValue(bar->value(), action, bar->sliderPosition());
    if (!value) {
        return;
    }
    // While a thumb is dragged the bar already stands there; moving it again would be a new move.
    if (bar->sliderPosition() != *value) {
        bar->setSliderPosition(*value);
    }
    bar->setValue(*value);
    m_dataEdits[k]->SetNumber(*value);
    Send();
}

void RegisterMidiToolWindows(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    host.RegisterToolWindow(kCmdSendMidiMessage,
                            [owner](QWidget* parent) { return new SendMidiWindow(parent, owner); });
    host.RegisterToolWindow(kCmdGlobalMemory, [owner](QWidget* parent) {
        return new MemoryStatusWindow(parent, owner);
    });
    RouteCommand(kCmdDeviceCapabilities, [owner] { DeviceCapsDialog::Run(owner->HostWidget()); });
}
