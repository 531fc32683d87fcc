#include "tools/SendMidi.h"

#include <algorithm>
#include <charconv>

#include "base/CommandIds.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

SendMidiState g_sendMidi;

void ResetSendMidiState() {
    g_sendMidi = SendMidiState{};
}

std::uint16_t ComposeStatus(int type, int channel) {
    return static_cast<std::uint16_t>((type + 8) * 16 + channel);
}

std::string ChannelEntry(int channel) {
    return Str(kStrSendMidiChannel) + std::to_string(channel + 1);
}

namespace {

constexpr int kStatusMin = 128;
constexpr int kStatusMax = 255;

// The unsigned number an edit holds, blanks around it allowed. Anything else (empty, a sign, a
// letter, more than 32 bits) is no number: it is refused like a number out of range.
std::optional<std::uint32_t> ReadUnsigned(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t last = text.find_last_not_of(" \t");
    std::uint32_t value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

SendMidiOutcome Refuse(int message, SendMidiField focus) {
    ShowWarning(Str(message));
    return {false, focus};
}

} // namespace

SendMidiOutcome SendMidiMessage(const SendMidiFields& fields) {
    std::optional<std::uint32_t> status;
    if (g_sendMidi.mode == kSendMidiPresets) {
        status = ComposeStatus(g_sendMidi.presetType, g_sendMidi.presetChannel);
    } else {
        status = ReadUnsigned(fields.status);
    }
    if (status && *status <= 0xFFFF) {
        g_sendMidi.status = static_cast<std::uint16_t>(*status);
    }
    if (!status || *status < kStatusMin || *status > kStatusMax) {
        return Refuse(kStrSendMidiStatusRange, SendMidiField::Status);
    }
    const std::string* texts[2] = {&fields.data1, &fields.data2};
    const SendMidiField edits[2] = {SendMidiField::Data1, SendMidiField::Data2};
    for (int k = 0; k < 2; ++k) {
        const std::optional<std::uint32_t> value = ReadUnsigned(*texts[k]);
        // The number typed is kept even when refused; text that is no number leaves the last.
        if (value) {
            g_sendMidi.data[k] =
                static_cast<std::int32_t>(std::min<std::uint32_t>(*value, 0x7FFFFFFF));
        }
        if (!value || *value > kDataByteMax) {
            return Refuse(kStrSendMidiDataRange, edits[k]);
        }
    }
    SendShortMessage(static_cast<std::uint8_t>(*status),
                     static_cast<std::uint8_t>(g_sendMidi.data[0]),
                     static_cast<std::uint8_t>(g_sendMidi.data[1]));
    return {true, SendMidiField::None};
}

std::optional<int> ScrollDataValue(int value, ScrollAction action, int thumb) {
    // A refused number typed into the edit (200) is not where the bar stands: steps start from
    // the bar's own range.
    value = std::clamp(value, 0, kDataByteMax);
    int next = value;
    switch (action) {
    case ScrollAction::LineLeft:
        next = value - 1;
        break;
    case ScrollAction::LineRight:
        next = value + 1;
        break;
    case ScrollAction::PageLeft:
        next = value - kDataBarPage;
        break;
    case ScrollAction::PageRight:
        next = value + kDataBarPage;
        break;
    case ScrollAction::ThumbTrack:
    case ScrollAction::ThumbPosition:
        next = thumb;
        break;
    case ScrollAction::LeftEnd:
        next = 0;
        break;
    case ScrollAction::RightEnd:
        next = kDataByteMax;
        break;
    case ScrollAction::EndScroll:
        return std::nullopt;
    }
    return std::clamp(next, 0, kDataByteMax);
}

void SendMidiPanic() {
    if (g_ui) {
        g_ui->SendCommand(kCmdPanic);
    }
}
