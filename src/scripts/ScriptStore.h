#pragma once
// The project's two script documents: their paths, their live texts and the texts as last read
// from or written to their files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kScriptPathWidth = 260;
// A script text holds at most 65535 characters (the 65536-byte buffer keeps its terminator).
inline constexpr std::size_t kScriptBufferSize = 65536;
inline constexpr std::size_t kMaxScriptLength = kScriptBufferSize - 1;

using ScriptPath = std::array<char, kScriptPathWidth>;

extern std::array<ScriptPath, 2> g_scriptPaths;
extern std::array<ScriptPath, 2> g_scriptPathsCommitted;
extern std::array<std::string, 2> g_scriptTexts;
extern std::array<std::string, 2> g_scriptTextsSaved;
// 0 while script i was refused on loading (too big or empty): such a script is never written
// back over its file.
extern std::array<std::int32_t, 2> g_scriptLoaded;
// The file (its path as resolved beside the project) that holds g_scriptTextsSaved[i], read from
// or written to it; empty when none does. An unchanged text is not written again to that file,
// so a save leaves it as it is; a project saved into another folder writes it there.
extern std::array<std::string, 2> g_scriptSavedFile;
extern std::int32_t g_editorPaneCount;

// Empties both pairs of texts and sets the default paths "test.orc" and "test.sco" (both copies).
void ResetScriptStore();

void LoadScript(int i);
// 1 when the script was written (or has no path, was refused on loading, or is unchanged since
// its file was read or written), 0 after a reported failure; the previous file survives a failed
// write.
std::int32_t SaveScript(int i);
void CountScripts();

// The panes of the open script editor, as the core sees them. The editor window installs itself
// in g_scriptPanes while it exists; null while the editor is closed.
class ScriptPanes {
public:
    virtual ~ScriptPanes() = default;
    virtual int PaneCount() = 0;
    virtual std::string PaneText(int pane) = 0;
    virtual void SetPaneText(int pane, const std::string& text) = 0;
};
extern ScriptPanes* g_scriptPanes;

// The script (0 or 1) that pane `pane` of an editor with `paneCount` panes shows: with two panes
// pane i shows script i; a single pane shows script 1 when `script1Path` is not empty, else
// script 2.
int ScriptOfPane(int pane, int paneCount, const ScriptPath& script1Path);
// Copies the open editor's panes into g_scriptTexts (65535 characters at most each); nothing while
// the editor is closed.
void TakePaneTexts();
// The same, choosing the one-pane script by `script1Path` (the paths may be changing).
void TakePaneTexts(const ScriptPath& script1Path);
// Puts the script texts into the open editor's panes, as when the editor opens.
void PutPaneTexts();
// Confirms the two script path fields of the panel configuration or project files dialog: asks
// to save an edited text under its old path, loads each changed path and, with the editor open,
// reopens it on the new set of scripts.
void CommitScriptPaths(const std::array<std::string, 2>& pathFields);
