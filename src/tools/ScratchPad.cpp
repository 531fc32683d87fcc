#include "tools/ScratchPad.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

std::string g_scratchPadText;

namespace {

// Separated values beyond this make the text too long for one message.
constexpr std::size_t kMaxSeparatedValues = kSysexMessageLimit - 1;
// Far outside a byte, so that a saturated value still fails validation as what it was.
constexpr std::int64_t kValueSaturation = 1'000'000'000;

bool IsSeparator(char c) {
    return c == 7 || c == 9 || c == 10 || c == 13 || c == 32;
}

// An optional sign, then the decimal digits up to the first other character; no digits read 0.
// Long digit runs saturate instead of overflowing.
std::int32_t ConvertToken(std::string_view token) {
    std::size_t at = 0;
    bool negative = false;
    if (at < token.size() && (token[at] == '+' || token[at] == '-')) {
        negative = token[at] == '-';
        ++at;
    }
    std::int64_t value = 0;
    for (; at < token.size() && token[at] >= '0' && token[at] <= '9'; ++at) {
        value = std::min(value * 10 + (token[at] - '0'), kValueSaturation);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

SysexValues ParseSysexText(std::string_view text) {
    SysexValues parsed;
    std::size_t tokenStart = 0;
    bool inToken = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsSeparator(text[at])) {
            if (!inToken) {
                tokenStart = at;
                inToken = true;
            }
            continue;
        }
        if (inToken) {
            inToken = false;
            parsed.values.push_back(ConvertToken(text.substr(tokenStart, at - tokenStart)));
            if (parsed.values.size() > kMaxSeparatedValues) {
                parsed.values.clear();
                return parsed;
            }
        }
    }
    // The value the text ends on only closes the message; anything else after it is left out.
    const std::int32_t last = inToken ? ConvertToken(text.substr(tokenStart)) : 0;
    if (last == kSysexEnd) {
        parsed.values.push_back(last);
    }
    return parsed;
}

bool IsValidSysex(const SysexValues& parsed) {
    const std::vector<std::int32_t>& v = parsed.values;
    return !v.empty() && v.front() == kSysexStart && v.back() == kSysexEnd &&
           std::all_of(v.begin(), v.end(), [](std::int32_t x) { return x >= 0 && x <= 255; });
}

bool IsValidSysex(std::span<const std::uint8_t> bytes) {
    return !bytes.empty() && bytes.front() == kSysexStart && bytes.back() == kSysexEnd;
}

std::vector<std::uint8_t> SysexBytes(const SysexValues& parsed) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(parsed.values.size());
    for (std::int32_t value : parsed.values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

std::string FormatSysex(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 4);
    for (std::uint8_t byte : bytes) {
        text += std::to_string(byte);
        text += ' ';
    }
    return text;
}

bool TakeSysexMessage(std::string_view text, std::vector<std::uint8_t>& bytes) {
    const SysexValues parsed = ParseSysexText(text);
    if (!IsValidSysex(parsed)) {
        ShowWarning(Str(kStrSysexInvalid));
        bytes.clear();
        return false;
    }
    bytes = SysexBytes(parsed);
    return true;
}

BankLoad LoadSysexBank(const std::string& path) {
    // One byte past the limit tells a file that is too big from one that just fits.
    FileContents file = g_fileSystem->ReadFile(path, kSysexBankFileLimit + 1);
    if (file.status == FileStatus::OpenFailed) {
        return BankLoad::NotOpened;
    }
    g_scratchPadText.clear();
    if (file.bytes.size() > kSysexBankFileLimit) {
        ShowWarning(Str(kStrSysexBankTooBig));
        return BankLoad::TooBig;
    }
    // A bank that cannot be read whole, or is not a message at all, loads nothing rather than
    // a part that looks like a message.
    if (file.status != FileStatus::Ok || file.bytes.empty() || file.bytes.front() == 0) {
        ShowWarning(Str(kStrSysexCannotLoad));
        return BankLoad::Unloadable;
    }
    const std::size_t loaded = std::min(file.bytes.size(), kSysexMessageLimit);
    g_scratchPadText = FormatSysex(std::span(file.bytes).first(loaded));
    if (loaded == kSysexMessageLimit) {
        // 512 values each followed by a blank are one too many to read back; without the last
        // blank the final 247 still closes the message, so a full bank can be sent and saved.
        g_scratchPadText.pop_back();
    }
    if (loaded < file.bytes.size()) {
        ShowWarning(Str(kStrSysexBankCut) + std::to_string(file.bytes.size() - loaded));
    }
    return BankLoad::Loaded;
}

bool LoadNamedSysexBank(const std::string& path) {
    if (LoadSysexBank(path) == BankLoad::NotOpened) {
        ShowWarning(Str(kStrSysexBankNotOpened) + path);
        return false;
    }
    return true;
}

bool SaveSysexBank(const std::string& path, std::string_view text) {
    g_scratchPadText.assign(text);
    std::vector<std::uint8_t> bytes;
    if (!TakeSysexMessage(text, bytes)) {
        return false;
    }
    // Through a temporary file and a rename: a save that fails keeps the previous bank whole.
    if (g_fileSystem->WriteFileAtomically(path, bytes) != FileStatus::Ok) {
        ShowWarning(Str(kStrSysexCannotSave));
        return false;
    }
    return true;
}

bool SendScratchPad(std::string_view text) {
    g_scratchPadText.assign(text);
    std::vector<std::uint8_t> bytes;
    if (!TakeSysexMessage(text, bytes)) {
        return false;
    }
    SendSystemExclusive(bytes.data(), bytes.size());
    return true;
}

bool ScratchPadEditFits(std::size_t characters) {
    if (characters <= kScratchPadTextLimit) {
        return true;
    }
    ShowWarning(Str(kStrEditorOutOfSpace));
    return false;
}

void ResetScratchPadState() {
    g_scratchPadText.clear();
}
