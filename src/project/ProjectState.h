#pragma once
// The open project's state: whether a project is open, untitled or changed, its file and name,
// the header of the file last read or written, and the project-level settings the header maps
// that have no other owner yet.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/CommandIds.h"
#include "project/ProjectFile.h"

extern std::int32_t g_projectOpen;
extern std::int32_t g_projectUntitled;
extern std::int32_t g_projectDirty;

// The header of the file last read or written: the saved copy the change detector compares with.
extern ProjectHeader g_projectHeader;
extern std::array<char, kProjectPathWidth> g_projectPath;
extern std::array<char, kProjectNameWidth> g_projectName;
extern std::int32_t g_untitledCounter;

extern ProjectText260 g_audioOutputFile;
extern ProjectText260 g_audioOutputFileCommitted;
extern std::int32_t g_audioFormatIndex;
extern std::int32_t g_managerIconSize;
extern std::int32_t g_panelControlStyleCommitted;
// The kind chosen in the new-project dialog, and the copy its Cancel restores.
extern std::int32_t g_newPanelType;
extern std::int32_t g_newPanelTypeCommitted;

// The four project windows' placements and open states, kept up to date by the windows: each
// applies its placement on opening when placementValid is 1, then sets it, and stores its
// placement on closing.
extern std::array<WindowState, kProjectWindowCount> g_windowStates;
// The toggle command of each project window, in the header's order.
inline constexpr std::array<int, kProjectWindowCount> kProjectWindowCommands = {
    kCmdVirtualPanel, kCmdGestureWindow, kCmdProjectManager, kCmdScriptEditor};

inline constexpr int kNewPanelSevenBit = 0;
inline constexpr int kNewPanelFourteenBit = 1;
inline constexpr int kNewPanelTemplate = 2;

// Sets the state behind the header fields to a new project's defaults (not the slider and
// snapshot records, the snapshot count or the window states).
void ResetProjectDefaults();
// Every window state zero, except that the project manager opens with the next project.
void ResetWindowStates();
// The project's state as at start-up: no project open, a new project's defaults (which set the
// panel, snapshot and script values a project carries), the window states and the template
// table.
void ResetProjectState();

// The text after the last "/" or "\", or the whole path when it holds neither.
std::string_view FileTitleOf(std::string_view path);
// Where a script or audio path stored in the project is on this machine: a relative path is
// taken beside the project file (an untitled project's file is "./Project<n>.vtp", so the folder
// a save will start in), with "\" read as "/"; an absolute path, "/..." or "C:\...", as stored.
std::string ResolveProjectPath(std::string_view stored);
// Takes a path into g_projectPath and its title into g_projectName; false, with both left as
// they were, when the path does not fit the field (a cut path would name another file).
bool SetProjectFile(std::string_view path);
void ClearProjectFile();
// "Ventaro.2 - Live Fader Studio - [name]".
std::string ProjectTitle();
