#include "app/PreferencesEditing.h"
#include "FrameFixture.h"
#include "app/FrameDialogs.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "fakes/FakePanelWindow.h"
#include "panel/PanelLogic.h"

TEST(ToolTipDelay, IsReadAsAnUnsignedNumberAndClampedTo1To10000) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1},         {"20000", 10000}, {"", 1},        {"abc", 1},
        {"12x", 1},       {"-5", 1},        {" 250 ", 250}, {"1", 1},
        {"10000", 10000}, {"9999", 9999},   {"00042", 42},  {"99999999999999999999", 10000}};
    for (const auto& [text, delay] : cases) {
        EXPECT_EQ(ClampedToolTipDelay(text), delay) << '"' << text << '"';
    }
}

class PreferencesSheetTest : public CreatedFrame {
protected:
    void TearDown() override {
        g_panelWindow = nullptr; // a test's own panel is gone by now
        CreatedFrame::TearDown();
    }
};

// The strip is rebuilt only for a new look or size, shown first when hidden, staying on top.
TEST_F(PreferencesSheetTest, GlobalOkStoresClampsAndRebuildsTheStripOnlyForItsLook) {
    int panelToolTipCommands = 0;
    RouteCommand(kCommandToolTipDelay, [&] { ++panelToolTipCommands; });
    FakePanelWindow panel;
    g_panelWindow = &panel;
    DispatchCommand(kCmdAlwaysOnTop); // on top
    DispatchCommand(kCmdShowToolBar); // hidden
    view.log.clear();

    PreferencesSheet sheet;
    sheet.OpenPage(kPageGlobal);
    for (const GlobalFlag flag : {kFlagNoFlash, kFlagCoolBar, kFlagPanelToolTips}) {
        PreferencesSheet::FlipFlag(flag);
        EXPECT_FALSE(PreferencesSheet::FlagChecked(flag));
    }
    ASSERT_TRUE(sheet.Confirm({"20000", "", ""}, nullptr));

    // Flash on exit, tool tips off, the clamped delay, the classic look.
    EXPECT_EQ(*store.Get(kSettingsKey, kValueGlobal), EncodeGlobal({1, 0, 0, 10000, 0}));
    EXPECT_EQ(g_preferencesCommitted.global, g_preferences.global);
    EXPECT_EQ(panelToolTipCommands, 1);
    // Shown, then made anew, then on top again with its button pressed on the new strip.
    const auto at = [&](const std::string& line) {
        return std::ranges::find(view.log, line) - view.log.begin();
    };
    EXPECT_LT(at("toolbar shown"), at("rebuild toolbar"));
    EXPECT_LT(at("rebuild toolbar"), at("topmost on"));
    EXPECT_EQ(view.Last("topmost") + view.Last("press 1200"), "onon");
    EXPECT_EQ(view.log.back(), "relayout");

    // Flash on exit alone leaves the strip as it is.
    view.log.clear();
    PreferencesSheet::FlipFlag(kFlagNoFlash);
    ASSERT_TRUE(sheet.Confirm({"7", "", ""}, nullptr));
    EXPECT_EQ(std::ranges::count(view.log, "rebuild toolbar"), 0);
    EXPECT_EQ(g_preferencesCommitted.global.flashOnExit, 0);
}

// A page never opened takes no part in OK: its empty fields do not replace the stored values.
TEST_F(PreferencesSheetTest, CancelRestoresAndUnopenedPagesKeepTheirValues) {
    g_preferences.global.toolTipDelay = g_preferencesCommitted.global.toolTipDelay = 500;
    const Preferences before = g_preferences;
    {
        PreferencesSheet sheet;
        sheet.OpenPage(kPageGlobal);
        sheet.OpenPage(kPageHelp);
        sheet.OpenPage(kPageEditor);
        PreferencesSheet::FlipFlag(kFlagSmallButtons);
        ui.chosenFiles = {"/usr/bin/firefox", "/opt/help/index.html"};
        EXPECT_TRUE(PreferencesSheet::BrowseBrowser());
        EXPECT_TRUE(PreferencesSheet::BrowseHelpFile());
        EXPECT_EQ(ui.fileModes, (std::vector<int>{1, 2}));
        LogFontRecord font;
        SetText(font.faceName, "Serif");
        PreferencesSheet::SetEditorFont(font);
        PreferencesSheet::FlipSaveScripts();
        sheet.Cancel();
    }
    EXPECT_TRUE(g_preferences.global == before.global && g_preferences.help == before.help &&
                g_preferences.editor == before.editor);

    // Only "Help" opened: the typed path is stored, the delay and the editor stay.
    PreferencesSheet help;
    help.OpenPage(kPageHelp);
    PreferencesFollowUp followUp;
    ASSERT_TRUE(help.Confirm({"", "xdg-open", "/usr/share/doc/ventaro/index.html"}, &followUp));
    EXPECT_FALSE(followUp.refreshEditorFont);
    EXPECT_EQ(g_preferences.global.toolTipDelay, 500);
    const auto stored = DecodeHelp(*store.Get(kSettingsKey, kValueHelp));
    ASSERT_TRUE(stored && TextOf(stored->browser) == "xdg-open");
    EXPECT_EQ(TextOf(stored->helpFile), "/usr/share/doc/ventaro/index.html");
}

// A path too long for its field is refused whole; a failed store is reported once.
TEST_F(PreferencesSheetTest, LongPathsAreRefusedAndAFailedStoreIsReportedOnce) {
    PreferencesSheet sheet;
    sheet.OpenPage(kPageGlobal);
    sheet.OpenPage(kPageHelp);
    sheet.OpenPage(kPageEditor);
    EXPECT_FALSE(sheet.Confirm({"5", std::string(kPathWidth, 'a'), "help.html"}, nullptr));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{
                  "Sorry, the selected path is too long (at most 259 characters)!"}));
    EXPECT_EQ(store.Get(kSettingsKey, kValueGlobal), nullptr);

    ui.messages.clear();
    store.failCreate = true;
    LogFontRecord font = g_preferences.editor.font;
    font.weight = 700;
    font.italic = 1;
    PreferencesSheet::SetEditorFont(font);
    PreferencesFollowUp followUp;
    EXPECT_TRUE(sheet.Confirm({"5", "xdg-open", "help.html"}, &followUp));
    EXPECT_EQ(ui.messages.size(), 1u); // its text is the store's, checked with it
    EXPECT_TRUE(followUp.refreshEditorFont);

    store.failCreate = false;
    ASSERT_TRUE(sheet.Confirm({"5", "xdg-open", "help.html"}, nullptr));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEditorPrefs), EncodeEditorPrefs({font, 1}));
}

TEST_F(FrameFixture, SpecialFeaturesDeleteEverySettingAndReportOnlyWhatStays) {
    store.Put(kSettingsKey, kValueGlobal, EncodeGlobal({}));
    store.Put(kWindowsKey, kValueBars, EncodeBars({}));
    store.Put("Software\\Other", "Kept", {2});
    DeleteAllSettings();
    EXPECT_EQ(store.keys, (std::set<std::string>{"Software\\Other"}));
    EXPECT_TRUE(ui.messages.empty());

    store.Put(kWindowsKey, kValueBars, EncodeBars({}));
    store.keepOnDelete.insert(kWindowsKey);
    DeleteAllSettings();
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Some of the settings could not be deleted."}));
}

TEST_F(FrameFixture, SystemInfoStartsTheFirstProgramOrSaysNoneIsThere) {
    RunSystemInformation();
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0].program, "hardinfo");
    EXPECT_TRUE(ui.messages.empty());

    launcher.launched.clear();
    launcher.fail = true;
    RunSystemInformation();
    EXPECT_EQ(launcher.launched.back().program, "ksysguard"); // the last of the three
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{
                                     "System information program is unavailable at the moment."}));
}
