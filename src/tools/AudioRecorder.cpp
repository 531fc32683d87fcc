#include "tools/AudioRecorder.h"

#include "base/ByteCodec.h"
#include "base/CommandRouter.h"
#include "base/FileSystem.h"
#include "engine/AudioFormats.h"
#include "engine/EngineSettings.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"

AudioRecorderState g_audioRecorder;
WaveDeviceFactory g_waveDeviceFactory;

namespace {

void ShowDeviceError(const std::string& error) {
    ShowWarning(error.size() > kRecorderErrorLimit ? error.substr(0, kRecorderErrorLimit) : error);
}

void Changed() {
    if (g_audioRecorder.changed) {
        g_audioRecorder.changed();
    }
}

// The device, made when first needed so that the audio libraries load only then.
WaveDevice* Device() {
    AudioRecorderState& s = g_audioRecorder;
    if (!s.device) {
        std::string error;
        s.device = g_waveDeviceFactory ? g_waveDeviceFactory(error) : nullptr;
        if (!s.device) {
            ShowDeviceError(error.empty() ? Str(kStrRecorderNoDevice) : error);
        }
    }
    return s.device.get();
}

void CloseDevice() {
    g_audioRecorder.device->Close();
    g_audioRecorder.deviceOpen = false;
}

void StopRecording() {
    AudioRecorderState& s = g_audioRecorder;
    s.device->Stop();
    std::string error;
    // Unlike stop and close, a failed save loses the recording: the user has to hear of it.
    if (!s.device->Save(s.recordingFile, error)) {
        ShowDeviceError(error);
    }
    CloseDevice();
    s.buttons.record = {true, false};
    s.buttons.stop.enabled = false;
    s.buttons.play.enabled = true;
    s.buttons.focus = kCmdRecorderPlay;
    s.recording = false;
}

void StopPlaying() {
    AudioRecorderState& s = g_audioRecorder;
    s.device->Stop();
    CloseDevice();
    s.buttons.record.enabled = true;
    s.buttons.play = {true, false};
    s.buttons.pause = {false, false};
    s.buttons.stop.enabled = false;
    s.buttons.focus = kCmdRecorderPlay;
    s.playing = false;
    s.paused = false;
}

} // namespace

void ResetAudioRecorderState() {
    if (g_audioRecorder.device && g_audioRecorder.deviceOpen) {
        g_audioRecorder.device->Stop();
        g_audioRecorder.device->Close();
    }
    g_audioRecorder = AudioRecorderState();
}

WaveFormat WaveFormatOf(int formatIndex) {
    const AudioFormat format = AudioFormatOf(formatIndex);
    const int bytes = format.bits / 8;
    return {1,
            format.channels,
            format.rate,
            bytes * format.channels * format.rate,
            bytes * format.channels,
            format.bits};
}

RecorderTarget CurrentRecorderTarget() {
    if (g_projectOpen) {
        return {ResolveProjectPath(TextOf(g_audioOutputFile)), g_audioFormatIndex};
    }
    return {std::string(TextOf(g_environmentFiles.audioFile)), g_environmentFiles.audioFormat};
}

void RecorderOpened() {
    g_audioRecorder.buttons = RecorderButtons();
    Changed();
}

void RecorderRecord() {
    AudioRecorderState& s = g_audioRecorder;
    if (s.recording || s.playing) {
        return;
    }
    const RecorderTarget target = CurrentRecorderTarget();
    if (g_fileSystem) {
        g_fileSystem->RemoveFile(target.file);
    }
    WaveDevice* device = Device();
    if (!device) {
        return;
    }
    std::string error;
    if (!device->OpenNew(error)) {
        ShowDeviceError(error);
        return;
    }
    s.deviceOpen = true;
    if (!device->SetFormat(WaveFormatOf(target.formatIndex), error) ||
        !device->Record(target.file, s.session + 1, error)) {
        ShowDeviceError(error);
        // Left open, the device would be lost: the next press opens a new one.
        CloseDevice();
        return;
    }
    ++s.session;
    s.recordingFile = target.file;
    s.buttons.record = {false, true};
    s.buttons.play.enabled = false;
    s.buttons.stop.enabled = true;
    s.buttons.focus = kCmdRecorderStopButton;
    s.recording = true;
    Changed();
}

void RecorderPlay() {
    AudioRecorderState& s = g_audioRecorder;
    if (s.recording || s.playing) {
        return;
    }
    WaveDevice* device = Device();
    if (!device) {
        return;
    }
    std::string error;
    if (!device->OpenFile(CurrentRecorderTarget().file, error)) {
        ShowDeviceError(error);
        return;
    }
    s.deviceOpen = true;
    if (!device->Play(s.session + 1, error)) {
        // Nothing plays: the buttons stay as they are and the device is given up.
        ShowDeviceError(error);
        CloseDevice();
        return;
    }
    ++s.session;
    s.buttons.record.enabled = false;
    s.buttons.play = {false, true};
    s.buttons.pause.enabled = true;
    s.buttons.stop.enabled = true;
    s.buttons.focus = kCmdRecorderStopButton;
    s.playing = true;
    Changed();
}

void RecorderPause() {
    AudioRecorderState& s = g_audioRecorder;
    if (!s.playing) {
        return;
    }
    if (s.paused) {
        s.device->Resume();
        s.buttons.pause.checked = false;
        s.paused = false;
    } else {
        s.device->Pause();
        s.buttons.pause.checked = true;
        s.paused = true;
    }
    s.buttons.focus = 0;
    Changed();
}

void RecorderStop() {
    AudioRecorderState& s = g_audioRecorder;
    if (s.recording) {
        StopRecording();
    } else if (s.playing) {
        StopPlaying();
    } else {
        return;
    }
    Changed();
}

void RecorderNotice(const WaveNotice& notice) {
    // A late report of an earlier recording or playback must not stop the present one.
    if (notice.session != g_audioRecorder.session) {
        return;
    }
    if (notice.kind == WaveNoticeKind::Successful || notice.kind == WaveNoticeKind::Failure) {
        RecorderStop();
    }
}

void RecorderClosing() {
    RecorderStop();
}

RecorderState CurrentRecorderState() {
    if (g_audioRecorder.recording) {
        return RecorderState::Recording;
    }
    return g_audioRecorder.playing ? RecorderState::Playing : RecorderState::Idle;
}

void RegisterRecorderCommands() {
    RouteCommand(kCmdRecorderRecord, RecorderRecord);
    RouteCommand(kCmdRecorderPlay, RecorderPlay);
    RouteCommand(kCmdRecorderPause, RecorderPause);
    RouteCommand(kCmdRecorderStopButton, RecorderStop);
}
