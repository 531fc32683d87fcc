#include "tools/AudioRecorderWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "engine/AudioModule.h"
#include "resources/PanelArtwork.h"
#include "resources/RecorderArtwork.h"
#include "resources/Strings.h"
#include "tools/AudioRecorder.h"

namespace {

// The window the recorder's changes are shown in.
AudioRecorderWindow* g_shownRecorder = nullptr;

constexpr int kIconSize = 24;

QPushButton* MakeButton(int command, const QIcon& icon, int tip, bool checkable) {
    auto* button = new QPushButton;
    button->setObjectName(QString::number(command));
    button->setIcon(icon);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolTip(ToQt(Str(tip)));
    button->setCheckable(checkable);
    return button;
}

void Show(QPushButton* button, const RecorderButton& state) {
    button->setEnabled(state.enabled);
    button->setChecked(state.checked);
}

} // namespace

AudioRecorderWindow::AudioRecorderWindow(QWidget* owner, ToolWindowHost* host)
    : MidiToolWindow(owner, host, kCmdAudioRecorder, kToolAudioRecorder) {
    setObjectName("AudioRecorderDlg");
    setWindowTitle(ToQt(Str(kStrRecorderTitle)));
    m_record = MakeButton(kCmdRecorderRecord, RecordIcon(), kStrRecorderRecordTip, true);
    m_play = MakeButton(kCmdRecorderPlay, PanelControlIcon(1), kStrRecorderPlayTip, true);
    m_pause = MakeButton(kCmdRecorderPause, PauseIcon(), kStrRecorderPauseTip, true);
    m_stop = MakeButton(kCmdRecorderStopButton, PanelControlIcon(0), kStrRecorderStopTip, false);
    auto* layout = new QHBoxLayout(this);
    for (QPushButton* button : {m_record, m_play, m_pause, m_stop}) {
        layout->addWidget(button);
        // A press the recorder refuses must not leave the button toggled by the click.
        connect(button, &QPushButton::clicked, this, [this, button] {
            DispatchCommand(button->objectName().toInt());
            ShowState();
        });
    }
    resize(sizeHint());
    g_audioRecorder.changed = [this] { ShowState(); };
    g_shownRecorder = this;
    RecorderOpened();
}

AudioRecorderWindow::~AudioRecorderWindow() {
    // A window closed and reopened goes after the new one was made: it leaves the new one's.
    if (g_shownRecorder == this) {
        g_shownRecorder = nullptr;
        g_audioRecorder.changed = nullptr;
    }
}

QPushButton* AudioRecorderWindow::Button(int command) const {
    switch (command) {
    case kCmdRecorderRecord:
        return m_record;
    case kCmdRecorderPlay:
        return m_play;
    case kCmdRecorderPause:
        return m_pause;
    default:
        return m_stop;
    }
}

void AudioRecorderWindow::ShowState() {
    const RecorderButtons& buttons = g_audioRecorder.buttons;
    Show(m_record, buttons.record);
    Show(m_play, buttons.play);
    Show(m_pause, buttons.pause);
    Show(m_stop, buttons.stop);
    if (buttons.focus) {
        Button(buttons.focus)->setFocus();
    }
}

void AudioRecorderWindow::Closing() {
    RecorderClosing();
}

void RegisterAudioRecorder(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    host.RegisterToolWindow(kCmdAudioRecorder, [owner](QWidget* parent) {
        return new AudioRecorderWindow(parent, owner);
    });
    RegisterRecorderCommands();
    g_waveDeviceFactory = [](std::string& error) {
        std::unique_ptr<WaveDevice> device = CreatePlatformWaveDevice(error);
        if (device) {
            device->SetNotifier(UiThreadRecorderNotifier());
        }
        return device;
    };
}

WaveDevice::Notifier UiThreadRecorderNotifier() {
    return [](const WaveNotice& notice) {
        QMetaObject::invokeMethod(
            qApp, [notice] { RecorderNotice(notice); }, Qt::QueuedConnection);
    };
}
