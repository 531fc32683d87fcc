#include "app/KeysPage.h"

#include "app/CommandTable.h"

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// "Save project &as..." reads "Save project as..."; "&&" stands for one ampersand.
std::string WithoutMnemonics(const char* text) {
    std::string out;
    for (const char* c = text; c && *c; ++c) {
        if (*c == '&' && c[1] != '\0') {
            ++c;
        }
        out += *c;
    }
    return out;
}

// "&File|&Print" reads "File › Print".
std::string MenuPlace(const CommandRow& row) {
    if (!row.menuPath) {
        return row.trayPosition > 0 ? "Tray menu" : "(key only)";
    }
    const std::string path = row.menuPath;
    std::string place;
    std::size_t start = 0;
    for (std::size_t bar = path.find('|'); bar != std::string::npos; bar = path.find('|', start)) {
        place += Escaped(WithoutMnemonics(path.substr(start, bar - start).c_str())) + " &#8250; ";
        start = bar + 1;
    }
    place += Escaped(WithoutMnemonics(path.substr(start).c_str()));
    return place;
}

// A key is shown only where it really reaches the command: a key taken by an earlier command
// would send the reader to the wrong place.
std::string KeyCell(const CommandRow& row) {
    if (row.accelerator.key == 0 || FindAcceleratorCommand(row.accelerator) != row.id) {
        return "";
    }
    return "<kbd>" + Escaped(AcceleratorText(row.accelerator)) + "</kbd>";
}

} // namespace

std::string KeysPageHtml() {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Ventaro.2 - Live Fader Studio: commands and keys</title>\n"
        "<link rel=\"stylesheet\" href=\"help.css\">\n</head>\n<body>\n"
        "<p class=\"nav\"><a href=\"index.html\">Contents</a></p>\n"
        "<h1>Commands and keys</h1>\n"
        "<p>Every command of the main window, in the order of the menu bar. The help line is what "
        "the status bar shows while the pointer rests on the item. Keys work wherever the main "
        "window or one of its tool windows has the focus.</p>\n"
        "<table>\n<tr><th>Command</th><th>Menu</th><th>Item</th><th>Key</th><th>Help line</th>"
        "</tr>\n";
    for (const CommandRow& row : CommandTable()) {
        const std::string item = row.menuText ? Escaped(WithoutMnemonics(row.menuText)) : "";
        page += "<tr><td>" + std::to_string(row.id) + "</td><td>" + MenuPlace(row) + "</td><td>" +
                item + "</td><td>" + KeyCell(row) + "</td><td>" + Escaped(MenuHelpText(row.id)) +
                "</td></tr>\n";
    }
    page += "</table>\n</body>\n</html>\n";
    return page;
}
