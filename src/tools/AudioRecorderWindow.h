#pragma once
// The "Audio recorder..." window: four buttons that show the recorder's state and press its
// record, play, pause and stop.

#include "base/WaveDevice.h"
#include "tools/MidiToolWindow.h"

class QPushButton;

class AudioRecorderWindow : public MidiToolWindow {
public:
    AudioRecorderWindow(QWidget* owner, ToolWindowHost* host);
    ~AudioRecorderWindow() override;

    QPushButton* Button(int command) const;

protected:
    void Closing() override;

private:
    void ShowState();

    QPushButton* m_record = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_stop = nullptr;
};

// The recorder's window behind command 18000, its buttons' commands and the audio module's wave
// device, loaded at the first press.
void RegisterAudioRecorder(ToolWindowHost& host);

// The notifier of a wave device: its reports, made on the device's thread, reach the recorder on
// the UI thread.
WaveDevice::Notifier UiThreadRecorderNotifier();
