#include <gtest/gtest.h>

#include "base/ByteCodec.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"

namespace {

class PreferencesStore : public ::testing::Test {
protected:
    void SetUp() override {
        g_settingsStore = &store;
        g_ui = &ui;
        SetPreferenceDefaults();
    }
    void TearDown() override {
        g_settingsStore = nullptr;
        g_ui = nullptr;
    }

    FakeSettingsStore store;
    FakeUi ui;
};

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
    for (const Preferences* p : {&g_preferences, &g_preferencesCommitted}) {
        EXPECT_EQ(p->global.flashOnExit, 0);
        EXPECT_EQ(p->global.smallButtons, 0); // 32 x 32 buttons
        EXPECT_EQ(p->global.toolBarLook, 2048);
        EXPECT_EQ(p->global.panelToolTips, 1);
        EXPECT_EQ(p->global.toolTipDelay, 1);
        EXPECT_EQ(TextOf(p->help.browser), "xdg-open");
        EXPECT_EQ(TextOf(p->help.helpFile), "Ventaro.2.hlp");
        EXPECT_EQ(p->editor.font, g_fixedPitchFont);
        EXPECT_EQ(p->editor.saveScriptsBeforeRun, 1);
    }
    // Creation's toggles negate these: keyboard mapping off, tool and status bar shown.
    EXPECT_EQ(-g_frame.keyboardMapping, -1);
    EXPECT_EQ(-g_frame.toolBarShown, 1);
    EXPECT_EQ(-g_frame.statusBarShown, 1);
    EXPECT_EQ(g_frame.framePlacementLoaded, 0);
    EXPECT_FALSE(g_toolWindows[kToolMidiScope].placementValid);
    EXPECT_TRUE(store.keys.empty()); // reading creates nothing
}

TEST_F(PreferencesStore, StoredValuesGoIntoTheLiveAndTheCommittedCopy) {
    const GlobalRecord global{1, 1, 0, 750, 0};
    HelpRecord help;
    SetText(help.browser, "firefox");
    SetText(help.helpFile, "/usr/share/doc/v.html");
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

TEST_F(PreferencesStore, AValueOfTheWrongSizeOrWithUnusableFieldsLeavesTheDefault) {
    Bytes longer = EncodeGlobal({1, 1, 0, 750, 0});
    longer.push_back(0);
    store.Put(kSettingsKey, kValueGlobal, longer);
    store.Put(kSettingsKey, kValueHelp, Bytes(260, 'x'));
    store.Put(kSettingsKey, kValueKeyboardMapping, EncodeInt32(0));
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, 0}));
    store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({Placement(10), 0}));
    store.Put(kWindowsKey, kValueScratchPad, EncodeToolWindow({Placement(10), 1, 0}, true));
    ReadPreferences();
    ReadWindowSettings();
    EXPECT_EQ(g_preferences.global, GlobalRecord{});
    EXPECT_EQ(TextOf(g_preferences.help.browser), "xdg-open");
    EXPECT_EQ(g_frame.keyboardMapping, 1);
    EXPECT_EQ(g_frame.toolBarShown, -1);
    EXPECT_EQ(g_frame.barsLoaded, 0);
    EXPECT_EQ(g_frame.framePlacementLoaded, 0);
    EXPECT_FALSE(g_toolWindows[kToolScratchPad].placementValid);
    // Unusable fields are refused by the decoders, whose tests list them.
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({0, 0, 1, 0, 2048})); // delay 0
    ReadPreferences();
    EXPECT_EQ(g_preferences.global, GlobalRecord{});
    EXPECT_EQ(g_preferencesCommitted.global, GlobalRecord{});
}

TEST_F(PreferencesStore, WindowSettingsTakeTheTogglesWithTheirSignChanged) {
    store.Put(kWindowsKey, kValueBars, EncodeBars({1, -1}));
    store.Put(kWindowsKey, kValueFrameWindow, EncodeFrameWindow({Placement(40), 1}));
    store.Put(kWindowsKey, kValueMidiScope, EncodeToolWindow({Placement(50), 1, 1}, true));
    store.Put(kWindowsKey, kValueAudioRecorder, EncodeToolWindow({Placement(60), 0, 0}, false));
    ReadWindowSettings();
    EXPECT_EQ(g_frame.toolBarShown, -1);
    EXPECT_EQ(g_frame.statusBarShown, 1);
    EXPECT_EQ(g_frame.barsLoaded, 1);
    EXPECT_EQ(g_frame.alwaysOnTop, -1);
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

TEST_F(PreferencesStore, SaveWritesTheThreeRecordsFromTheLiveValues) {
    g_preferences.global.toolTipDelay = 250;
    EXPECT_TRUE(SavePreferences());
    EXPECT_EQ(store.writes, 3);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueGlobal), EncodeGlobal(g_preferences.global));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueHelp), EncodeHelp(g_preferences.help));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEditorPrefs), EncodeEditorPrefs(g_preferences.editor));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PreferencesStore, SaveReportsAKeyThatCannotBeCreatedOrStopsAtTheFirstFailingWrite) {
    store.failCreate = true;
    EXPECT_FALSE(SavePreferences());
    EXPECT_TRUE(store.values.empty());
    store.failCreate = false;
    store.failWriteOf.insert(kValueHelp);
    EXPECT_FALSE(SavePreferences());
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Error while creating/opening the "
                                        "registry entry!",
                                        "Error while writing on the registry!"}));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    // The earlier value stays written; the later ones are not attempted.
    EXPECT_NE(store.Get(kSettingsKey, kValueGlobal), nullptr);
    EXPECT_EQ(store.Get(kSettingsKey, kValueHelp), nullptr);
    EXPECT_EQ(store.Get(kSettingsKey, kValueEditorPrefs), nullptr);
    EXPECT_EQ(store.writes, 1);
}

TEST_F(PreferencesStore, ClearDeletesTheSettingsKeyAndKeepsTheWindowPositions) {
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({}));
    store.Put(kSettingsKey, kValueMidiDevices, Bytes(12));
    store.Put(kWindowsKey, kValueMidiScope, EncodeToolWindow({Placement(5), 1, 0}, true));
    ClearPreferences();
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    EXPECT_EQ(store.Get(kSettingsKey, kValueGlobal), nullptr);
    EXPECT_EQ(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
    EXPECT_TRUE(store.KeyExists(kWindowsKey));
    ReadWindowSettings();
    EXPECT_EQ(g_toolWindows[kToolMidiScope].openAtExit, 1);
}
