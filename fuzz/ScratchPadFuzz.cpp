// Any bytes as the scratchpad's text and as a bank file: neither the parser nor the bank loader
// takes more than one message, and what either takes reads back from its own text.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/AllState.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeUi.h"
#include "tools/ScratchPad.h"

namespace {

constexpr const char* kPath = "/fuzz.syx";

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The text of a message of at most 511 bytes reads back as the same bytes; one of 512 ends in
// a 512th separated value, which is one too many.
void CheckFormatted(const std::vector<std::uint8_t>& bytes) {
    const SysexValues again = ParseSysexText(FormatSysex(bytes));
    if (bytes.size() < kSysexMessageLimit) {
        // Past the last blank nothing is pending, so every byte was a separated value.
        Require(SysexBytes(again) == bytes);
    } else {
        Require(again.values.empty());
    }
}

void CheckParse(std::string_view text) {
    const SysexValues parsed = ParseSysexText(text);
    Require(parsed.values.size() <= kSysexMessageLimit);
    if (IsValidSysex(parsed)) {
        const std::vector<std::uint8_t> bytes = SysexBytes(parsed);
        Require(IsValidSysex(bytes));
        CheckFormatted(bytes);
    }
}

void CheckLoad(FakeFileSystem& fs, FakeUi& ui, const std::uint8_t* data, std::size_t size) {
    fs.files[kPath].assign(data, data + size);
    const BankLoad result = LoadSysexBank(kPath);
    if (result != BankLoad::Loaded) {
        Require(g_scratchPadText.empty() && ui.messages.size() == 1);
        return;
    }
    const std::size_t kept = std::min(size, kSysexMessageLimit);
    Require(size > 0 && data[0] != 0);
    Require(ui.messages.size() == (size > kSysexMessageLimit ? 1u : 0u));
    const std::vector<std::uint8_t> expected(data, data + kept);
    std::string text = FormatSysex(expected);
    if (kept == kSysexMessageLimit) {
        text.pop_back();
    }
    Require(g_scratchPadText == text);
    // A loaded message reads back from its text, whatever its length.
    if (IsValidSysex(expected)) {
        Require(SysexBytes(ParseSysexText(g_scratchPadText)) == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeUi ui;
    FakeFileSystem fs;
    g_ui = &ui;
    g_fileSystem = &fs;
    ResetAllState();

    CheckParse(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckLoad(fs, ui, data, size);

    g_ui = nullptr;
    g_fileSystem = nullptr;
    return 0;
}
