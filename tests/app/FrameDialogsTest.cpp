// The preferences sheet, "Special features!!" and About on the real widgets: what the controls
// change reaches the stored records byte for byte, Cancel leaves nothing changed, and the
// buttons of the other two reach the settings folder, the priority and the messages.

#include "GuiTestSupport.h"
#include "app/AboutDialog.h"
#include "app/PreferencesDialog.h"
#include "app/SpecialFeaturesDialog.h"
#include "app/ToolBarStrip.h"
#include "base/Preferences.h"
#include "base/ProcessPriority.h"

class FrameDialogsTest : public GuiTest {
    Q_OBJECT

private slots:
    // The look and the delay on "Global", a typed help file on "Help", a chosen font on "Script
    // editor": OK stores the three records and the strip is made anew in the classic look.
    void preferencesOkStoresWhatTheControlsChanged() {
        QVERIFY(Window()->ToolStrip()->Flat());
        WhenModal<PreferencesDialog>([](PreferencesDialog* sheet) {
            QVERIFY(sheet->GlobalBox(kFlagNoFlash)->isChecked());
            QVERIFY(sheet->GlobalBox(kFlagCoolBar)->isChecked());
            QCOMPARE(sheet->DelayEdit()->text(), QString("1"));
            sheet->GlobalBox(kFlagCoolBar)->click();
            QCOMPARE(g_preferences.global.toolBarLook, 0); // at once
            sheet->DelayEdit()->setText("20000");
            sheet->Pages()->setCurrentIndex(kPageHelp);
            sheet->HelpFileEdit()->setText("/usr/share/doc/ventaro/help.html");
            sheet->Pages()->setCurrentIndex(kPageEditor);
            WhenModal<QFontDialog>([](QFontDialog* chooser) {
                QFont font("DejaVu Serif");
                font.setPixelSize(20);
                font.setBold(true);
                chooser->setCurrentFont(font);
                chooser->accept();
            });
            sheet->ChangeFontButton()->click();
            QCOMPARE(sheet->FontSample()->text(), QString("DejaVu Serif"));
            sheet->OkButton()->click();
        });
        Window()->OnCommand(kCmdPreferences);

        QCOMPARE(m_app->Value(kSettingsKey, kValueGlobal), Words({0, 0, 1, 10000, 0}));
        const Bytes help = m_app->Value(kSettingsKey, kValueHelp);
        QCOMPARE(help.size(), kHelpRecordSize);
        QCOMPARE(std::string(reinterpret_cast<const char*>(help.data()) + kPathWidth),
                 std::string("/usr/share/doc/ventaro/help.html"));
        const Bytes editor = m_app->Value(kSettingsKey, kValueEditorPrefs);
        QCOMPARE(editor.size(), kEditorPrefsRecordSize);
        QCOMPARE(Bytes(editor.begin(), editor.begin() + 4), Words({-20}));
        QCOMPARE(Bytes(editor.begin() + 16, editor.begin() + 20), Words({700}));
        QCOMPARE(std::string(reinterpret_cast<const char*>(editor.data()) + 28),
                 std::string("DejaVu Serif"));
        QVERIFY(!Window()->ToolStrip()->Flat());
        QVERIFY(!Window()->ToolStrip()->isHidden());
    }

    // Cancel after clicks on every page: the live values are back and nothing was stored.
    void preferencesCancelRestoresEveryPage() {
        const Preferences before = g_preferences;
        WhenModal<PreferencesDialog>([](PreferencesDialog* sheet) {
            sheet->GlobalBox(kFlagSmallButtons)->click();
            sheet->GlobalBox(kFlagPanelToolTips)->click();
            QVERIFY(!sheet->DelayEdit()->isEnabled());
            sheet->Pages()->setCurrentIndex(kPageEditor);
            sheet->SaveScriptsBox()->click();
            QCOMPARE(g_preferences.editor.saveScriptsBeforeRun, 0);
            sheet->CancelButton()->click();
        });
        Window()->OnCommand(kCmdPreferences);
        QVERIFY(g_preferences.global == before.global);
        QVERIFY(g_preferences.editor == before.editor);
        QVERIFY(m_app->Value(kSettingsKey, kValueGlobal).empty());
    }

    // The three priorities in their buttons' order, and the settings folder deleted whole while
    // the dialog stays open.
    void specialFeaturesReachThePriorityAndTheSettingsFolder() {
        std::vector<PriorityClass> asked;
        g_setProcessPriority = [&asked](PriorityClass priority) { asked.push_back(priority); };
        const auto folder = m_app->ConfigRoot() / "Ventaro.2";
        QVERIFY(std::filesystem::exists(folder / "Settings" / "KeyboardMapping"));
        WhenModal<SpecialFeaturesDialog>([&folder](SpecialFeaturesDialog* dialog) {
            dialog->ButtonOf(SpecialFeaturesDialog::kRealTime)->click();
            dialog->ButtonOf(SpecialFeaturesDialog::kNormal)->click();
            dialog->ButtonOf(SpecialFeaturesDialog::kLow)->click();
            dialog->ButtonOf(SpecialFeaturesDialog::kDeleteSettings)->click();
            QVERIFY(!std::filesystem::exists(folder));
            QVERIFY(dialog->isVisible());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Window()->OnCommand(kCmdSpecialFeatures);
        QCOMPARE(asked, (std::vector<PriorityClass>{PriorityClass::RealTime, PriorityClass::Normal,
                                                    PriorityClass::Low}));
        QVERIFY(TakeShown().isEmpty());
    }

    void aboutShowsTheBuildAndTheCredits() {
        WhenModal<AboutDialog>([](AboutDialog* about) {
            QCOMPARE(about->BuildLabel()->text(), QString("Build 7 (June 2005)"));
            QCOMPARE(about->ArtworkRect(), QRect(0, 0, about->width(), about->height() * 2 / 3));
            about->CreditsButton()->click();
            about->OkButton()->click();
        });
        Window()->OnCommand(kCmdAbout);
        const QStringList shown = TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains("Csound 6 (LGPL 2.1 or later)"));
    }
};

QTEST_MAIN(FrameDialogsTest)
#include "FrameDialogsTest.moc"
