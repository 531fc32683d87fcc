#pragma once
// The orderly end of the program: the project's save prompt, the engine, the recorder, the
// window settings, the MIDI devices, the tray icon, then the quit message.

#include "base/Preferences.h"

inline constexpr int kCmdRecorderStop = 18003;

// The command that opens and closes each tool window whose place the window settings keep.
int ToolWindowCommand(ToolWindow window);

// Runs the exit sequence; false when the project's save prompt kept the program running.
bool RunExitSequence();
// Writes "FrameWindow", "Bars" and the record of each visible tool window, then destroys those
// windows (the exit's step after the recorder); nothing is written when the window settings key
// cannot be made.
void WriteWindowSettings();
