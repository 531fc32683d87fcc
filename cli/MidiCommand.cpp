// ventaro-tool midi list | send --out N|NAME B1 B2 B3 | panic --out N|NAME (bytes in hexadecimal)
// | monitor (MidiMonitor.cpp)

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

} // namespace

// Opens the output named by its number or its name as the device manager does; prints its error
// text and fails otherwise.
bool OpenToolMidiOutput(MidiService& service, const std::string& device) {
    service.OutputCount(); // the list the index refers to
    g_midiService = &service;
    const auto number = ParseInteger(device, 0, INT32_MAX);
    const int index = number ? static_cast<int>(*number) : FindMidiOutput(device);
    if (index < 0) {
        std::fprintf(stderr, "%sThe device \"%s\" is not connected.\n",
                     Str(kStrMidiOutputError).c_str(), device.c_str());
        g_midiService = nullptr;
        return false;
    }
    const MidiResult result = service.OpenOutput(index);
    if (result != kMidiOk) {
        std::fprintf(stderr, "%s%s\n", Str(kStrMidiOutputError).c_str(),
                     service.ErrorText(result).c_str());
        g_midiService = nullptr;
        return false;
    }
    return true;
}

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
    if (verb == "monitor") {
        return RunMidiMonitor(args);
    }
    if (verb != "send" && verb != "panic") {
        return Usage();
    }
    const std::size_t expected = verb == "send" ? 6 : 3;
    if (args.size() != expected || args[1] != "--out") {
        return Usage();
    }
    if (args[2].empty()) {
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
    if (!OpenToolMidiOutput(*service, args[2])) {
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
