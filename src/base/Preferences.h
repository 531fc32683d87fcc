#pragma once
// The preferences and window settings kept in the settings store: their live values, committed
// copies and start values, and the readers and writers of the main window's creation and exit.

#include <cstdint>

#include "base/SettingsRecords.h"

struct Preferences {
    GlobalRecord global;
    HelpRecord help;
    EditorPrefsRecord editor;
};

// The frame's toggled states (+1 on, -1 off) and what was read at creation.
struct FrameFlags {
    std::int32_t alwaysOnTop = 1;
    std::int32_t toolBarShown = -1;
    std::int32_t statusBarShown = -1;
    std::int32_t keyboardMapping = 1;
    std::int32_t inTray = 0;
    std::int32_t framePlacementLoaded = 0;
    std::int32_t barsLoaded = 0;
    WindowPlacement framePlacement;
};

enum ToolWindow : int {
    kToolAudioRecorder,
    kToolMidiSend,
    kToolGlobalMemory,
    kToolMidiScope,
    kToolScratchPad,
    kToolWindowCount
};

// A tool window's stored placement and whether it was open at the last exit.
struct ToolWindowSettings {
    bool placementValid = false;
    WindowPlacement placement;
    std::int32_t openAtExit = 0;
};

extern Preferences g_preferences;
extern Preferences g_preferencesCommitted;
extern FrameFlags g_frame;
extern ToolWindowSettings g_toolWindows[kToolWindowCount];
extern std::int32_t g_midiScopeFilterActiveSensing;

// The value name of each tool window in the window settings key.
const char* ToolWindowValueName(ToolWindow window);

// The platform's fixed-pitch font, set by the program before the defaults are taken.
extern LogFontRecord g_fixedPitchFont;
LogFontRecord DefaultFixedPitchFont();

// Start values of the preferences (both copies) and of the frame flags and window settings.
void SetPreferenceDefaults();

void ReadWindowSettings();
// Reads "Global", "Help", "EditorPrefs" and "KeyboardMapping"; the frame reads the engine's
// "EnvironmentFiles" beside them.
void ReadPreferences();
// Stores "Global", "Help" and "EditorPrefs" from the live values; false after a reported failure.
bool SavePreferences();
void ClearPreferences();
