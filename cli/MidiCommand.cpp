// ventaro-tool midi list | send --out N B1 B2 B3 | panic --out N

#include <cstdio>
#include <memory>

#include "Commands.h"
#include "ToolArgs.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "resources/Strings.h"

namespace {

int ListDevices(MidiService& service) {
    const int outputs = service.OutputCount();
    for (int i = 0; i < outputs; ++i) {
        std::printf("out %d: %s\n", i, service.OutputName(i).c_str());
    }
    const int inputs = service.InputCount();
    for (int i = 0; i < inputs; ++i) {
        std::printf("in %d: %s\n", i, service.InputName(i).c_str());
    }
    return 0;
}

// Opens output N as the device manager does; prints its error text and fails otherwise.
bool OpenOutput(MidiService& service, int index) {
    service.OutputCount(); // the list the index refers to
    const MidiResult result = service.OpenOutput(index);
    if (result != kMidiOk) {
        std::fprintf(stderr, "%s%s\n", Str(kStrMidiOutputError).c_str(),
                     service.ErrorText(result).c_str());
        return false;
    }
    g_midiService = &service;
    return true;
}

} // namespace

int RunMidiCommand(const Args& args) {
    if (args.empty()) {
        return Usage();
    }
    const std::string& verb = args[0];
    if (verb == "list") {
        if (args.size() != 1) {
            return Usage();
        }
        return ListDevices(*CreatePlatformMidiService());
    }
    if (verb != "send" && verb != "panic") {
        return Usage();
    }
    const std::size_t expected = verb == "send" ? 6 : 3;
    if (args.size() != expected || args[1] != "--out") {
        return Usage();
    }
    const auto index = ParseInteger(args[2], 0, INT32_MAX);
    if (!index) {
        return Usage();
    }
    std::uint8_t bytes[3] = {};
    if (verb == "send") {
        for (int i = 0; i < 3; ++i) {
            const auto byte = ParseInteger(args[3 + static_cast<std::size_t>(i)], 0, 255, 16);
            if (!byte) {
                return Usage();
            }
            bytes[i] = static_cast<std::uint8_t>(*byte);
        }
    }
    std::unique_ptr<MidiService> service = CreatePlatformMidiService();
    if (!OpenOutput(*service, static_cast<int>(*index))) {
        return 1;
    }
    MidiResult result = kMidiOk;
    if (verb == "send") {
        result = SendShortMessage(bytes[0], bytes[1], bytes[2]);
    } else {
        SendPanic();
    }
    if (result != kMidiOk) {
        std::fprintf(stderr, "ventaro-tool: %s\n", service->ErrorText(result).c_str());
    }
    service->CloseOutput();
    g_midiService = nullptr;
    return result == kMidiOk ? 0 : 1;
}
