#pragma once
// A wave device that logs each call as a line and fails the calls it is told to with the text
// it is given; a save writes a small file into the fake file system, when there is one.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/WaveDevice.h"
#include "fakes/FakeFileSystem.h"

class FakeWaveDevice : public WaveDevice {
public:
    bool OpenNew(std::string& error) override { return Call("open new", "open new", error); }
    bool SetFormat(const WaveFormat& f, std::string& error) override {
        return Call("format",
                    "format " + std::to_string(f.formatTag) + " " + std::to_string(f.channels) +
                        " " + std::to_string(f.samplesPerSecond) + " " +
                        std::to_string(f.averageBytesPerSecond) + " " +
                        std::to_string(f.blockAlign) + " " + std::to_string(f.bitsPerSample),
                    error);
    }
    bool Record(const std::string& target, unsigned session, std::string& error) override {
        return Call("record", "record " + target + " #" + std::to_string(session), error);
    }
    bool Save(const std::string& file, std::string& error) override {
        if (!Call("save", "save " + file, error)) {
            return false;
        }
        if (files) {
            files->files[file] = {'R', 'I', 'F', 'F'};
        }
        return true;
    }
    bool OpenFile(const std::string& file, std::string& error) override {
        return Call("open file", "open file " + file, error);
    }
    bool Play(unsigned session, std::string& error) override {
        return Call("play", "play #" + std::to_string(session), error);
    }
    void Pause() override { log.push_back("pause"); }
    void Resume() override { log.push_back("resume"); }
    void Stop() override { log.push_back("stop"); }
    void Close() override { log.push_back("close"); }

    // The end of a recording or playback, reported as the device's own thread reports it.
    void Finish(WaveNoticeKind kind, unsigned session) { Notify({kind, session}); }

    // The call's line; false with `failures[name]` as the error when it is to fail.
    bool Call(const std::string& name, const std::string& line, std::string& error) {
        log.push_back(line);
        const auto it = failures.find(name);
        if (it == failures.end()) {
            return true;
        }
        error = it->second;
        return false;
    }
    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    std::map<std::string, std::string> failures;
    FakeFileSystem* files = nullptr;
};
