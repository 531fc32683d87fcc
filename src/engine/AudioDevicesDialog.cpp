#include "engine/AudioDevicesDialog.h"

#include "base/DialogParts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/WindowGeometry.h"
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
    : QDialog(owner) {
    setObjectName("AudioDevicesDlg");
    setWindowTitle("Audio devices...");
    const QFontMetrics metrics(font());
    setMinimumWidth(
        DialogUnitsToPixelsX(kDialogWidthUnits, {metrics.averageCharWidth(), metrics.height()}));

    m_inputList = DeviceList("26001", lists.input);
    m_outputList = DeviceList("26002", lists.output);

    QHBoxLayout* buttons = OkCancelRow(m_ok, m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupAround("Wave input devices", m_inputList));
    layout->addWidget(GroupAround("Wave output devices", m_outputList));
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &AudioDevicesDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &AudioDevicesDialog::reject);
}

void AudioDevicesDialog::accept() {
    if (ConfirmAudioDevices(m_inputList->currentIndex(), m_outputList->currentIndex())) {
        QDialog::accept();
    }
}
