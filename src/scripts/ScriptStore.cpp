#include "scripts/ScriptStore.h"

#include <algorithm>
#include <span>

#include "base/ByteCodec.h"
#include "base/FileSystem.h"
#include "base/Ui.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptCommands.h"

std::array<ScriptPath, 2> g_scriptPaths{};
std::array<ScriptPath, 2> g_scriptPathsCommitted{};
std::array<std::string, 2> g_scriptTexts;
std::array<std::string, 2> g_scriptTextsSaved;
std::array<std::int32_t, 2> g_scriptLoaded{1, 1};
std::array<std::string, 2> g_scriptSavedFile{};
std::int32_t g_editorPaneCount = 0;
ScriptPanes* g_scriptPanes = nullptr;

namespace {

// The message followed by the script's number from 1 ("%s%d").
std::string Numbered(int message, int i) {
    return Str(message) + std::to_string(i + 1);
}

void Refuse(int i, const std::string& text) {
    g_scriptTexts[i].clear();
    g_scriptTextsSaved[i].clear();
    g_scriptLoaded[i] = 0; // never written back over the file it could not take
    g_scriptSavedFile[i].clear();
    ShowWarning(text);
}

std::string_view PathOf(int i) {
    return TextOf(g_scriptPaths[i]);
}

} // namespace

void ResetScriptStore() {
    for (int i = 0; i < 2; ++i) {
        g_scriptTexts[i].clear();
        g_scriptTextsSaved[i].clear();
        g_scriptLoaded[i] = 1;
        g_scriptSavedFile[i].clear();
    }
    SetText(g_scriptPaths[0], Str(kStrDefaultScript1));
    SetText(g_scriptPaths[1], Str(kStrDefaultScript2));
    g_scriptPathsCommitted = g_scriptPaths;
    CountScripts();
}

void LoadScript(int i) {
    if (PathOf(i).empty() || !g_fileSystem) {
        return;
    }
    // One byte more than a script holds tells a file that is too big.
    const std::string path = ResolveProjectPath(PathOf(i));
    FileContents file = g_fileSystem->ReadFile(path, kMaxScriptLength + 1);
    if (file.status == FileStatus::OpenFailed) {
        g_scriptSavedFile[i].clear();
        return; // a missing file leaves the text in place, to be written at the next save
    }
    if (file.status != FileStatus::Ok) {
        Refuse(i, Numbered(kStrScriptCannotLoad, i));
        return;
    }
    // A file of exactly 65536 bytes has no room for the terminator: it is refused whole rather
    // than loaded without its last byte.
    if (file.bytes.size() > kMaxScriptLength) {
        Refuse(i, Str(kStrScriptTooBig) + " (n. " + std::to_string(i + 1) + ")");
        return;
    }
    std::string text;
    text.reserve(file.bytes.size());
    for (std::uint8_t byte : file.bytes) {
        if (byte != 0) {
            text.push_back(static_cast<char>(byte));
        }
    }
    if (text.empty()) {
        Refuse(i, Numbered(kStrScriptCannotLoad, i));
        return;
    }
    g_scriptTextsSaved[i] = text;
    g_scriptTexts[i] = std::move(text);
    g_scriptLoaded[i] = 1;
    g_scriptSavedFile[i] = path;
}

std::int32_t SaveScript(int i) {
    if (PathOf(i).empty() || !g_scriptLoaded[i]) {
        return 1;
    }
    const std::string& live = g_scriptTexts[i];
    const std::string text = live.substr(0, live.find('\0'));
    const std::string path = ResolveProjectPath(PathOf(i));
    if (g_scriptSavedFile[i] == path && text == g_scriptTextsSaved[i]) {
        return 1; // nobody touched it: the file keeps its bytes and its time
    }
    // An empty file of our own making would only be refused, with a warning, when the project
    // is opened again; a file the user emptied is written as asked.
    if (g_scriptSavedFile[i].empty() && text.empty()) {
        g_scriptTextsSaved[i].clear();
        return 1;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const bool written = g_fileSystem && g_fileSystem->WriteFileAtomically(
                                             path, std::span(bytes, text.size())) == FileStatus::Ok;
    if (!written) {
        // The previous file and the saved copy stay as they were, so the project stays changed.
        ShowWarning(Numbered(kStrScriptCannotSave, i));
        return 0;
    }
    g_scriptTextsSaved[i] = text;
    g_scriptSavedFile[i] = path;
    return 1;
}

void CountScripts() {
    g_editorPaneCount = 0;
    for (int i = 0; i < 2; ++i) {
        if (!PathOf(i).empty()) {
            ++g_editorPaneCount;
        }
    }
}

int ScriptOfPane(int pane, int paneCount, const ScriptPath& script1Path) {
    if (paneCount >= 2) {
        return pane == 0 ? 0 : 1;
    }
    return TextOf(script1Path).empty() ? 1 : 0;
}

void TakePaneTexts(const ScriptPath& script1Path) {
    if (!g_scriptPanes) {
        return;
    }
    const int panes = std::min(g_scriptPanes->PaneCount(), 2);
    for (int pane = 0; pane < panes; ++pane) {
        std::string text = g_scriptPanes->PaneText(pane);
        if (text.size() > kMaxScriptLength) {
            text.resize(kMaxScriptLength);
        }
        g_scriptTexts[ScriptOfPane(pane, panes, script1Path)] = std::move(text);
    }
}

void TakePaneTexts() {
    TakePaneTexts(g_scriptPaths[0]);
}

void PutPaneTexts() {
    if (!g_scriptPanes) {
        return;
    }
    const int panes = std::min(g_scriptPanes->PaneCount(), 2);
    for (int pane = 0; pane < panes; ++pane) {
        g_scriptPanes->SetPaneText(pane,
                                   g_scriptTexts[ScriptOfPane(pane, panes, g_scriptPaths[0])]);
    }
}

void CommitScriptPaths(const std::array<std::string, 2>& pathFields) {
    // The one pane still shows the script of the committed paths.
    TakePaneTexts(g_scriptPathsCommitted[0]);
    for (int i = 0; i < 2; ++i) {
        SetText(g_scriptPaths[i], pathFields[i]);
        if (PathOf(i) == TextOf(g_scriptPathsCommitted[i])) {
            continue;
        }
        const std::string_view oldPath = TextOf(g_scriptPathsCommitted[i]);
        if (!oldPath.empty() && g_scriptTexts[i] != g_scriptTextsSaved[i]) {
            if (AskYesNo(std::string(oldPath) + Str(kStrNotSavedQuestion), MessageIcon::Warning)) {
                const ScriptPath newPath = g_scriptPaths[i];
                g_scriptPaths[i] = g_scriptPathsCommitted[i];
                const bool saved = SaveScript(i) == 1;
                g_scriptPaths[i] = newPath;
                if (!saved) {
                    // Loading the new path now would lose the text that could not be saved:
                    // this script keeps its old path, and the failure has been reported.
                    g_scriptPaths[i] = g_scriptPathsCommitted[i];
                    continue;
                }
            }
        }
        g_scriptLoaded[i] = 1; // a refusal concerned the old file only
        LoadScript(i);
        g_scriptPathsCommitted[i] = g_scriptPaths[i];
    }
    if (g_scriptPanes) {
        CountScripts();
        PutPaneTexts();
        if (g_ui) {
            g_ui->SendCommand(kCommandScriptEditor); // closes the editor, taking the panes back
            g_ui->SendCommand(kCommandScriptEditor); // and opens it on the new set of scripts
        }
    }
}
