#pragma once
// The system exclusive scratchpad: one message typed as decimal byte values, sent to the MIDI
// output, loaded from and saved to a raw bank file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kScratchPadTextLimit = 32768;
inline constexpr std::size_t kSysexMessageLimit = 512;
// A bank file above this size is refused whole.
inline constexpr std::size_t kSysexBankFileLimit = 32768;
inline constexpr std::uint8_t kSysexStart = 0xF0;
inline constexpr std::uint8_t kSysexEnd = 0xF7;

// The text kept for the whole run, shown again whenever the window reopens.
extern std::string g_scratchPadText;

// The values read from the text, before they are taken as bytes: a value outside 0..255 is kept
// as read so that validation can refuse it. Empty when the text holds too many values.
struct SysexValues {
    std::vector<std::int32_t> values;
};

// Blanks, tabs, line breaks and BEL separate the values; the value after the last separator
// belongs to the message only when it is 247. More than 511 separated values give nothing.
SysexValues ParseSysexText(std::string_view text);
// Starts with 240, ends with 247, and every value is a byte.
bool IsValidSysex(const SysexValues& parsed);
bool IsValidSysex(std::span<const std::uint8_t> bytes);
// The values of a valid message as bytes.
std::vector<std::uint8_t> SysexBytes(const SysexValues& parsed);
// Each byte in decimal followed by one blank.
std::string FormatSysex(std::span<const std::uint8_t> bytes);

// Parses and validates the text; an invalid message is reported and gives nothing.
bool TakeSysexMessage(std::string_view text, std::vector<std::uint8_t>& bytes);

enum class BankLoad {
    Loaded,
    NotOpened, // nothing changed
    TooBig,
    Unloadable, // empty, not readable, or starting with a zero byte
};
// Reads the bank into g_scratchPadText (emptied first once the file opens), telling the user
// when the file is refused or holds more than one message's worth of bytes.
BankLoad LoadSysexBank(const std::string& path);
// A bank the desktop hands over (a double-clicked .syx file): loaded as Load bank does, and a
// file that cannot be opened is reported, as nobody just chose it. True when the text changed.
bool LoadNamedSysexBank(const std::string& path);
// Keeps `text` as the scratchpad's and writes its message as the bank; false, after telling the
// user, when the message is invalid or the file could not be written (the old one is then kept).
bool SaveSysexBank(const std::string& path, std::string_view text);
// Keeps `text` and sends its message to the MIDI output; false, after telling the user, when the
// message is invalid.
bool SendScratchPad(std::string_view text);

// Whether an edit that leaves `characters` in the edit field fits its limit; the user is told
// when it does not, and the edit is not to be made.
bool ScratchPadEditFits(std::size_t characters);

void ResetScratchPadState();
