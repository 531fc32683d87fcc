// The program's start and exit on the real windows: the first start, choosing Loopback, the
// window settings written at exit and applied at the next start.

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "app/SplashDialog.h"
#include "app/StatusBarWidget.h"
#include "app/ToolBarStrip.h"
#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "midi/MidiDevicesDialog.h"

class FrameStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { qputenv("VENTARO_SPLASH_MS", "0"); }

    void firstStartShowsSplashMessageAndDialogAndCancelEndsTheProgram() {
        TestHome home;
        qputenv("VENTARO_SPLASH_MS", "3000");
        auto program = MakeProgram(home);
        QtUi& ui = program->ProgramUi();
        QStringList seen;
        QElapsedTimer splashTime;
        bool windowShownBeforeMessage = false;
        ui.onShown = [&](QWidget* box) {
            windowShownBeforeMessage = program->Window()->isVisible();
            SaveScreenshot(box,
                           ui.shown.size() == 1 ? "FirstExecutionMessage" : "NoDevicesMessage");
        };
        WhenModal([&](QWidget* splash) {
            seen << splash->objectName();
            splashTime.start();
            SaveScreenshot(splash, "SplashDlg");
            QTest::keyClick(splash, Qt::Key_Space); // a key closes it before its time
            WhenModal([&](QWidget* dialog) {
                seen << dialog->objectName();
                SaveScreenshot(program->Window(), "MainWindow-FirstStart");
                SaveScreenshot(dialog, "MIDIDevicesDlg");
                static_cast<MidiDevicesDialog*>(dialog)->CancelButton()->click();
            });
        });
        QVERIFY(!program->Start(""));
        QCOMPARE(seen, (QStringList{"SplashDlg", "MIDIDevicesDlg"}));
        QVERIFY(splashTime.elapsed() < 3000);
        QVERIFY(windowShownBeforeMessage);
        QVERIFY(program->Window()->isMaximized());
        QCOMPARE(ui.shown.size(), std::size_t{2});
        QCOMPARE(ui.shown[0].text, QString("This is the first execution so you need to setup the\n"
                                           "MIDI input and output devices."));
        QCOMPARE(ui.shown[0].icon, MessageIcon::Information);
        QCOMPARE(ui.shown[0].caption, QString("Ventaro.2 - Live Fader Studio"));
        QCOMPARE(ui.shown[1].text, QString("No devices selected. Sorry, Ventaro can't work."));
        QCOMPARE(ui.shown[1].icon, MessageIcon::Stop);
        QVERIFY(ui.QuitRequested());
        QCOMPARE(ui.QuitCode(), 0);
        QVERIFY(home.Value(kSettingsKey, kValueMidiDevices).isEmpty());
    }

    void theSplashClosesByItselfAfterItsTime() {
        SplashDialog splash(nullptr, 150);
        QElapsedTimer timer;
        timer.start();
        splash.exec();
        QVERIFY(timer.elapsed() >= 140);
        SplashDialog clicked(nullptr, 5000);
        WhenModal([](QWidget* modal) { QTest::mouseClick(modal, Qt::LeftButton); });
        timer.restart();
        clicked.exec();
        QVERIFY(timer.elapsed() < 5000);
    }

    void choosingLoopbackOpensItAndTheNextStartAsksNoMore() {
        TestHome home;
        {
            auto program = MakeProgram(home);
            WhenModal([&](QWidget* modal) {
                auto* dialog = static_cast<MidiDevicesDialog*>(modal);
                QComboBox* outputs = dialog->OutputList();
                const int loopback = outputs->count() - 1;
                QCOMPARE(outputs->itemText(loopback), QString("%1 - Loopback").arg(loopback));
                outputs->setCurrentIndex(loopback);
                dialog->OkButton()->click();
            });
            QVERIFY(program->Start(""));
            QCOMPARE(program->Window()->StatusBar()->PartText(2), QString("Out: Loopback"));
            const QByteArray stored = home.Value(kSettingsKey, kValueMidiDevices);
            QCOMPARE(stored.size(), 12);
            QCOMPARE(stored.mid(8, 4), Int32Bytes(-1));
            program->Window()->OnCommand(kCmdExit);
            QVERIFY(program->ProgramUi().QuitRequested());
        }
        auto program = MakeProgram(home);
        bool dialogShown = false;
        WhenModal([&](QWidget* modal) {
            dialogShown = true;
            modal->close();
        });
        QVERIFY(program->Start(""));
        QCoreApplication::processEvents();
        QVERIFY(!dialogShown);
        QVERIFY(program->ProgramUi().shown.empty());
        QCOMPARE(program->Window()->StatusBar()->PartText(1), QString("In: none"));
        QCOMPARE(program->Window()->StatusBar()->PartText(2), QString("Out: Loopback"));
        SaveScreenshot(program->Window(), "MainWindow");
    }

    void exitWritesTheWindowSettingsAndTheNextStartAppliesThem() {
        TestHome home;
        home.ChooseLoopback();
        {
            auto program = MakeProgram(home);
            QVERIFY(program->Start(""));
            MainWindow* window = program->Window();
            window->showNormal();
            window->setGeometry(50, 60, 1000, 700);
            window->OnCommand(kCmdShowToolBar);
            window->OnCommand(kCmdAlwaysOnTop);
            window->OnCommand(kCmdExit);
        }
        const QByteArray frame = home.Value(kWindowsKey, kValueFrameWindow);
        const QByteArray bars = home.Value(kWindowsKey, kValueBars);
        QCOMPARE(frame.size(), 48);
        QCOMPARE(bars.size(), 8);
        QCOMPARE(frame.mid(0, 4), Int32Bytes(44));
        QCOMPARE(frame.mid(8, 4), Int32Bytes(1)); // shown normally
        QCOMPARE(frame.mid(28, 16),
                 Int32Bytes(50) + Int32Bytes(60) + Int32Bytes(1050) + Int32Bytes(760));
        QCOMPARE(frame.mid(44, 4), Int32Bytes(1)); // on top
        QCOMPARE(bars, Int32Bytes(-1) + Int32Bytes(1));

        // Positions a Windows installation stored come back unchanged at the next exit.
        QByteArray edited = frame;
        edited.replace(12, 8, Int32Bytes(-32000) + Int32Bytes(-32000));
        home.Put(kWindowsKey, kValueFrameWindow, Bytes(edited.begin(), edited.end()));

        auto program = MakeProgram(home);
        QVERIFY(program->Start(""));
        MainWindow* window = program->Window();
        QCOMPARE(window->geometry(), QRect(50, 60, 1000, 700));
        window->OnCommand(kCmdExit);
        QCOMPARE(home.Value(kWindowsKey, kValueFrameWindow).mid(12, 8),
                 Int32Bytes(-32000) + Int32Bytes(-32000));
        QVERIFY(!window->isMaximized());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->ToolStrip()->isHidden());
        QVERIFY(!window->StatusBar()->isHidden());
    }

    void quitAtOnceEndsWithoutTheExitSequence() {
        TestHome home;
        home.ChooseLoopback();
        auto program = MakeProgram(home);
        QVERIFY(program->Start(""));
        QTest::keyClick(program->Window(), Qt::Key_Backspace,
                        Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(program->ProgramUi().QuitRequested());
        QVERIFY(home.Value(kWindowsKey, kValueFrameWindow).isEmpty());
    }

    void theCommandLineProjectIsHandedOverCutToItsField() {
        TestHome home;
        home.ChooseLoopback();
        auto program = MakeProgram(home);
        std::string opened;
        g_frameHooks.openStartupProject = [&](std::string_view path) { opened = path; };
        QVERIFY(program->Start(std::string(300, 'x')));
        QCOMPARE(opened, std::string(259, 'x'));
        QCOMPARE(Program::CommandLineOf({"ventaro", "/music/My", "Demo.vtp"}),
                 std::string("/music/My Demo.vtp"));
    }
};

QTEST_MAIN(FrameStartTest)
#include "FrameStartTest.moc"
