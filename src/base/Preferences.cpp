#include "base/Preferences.h"

#include "base/ByteCodec.h"
#include "base/SettingsKeys.h"
#include "base/Ui.h"
#include "resources/Strings.h"

Preferences g_preferences;
Preferences g_preferencesCommitted;
FrameFlags g_frame;
ToolWindowSettings g_toolWindows[kToolWindowCount];
std::int32_t g_midiScopeFilterActiveSensing = 0;
LogFontRecord g_fixedPitchFont = DefaultFixedPitchFont();

namespace {
constexpr const char* kDefaultBrowser = "xdg-open";
constexpr const char* kHelpFileFormat = ".hlp";

} // namespace

const char* ToolWindowValueName(ToolWindow window) {
    switch (window) {
    case kToolAudioRecorder:
        return kValueAudioRecorder;
    case kToolMidiSend:
        return kValueMidiSend;
    case kToolGlobalMemory:
        return kValueGlobalMemory;
    case kToolMidiScope:
        return kValueMidiScope;
    default:
        return kValueScratchPad;
    }
}

LogFontRecord DefaultFixedPitchFont() {
    LogFontRecord font;
    font.height = -13;
    font.weight = 400;
    font.pitchAndFamily = 0x31; // fixed pitch, modern family
    SetText(font.faceName, "Monospace");
    return font;
}

void SetPreferenceDefaults() {
    Preferences defaults;
    SetText(defaults.help.browser, kDefaultBrowser);
    SetText(defaults.help.helpFile, Str(kStrProductName) + kHelpFileFormat);
    defaults.editor.font = g_fixedPitchFont;
    defaults.editor.saveScriptsBeforeRun = 1;
    g_preferences = defaults;
    g_preferencesCommitted = defaults;

    g_frame = FrameFlags{};
    for (ToolWindowSettings& window : g_toolWindows) {
        window = ToolWindowSettings{};
    }
    g_midiScopeFilterActiveSensing = 1; // a first start hides the steady Active Sensing stream
}

void ReadWindowSettings() {
    SettingsStore* store = g_settingsStore;
    if (!store || !store->KeyExists(kWindowsKey)) {
        return;
    }
    if (auto bytes = ReadRecord(*store, kWindowsKey, kValueFrameWindow, kFrameWindowRecordSize)) {
        if (auto record = DecodeFrameWindow(*bytes)) {
            g_frame.framePlacement = record->placement;
            g_frame.framePlacementLoaded = 1;
            g_frame.alwaysOnTop = -record->alwaysOnTop;
        }
    }
    if (auto bytes = ReadRecord(*store, kWindowsKey, kValueBars, kBarsRecordSize)) {
        if (auto record = DecodeBars(*bytes)) {
            g_frame.toolBarShown = -record->toolBarShown;
            g_frame.statusBarShown = -record->statusBarShown;
            g_frame.barsLoaded = 1;
        }
    }
    for (int w = 0; w < kToolWindowCount; ++w) {
        const auto window = static_cast<ToolWindow>(w);
        const bool withFilter = window == kToolMidiScope;
        const auto bytes = ReadRecord(*store, kWindowsKey, ToolWindowValueName(window),
                                      withFilter ? kMidiScopeRecordSize : kToolWindowRecordSize);
        if (!bytes) {
            continue;
        }
        if (auto record = DecodeToolWindow(*bytes, withFilter)) {
            g_toolWindows[w].placementValid = true;
            g_toolWindows[w].placement = record->placement;
            g_toolWindows[w].openAtExit = record->open;
            if (withFilter) {
                g_midiScopeFilterActiveSensing = record->filterActiveSensing;
            }
        }
    }
}

void ReadPreferences() {
    SettingsStore* store = g_settingsStore;
    if (!store || !store->KeyExists(kSettingsKey)) {
        return;
    }
    if (auto bytes = ReadRecord(*store, kSettingsKey, kValueGlobal, kGlobalRecordSize)) {
        if (auto record = DecodeGlobal(*bytes)) {
            g_preferences.global = g_preferencesCommitted.global = *record;
        }
    }
    if (auto bytes = ReadRecord(*store, kSettingsKey, kValueHelp, kHelpRecordSize)) {
        if (auto record = DecodeHelp(*bytes)) {
            g_preferences.help = g_preferencesCommitted.help = *record;
        }
    }
    if (auto bytes = ReadRecord(*store, kSettingsKey, kValueEditorPrefs, kEditorPrefsRecordSize)) {
        if (auto record = DecodeEditorPrefs(*bytes)) {
            g_preferences.editor = g_preferencesCommitted.editor = *record;
        }
    }
    if (auto bytes =
            ReadRecord(*store, kSettingsKey, kValueKeyboardMapping, kKeyboardMappingSize)) {
        if (auto value = DecodeToggle(*bytes)) {
            g_frame.keyboardMapping = -*value; // creation's toggle restores the stored state
        }
    }
}

bool SavePreferences() {
    SettingsStore* store = g_settingsStore;
    if (!store || !store->CreateKey(kSettingsKey)) {
        ShowWarning(Str(kStrRegistryCreateError));
        return false;
    }
    const Bytes records[] = {EncodeGlobal(g_preferences.global), EncodeHelp(g_preferences.help),
                             EncodeEditorPrefs(g_preferences.editor)};
    const char* names[] = {kValueGlobal, kValueHelp, kValueEditorPrefs};
    for (int i = 0; i < 3; ++i) {
        if (!store->WriteValue(kSettingsKey, names[i], records[i])) {
            ShowWarning(Str(kStrRegistryWriteError));
            return false;
        }
    }
    return true;
}

void ClearPreferences() {
    if (g_settingsStore) {
        g_settingsStore->DeleteKey(kSettingsKey);
    }
}
