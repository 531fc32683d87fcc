// ventaro-tool audio record FILE --seconds N [--format 0..15] | play FILE

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <utility>

#include "Commands.h"
#include "ConsoleUi.h"
#include "ToolArgs.h"
#include "base/ByteCodec.h"
#include "base/PosixFileSystem.h"
#include "engine/AudioFormats.h"
#include "engine/AudioModule.h"
#include "engine/EngineSettings.h"
#include "project/ProjectState.h"
#include "tools/AudioRecorder.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kPoll = std::chrono::milliseconds(50);
std::atomic<bool> g_interrupted{false};

// Messages to stderr, counted: any of them fails the command.
class CountingUi : public ConsoleUi {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override {
        ++shown;
        return ConsoleUi::ShowMessage(text, icon, buttons);
    }
    int shown = 0;
};

// The device's reports, handed from its thread to this one.
class NoticeQueue {
public:
    void Push(const WaveNotice& notice) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_notices.push_back(notice);
        m_ready.notify_one();
    }
    // The reports that came within one poll.
    std::deque<WaveNotice> Wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait_for(lock, kPoll, [this] { return !m_notices.empty(); });
        return std::exchange(m_notices, {});
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<WaveNotice> m_notices;
};

// The recorder as the program has it, without a project, aimed at FILE in the given format.
class AudioSession {
public:
    AudioSession(const std::string& file, int format) {
        g_ui = &ui;
        g_fileSystem = &m_files;
        SetEngineSettingsDefaults();
        SetText(g_environmentFiles.audioFile, file);
        g_environmentFiles.audioFormat = format;
        g_waveDeviceFactory = [this](std::string& error) { return MakeDevice(error); };
        RecorderOpened();
        std::signal(SIGINT, [](int) { g_interrupted = true; });
    }
    ~AudioSession() {
        ResetAudioRecorderState();
        g_waveDeviceFactory = nullptr;
        g_fileSystem = nullptr;
        g_ui = nullptr;
    }
    AudioSession(const AudioSession&) = delete;
    AudioSession& operator=(const AudioSession&) = delete;

    // Passes the device's reports to the recorder until it is idle, Ctrl+C or `seconds` pass.
    void RunWhileBusy(double seconds) {
        const auto start = std::chrono::steady_clock::now();
        while (CurrentRecorderState() != RecorderState::Idle && !g_interrupted) {
            if (seconds >= 0 && std::chrono::steady_clock::now() - start >=
                                    std::chrono::duration<double>(seconds)) {
                break;
            }
            for (const WaveNotice& notice : m_notices.Wait()) {
                RecorderNotice(notice);
            }
        }
        RecorderStop();
    }

    CountingUi ui;

private:
    // The module beside the tool, or one folder up from it (cli/ in the build tree).
    std::unique_ptr<WaveDevice> MakeDevice(std::string& error) {
        std::error_code ignored;
        const fs::path tool = fs::read_symlink("/proc/self/exe", ignored).parent_path();
        const fs::path folder =
            fs::exists(tool / kAudioModuleFile, ignored) ? tool : tool.parent_path();
        std::unique_ptr<WaveDevice> device = CreateWaveDeviceFrom(folder, error);
        if (device) {
            device->SetNotifier([this](const WaveNotice& notice) { m_notices.Push(notice); });
        }
        return device;
    }

    PosixFileSystem m_files;
    NoticeQueue m_notices;
};

int Record(const Args& args) {
    std::optional<std::int64_t> seconds;
    std::int64_t format = kDefaultAudioFormat;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        const auto value = i + 1 < args.size()
                               ? ParseInteger(args[i + 1], args[i] == "--format" ? 0 : 1,
                                              args[i] == "--format" ? kAudioFormatCount - 1 : 86400)
                               : std::nullopt;
        if (!value || (args[i] != "--seconds" && args[i] != "--format")) {
            return Usage();
        }
        if (args[i] == "--seconds") {
            seconds = *value;
        } else {
            format = *value;
        }
    }
    if (!seconds) {
        return Usage();
    }
    AudioSession session(args[1], static_cast<int>(format));
    RecorderRecord();
    if (CurrentRecorderState() != RecorderState::Recording) {
        return 1;
    }
    session.RunWhileBusy(static_cast<double>(*seconds));
    return session.ui.shown == 0 ? 0 : 1;
}

int Play(const Args& args) {
    if (args.size() != 2) {
        return Usage();
    }
    AudioSession session(args[1], kDefaultAudioFormat);
    RecorderPlay();
    if (CurrentRecorderState() != RecorderState::Playing) {
        return 1;
    }
    session.RunWhileBusy(-1);
    return session.ui.shown == 0 ? 0 : 1;
}

} // namespace

int RunAudioCommand(const Args& args) {
    if (args.size() >= 2 && args[0] == "record") {
        return Record(args);
    }
    if (args.size() >= 2 && args[0] == "play") {
        return Play(args);
    }
    return Usage();
}
