#pragma once
// A MIDI service with scripted device lists that records every call and every word sent.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "midi/MidiService.h"

class FakeMidiService : public MidiService {
public:
    int OutputCount() override { return static_cast<int>(outputs.size()); }
    std::string OutputName(int index) override {
        return index >= 0 && index < OutputCount() ? outputs[index] : std::string();
    }
    int InputCount() override { return static_cast<int>(inputs.size()); }
    std::string InputName(int index) override {
        return index >= 0 && index < InputCount() ? inputs[index] : std::string();
    }

    MidiResult OpenOutput(int index) override {
        calls.push_back("OpenOutput " + std::to_string(index));
        if (outputOpen) {
            return kMidiErrorAllocated;
        }
        if (index < 0 || index >= OutputCount()) {
            return kMidiErrorBadDevice;
        }
        if (auto it = failOpenOutput.find(index); it != failOpenOutput.end()) {
            return it->second;
        }
        outputOpen = true;
        openOutput = index;
        return kMidiOk;
    }
    MidiResult CloseOutput() override {
        calls.push_back("CloseOutput");
        if (!outputOpen) {
            return kMidiErrorInvalidHandle;
        }
        outputOpen = false;
        openOutput = -1;
        return kMidiOk;
    }
    bool OutputIsOpen() override { return outputOpen; }
    MidiResult SendShort(std::uint32_t word) override {
        if (!outputOpen) {
            return kMidiErrorInvalidHandle;
        }
        words.push_back(word);
        return kMidiOk;
    }
    MidiResult SendLong(const std::uint8_t* data, std::size_t length) override {
        if (!outputOpen) {
            return kMidiErrorInvalidHandle;
        }
        longMessages.emplace_back(data, data + length);
        return kMidiOk;
    }
    MidiResult ResetOutput() override {
        calls.push_back("ResetOutput");
        return outputOpen ? kMidiOk : kMidiErrorInvalidHandle;
    }

    MidiResult OpenInput(int index, MidiInputSink* s) override {
        calls.push_back("OpenInput " + std::to_string(index));
        if (inputOpen) {
            return kMidiErrorAllocated;
        }
        if (index < 0 || index >= InputCount()) {
            return kMidiErrorBadDevice;
        }
        if (auto it = failOpenInput.find(index); it != failOpenInput.end()) {
            return it->second;
        }
        inputOpen = true;
        openInput = index;
        sink = s;
        return kMidiOk;
    }
    MidiResult StartInput() override {
        calls.push_back("StartInput");
        return inputOpen ? kMidiOk : kMidiErrorInvalidHandle;
    }
    MidiResult StopInput() override {
        calls.push_back("StopInput");
        return inputOpen ? kMidiOk : kMidiErrorInvalidHandle;
    }
    MidiResult ResetInput() override {
        calls.push_back("ResetInput");
        return inputOpen ? kMidiOk : kMidiErrorInvalidHandle;
    }
    MidiResult CloseInput() override {
        calls.push_back("CloseInput");
        if (!inputOpen) {
            return kMidiErrorInvalidHandle;
        }
        inputOpen = false;
        openInput = -1;
        sink = nullptr;
        return kMidiOk;
    }
    bool InputIsOpen() override { return inputOpen; }
    MidiResult Connect() override {
        calls.push_back("Connect");
        thru = inputOpen;
        return inputOpen ? kMidiOk : kMidiErrorInvalidHandle;
    }
    MidiResult Disconnect() override {
        calls.push_back("Disconnect");
        thru = false;
        return kMidiOk;
    }
    std::string ErrorText(MidiResult code) override { return "error " + std::to_string(code); }

    // The words sent, as "B0 07 64" texts of the bytes each carries on the wire.
    std::vector<std::string> SentBytes() const {
        std::vector<std::string> texts;
        for (std::uint32_t word : words) {
            char text[16];
            const std::size_t length = ShortMessageLength(static_cast<std::uint8_t>(word));
            std::string line;
            for (std::size_t i = 0; i < length; ++i) {
                std::snprintf(text, sizeof text, i ? " %02X" : "%02X",
                              static_cast<unsigned>((word >> (8 * i)) & 0xFF));
                line += text;
            }
            texts.push_back(line);
        }
        return texts;
    }

    std::vector<std::string> outputs{"Out A", "Out B"};
    std::vector<std::string> inputs{"In A", "In B"};
    std::map<int, MidiResult> failOpenOutput;
    std::map<int, MidiResult> failOpenInput;
    std::vector<std::string> calls;
    std::vector<std::uint32_t> words;
    std::vector<std::vector<std::uint8_t>> longMessages;
    bool outputOpen = false;
    bool inputOpen = false;
    int openOutput = -1;
    int openInput = -1;
    bool thru = false;
    MidiInputSink* sink = nullptr;
};
