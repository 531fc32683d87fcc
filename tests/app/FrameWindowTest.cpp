// The main window on the real widgets, with the tray, the tool windows and the file chooser.

#include "GuiTestSupport.h"
#include "app/CommandTable.h"
#include "app/StatusBarWidget.h"
#include "app/ToolBarStrip.h"
#include "base/CommandRouter.h"
#include "base/Preferences.h"

class FrameWindowTest : public GuiTest {
    Q_OBJECT

private:
    QAction* Item(int command) const { return Window()->MenuAction(MenuKind::MenuBar, command); }

private slots:
    void menusToolBarAndStatusBarFollowTheCommandTable() {
        for (const CommandRow& row : CommandTable()) {
            QAction* action = Item(row.id);
            QCOMPARE(action != nullptr, row.menuPath != nullptr);
            if (action) {
                QCOMPARE(action->text(), ToQt(MenuItemText(row)));
                QCOMPARE(action->isEnabled(), !row.grayed);
            }
        }
        int scopes = 0;
        RouteCommand(kCmdMidiScope, [&] { ++scopes; });
        Window()->ToolStrip()->Entry(kCmdMidiScope)->trigger();
        QCOMPARE(scopes, 1);
        Item(kCmdShowToolBar)->trigger();
        Item(kCmdShowStatusBar)->trigger();
        QVERIFY(Window()->ToolStrip()->isHidden() && Window()->StatusBar()->isHidden());
    }

    // Evdev codes, not caps; arrows stand for the keypad's; a repeat's release is no key-up.
    void mappedKeysPlayByTheirNativeScanCodes() {
        quint64 time = 1000;
        const auto key = [this, &time](QEvent::Type type, int qtKey, quint32 evdev,
                                       Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                                       bool autoRepeat = false) {
            QKeyEvent event(type, qtKey, modifiers, evdev + 8, 0, 0, QString(), autoRepeat);
            event.setTimestamp(time += 10);
            QApplication::sendEvent(Window(), &event);
            if (type == QEvent::KeyRelease && !autoRepeat) {
                QTest::qWait(20); // a release waits a moment for a repeat's press
            }
        };
        key(QEvent::KeyPress, Qt::Key_Escape, 0x01);
        QVERIFY(m_app->Sent().isEmpty()); // Escape is panic only while the keys play
        Window()->OnCommand(kCmdKeyboardMapping);
        key(QEvent::KeyPress, Qt::Key_Escape, 0x01);
        QCOMPARE(m_app->Sent().size(), 32);     // two words for each of the sixteen channels
        key(QEvent::KeyPress, Qt::Key_A, 0x10); // the code counts, not the key's character
        QCOMPARE(m_app->Sent(), QStringList{"90 3C 40"});
        QCOMPARE(Window()->StatusBar()->PartText(4), "C5");
        key(QEvent::KeyRelease, Qt::Key_A, 0x10, Qt::NoModifier, true);
        key(QEvent::KeyPress, Qt::Key_A, 0x10, Qt::NoModifier, true);
        for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, 0x10 + 8, 0, 0, QString());
            event.setTimestamp(time); // unmarked, as an X server may send them
            QApplication::sendEvent(Window(), &event);
        }
        QTest::qWait(20);
        QVERIFY(m_app->Sent().isEmpty());
        key(QEvent::KeyRelease, Qt::Key_A, 0x10);
        QCOMPARE(m_app->Sent(), QStringList{"80 3C 40"});

        key(QEvent::KeyPress, Qt::Key_Up, 0x67);
        key(QEvent::KeyPress, Qt::Key_Up, 0x67, Qt::NoModifier, true);
        key(QEvent::KeyPress, Qt::Key_PageUp, 0x68);
        key(QEvent::KeyPress, Qt::Key_9, 0x49, Qt::KeypadModifier);
        key(QEvent::KeyPress, Qt::Key_PageDown, 0x6D);
        key(QEvent::KeyPress, Qt::Key_Down, 0x6C);
        key(QEvent::KeyPress, Qt::Key_Q, 0x10, Qt::ShiftModifier);
        key(QEvent::KeyRelease, Qt::Key_Q, 0x10, Qt::ControlModifier);
        // Velocity 66 then 65, channel 3 then 2: each adjustment key reached the mapping.
        QCOMPARE(m_app->Sent(), (QStringList{"91 48 41", "81 30 41", "81 48 41"}));

        // Focus gone with a key held: its note ends then, and its key-up sends nothing more.
        key(QEvent::KeyPress, Qt::Key_W, 0x11);
        QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(Window(), &focusOut);
        key(QEvent::KeyRelease, Qt::Key_W, 0x11);
        QCOMPARE(m_app->Sent(), (QStringList{"91 3E 41", "81 3E 41"}));
    }

    void theTrayAndTheToolWindowsKeepTheirMarksAndPlaces() {
        Window()->SetTrayAvailableForTests(true);
        Window()->OnCommand(kCmdMinimizeToTray);
        QVERIFY(!Window()->isVisible());
        for (QAction* action : Window()->TrayMenu()->actions()) {
            if (action->text() == "&Restore") {
                action->trigger();
            }
        }
        QVERIFY(Window()->isVisible());

        Window()->RegisterToolWindow(kCmdMidiScope, [](QWidget* owner) {
            auto* window = new QWidget(owner, Qt::Tool);
            window->setGeometry(40, 50, 300, 200);
            return window;
        });
        Window()->OnCommand(kCmdMidiScope);
        QVERIFY(Item(kCmdMidiScope)->isChecked());
        // The frame's keys work in a tool window; Alt+S is the sine's, the first of its two.
        QStringList ran;
        for (int command : {kCmdInsertSine, kCmdSendMidiMessage, kCmdFindSlider}) {
            RouteCommand(command, [&ran, command] { ran << QString::number(command); });
        }
        QTest::keyClick(Window()->ToolWindow(kCmdMidiScope), Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(Window()->ToolWindow(kCmdMidiScope), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ran, (QStringList{"36000", "65000"}));
        Window()->OnCommand(kCmdMidiScope);
        QTRY_VERIFY(!Window()->ToolWindow(kCmdMidiScope));
        QVERIFY(!Item(kCmdMidiScope)->isChecked());
        Window()->OnCommand(kCmdMidiScope);
        Window()->OnCommand(kCmdExit);
        const Bytes scope = m_app->Value(kWindowsKey, kValueMidiScope);
        QCOMPARE(Bytes(scope.begin() + 28, scope.begin() + 48), Words({40, 50, 340, 250, 1}));
    }

    void theFileChooserFiltersByItsModeAndRefusesAPathTooLongForItsField() {
        Ui().SetScripted(true, false);
        std::string path, title;
        for (const int mode : {1, 3}) {
            WhenModal<QFileDialog>([mode](QFileDialog* dialog) {
                auto* model = dialog->findChild<QFileSystemModel*>();
                QVERIFY(model);
                // Programs carry no extension here: every file the user may run.
                QCOMPARE(dialog->filter().testFlag(QDir::Executable), mode == 1);
                QCOMPARE(model->nameFilters(),
                         (mode == 1 ? QStringList{"*"} : QStringList{"*.VTP", "*.vtp"}));
            });
            path = "old";
            QVERIFY(!Ui().SelectFile(mode, path, title) && path.empty());
        }
        Ui().SetScripted(true, true);
        Ui().files = {"/" + std::string(300, 'a') + ".vtp", "/music/Demo.vtp"};
        QVERIFY(!Ui().SelectFile(3, path, title));
        QCOMPARE(Ui().shown.back().icon, MessageIcon::Warning);
        QVERIFY(Ui().SelectFile(3, path, title) && title == "Demo.vtp");
    }
};

QTEST_MAIN(FrameWindowTest)
#include "FrameWindowTest.moc"
