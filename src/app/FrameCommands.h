#pragma once
// The main window's own commands and the creation of its state: the four toggles, the tray,
// clearing the preferences, the MIDI commands of the menus, the programs and addresses it
// opens, the menu states on dropping down and the menu help line.

#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"

// Creation of the main window's state, before it is shown: the start values of the whole
// program, the stored window settings and preferences, the bars, and the four toggles applied by
// their commands.
void CreateFrameState(Clock& clock);
// The start values of the whole program: the engine library loaded, every subsystem's state
// reset, the generator seeded from the clock and the curve tables built from it.
void SetProgramStartValues(Clock& clock);

// Routes every command the frame carries out itself.
void RegisterFrameCommands();

void ToggleAlwaysOnTop();
void ToggleToolBar();
void ToggleStatusBar();
void ToggleKeyboardMapping();
void MinimizeToTray();
void RestoreFromTray(bool maximized);
void ClearAllPreferences();
void SendTransport(bool start);
void ResetCurrentDevices();
void RunVolumeControl();
void ShowHelpOverview();
void OpenWebSite();
void OpenBugReport();

// Checks a tool window's command in the menus that hold it and presses its tool bar button
// while the tool bar is shown (or clears them when the window closed).
void MarkToolWindowOpen(int command, bool open);
// Whether a tool window leaves the keys to the main window's accelerators (the project manager,
// script editor, MIDIScope, scratchpad and memory status have no keyboard handling of their own).
bool TakesFrameAccelerators(int command);
// Presses the tool bar's check buttons as the state says (after coming back from the tray).
void RefreshToolBarChecks();

// The help file the overview opens: the preference, or the program's own help when the
// preference still names the default file and that help is installed.
std::string HelpFileToOpen();
// The program's own help document, set by the program where it ships one.
extern std::string g_installedHelpFile;

// Positions of the drop-down menus in the menu bar.
inline constexpr int kMenuFile = 0;
inline constexpr int kMenuEdit = 1;
inline constexpr int kMenuInsert = 3;
// The enabled state of the items a drop-down menu sets as it opens.
std::vector<std::pair<int, bool>> MenuStatesOnOpen(int menuPosition);

// The menu help line: the item under the pointer, a blank for a submenu, "Ready" when the menu
// closed; only while the status bar is there to show it.
void ShowMenuHelp(int command, bool submenu);
void MenuClosed();
