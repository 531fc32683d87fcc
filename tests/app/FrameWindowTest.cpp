// The main window on the real widgets: its menus, tool bar, status bar and keys reach the command
// table's commands; the tray, the tool windows and the file chooser.

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSystemTrayIcon>

#include "GuiTestSupport.h"
#include "app/CommandTable.h"
#include "app/StatusBarWidget.h"
#include "app/ToolBarStrip.h"
#include "base/CommandRouter.h"
#include "base/Preferences.h"

class FrameWindowTest : public GuiTest {
    Q_OBJECT

private:
    QString Status(int part) const { return Window()->StatusBar()->PartText(part); }
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
        // The help line follows the pointer over the items and says "Ready" after.
        QMenu* settings = Window()->MenuBar()->actions()[7]->menu();
        settings->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        settings->setActiveAction(Item(kCmdMidiDevices));
        QCOMPARE(Status(0), ToQt(MenuHelpText(kCmdMidiDevices)));
        settings->hide();
        QCOMPARE(Status(0), QString("Ready"));

        int scopes = 0;
        RouteCommand(kCmdMidiScope, [&] { ++scopes; });
        Window()->ToolStrip()->Entry(kCmdMidiScope)->trigger();
        QCOMPARE(scopes, 1);
        Item(kCmdShowToolBar)->trigger();
        QVERIFY(Window()->ToolStrip()->isHidden());
        Item(kCmdKeyboardMapping)->trigger();
        QCOMPARE(Status(3), QString("KBM"));
        QCOMPARE(m_app->Value(kSettingsKey, kValueKeyboardMapping), Words({1}));
        Window()->showNormal();
        Window()->resize(1000, 700);
        QCOMPARE(Window()->StatusBar()->PartEdges(),
                 (std::array<int, 5>{300, 600, 900, 950, 1000}));
        QCOMPARE(Status(2), QString("Out: Synth"));
        Ui().answers = {MessageAnswer::Yes};
        Window()->OnCommand(kCmdClearPreferences); // the bars are made again, the toggles off
        QVERIFY(!Window()->ToolStrip()->isHidden());
        QCOMPARE(Status(3), QString(""));
    }

    void keysReachTheFirstMatchingCommandAndEscapeIsPanicWhileMapping() {
        QStringList ran;
        for (int command : {kCmdInsertSine, kCmdSendMidiMessage, kCmdFindSlider}) {
            RouteCommand(command, [&ran, command] { ran << QString::number(command); });
        }
        QTest::keyClick(Window(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(Window(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ran, (QStringList{"36000", "65000"}));
        QTest::keyClick(Window(), Qt::Key_F12);
        QCOMPARE(Ui().shown.back().text, QString("Current MIDI devices resetted."));
        QVERIFY(!m_app->Sent().isEmpty());

        QTest::keyClick(Window(), Qt::Key_Escape);
        QVERIFY(m_app->Sent().isEmpty());
        Window()->OnCommand(kCmdKeyboardMapping);
        QTest::keyClick(Window(), Qt::Key_Escape);
        QCOMPARE(m_app->Sent().size(), 32); // two words for each of the sixteen channels
    }

    void theTrayAndTheToolWindowsKeepTheirMarksAndPlaces() {
        QTest::keyClick(Window(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(Window()->isMinimized()); // no tray on this screen
        Window()->SetTrayAvailableForTests(true);
        Window()->OnCommand(kCmdMinimizeToTray);
        QVERIFY(!Window()->isVisible());
        QCOMPARE(Window()->TrayIcon()->toolTip(), QString("Ventaro.2 - Live Fader Studio"));
        for (QAction* action : Window()->TrayMenu()->actions()) {
            if (action->text() == "&Restore") {
                action->trigger();
            }
        }
        QVERIFY(Window()->isVisible());
        QVERIFY(!Window()->TrayIcon());

        Window()->RegisterToolWindow(kCmdMidiScope, [](QWidget* owner) {
            auto* window = new QWidget(owner, Qt::Tool);
            window->setGeometry(40, 50, 300, 200);
            return window;
        });
        Window()->OnCommand(kCmdMidiScope);
        QVERIFY(Item(kCmdMidiScope)->isChecked());
        QVERIFY(Window()->ToolStrip()->Entry(kCmdMidiScope)->isChecked());
        int finds = 0; // the main window's keys work in a tool window without keys of its own
        RouteCommand(kCmdFindSlider, [&] { ++finds; });
        QTest::keyClick(Window()->ToolWindow(kCmdMidiScope), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(finds, 1);
        Window()->OnCommand(kCmdMidiScope);
        QTRY_VERIFY(!Window()->ToolWindow(kCmdMidiScope));
        QVERIFY(!Item(kCmdMidiScope)->isChecked());
        Window()->OnCommand(kCmdMidiScope);
        Window()->OnCommand(kCmdExit);
        const Bytes scope = m_app->Value(kWindowsKey, kValueMidiScope);
        QCOMPARE(scope.size(), std::size_t{52});
        QCOMPARE(Bytes(scope.begin() + 28, scope.begin() + 48), Words({40, 50, 340, 250, 1}));
    }

    void theFileChooserFiltersByItsModeAndRefusesAPathTooLongForItsField() {
        Ui().SetScripted(true, false);
        for (const int mode : {1, 3}) {
            WhenModal<QFileDialog>([mode](QFileDialog* dialog) {
                auto* model = dialog->findChild<QFileSystemModel*>();
                QVERIFY(model);
                // Programs carry no extension here: every file the user may run.
                QCOMPARE(dialog->filter().testFlag(QDir::Executable), mode == 1);
                QCOMPARE(model->nameFilters(),
                         (mode == 1 ? QStringList{"*"} : QStringList{"*.VTP", "*.vtp"}));
                auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
                types->setCurrentIndex(1); // "All files", as a user's choice signals it
                QMetaObject::invokeMethod(types, "activated", Q_ARG(int, 1));
                QMetaObject::invokeMethod(types, "textActivated",
                                          Q_ARG(QString, types->itemText(1)));
                QCOMPARE(model->nameFilters(), QStringList{"*"});
            });
            std::string path = "old";
            std::string title;
            QVERIFY(!Ui().SelectFile(mode, path, title));
            QVERIFY(path.empty());
        }
        Ui().SetScripted(true, true);
        Ui().files = {"/" + std::string(300, 'a') + ".vtp", "/music/Demo.vtp"};
        std::string path;
        std::string title;
        QVERIFY(!Ui().SelectFile(3, path, title));
        QCOMPARE(Ui().shown.back().icon, MessageIcon::Warning);
        QVERIFY(Ui().SelectFile(3, path, title));
        QCOMPARE(title, std::string("Demo.vtp"));
    }
};

QTEST_MAIN(FrameWindowTest)
#include "FrameWindowTest.moc"
