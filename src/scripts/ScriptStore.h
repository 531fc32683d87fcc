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
extern std::int32_t g_editorPaneCount;

// Empties both pairs of texts and sets the default paths "test.orc" and "test.sco" (both copies).
void ResetScriptStore();

void LoadScript(int i);
// 1 when the script was written (or has no path, or was refused on loading), 0 after a reported
// failure; the previous file survives a failed write.
std::int32_t SaveScript(int i);
void CountScripts();
