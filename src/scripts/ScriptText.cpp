#include "scripts/ScriptText.h"

#include <cstdint>

#include "base/Ui.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";

// The length of the well-formed UTF-8 sequence at `at`, or 0: no overlong forms, no surrogates,
// nothing beyond U+10FFFF, no sequence cut short.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// The pane's text is the window's UTF-8; whatever is not well formed counts as one unit.
std::string Utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0 || length == 1) {
            bytes += text[at];
            ++at;
            continue;
        }
        const auto lead = static_cast<std::uint8_t>(text[at]);
        const auto next = static_cast<std::uint8_t>(text[at + 1]);
        if (length == 2 && lead <= 0xC3) {
            bytes += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
        } else {
            bytes += length == 4 ? "??" : "?"; // two UTF-16 units beyond the plane
        }
        at += length;
    }
    return bytes;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, start)) {
        result.append(text.substr(start, found - start));
        result.append(to);
        start = found + from.size();
    }
    result.append(text.substr(start));
    return result;
}

} // namespace

EditableScript DecodeScriptText(std::string_view bytes) {
    EditableScript script;
    script.form.latin1 = !IsUtf8(bytes);
    if (script.form.latin1) {
        script.text = Latin1ToUtf8(bytes);
    } else {
        script.text =
            bytes.starts_with(kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
    }
    // A text without line ends takes the CR LF of the generated text.
    script.form.crlf =
        bytes.find("\r\n") != std::string_view::npos || bytes.find('\n') == std::string_view::npos;
    script.text = WithLfLineEnds(script.text);
    script.origin = {std::string(bytes), script.text};
    return script;
}

std::string WithLfLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r') {
            result += text[at];
            continue;
        }
        result += '\n';
        if (at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
    }
    return result;
}

std::string EncodeScriptText(std::string_view text, const ScriptTextForm& form,
                             const ScriptOrigin* origin) {
    std::string lines = ReplaceAll(text, kParagraphSeparator, "\n");
    if (origin && lines == origin->text) {
        return origin->bytes;
    }
    if (form.crlf) {
        lines = ReplaceAll(lines, "\n", "\r\n");
    }
    return form.latin1 ? Utf8ToLatin1(lines) : lines;
}

bool ScriptEditFits(std::string_view text, const ScriptTextForm& form) {
    if (EncodeScriptText(text, form).size() <= kMaxScriptLength) {
        return true;
    }
    ShowWarning(Str(kStrEditorOutOfSpace));
    return false;
}
