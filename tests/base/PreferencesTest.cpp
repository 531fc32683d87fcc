#include <array>

#include "base/ByteCodec.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"

namespace {

class PreferencesStore : public CoreServices {};

WindowPlacement At(std::int32_t left) {
    return {44, 0, 1, 0, 0, 0, 0, left, 0, left + 300, 200};
}

} // namespace

// The decoders' tests list what they refuse; here a refused value leaves the default, as an
// empty store does, and reading creates nothing.
TEST_F(PreferencesStore, AnEmptyStoreOrARefusedValueKeepsTheDefaults) {
    for (const bool refused : {false, true}) {
        if (refused) {
            store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({0, 0, 1, 0, 2048})); // delay 0
            store.Put(kSettingsKey, kValueHelp, Bytes(260, 'x'));
            store.Put(kSettingsKey, kValueKeyboardMapping, EncodeInt32(0));
            store.Put(kWindowsKey, kValueBars, EncodeBars({1, 0}));
            store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({At(10), 0}));
            store.Put(kWindowsKey, kValueScratchPad, EncodeToolWindow({At(10), 1, 0}, true));
        }
        ReadWindowSettings();
        ReadPreferences();
        EXPECT_TRUE(refused || store.keys.empty());
        EXPECT_TRUE(g_preferences.global == GlobalRecord{} &&
                    g_preferencesCommitted.global == GlobalRecord{});
        EXPECT_EQ(TextOf(g_preferences.help.browser), "xdg-open");
        EXPECT_EQ(TextOf(g_preferences.help.helpFile), "Ventaro.2.hlp");
        EXPECT_TRUE(g_preferences.editor.font == g_fixedPitchFont &&
                    g_preferences.editor.saveScriptsBeforeRun == 1);
        EXPECT_EQ((std::array<int, 4>{g_frame.keyboardMapping, g_frame.barsLoaded,
                                      g_frame.framePlacementLoaded,
                                      g_toolWindows[kToolScratchPad].placementValid}),
                  (std::array<int, 4>{1, 0, 0, 0}));
    }
}

// Preferences go into the live and the committed copy; the toggles are taken with their sign
// changed, ready for creation's toggle.
TEST_F(PreferencesStore, StoredValuesAreTaken) {
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
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, -1}));
    store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({At(40), 1}));
    store.Put(kWindowsKey, kValueMidiScope, EncodeToolWindow({At(50), 1, 0}, true));
    store.Put(kWindowsKey, kValueAudioRecorder, EncodeToolWindow({At(60), 0, 0}, false));
    ReadPreferences();
    ReadWindowSettings();
    for (const Preferences* p : {&g_preferences, &g_preferencesCommitted}) {
        EXPECT_EQ(p->global, global);
        EXPECT_EQ(p->help, help);
        EXPECT_EQ(p->editor, editor);
    }
    EXPECT_EQ(
        (std::array<int, 6>{g_frame.keyboardMapping, g_frame.toolBarShown, g_frame.statusBarShown,
                            g_frame.barsLoaded, g_frame.alwaysOnTop, g_frame.framePlacementLoaded}),
        (std::array<int, 6>{-1, -1, 1, 1, -1, 1}));
    EXPECT_EQ(g_frame.framePlacement, At(40));
    const ToolWindowSettings& scope = g_toolWindows[kToolMidiScope];
    EXPECT_TRUE(scope.placementValid && scope.placement == At(50));
    EXPECT_EQ(scope.openAtExit, 1);
    EXPECT_EQ(g_midiScopeFilterActiveSensing, 0); // on at a first start: the stored off wins
    const ToolWindowSettings& recorder = g_toolWindows[kToolAudioRecorder];
    EXPECT_TRUE(recorder.placementValid && recorder.openAtExit == 0);
    EXPECT_FALSE(g_toolWindows[kToolMidiSend].placementValid);
}

TEST_F(PreferencesStore, SaveWritesTheThreeRecordsAndStopsAtTheFirstFailure) {
    g_preferences.global.toolTipDelay = 250;
    EXPECT_TRUE(SavePreferences());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueGlobal), EncodeGlobal(g_preferences.global));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueHelp), EncodeHelp(g_preferences.help));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEditorPrefs), EncodeEditorPrefs(g_preferences.editor));
    EXPECT_TRUE(ui.messages.empty());

    // Clearing deletes the settings key alone.
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, 1}));
    ClearPreferences();
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    EXPECT_TRUE(!store.Get(kSettingsKey, kValueGlobal) && store.Get(kWindowsKey, kValueBars));

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
    EXPECT_TRUE(store.Get(kSettingsKey, kValueGlobal) &&
                !store.Get(kSettingsKey, kValueEditorPrefs));
}
