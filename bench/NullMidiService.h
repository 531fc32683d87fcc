#pragma once
// A MIDI service that takes every message and sends it nowhere: the cost measured is ours alone.

#include "midi/MidiService.h"

class NullMidiService : public MidiService {
public:
    int OutputCount() override { return 1; }
    std::string OutputName(int) override { return "Null"; }
    int InputCount() override { return 0; }
    std::string InputName(int) override { return {}; }
    MidiResult OpenOutput(int) override { return kMidiOk; }
    MidiResult CloseOutput() override { return kMidiOk; }
    bool OutputIsOpen() override { return true; }
    MidiResult SendShort(std::uint32_t word) override {
        m_last = word;
        ++m_count;
        return kMidiOk;
    }
    MidiResult SendLong(const std::uint8_t*, std::size_t) override { return kMidiOk; }
    MidiResult ResetOutput() override { return kMidiOk; }
    MidiResult OpenInput(int, MidiInputSink*) override { return kMidiErrorBadDevice; }
    MidiResult StartInput() override { return kMidiErrorInvalidHandle; }
    MidiResult StopInput() override { return kMidiErrorInvalidHandle; }
    MidiResult ResetInput() override { return kMidiErrorInvalidHandle; }
    MidiResult CloseInput() override { return kMidiErrorInvalidHandle; }
    bool InputIsOpen() override { return false; }
    MidiResult Connect() override { return kMidiErrorInvalidHandle; }
    MidiResult Disconnect() override { return kMidiOk; }
    std::string ErrorText(MidiResult) override { return {}; }

    std::uint64_t Count() const { return m_count; }

private:
    volatile std::uint32_t m_last = 0;
    std::uint64_t m_count = 0;
};
