#pragma once
// The script commands' logic below the windows: whether the editor can open, what the Insert
// menu inserts, and what the external editor commands start.

#include <string>
#include <vector>

inline constexpr int kCommandScriptEditor = 27000;
inline constexpr int kCommandInsertHeader = 34000;
inline constexpr int kCommandInsertOrchestra = 35000;
inline constexpr int kCommandInsertFirstTable = 36000; // to 48000, one table per thousand
inline constexpr int kCommandInsertPFields = 49000;
inline constexpr int kCommandEditScript1 = 50000;
inline constexpr int kCommandEditScript2 = 51000;

// Recounts the scripts before the editor opens; with none, warns "Sorry, no scripts specified!"
// and returns false.
bool CheckScriptsToEdit();

// The pieces an Insert menu command hands to the editor one after another, from the panel and
// the given audio format; the p-field command also writes each slider's linear value back into
// its `scaledValue`. Empty for any other command.
std::vector<std::string> InsertMenuPieces(int command, int audioFormatIndex);

// Command 50000 or 51000: the default script editor of the sound engine settings and the script
// it opens (the project's script while a project is open, else the environment's).
struct ExternalEditorLaunch {
    std::string program;
    std::string parameter;
};
ExternalEditorLaunch ExternalEditorFor(int command);
