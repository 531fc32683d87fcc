#pragma once
// A wave device of the platform: records from the default input into a PCM wave file and plays
// such a file on the default output. Its calls come from one thread (the UI's); the end of a
// recording or a playback is reported through the notifier from the device's own thread, so the
// notifier must only hand it over. Failures carry the audio library's own text.

#include <functional>
#include <string>

// The wave format of a recording, field for field as a PCM format record holds it.
struct WaveFormat {
    int formatTag = 1; // 1: PCM, the only one recorded
    int channels = 0;
    int samplesPerSecond = 0;
    int averageBytesPerSecond = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    bool operator==(const WaveFormat&) const = default;
};

enum class WaveNoticeKind { Successful, Failure, Superseded, Aborted };

// The end of the recording or playback that `session` started.
struct WaveNotice {
    WaveNoticeKind kind = WaveNoticeKind::Successful;
    unsigned session = 0;
};

class WaveDevice {
public:
    using Notifier = std::function<void(const WaveNotice&)>;

    virtual ~WaveDevice() = default;
    void SetNotifier(Notifier notifier) { m_notifier = std::move(notifier); }

    // Recording: a new device, its format, then recording until Stop. The samples go to a file
    // beside `target` until Save puts them under the name given there.
    virtual bool OpenNew(std::string& error) = 0;
    virtual bool SetFormat(const WaveFormat& format, std::string& error) = 0;
    virtual bool Record(const std::string& target, unsigned session, std::string& error) = 0;
    virtual bool Save(const std::string& file, std::string& error) = 0;

    // Playback of a wave file from its start to its end, or until Stop.
    virtual bool OpenFile(const std::string& file, std::string& error) = 0;
    virtual bool Play(unsigned session, std::string& error) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;

    // Stops recording or playing (a recording is kept for Save); Close gives the device up and
    // drops a recording that was not saved.
    virtual void Stop() = 0;
    virtual void Close() = 0;

protected:
    void Notify(const WaveNotice& notice) const {
        if (m_notifier) {
            m_notifier(notice);
        }
    }

private:
    Notifier m_notifier;
};
