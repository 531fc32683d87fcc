#include <array>

#include "base/ByteCodec.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"

namespace {

class PreferencesStore : public CoreServices {};

WindowPlacement Placement(std::int32_t left) {
    WindowPlacement p;
    p.left = left;
    p.right = left + 300;
    p.bottom = 200;
    return p;
}

} // namespace

TEST_F(PreferencesStore, AFirstStartWithAnEmptyStoreKeepsTheDefaults) {
    ReadWindowSettings();
    ReadPreferences();
    EXPECT_EQ(g_preferences.global, GlobalRecord{});
    EXPECT_EQ(TextOf(g_preferences.help.browser), "xdg-open");
    EXPECT_EQ(TextOf(g_preferences.help.helpFile), "Ventaro.2.hlp");
    EXPECT_EQ(g_preferences.editor.font, g_fixedPitchFont);
    EXPECT_EQ(g_preferences.editor.saveScriptsBeforeRun, 1);
    EXPECT_EQ(g_preferencesCommitted.help, g_preferences.help);
    EXPECT_FALSE(g_toolWindows[kToolMidiScope].placementValid);
    EXPECT_TRUE(store.keys.empty()); // reading creates nothing
}

TEST_F(PreferencesStore, StoredValuesGoIntoTheLiveAndTheCommittedCopy) {
    const GlobalRecord global{1, 1, 0, 750, 0};
    HelpRecord help;
    SetText(help.browser, "firefox");
    EditorPrefsRecord editor;
    SetText(editor.font.faceName, "DejaVu Sans Mono");
    editor.saveScriptsBeforeRun = 0;
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal(global));
    store.Put(kSettingsKey, kValueHelp, EncodeHelp(help));
    store.Put(kSettingsKey, kValueEditorPrefs, EncodeEditorPrefs(editor));
    store.Put(kSettingsKey, kValueKeyboardMapping, EncodeInt32(1));
    ReadPreferences();
    for (const Preferences* p : {&g_preferences, &g_preferencesCommitted}) {
        EXPECT_EQ(p->global, global);
        EXPECT_EQ(p->help, help);
        EXPECT_EQ(p->editor, editor);
    }
    EXPECT_EQ(g_frame.keyboardMapping, -1); // the stored +1, ready for creation's toggle
}

// The decoders' tests list what they refuse; here a refused value leaves the default.
TEST_F(PreferencesStore, AValueTheDecoderRefusesLeavesTheDefault) {
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({0, 0, 1, 0, 2048})); // delay 0
    store.Put(kSettingsKey, kValueHelp, Bytes(260, 'x'));
    store.Put(kSettingsKey, kValueKeyboardMapping, EncodeInt32(0));
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, 0}));
    store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({Placement(10), 0}));
    store.Put(kWindowsKey, kValueScratchPad, EncodeToolWindow({Placement(10), 1, 0}, true));
    ReadPreferences();
    ReadWindowSettings();
    EXPECT_EQ(g_preferences.global, GlobalRecord{});
    EXPECT_EQ(g_preferencesCommitted.global, GlobalRecord{});
    EXPECT_EQ(TextOf(g_preferences.help.browser), "xdg-open");
    EXPECT_EQ(g_frame.keyboardMapping, 1);
    EXPECT_EQ(g_frame.barsLoaded, 0);
    EXPECT_EQ(g_frame.framePlacementLoaded, 0);
    EXPECT_FALSE(g_toolWindows[kToolScratchPad].placementValid);
}

TEST_F(PreferencesStore, WindowSettingsTakeTheTogglesWithTheirSignChanged) {
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, -1}));
    store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({Placement(40), 1}));
    store.Put(kWindowsKey, kValueMidiScope, EncodeToolWindow({Placement(50), 1, 1}, true));
    store.Put(kWindowsKey, kValueAudioRecorder, EncodeToolWindow({Placement(60), 0, 0}, false));
    ReadWindowSettings();
    EXPECT_EQ((std::array<int, 4>{g_frame.toolBarShown, g_frame.statusBarShown, g_frame.barsLoaded,
                                  g_frame.alwaysOnTop}),
              (std::array<int, 4>{-1, 1, 1, -1}));
    EXPECT_EQ(g_frame.framePlacementLoaded, 1);
    EXPECT_EQ(g_frame.framePlacement, Placement(40));
    const ToolWindowSettings& scope = g_toolWindows[kToolMidiScope];
    EXPECT_TRUE(scope.placementValid);
    EXPECT_EQ(scope.placement, Placement(50));
    EXPECT_EQ(scope.openAtExit, 1);
    EXPECT_EQ(g_midiScopeFilterActiveSensing, 1);
    EXPECT_TRUE(g_toolWindows[kToolAudioRecorder].placementValid);
    EXPECT_EQ(g_toolWindows[kToolAudioRecorder].openAtExit, 0);
    EXPECT_FALSE(g_toolWindows[kToolMidiSend].placementValid);
}

TEST_F(PreferencesStore, SaveWritesTheThreeRecordsAndStopsAtTheFirstFailure) {
    g_preferences.global.toolTipDelay = 250;
    EXPECT_TRUE(SavePreferences());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueGlobal), EncodeGlobal(g_preferences.global));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueHelp), EncodeHelp(g_preferences.help));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEditorPrefs), EncodeEditorPrefs(g_preferences.editor));
    EXPECT_TRUE(ui.messages.empty());

    store.DeleteKey(kSettingsKey);
    store.writes = 0;
    store.failCreate = true;
    EXPECT_FALSE(SavePreferences());
    store.failCreate = false;
    store.failWriteOf.insert(kValueHelp);
    EXPECT_FALSE(SavePreferences());
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Error while creating/opening the registry entry!",
                                        "Error while writing on the registry!"}));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    // The earlier value stays written; the later ones are not attempted.
    EXPECT_EQ(store.writes, 1);
    EXPECT_NE(store.Get(kSettingsKey, kValueGlobal), nullptr);
    EXPECT_EQ(store.Get(kSettingsKey, kValueEditorPrefs), nullptr);
}

TEST_F(PreferencesStore, ClearDeletesTheSettingsKeyAndKeepsTheWindowPositions) {
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({}));
    store.Put(kWindowsKey, kValueMidiScope, EncodeToolWindow({Placement(5), 1, 0}, true));
    ClearPreferences();
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    EXPECT_EQ(store.Get(kSettingsKey, kValueGlobal), nullptr);
    ReadWindowSettings();
    EXPECT_EQ(g_toolWindows[kToolMidiScope].openAtExit, 1);
}
