// The recorder's buttons, device calls and messages through record, play, pause, stop and the
// device's reports, over a scripted wave device.

#include <gtest/gtest.h>

#include "base/ByteCodec.h"
#include "engine/EngineSettings.h"
#include "fakes/CoreServices.h"
#include "fakes/FakeWaveDevice.h"
#include "project/ProjectState.h"
#include "tools/AudioRecorder.h"

namespace {

// "R P u s": a capital when enabled, "*" when checked, then "@" and the focused button.
std::string Shown(const RecorderButtons& b) {
    auto one = [](char letter, const RecorderButton& button) {
        std::string text(1, button.enabled ? letter : static_cast<char>(letter + 32));
        return button.checked ? text + "*" : text;
    };
    std::string text = one('R', b.record) + " " + one('P', b.play) + " " + one('U', b.pause) + " " +
                       one('S', b.stop);
    return b.focus ? text + " @" + std::to_string(b.focus) : text;
}

class AudioRecorderTest : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        device->files = &files;
        g_waveDeviceFactory = [this](std::string&) { return std::move(device); };
        RegisterRecorderCommands();
        RecorderOpened();
    }
    void TearDown() override {
        CoreServices::TearDown();
        g_waveDeviceFactory = nullptr;
    }
    std::unique_ptr<FakeWaveDevice> device = std::make_unique<FakeWaveDevice>();
    FakeWaveDevice* log = device.get();
};

struct Step {
    std::function<void()> act;
    std::string buttons;
    std::vector<std::string> calls;
    RecorderState state;
};

const std::string kIdle = "R P u s";
const std::string kFormat15 = "format 1 2 44100 176400 4 16";

} // namespace

TEST_F(AudioRecorderTest, ButtonsAndDeviceCallsFollowEachPressAndReport) {
    auto press = [](int command) { return [=] { DispatchCommand(command); }; };
    auto notice = [](WaveNoticeKind kind, unsigned session) {
        return [=] { RecorderNotice({kind, session}); };
    };
    using enum WaveNoticeKind;
    using enum RecorderState;
    const std::string recording = "r* p u S @18003", playing = "r p* U S @18003";
    const std::string stopped = "R P u s @18001";
    // clang-format off
    const std::vector<Step> steps = {
        {press(kCmdRecorderRecord), recording, {"open new", kFormat15, "record test.wav #1"}, Recording},
        {press(kCmdRecorderPlay), recording, {}, Recording},
        {press(kCmdRecorderStopButton), stopped, {"stop", "save test.wav", "close"}, Idle},
        {press(kCmdRecorderPlay), playing, {"open file test.wav", "play #2"}, Playing},
        {press(kCmdRecorderPause), "r p* U* S", {"pause"}, Playing},
        {press(kCmdRecorderPause), "r p* U S", {"resume"}, Playing},
        {press(kCmdRecorderPause), "r p* U* S", {"pause"}, Playing},
        {press(kCmdRecorderStopButton), stopped, {"stop", "close"}, Idle},
        {press(kCmdRecorderStopButton), stopped, {}, Idle},
        {press(kCmdRecorderPlay), playing, {"open file test.wav", "play #3"}, Playing},
        // A report of the earlier playback, and the ignored kinds, change nothing.
        {notice(Successful, 2), playing, {}, Playing},
        {notice(Superseded, 3), playing, {}, Playing},
        {notice(Aborted, 3), playing, {}, Playing},
        {notice(Successful, 3), stopped, {"stop", "close"}, Idle},
        {press(kCmdRecorderRecord), recording, {"open new", kFormat15, "record test.wav #4"}, Recording},
        // A failing recording is saved as far as it got.
        {notice(Failure, 4), stopped, {"stop", "save test.wav", "close"}, Idle},
        {RecorderOpened, kIdle, {}, Idle},
    };
    // clang-format on
    int shown = 0;
    g_audioRecorder.changed = [&shown] { ++shown; };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        steps[i].act();
        EXPECT_EQ(Shown(g_audioRecorder.buttons), steps[i].buttons);
        EXPECT_EQ(log->TakeLog(), steps[i].calls);
        EXPECT_EQ(CurrentRecorderState(), steps[i].state);
    }
    EXPECT_EQ(shown, 12); // every step that changed a button
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AudioRecorderTest, FailuresShowTheDevicesTextAndKeepTheButtons) {
    const std::string longText(1500, 'x');
    const struct {
        std::string failing;
        std::function<void()> press;
        std::string text;
        std::vector<std::string> calls;
        bool targetKept; // Record deletes the target first, whatever follows; Play leaves it
    } cases[] = {
        // clang-format off
        {"open new", RecorderRecord, "no input", {"open new"}, false},
        {"format", RecorderRecord, "bad format", {"open new", kFormat15, "close"}, false},
        {"record", RecorderRecord, longText,
         {"open new", kFormat15, "record test.wav #1", "close"}, false},
        {"open file", RecorderPlay, "no such file", {"open file test.wav"}, true},
        {"play", RecorderPlay, "no output", {"open file test.wav", "play #1", "close"}, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        files.files["test.wav"] = {1, 2, 3};
        log->failures = {{c.failing, c.text}};
        c.press();
        EXPECT_EQ(Shown(g_audioRecorder.buttons), kIdle);
        EXPECT_EQ(log->TakeLog(), c.calls);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.text.substr(0, kRecorderErrorLimit));
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        ui.messages.clear();
        EXPECT_EQ(files.files.count("test.wav"), c.targetKept ? 1u : 0u);
    }
    // A recording that cannot be saved is not lost in silence.
    log->failures = {{"save", "disk full"}};
    RecorderRecord();
    RecorderStop();
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"disk full"});
    EXPECT_EQ(Shown(g_audioRecorder.buttons), "R P u s @18001");

    // Without the audio module there is no device: said, and nothing changes.
    ResetAudioRecorderState();
    ui.messages.clear();
    g_waveDeviceFactory = [](std::string& error) {
        error = "libventaro-audio.so: cannot open shared object file";
        return std::unique_ptr<WaveDevice>();
    };
    RecorderPlay();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"libventaro-audio.so: cannot open shared object file"});
    EXPECT_EQ(Shown(g_audioRecorder.buttons), kIdle);
}

TEST_F(AudioRecorderTest, TargetComesFromTheProjectOrTheEnvironmentAndClosingSavesFirst) {
    g_environmentFiles.audioFormat = 0;
    RecorderRecord();
    EXPECT_EQ(log->TakeLog()[1], "format 1 1 8000 8000 1 8");
    RecorderClosing();
    EXPECT_EQ(log->TakeLog(), (std::vector<std::string>{"stop", "save test.wav", "close"}));
    EXPECT_EQ(files.files.count("test.wav"), 1u);
    RecorderClosing();
    EXPECT_TRUE(log->TakeLog().empty());

    g_projectOpen = 1;
    ASSERT_TRUE(SetProjectFile("/songs/live.vtp"));
    SetText(g_audioOutputFile, "takes\\one.wav");
    g_audioFormatIndex = 9; // 8-bit stereo: two bytes a block
    RecorderRecord();
    EXPECT_EQ(log->TakeLog(), (std::vector<std::string>{"open new", "format 1 2 22050 44100 2 8",
                                                        "record /songs/takes/one.wav #2"}));
}
