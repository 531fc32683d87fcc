#pragma once
// The script editor's text rules: a script's bytes become the pane's text (UTF-8 with LF line
// ends) and go back in the encoding and with the line ends they came in; an edit is taken only
// while the script still fits its 65535 bytes.

#include <string>
#include <string_view>

// How a script's bytes were written, so that saving writes them the same way.
struct ScriptTextForm {
    bool latin1 = false; // no UTF-8 text: each byte is one Latin-1 character
    bool crlf = true;    // CR LF line ends, as the generated text has (also with no line end)
};

// The bytes a script came as and the text they became: a text nobody edited goes back as exactly
// these bytes, whatever mix of line ends or characters they held.
struct ScriptOrigin {
    std::string bytes;
    std::string text;
};

struct EditableScript {
    std::string text; // UTF-8, every line end one LF
    ScriptTextForm form;
    ScriptOrigin origin;
};

// A script's bytes as the pane shows them. Bytes that are no complete UTF-8 text (a cut
// sequence at the end included) are read as Latin-1; a UTF-8 byte order mark at the start is
// left out, as the pane never shows one.
EditableScript DecodeScriptText(std::string_view bytes);
// Every CR LF and lone CR becomes one LF.
std::string WithLfLineEnds(std::string_view text);
// The pane's text (UTF-8; a paragraph separator counts as a line end) as the script's bytes: the
// bytes it came from while it is unchanged, else in the form's encoding and line ends. In
// Latin-1, a character beyond it becomes "?" for each UTF-16 unit it takes.
std::string EncodeScriptText(std::string_view text, const ScriptTextForm& form,
                             const ScriptOrigin* origin = nullptr);
// Whether the pane's text after an edit still fits a script; warns "Error: edit control out of
// space..." when it does not.
bool ScriptEditFits(std::string_view text, const ScriptTextForm& form);
