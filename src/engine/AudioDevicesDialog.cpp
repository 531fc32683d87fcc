#include "engine/AudioDevicesDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/QtWindow.h"
#include "engine/AudioDeviceCatalog.h"
#include "engine/EngineSettingsEditing.h"
#include "resources/Artwork.h"

namespace {

constexpr int kDialogWidthUnits = 200;

QComboBox* DeviceList(const char* id, const AudioDeviceList& list) {
    auto* box = new QComboBox;
    box->setObjectName(id);
    for (const std::string& entry : list.entries) {
        box->addItem(ToQt(entry));
    }
    box->setCurrentIndex(list.selected);
    box->setEnabled(list.enabled);
    return box;
}

} // namespace

void AudioDevicesDialog::Run(QWidget* owner) {
    std::unique_ptr<AudioDeviceCatalog> platform;
    AudioDeviceCatalog* catalog = g_audioDeviceCatalog;
    if (!catalog) {
        platform = CreatePlatformAudioDeviceCatalog();
        catalog = platform.get();
    }
    const AudioDeviceNames names = catalog->List();
    AudioDevicesDialog dialog(owner, BuildAudioDeviceLists(names.inputs, names.outputs));
    dialog.exec();
}

AudioDevicesDialog::AudioDevicesDialog(QWidget* owner, const AudioDeviceLists& lists)
    : OkCancelDialog(owner) {
    setObjectName("AudioDevicesDlg");
    setWindowTitle("Audio devices...");
    setMinimumWidth(DialogUnitsToPixelsX(kDialogWidthUnits, DialogUnitsOf(*this)));

    m_inputList = DeviceList("26001", lists.input);
    m_outputList = DeviceList("26002", lists.output);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupAround("Wave input devices", m_inputList));
    layout->addWidget(GroupAround("Wave output devices", m_outputList));
    layout->addLayout(ButtonRow());
}

void AudioDevicesDialog::accept() {
    if (ConfirmAudioDevices(m_inputList->currentIndex(), m_outputList->currentIndex())) {
        QDialog::accept();
    }
}
