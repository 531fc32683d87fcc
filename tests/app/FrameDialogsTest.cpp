// The preferences sheet, "Special features!!" and About on the real widgets.

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
    // Each page's controls reach its record; the strip is made anew in the classic look.
    void preferencesOkStoresWhatTheControlsChanged() {
        QVERIFY(Window()->ToolStrip()->Flat());
        WhenModal<PreferencesDialog>([](PreferencesDialog* sheet) {
            sheet->GlobalBox(kFlagCoolBar)->click();
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
            sheet->OkButton()->click();
        });
        Window()->OnCommand(kCmdPreferences);

        QCOMPARE(m_app->Value(kSettingsKey, kValueGlobal), Words({0, 0, 1, 10000, 0}));
        const auto help = DecodeHelp(m_app->Value(kSettingsKey, kValueHelp));
        QVERIFY(help && TextOf(help->helpFile) == "/usr/share/doc/ventaro/help.html");
        const auto editor = DecodeEditorPrefs(m_app->Value(kSettingsKey, kValueEditorPrefs));
        QVERIFY(editor && editor->font.height == -20 && editor->font.weight == 700 &&
                TextOf(editor->font.faceName) == "DejaVu Serif");
        QVERIFY(!Window()->ToolStrip()->Flat());
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
            sheet->CancelButton()->click();
        });
        Window()->OnCommand(kCmdPreferences);
        QVERIFY(g_preferences.global == before.global && g_preferences.editor == before.editor);
        QVERIFY(m_app->Value(kSettingsKey, kValueGlobal).empty());
    }

    // The settings folder goes whole while the dialog stays open.
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

    void aboutShowsTheCredits() {
        WhenModal<AboutDialog>([](AboutDialog* about) {
            about->CreditsButton()->click();
            about->OkButton()->click();
        });
        Window()->OnCommand(kCmdAbout);
        const QStringList shown = TakeShown();
        QVERIFY(shown.size() == 1 && shown[0].contains("Csound 6 (LGPL 2.1 or later)"));
    }
};

QTEST_MAIN(FrameDialogsTest)
#include "FrameDialogsTest.moc"
