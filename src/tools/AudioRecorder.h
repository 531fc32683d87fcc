#pragma once
// The audio recorder: records the default wave input into the audio output file of the open
// project (or of the environment) and plays that file back, through the platform's wave device.
// Its window shows the buttons this state says and forwards their presses here.

#include <functional>
#include <memory>
#include <string>

#include "base/Ui.h"
#include "base/WaveDevice.h"

inline constexpr int kCmdRecorderPlay = 18001;
inline constexpr int kCmdRecorderPause = 18002;
inline constexpr int kCmdRecorderStopButton = 18003;
inline constexpr int kCmdRecorderRecord = 18004;
// Texts of the platform longer than this are cut in the message box.
inline constexpr std::size_t kRecorderErrorLimit = 1024;

struct RecorderButton {
    bool enabled = false;
    bool checked = false;
    bool operator==(const RecorderButton&) const = default;
};

struct RecorderButtons {
    RecorderButton record{true, false};
    RecorderButton play{true, false};
    RecorderButton pause;
    RecorderButton stop;
    int focus = 0; // the button command that takes the focus; 0 leaves it where it is
    bool operator==(const RecorderButtons&) const = default;
};

struct RecorderTarget {
    std::string file;
    int formatIndex = 0;
};

using WaveDeviceFactory = std::function<std::unique_ptr<WaveDevice>(std::string& error)>;

struct AudioRecorderState {
    std::unique_ptr<WaveDevice> device; // made at the first press, kept for the run
    bool deviceOpen = false;
    bool recording = false;
    bool playing = false;
    bool paused = false;
    unsigned session = 0;      // the recording or playback whose end counts
    std::string recordingFile; // where the running recording is saved
    RecorderButtons buttons;
    std::function<void()> changed; // the window, to show the buttons again
};

extern AudioRecorderState g_audioRecorder;
// How the platform's wave device is made: a seam the program (or a test) installs, not reset with
// the state.
extern WaveDeviceFactory g_waveDeviceFactory;

void ResetAudioRecorderState();

// The PCM format of an entry of the audio format table (the default entry outside it).
WaveFormat WaveFormatOf(int formatIndex);
// The project's audio output file and format, or the environment's without a project.
RecorderTarget CurrentRecorderTarget();

// Routes the four buttons' commands here, so that the frame's stop (before exit, before a
// project changes) reaches the recorder.
void RegisterRecorderCommands();
// The window opens: every button as at rest.
void RecorderOpened();
void RecorderRecord();
void RecorderPlay();
void RecorderPause();
void RecorderStop();
// The device's report of an end, on the UI thread.
void RecorderNotice(const WaveNotice& notice);
// The window closes: a recording is saved, a playback stopped.
void RecorderClosing();
RecorderState CurrentRecorderState();
