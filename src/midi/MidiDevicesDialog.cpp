#include "midi/MidiDevicesDialog.h"

#include "base/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/WindowGeometry.h"
#include "midi/MidiDeviceChoice.h"
#include "midi/MidiDevices.h"
#include "resources/Artwork.h"

namespace {

constexpr int kDialogWidthUnits = 200;

QComboBox* DeviceList(const std::vector<std::string>& entries, int selection) {
    auto* list = new QComboBox;
    for (const std::string& entry : entries) {
        list->addItem(ToQt(entry));
    }
    list->setCurrentIndex(selection);
    return list;
}

} // namespace

void MidiDevicesDialog::Run(QWidget* owner) {
    const std::optional<MidiDevicesChoice> choice = OpenMidiDevicesChoice();
    if (!choice) {
        return; // no output at all: the program is quitting
    }
    MidiDevicesDialog dialog(owner, *choice);
    dialog.exec();
}

MidiDevicesDialog::MidiDevicesDialog(QWidget* owner, const MidiDevicesChoice& choice)
    : QDialog(owner) {
    setObjectName("MIDIDevicesDlg");
    setWindowTitle("MIDI devices...");
    const QFontMetrics metrics(font());
    setMinimumWidth(
        DialogUnitsToPixelsX(kDialogWidthUnits, {metrics.averageCharWidth(), metrics.height()}));

    m_inputCheck = new QCheckBox("Enable MIDI input");
    m_inputCheck->setObjectName("12001");
    m_inputCheck->setChecked(choice.inputChecked);
    m_inputCheck->setEnabled(choice.inputCheckEnabled);
    m_inputList = DeviceList(choice.inputs, choice.inputSelection);
    m_inputList->setObjectName("12002");
    m_inputList->setEnabled(choice.inputListEnabled);
    m_outputList = DeviceList(choice.outputs, choice.outputSelection);
    m_outputList->setObjectName("12003");

    QHBoxLayout* buttons = OkCancelRow(m_ok, m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_inputCheck);
    layout->addWidget(GroupAround("Input devices", m_inputList));
    layout->addWidget(GroupAround("Output devices", m_outputList));
    layout->addLayout(buttons);

    // The device state follows the checkbox at once, before OK.
    connect(m_inputCheck, &QCheckBox::clicked, this, [this] {
        const bool checked = ClickEnableMidiInput();
        m_inputCheck->setChecked(checked);
        m_inputList->setEnabled(checked);
    });
    connect(m_ok, &QPushButton::clicked, this, &MidiDevicesDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &MidiDevicesDialog::reject);
}

void MidiDevicesDialog::accept() {
    if (ConfirmMidiDevicesChoice(m_inputList->currentIndex(), m_outputList->currentIndex())) {
        QDialog::accept();
    }
}

void MidiDevicesDialog::reject() {
    CancelMidiDevicesChoice();
    m_inputCheck->setChecked(g_midiDialog.checkbox == 1);
    QDialog::reject();
}
