// The audio module's wave device: RtAudio's default input or output device, libsndfile for the
// PCM wave file and libsamplerate where the device runs at another rate than the file. The audio
// library's callback only moves samples through a ring; a thread of ours reads or writes the
// file, converts, and reports the end.

#include <RtAudio.h>
#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "base/WaveDevice.h"
#include "engine/SampleRing.h"

namespace {

constexpr unsigned kCallbackFrames = 512;
constexpr long kChunkFrames = 2048;
constexpr auto kPoll = std::chrono::milliseconds(5);

// The file's rate when the device offers it, else the device's own.
unsigned DeviceRate(const RtAudio::DeviceInfo& info, unsigned fileRate) {
    if (std::find(info.sampleRates.begin(), info.sampleRates.end(), fileRate) !=
        info.sampleRates.end()) {
        return fileRate;
    }
    if (info.preferredSampleRate) {
        return info.preferredSampleRate;
    }
    return info.sampleRates.empty() ? fileRate : info.sampleRates.back();
}

// Interleaved frames from one channel count to another: mono is copied to every channel, more
// channels than the target are mixed down to the average.
void MapChannels(const float* in, unsigned inChannels, float* out, unsigned outChannels,
                 std::size_t frames) {
    for (std::size_t f = 0; f < frames; ++f) {
        const float* from = in + f * inChannels;
        float* to = out + f * outChannels;
        if (inChannels == outChannels) {
            std::copy(from, from + inChannels, to);
        } else if (inChannels == 1) {
            std::fill(to, to + outChannels, from[0]);
        } else {
            float sum = 0;
            for (unsigned c = 0; c < inChannels; ++c) {
                sum += from[c];
            }
            std::fill(to, to + outChannels, sum / static_cast<float>(inChannels));
        }
    }
}

// Rate conversion by libsamplerate; a pass-through at equal rates.
class RateConverter {
public:
    RateConverter(unsigned channels, double ratio) : m_channels(channels), m_ratio(ratio) {
        if (ratio != 1.0) {
            int error = 0;
            m_state = src_new(SRC_SINC_MEDIUM_QUALITY, static_cast<int>(channels), &error);
            if (!m_state) {
                m_error = src_strerror(error);
            }
        }
    }
    ~RateConverter() {
        if (m_state) {
            src_delete(m_state);
        }
    }
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    const std::string& Error() const { return m_error; }

    // Converts `frames` frames into `out`; with `end` the converter's remaining frames follow.
    bool Convert(const float* in, long frames, bool end, std::vector<float>& out) {
        out.clear();
        if (!m_state) {
            out.assign(in, in + frames * m_channels);
            return m_error.empty();
        }
        const long room = static_cast<long>(static_cast<double>(frames) * m_ratio) + 256;
        m_buffer.resize(static_cast<std::size_t>(room) * m_channels);
        long done = 0;
        for (;;) {
            SRC_DATA data{};
            data.data_in = in + done * m_channels;
            data.input_frames = frames - done;
            data.data_out = m_buffer.data();
            data.output_frames = room;
            data.src_ratio = m_ratio;
            data.end_of_input = end ? 1 : 0;
            if (const int error = src_process(m_state, &data)) {
                m_error = src_strerror(error);
                return false;
            }
            out.insert(out.end(), m_buffer.data(),
                       m_buffer.data() + data.output_frames_gen * m_channels);
            done += data.input_frames_used;
            const bool more = done < frames || (end && data.output_frames_gen > 0);
            if (!more || (data.input_frames_used == 0 && data.output_frames_gen == 0)) {
                return true;
            }
        }
    }

private:
    unsigned m_channels;
    double m_ratio;
    SRC_STATE* m_state = nullptr;
    std::vector<float> m_buffer;
    std::string m_error;
};

class RtAudioWaveDevice : public WaveDevice {
public:
    ~RtAudioWaveDevice() override {
        Stop();
        Close();
    }

    bool OpenNew(std::string& error) override {
        Close();
        return OpenAudio(true, error);
    }

    bool SetFormat(const WaveFormat& f, std::string& error) override {
        const bool valid = f.formatTag == 1 && (f.channels == 1 || f.channels == 2) &&
                           (f.bitsPerSample == 8 || f.bitsPerSample == 16) &&
                           f.samplesPerSecond >= 1000 && f.samplesPerSecond <= 192000 &&
                           f.blockAlign == f.bitsPerSample / 8 * f.channels &&
                           f.averageBytesPerSecond == f.blockAlign * f.samplesPerSecond;
        if (!m_audio || !valid) {
            error = m_audio ? "The wave format is not supported." : "The device is not open.";
            return false;
        }
        m_format = f;
        return true;
    }

    bool Record(const std::string& target, unsigned session, std::string& error) override {
        if (!m_audio || m_format.channels == 0 || m_running) {
            error = "The device is not ready to record.";
            return false;
        }
        m_stopping = false;
        m_tempPath = target + ".part";
        SF_INFO info{};
        info.samplerate = m_format.samplesPerSecond;
        info.channels = m_format.channels;
        // Eight-bit wave data is unsigned, as every reader of such files expects.
        info.format =
            SF_FORMAT_WAV | (m_format.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16);
        m_file = sf_open(m_tempPath.c_str(), SFM_WRITE, &info);
        if (!m_file) {
            error = m_tempPath + ": " + sf_strerror(nullptr);
            return false;
        }
        sf_command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
        m_fileChannels = static_cast<unsigned>(m_format.channels);
        const unsigned fileRate = static_cast<unsigned>(m_format.samplesPerSecond);
        const unsigned rate = DeviceRate(m_info, fileRate);
        m_streamChannels = std::min(m_fileChannels, m_info.inputChannels);
        m_converter =
            std::make_unique<RateConverter>(m_fileChannels, static_cast<double>(fileRate) / rate);
        if (!m_converter->Error().empty()) {
            error = m_converter->Error();
            DropRecording();
            return false;
        }
        // Four seconds of room: the writer may be held up by a slow disk.
        m_ring = std::make_unique<SampleRing>(std::size_t{rate} * m_streamChannels * 4);
        RtAudio::StreamParameters input;
        input.deviceId = m_device;
        input.nChannels = m_streamChannels;
        if (!StartStream(nullptr, &input, rate, error)) {
            DropRecording();
            return false;
        }
        m_session = session;
        m_worker = std::thread([this] { WriteRecording(); });
        return true;
    }

    bool Save(const std::string& file, std::string& error) override {
        if (!m_file) {
            error = "Nothing was recorded.";
            return false;
        }
        sf_write_sync(m_file);
        const int closed = sf_close(m_file);
        m_file = nullptr;
        if (!m_writeError.empty() || closed != 0) {
            error = (m_writeError.empty() ? sf_error_number(closed) : m_writeError) +
                    " The recording is kept in " + m_tempPath + ".";
            KeepRecording();
            return false;
        }
        std::error_code renamed;
        std::filesystem::rename(m_tempPath, file, renamed);
        if (renamed) {
            error =
                file + ": " + renamed.message() + ". The recording is kept in " + m_tempPath + ".";
            KeepRecording();
            return false;
        }
        m_tempPath.clear();
        return true;
    }

    bool OpenFile(const std::string& file, std::string& error) override {
        Close();
        SF_INFO info{};
        m_file = sf_open(file.c_str(), SFM_READ, &info);
        if (!m_file) {
            error = file + ": " + sf_strerror(nullptr);
            return false;
        }
        m_fileChannels = static_cast<unsigned>(info.channels);
        m_fileRate = static_cast<unsigned>(info.samplerate);
        if (!OpenAudio(false, error)) {
            sf_close(m_file);
            m_file = nullptr;
            return false;
        }
        return true;
    }

    bool Play(unsigned session, std::string& error) override {
        if (!m_audio || !m_file || m_running) {
            error = "The device is not ready to play.";
            return false;
        }
        const unsigned rate = DeviceRate(m_info, m_fileRate);
        m_streamChannels = std::min(2u, m_info.outputChannels);
        m_converter =
            std::make_unique<RateConverter>(m_fileChannels, static_cast<double>(rate) / m_fileRate);
        if (!m_converter->Error().empty()) {
            error = m_converter->Error();
            return false;
        }
        m_ring = std::make_unique<SampleRing>(std::size_t{rate} * m_streamChannels / 2);
        m_stopping = false;
        m_inputDone = false;
        m_drained = false;
        m_paused = false;
        RtAudio::StreamParameters output;
        output.deviceId = m_device;
        output.nChannels = m_streamChannels;
        // The ring is filled before the stream asks for samples.
        m_session = session;
        m_worker = std::thread([this] { ReadPlayback(); });
        if (!StartStream(&output, nullptr, rate, error)) {
            StopWorker();
            return false;
        }
        return true;
    }

    void Pause() override { m_paused = true; }
    void Resume() override { m_paused = false; }

    void Stop() override {
        if (!m_running) {
            return;
        }
        try {
            if (m_audio->isStreamRunning()) {
                // A recording takes the samples the device still holds; a playback ends at once.
                if (m_recordingStream) {
                    m_audio->stopStream();
                } else {
                    m_audio->abortStream();
                }
            }
        } catch (const RtAudioError&) {
            // The stream is gone with its server: what was taken is kept.
        }
        StopWorker();
        m_running = false;
    }

    void Close() override {
        Stop();
        if (m_audio) {
            try {
                if (m_audio->isStreamOpen()) {
                    m_audio->closeStream();
                }
            } catch (const RtAudioError&) {
            }
            m_audio.reset();
        }
        DropRecording();
        m_format = WaveFormat();
        m_ring.reset();
        m_converter.reset();
    }

private:
    bool OpenAudio(bool input, std::string& error) {
        try {
            auto audio = std::make_unique<RtAudio>();
            audio->showWarnings(false);
            if (audio->getDeviceCount() == 0) {
                error = "No audio device is available.";
                return false;
            }
            m_device = input ? audio->getDefaultInputDevice() : audio->getDefaultOutputDevice();
            m_info = audio->getDeviceInfo(m_device);
            if (!m_info.probed || (input ? m_info.inputChannels : m_info.outputChannels) == 0) {
                error = input ? "No wave input device is available."
                              : "No wave output device is available.";
                return false;
            }
            m_audio = std::move(audio);
            return true;
        } catch (const RtAudioError& e) {
            error = e.getMessage();
            return false;
        }
    }

    bool StartStream(RtAudio::StreamParameters* output, RtAudio::StreamParameters* input,
                     unsigned rate, std::string& error) {
        unsigned frames = kCallbackFrames;
        RtAudio::StreamOptions options;
        options.streamName = "Ventaro.2 recorder";
        m_recordingStream = input != nullptr;
        try {
            m_audio->openStream(output, input, RTAUDIO_FLOAT32, rate, &frames,
                                input ? &RtAudioWaveDevice::RecordCallback
                                      : &RtAudioWaveDevice::PlayCallback,
                                this, &options);
            m_audio->startStream();
        } catch (const RtAudioError& e) {
            error = e.getMessage();
            if (m_audio->isStreamOpen()) {
                m_audio->closeStream();
            }
            return false;
        }
        m_running = true;
        return true;
    }

    // The audio library's thread: samples into the ring, never waiting.
    static int RecordCallback(void*, void* in, unsigned frames, double, RtAudioStreamStatus,
                              void* self) {
        auto* device = static_cast<RtAudioWaveDevice*>(self);
        const std::size_t count = std::size_t{frames} * device->m_streamChannels;
        // It cannot wait: with the writer four seconds behind, what does not fit is lost.
        device->m_ring->Write(static_cast<float*>(in), count);
        return 0;
    }

    static int PlayCallback(void* out, void*, unsigned frames, double, RtAudioStreamStatus,
                            void* self) {
        auto* device = static_cast<RtAudioWaveDevice*>(self);
        auto* samples = static_cast<float*>(out);
        const std::size_t count = std::size_t{frames} * device->m_streamChannels;
        std::size_t taken = 0;
        if (!device->m_paused) {
            taken = device->m_ring->Read(samples, count);
            if (taken < count && device->m_inputDone) {
                device->m_drained = true;
            }
        }
        std::fill(samples + taken, samples + count, 0.0F);
        return 0;
    }

    void StopWorker() {
        m_stopping = true;
        if (m_worker.joinable()) {
            m_worker.join();
        }
    }

    void DropRecording() {
        if (m_file) {
            sf_close(m_file);
            m_file = nullptr;
        }
        if (!m_tempPath.empty()) {
            std::error_code ignored;
            std::filesystem::remove(m_tempPath, ignored);
        }
        m_tempPath.clear();
        m_writeError.clear();
    }

    // A recording that could not be saved stays where it is, for the user to rescue.
    void KeepRecording() {
        m_tempPath.clear();
        m_writeError.clear();
    }

    // Our thread: the ring into the file until the stream has stopped and the ring is empty.
    void WriteRecording() {
        std::vector<float> taken(kChunkFrames * m_streamChannels);
        std::vector<float> mapped(kChunkFrames * m_fileChannels);
        std::vector<float> converted;
        bool failed = false;
        for (;;) {
            const bool last = m_stopping.load();
            std::size_t got;
            do {
                got = m_ring->Read(taken.data(), taken.size()) / m_streamChannels;
                MapChannels(taken.data(), m_streamChannels, mapped.data(), m_fileChannels, got);
                const bool end = last && got == 0;
                if (!failed && (got > 0 || end)) {
                    failed = !m_converter->Convert(mapped.data(), static_cast<long>(got), end,
                                                   converted) ||
                             !WriteFrames(converted);
                    if (failed) {
                        Notify({WaveNoticeKind::Failure, m_session});
                    }
                }
            } while (got > 0);
            if (last) {
                return;
            }
            std::this_thread::sleep_for(kPoll);
        }
    }

    bool WriteFrames(const std::vector<float>& samples) {
        const sf_count_t frames = static_cast<sf_count_t>(samples.size() / m_fileChannels);
        if (frames && sf_writef_float(m_file, samples.data(), frames) != frames) {
            m_writeError =
                m_converter->Error().empty() ? sf_strerror(m_file) : m_converter->Error();
            return false;
        }
        if (!m_converter->Error().empty()) {
            m_writeError = m_converter->Error();
            return false;
        }
        return true;
    }

    // Our thread: the file, converted, into the ring; then the end reported once it is heard.
    void ReadPlayback() {
        std::vector<float> read(kChunkFrames * m_fileChannels);
        std::vector<float> converted;
        std::vector<float> mapped;
        bool failed = false;
        while (!m_stopping && !m_inputDone) {
            const sf_count_t got = sf_readf_float(m_file, read.data(), kChunkFrames);
            const bool end = got < kChunkFrames;
            if (got < 0 || sf_error(m_file) != SF_ERR_NO_ERROR ||
                !m_converter->Convert(read.data(), static_cast<long>(std::max<sf_count_t>(got, 0)),
                                      end, converted)) {
                failed = true;
                break;
            }
            const std::size_t frames = converted.size() / m_fileChannels;
            mapped.resize(frames * m_streamChannels);
            MapChannels(converted.data(), m_fileChannels, mapped.data(), m_streamChannels, frames);
            Push(mapped);
            m_inputDone = end;
        }
        if (failed) {
            m_inputDone = true;
            Notify({WaveNoticeKind::Failure, m_session});
            return;
        }
        while (!m_stopping && !m_drained) {
            std::this_thread::sleep_for(kPoll);
        }
        if (!m_stopping) {
            Notify({WaveNoticeKind::Successful, m_session});
        }
    }

    void Push(const std::vector<float>& samples) {
        std::size_t done = 0;
        while (done < samples.size() && !m_stopping) {
            done += m_ring->Write(samples.data() + done, samples.size() - done);
            if (done < samples.size()) {
                std::this_thread::sleep_for(kPoll);
            }
        }
    }

    std::unique_ptr<RtAudio> m_audio;
    unsigned m_device = 0;
    RtAudio::DeviceInfo m_info;
    WaveFormat m_format;
    SNDFILE* m_file = nullptr;
    std::string m_tempPath;
    std::string m_writeError;
    unsigned m_fileChannels = 0;
    unsigned m_fileRate = 0;
    unsigned m_streamChannels = 0;
    unsigned m_session = 0;
    bool m_running = false;
    bool m_recordingStream = false;
    std::unique_ptr<RateConverter> m_converter;
    std::unique_ptr<SampleRing> m_ring;
    std::thread m_worker;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_inputDone{false};
    std::atomic<bool> m_drained{false};
};

} // namespace

// The audio module's factory of the recorder's device, found by name when the module is loaded.
extern "C" __attribute__((visibility("default"))) WaveDevice* VentaroCreateWaveDevice() {
    return new (std::nothrow) RtAudioWaveDevice();
}
