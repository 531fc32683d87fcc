// The recorder with the audio module's real device on a private JACK server at 48 kHz, which
// recordings at 44.1 and 8 kHz must convert rather than cut.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "base/ByteCodec.h"
#include "base/PosixFileSystem.h"
#include "engine/AudioModule.h"
#include "engine/EngineSettings.h"
#include "fakes/FakeUi.h"
#include "midi/JackServer.h"
#include "tools/AudioRecorder.h"

namespace fs = std::filesystem;

namespace {

SF_INFO Read(const fs::path& file) {
    SF_INFO info{};
    if (SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info)) {
        sf_close(sound);
    }
    return info;
}

class AudioRecorderJack : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v jackd >/dev/null") != 0) {
            GTEST_SKIP() << "jackd is not installed";
        }
        ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
        g_ui = &ui;
        g_fileSystem = &files;
        SetEngineSettingsDefaults();
        g_waveDeviceFactory = [this](std::string& error) {
            auto device = CreateWaveDeviceFrom(VENTARO_AUDIO_MODULE_DIR, error);
            if (device) {
                device->SetNotifier([this](const WaveNotice& notice) {
                    const std::lock_guard<std::mutex> lock(mutex);
                    notices.push_back(notice);
                });
            }
            return device;
        };
        RecorderOpened();
    }
    void TearDown() override {
        ResetAudioRecorderState();
        g_waveDeviceFactory = nullptr;
        g_fileSystem = nullptr;
        g_ui = nullptr;
        fs::remove_all(folder);
    }
    // Hands the device's reports to the recorder, as the window's event loop does, for a while.
    void Deliver(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            std::deque<WaveNotice> taken;
            {
                const std::lock_guard<std::mutex> lock(mutex);
                taken.swap(notices);
            }
            for (const WaveNotice& notice : taken) {
                RecorderNotice(notice);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void RecordOneSecond(const fs::path& file, int format) {
        SetText(g_environmentFiles.audioFile, file.string());
        g_environmentFiles.audioFormat = format;
        RecorderRecord();
        ASSERT_EQ(CurrentRecorderState(), RecorderState::Recording)
            << ::testing::PrintToString(ui.MessageTexts());
        Deliver(std::chrono::milliseconds(1000));
        RecorderStop();
    }

    JackServer server{48000, 256};
    FakeUi ui;
    PosixFileSystem files;
    std::mutex mutex;
    std::deque<WaveNotice> notices;
    fs::path folder = fs::temp_directory_path() / ("ventaro-recorder-" + std::to_string(getpid()));
};

} // namespace

TEST_F(AudioRecorderJack, RecordsInTheFilesFormatAndPlaysToTheEnd) {
    fs::create_directories(folder);
    const fs::path stereo = folder / "take15.wav";
    RecordOneSecond(stereo, 15);
    const fs::path mono = folder / "take0.wav";
    RecordOneSecond(mono, 0);
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.MessageTexts());

    const SF_INFO a = Read(stereo);
    EXPECT_EQ(std::tuple(a.format, a.samplerate, a.channels),
              std::tuple(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2));
    const SF_INFO b = Read(mono);
    EXPECT_EQ(std::tuple(b.format, b.samplerate, b.channels),
              std::tuple(SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1));
    // One second at the file's rate, give or take the start and stop of the stream: 48 kHz
    // samples written unconverted would make 1.09 s, every other one dropped 0.54 s.
    EXPECT_NEAR(static_cast<double>(a.frames) / 44100, 1.0, 0.08);
    EXPECT_NEAR(static_cast<double>(b.frames) / 8000, 1.0, 0.08);
    EXPECT_FALSE(fs::exists(folder / "take15.wav.part"));

    // Played to its end, the device's report returns the buttons to rest.
    RecorderPlay();
    ASSERT_EQ(CurrentRecorderState(), RecorderState::Playing);
    Deliver(std::chrono::milliseconds(600));
    EXPECT_EQ(CurrentRecorderState(), RecorderState::Playing);
    const auto start = std::chrono::steady_clock::now();
    while (CurrentRecorderState() != RecorderState::Idle &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        Deliver(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(CurrentRecorderState(), RecorderState::Idle);
}
