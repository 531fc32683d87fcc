// ventaro-tool sysex parse TEXT | send --out N|NAME FILE.syx|--text TEXT | format FILE.syx:
// the scratchpad's rules on the command line, and one system exclusive block sent whole.

#include <cstdio>
#include <memory>
#include <vector>

#include "Commands.h"
#include "ConsoleUi.h"
#include "base/AllState.h"
#include "base/PosixFileSystem.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "resources/Strings.h"
#include "tools/ScratchPad.h"

namespace {

// The core's messages go to stderr, its files are the real ones.
struct ToolServices {
    ToolServices() {
        ResetAllState();
        g_ui = &ui;
        g_fileSystem = &files;
    }
    ~ToolServices() {
        g_ui = nullptr;
        g_fileSystem = nullptr;
    }
    ConsoleUi ui;
    PosixFileSystem files;
};

int Parse(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    if (!TakeSysexMessage(text, bytes)) {
        return 1;
    }
    std::printf("%s\n", FormatSysex(bytes).c_str());
    return 0;
}

int Format(const std::string& path) {
    switch (LoadSysexBank(path)) {
    case BankLoad::Loaded:
        std::printf("%s\n", g_scratchPadText.c_str());
        return 0;
    case BankLoad::NotOpened:
        std::fprintf(stderr, "%s\n", Str(kStrFileOpenError).c_str());
        return 1;
    default:
        return 1; // the loader said why
    }
}

// A bank file goes out whole, as the block it is, up to the size a bank may have; the bank the
// scratchpad would load is cut to one message instead.
bool ReadBlock(const std::string& path, std::vector<std::uint8_t>& bytes) {
    FileContents file = g_fileSystem->ReadFile(path, kSysexBankFileLimit + 1);
    if (file.status != FileStatus::Ok) {
        std::fprintf(
            stderr, "%s\n",
            Str(file.status == FileStatus::OpenFailed ? kStrFileOpenError : kStrFileReadError)
                .c_str());
        return false;
    }
    if (file.bytes.size() > kSysexBankFileLimit) {
        std::fprintf(stderr, "%s\n", Str(kStrSysexBankTooBig).c_str());
        return false;
    }
    if (!IsValidSysex(file.bytes)) {
        std::fprintf(stderr, "%s\n", Str(kStrSysexInvalid).c_str());
        return false;
    }
    bytes = std::move(file.bytes);
    return true;
}

int Send(const std::string& device, const Args& source) {
    std::vector<std::uint8_t> bytes;
    const bool taken =
        source.size() == 2 ? TakeSysexMessage(source[1], bytes) : ReadBlock(source[0], bytes);
    if (!taken) {
        return 1;
    }
    std::unique_ptr<MidiService> service = CreatePlatformMidiService();
    if (!OpenToolMidiOutput(*service, device)) {
        return 1;
    }
    const MidiResult result = SendSystemExclusive(bytes.data(), bytes.size());
    if (result != kMidiOk) {
        std::fprintf(stderr, "ventaro-tool: %s\n", service->ErrorText(result).c_str());
    }
    // Closing waits until the block has left the port.
    service->CloseOutput();
    g_midiService = nullptr;
    return result == kMidiOk ? 0 : 1;
}

} // namespace

int RunSysexCommand(const Args& args) {
    ToolServices services;
    if (args.size() == 2 && args[0] == "parse") {
        return Parse(args[1]);
    }
    if (args.size() == 2 && args[0] == "format" && !args[1].empty()) {
        return Format(args[1]);
    }
    if (args.size() >= 4 && args[0] == "send" && args[1] == "--out" && !args[2].empty()) {
        const Args source(args.begin() + 3, args.end());
        const bool file = source.size() == 1 && !source[0].empty() && source[0] != "--text";
        const bool text = source.size() == 2 && source[0] == "--text";
        if (file || text) {
            return Send(args[2], source);
        }
    }
    return Usage();
}
