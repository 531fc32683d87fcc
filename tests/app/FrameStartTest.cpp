// The program's start and exit on the real windows.

#include "GuiTestSupport.h"
#include "app/SplashDialog.h"
#include "app/ToolBarStrip.h"
#include "midi/MidiDevicesDialog.h"

class FrameStartTest : public QObject {
    Q_OBJECT

private slots:
    void init() { qputenv("VENTARO_SPLASH_MS", "0"); }

    // Cancel ends the program and stores nothing, so the next start asks again.
    void aFirstStartAsksForTheDevicesCancelEndsTheProgramAndTheChoiceIsStored() {
        GuiApp app(false);
        qputenv("VENTARO_SPLASH_MS", "3000");
        QElapsedTimer splashTime;
        WhenModal<SplashDialog>([&](SplashDialog* shown) {
            splashTime.start();
            QTest::keyClick(shown, Qt::Key_Space); // a key closes it before its time
        });
        bool windowUp = false;
        WhenModal<MidiDevicesDialog>([&](MidiDevicesDialog* dialog) {
            windowUp = app.Window()->isVisible() && app.Window()->isMaximized();
            dialog->CancelButton()->click();
        });
        QVERIFY(!app.Start());
        QVERIFY(splashTime.elapsed() < 3000);
        QVERIFY(windowUp); // behind the first start's message and dialog
        QVERIFY(app.Ui().QuitRequested());
        QVERIFY(app.Value(kSettingsKey, kValueMidiDevices).empty());

        qputenv("VENTARO_SPLASH_MS", "100"); // nobody closes the splash: its timer does
        WhenModal<MidiDevicesDialog>([](MidiDevicesDialog* dialog) {
            dialog->InputCheck()->click(); // the list follows the box at once
            QVERIFY(dialog->InputList()->isEnabled());
            dialog->OutputList()->setCurrentIndex(1);
            dialog->OkButton()->click();
        });
        QVERIFY(app.Start());
        QCOMPARE(app.Value(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({0, 1, 1}));
    }

    void exitStoresThePlacementAndTheBarsAndTheNextStartAppliesThem() {
        GuiApp app;
        QVERIFY(app.Start());
        app.Window()->showNormal();
        app.Window()->setGeometry(50, 60, 1000, 700);
        app.Window()->OnCommand(kCmdShowToolBar);
        app.Window()->OnCommand(kCmdAlwaysOnTop);
        app.Window()->OnCommand(kCmdExit);
        // Shown normally, no minimized or maximized position, the frame's outer rectangle; on top.
        QCOMPARE(app.Value(kWindowsKey, kValueFrameWindow),
                 Words({44, 0, 1, -1, -1, -1, -1, 50, 60, 1050, 760, 1}));
        QCOMPARE(app.Value(kWindowsKey, kValueBars), Words({-1, 1}));

        // Positions another installation stored mean nothing here but go back as they came.
        const Bytes frame = Words({44, 0, 1, -32000, -32000, -1, -1, 50, 60, 1050, 760, 1});
        app.Put(kWindowsKey, kValueFrameWindow, frame);
        QVERIFY(app.Start());
        MainWindow* window = app.Window();
        QCOMPARE(window->geometry(), QRect(50, 60, 1000, 700));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->ToolStrip()->isHidden());
        window->OnCommand(kCmdExit);
        QCOMPARE(app.Value(kWindowsKey, kValueFrameWindow), frame);
        QCOMPARE(Program::CommandLineOf({"ventaro", "/music/My", "Demo.vtp"}),
                 std::string("/music/My Demo.vtp"));
    }
};

QTEST_MAIN(FrameStartTest)
#include "FrameStartTest.moc"
