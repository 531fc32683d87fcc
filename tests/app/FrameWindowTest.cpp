// The main window on the real widgets: menus, help line, status parts, tool bar, toggles,
// accelerators, tray, tool windows, dropped files and the file chooser.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/StatusBarWidget.h"
#include "app/ToolBarStrip.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "midi/MidiDevicesDialog.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {

QString Text(int command) {
    return QString::fromStdString(Str(command));
}

} // namespace

class FrameWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Program> m_program;

    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }
    void StartAgain() {
        m_program.reset();
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("VENTARO_SPLASH_MS", "0");
    }
    void init() {
        m_home = std::make_unique<TestHome>();
        m_home->ChooseLoopback();
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
    }
    void cleanup() {
        m_program.reset();
        m_home.reset();
    }

    void menusHoldEveryItemWithItsTextAndState() {
        QMenuBar* bar = Window()->MenuBar();
        QStringList titles;
        for (QAction* menu : bar->actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "Inser&t", "Re&altime", "&Project",
                                      "Too&ls", "Setti&ngs", "W&indow", "&?"}));
        for (const CommandRow& row : CommandTable()) {
            QAction* action = Window()->MenuAction(MenuKind::MenuBar, row.id);
            QCOMPARE(action != nullptr, row.menuPath != nullptr);
            if (action) {
                QCOMPARE(action->text(), QString::fromStdString(MenuItemText(row)));
                QCOMPARE(action->isEnabled(), !row.grayed);
            }
        }
        QCOMPARE(Window()->MenuAction(MenuKind::MenuBar, kCmdNewProject)->text(),
                 QString("&New project...\tCtrl+N"));
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdShowToolBar)->isChecked());
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdShowStatusBar)->isChecked());
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdAlwaysOnTop)->isChecked());
        QVERIFY(!Window()->MenuAction(MenuKind::Popup, kCmdSaveProject)->isEnabled());
        QVERIFY(Window()->MenuAction(MenuKind::Popup, kCmdPanic)->isEnabled());
        QStringList tray;
        for (QAction* action : Window()->TrayMenu()->actions()) {
            if (!action->isSeparator()) {
                tray << action->text();
            }
        }
        QCOMPARE(tray, (QStringList{"&Overview...\tF1", "&Restore", "&Maximize", "&Exit\tF10"}));
    }

    void everyMenuIsPhotographed() {
        Window()->showNormal();
        Window()->setGeometry(0, 0, 1000, 700);
        const char* names[] = {"File",    "Edit",  "View",     "Insert", "Realtime",
                               "Project", "Tools", "Settings", "Window", "Help"};
        int index = 0;
        for (QAction* menuAction : Window()->MenuBar()->actions()) {
            QMenu* menu = menuAction->menu();
            menu->popup(Window()->mapToGlobal(QPoint(10, 30)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            SaveScreenshot(menu, QString("MainMenu-%1").arg(names[index++]));
            menu->hide();
        }
        QMenu* functions = nullptr;
        for (QAction* action : Window()->MenuBar()->actions()[3]->menu()->actions()) {
            if (action->menu()) {
                functions = action->menu();
            }
        }
        QVERIFY(functions);
        functions->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(functions));
        SaveScreenshot(functions, "MainMenu-Insert-CsoundFunctions");
        functions->hide();
        for (auto [menu, name] : {std::pair{Window()->PopupMenu(), "PopUpMenu"},
                                  std::pair{Window()->TrayMenu(), "ShellMenu"}}) {
            menu->popup(QPoint(20, 20));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            SaveScreenshot(menu, name);
            menu->hide();
        }
    }

    void theHelpLineFollowsThePointerAndSaysReadyAfter() {
        QMenu* settings = Window()->MenuBar()->actions()[7]->menu();
        settings->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        settings->setActiveAction(Window()->MenuAction(MenuKind::MenuBar, kCmdMidiDevices));
        QCOMPARE(Window()->StatusBar()->PartText(0), Text(kCmdMidiDevices));
        SaveScreenshot(Window(), "MainWindow-HelpLine");
        settings->hide();
        QCOMPARE(Window()->StatusBar()->PartText(0), QString("Ready"));
    }

    void dropDownMenusSetTheirItemsAsTheyOpen() {
        QMenu* edit = Window()->MenuBar()->actions()[1]->menu();
        Window()->EnableMenuItem(MenuKind::MenuBar, kCmdCut, true);
        edit->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdCut)->isEnabled());
        edit->hide();
        g_frameHooks.editorMenuState = [] { return EditorMenuState{true, true, false, false}; };
        edit->popup(QPoint(10, 10));
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdUndo)->isEnabled());
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdCut)->isEnabled());
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdSelectAll)->isEnabled());
        edit->hide();
    }

    void statusPartsEndAt300600900And950AtAWidthOf1000() {
        Window()->showNormal();
        Window()->resize(1000, 700);
        QCOMPARE(Window()->StatusBar()->width(), 1000);
        QCOMPARE(Window()->StatusBar()->PartEdges(),
                 (std::array<int, 5>{300, 600, 900, 950, 1000}));
        QCOMPARE(Window()->StatusBar()->PartText(0), QString("Ready"));
        QCOMPARE(Window()->StatusBar()->PartText(1), QString("In: none"));
        QCOMPARE(Window()->StatusBar()->PartText(2), QString("Out: Loopback"));
        QCOMPARE(Window()->StatusBar()->PartText(3), QString(""));
        SaveScreenshot(Window(), "MainWindow-1000");
    }

    void togglesApplyAndStoreTheirValues() {
        Window()->MenuAction(MenuKind::MenuBar, kCmdShowToolBar)->trigger();
        QVERIFY(Window()->ToolStrip()->isHidden());
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdShowToolBar)->isChecked());
        Window()->MenuAction(MenuKind::MenuBar, kCmdShowStatusBar)->trigger();
        QVERIFY(Window()->StatusBar()->isHidden());
        SaveScreenshot(Window(), "MainWindow-NoBars");
        Window()->MenuAction(MenuKind::MenuBar, kCmdShowToolBar)->trigger();
        Window()->MenuAction(MenuKind::MenuBar, kCmdShowStatusBar)->trigger();
        QVERIFY(!Window()->ToolStrip()->isHidden());

        Window()->MenuAction(MenuKind::MenuBar, kCmdKeyboardMapping)->trigger();
        QCOMPARE(Window()->StatusBar()->PartText(3), QString("KBM"));
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdKeyboardMapping)->isChecked());
        QCOMPARE(m_home->Value(kSettingsKey, kValueKeyboardMapping), Int32Bytes(1));
        SaveScreenshot(Window(), "MainWindow-KeyboardMapping");
        Window()->MenuAction(MenuKind::MenuBar, kCmdKeyboardMapping)->trigger();
        QCOMPARE(Window()->StatusBar()->PartText(3), QString(""));
        QCOMPARE(m_home->Value(kSettingsKey, kValueKeyboardMapping), Int32Bytes(-1));

        QAction* onTop = Window()->ToolStrip()->Entry(kCmdAlwaysOnTop);
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdAlwaysOnTop)->isChecked());
        QVERIFY(Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        Window()->MenuAction(MenuKind::MenuBar, kCmdAlwaysOnTop)->trigger();
        QVERIFY(!onTop->isChecked());
        QVERIFY(!Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(Window()->isVisible());
    }

    void theToolBarHasItsButtonsTipsAndTwoSizes() {
        ToolBarStrip* strip = Window()->ToolStrip();
        QCOMPARE(strip->BandHeight(), 38);
        QCOMPARE(strip->ToolBar()->iconSize(), QSize(32, 32));
        QCOMPARE(strip->ToolBar()->actions().size(), 25);
        for (const ToolBarEntry& entry : ToolBarLayout()) {
            QAction* action = strip->Entry(entry.id);
            if (entry.id == 0) {
                continue;
            }
            QVERIFY(action);
            QCOMPARE(action->isVisible(), !entry.hidden);
            if (!entry.separator) {
                QCOMPARE(action->toolTip(), Text(entry.id));
            }
        }
        Window()->showNormal();
        Window()->resize(1000, 700);
        SaveScreenshot(strip, "CoolBar32");
        Window()->ShowProjectButtons(true);
        QVERIFY(strip->Entry(kCmdVirtualPanel)->isVisible());
        QVERIFY(strip->Entry(kToolSeparatorProject)->isVisible());
        SaveScreenshot(strip, "CoolBar32-Project");

        m_home->Put(kSettingsKey, kValueGlobal, EncodeGlobal({0, 1, 1, 1, 0}));
        StartAgain();
        strip = Window()->ToolStrip();
        QCOMPARE(strip->BandHeight(), 25);
        QCOMPARE(strip->ToolBar()->iconSize(), QSize(16, 16));
        QVERIFY(!strip->Flat());
        Window()->showNormal();
        Window()->resize(1000, 700);
        Window()->ShowProjectButtons(true);
        SaveScreenshot(strip, "CoolBar16-Classic");
    }

    void theToolBarButtonOfACommandRunsIt() {
        int runs = 0;
        RouteCommand(kCmdMidiScope, [&] { ++runs; });
        Window()->ToolStrip()->Entry(kCmdMidiScope)->trigger();
        QCOMPARE(runs, 1);
        // Nothing presses a button whose window does not exist.
        QVERIFY(!Window()->ToolStrip()->Entry(kCmdMidiScope)->isChecked());
    }

    void acceleratorsReachTheFirstMatchingCommand() {
        QStringList ran;
        for (int command : {kCmdInsertSine, kCmdSendMidiMessage, kCmdFindSlider}) {
            RouteCommand(command, [&ran, command] { ran << QString::number(command); });
        }
        QTest::keyClick(Window(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(Window(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ran, (QStringList{"36000", "65000"}));
        QTest::keyClick(Window(), Qt::Key_F12);
        QCOMPARE(Ui().shown.back().text, QString("Current MIDI devices resetted."));
        QCOMPARE(Ui().shown.back().icon, MessageIcon::Information);
        QTest::keyClick(Window(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(Window()->isMinimized()); // no tray on this screen: minimized instead
    }

    void escapeSendsPanicWhileKeyboardMappingIsOn() {
        int panics = 0;
        RouteCommand(kCmdPanic, [&] { ++panics; });
        QTest::keyClick(Window(), Qt::Key_Escape);
        QCOMPARE(panics, 0);
        Window()->OnCommand(kCmdKeyboardMapping);
        QTest::keyClick(Window(), Qt::Key_Escape);
        QCOMPARE(panics, 1);
    }

    void theTrayHidesAndRestoresTheWindow() {
        Window()->SetTrayAvailableForTests(true);
        Window()->OnCommand(kCmdMinimizeToTray);
        QVERIFY(!Window()->isVisible());
        QVERIFY(Window()->TrayIcon());
        QCOMPARE(g_frame.inTray, 1);
        QCOMPARE(Window()->TrayIcon()->toolTip(), QString("Ventaro.2 - Live Fader Studio"));
        Window()->OnCommand(kCmdRestore);
        QVERIFY(Window()->isVisible());
        QVERIFY(!Window()->TrayIcon());
        QCOMPARE(g_frame.inTray, 0);
        Window()->OnCommand(kCmdMinimizeToTray);
        Window()->OnCommand(kCmdMaximize);
        QVERIFY(Window()->isMaximized());
    }

    void clearingThePreferencesRemakesTheBars() {
        m_home->Put(kSettingsKey, kValueGlobal, EncodeGlobal({0, 1, 1, 1, 2048}));
        StartAgain();
        QCOMPARE(Window()->ToolStrip()->BandHeight(), 22);
        Window()->OnCommand(kCmdAlwaysOnTop);
        Ui().answers = {MessageAnswer::Yes};
        Window()->OnCommand(kCmdClearPreferences);
        QCOMPARE(Ui().shown.back().icon, MessageIcon::Question);
        QCOMPARE(Window()->ToolStrip()->BandHeight(), 38);
        QVERIFY(!Window()->ToolStrip()->isHidden());
        QVERIFY(!Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Window()->StatusBar()->PartText(2), QString("Out: Loopback"));
        QVERIFY(m_home->Value(kSettingsKey, kValueGlobal).isEmpty());
        QVERIFY(m_home->Value(kSettingsKey, kValueMidiDevices).isEmpty());
    }

    void theDevicesDialogChangesInputAtOnceAndCancelRestoresIt() {
        bool listEnabledBefore = true;
        bool listEnabled = false;
        int inputEnabled = 0;
        WhenModal([&](QWidget* modal) {
            auto* dialog = static_cast<MidiDevicesDialog*>(modal);
            listEnabledBefore = dialog->InputList()->isEnabled();
            dialog->InputCheck()->click();
            listEnabled = dialog->InputList()->isEnabled();
            inputEnabled = g_midiDevices.inputEnabled;
            SaveScreenshot(dialog, "MIDIDevicesDlg-InputEnabled");
            dialog->InputCheck()->click();
            dialog->InputCheck()->click();
            dialog->CancelButton()->click();
        });
        Window()->OnCommand(kCmdMidiDevices);
        QVERIFY(!listEnabledBefore);
        QVERIFY(listEnabled);
        QCOMPARE(inputEnabled, 1);
        QCOMPARE(g_midiDevices.inputEnabled, -1);
        QCOMPARE(Window()->StatusBar()->PartText(1), QString("In: none"));
        QVERIFY(!Ui().QuitRequested());
    }

    void toolWindowsAreCheckedInTheirMenusAndStoredAtExit() {
        Window()->RegisterToolWindow(kCmdMidiScope, [](QWidget* owner) {
            auto* window = new QWidget(owner, Qt::Tool);
            window->setGeometry(40, 50, 300, 200);
            return window;
        });
        Window()->OnCommand(kCmdMidiScope);
        QVERIFY(Window()->IsToolWindowOpen(kCmdMidiScope));
        // The main window's keys work in the MIDIScope, which has none of its own.
        int finds = 0;
        RouteCommand(kCmdFindSlider, [&] { ++finds; });
        QTest::keyClick(Window()->ToolWindow(kCmdMidiScope), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(finds, 1);
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdMidiScope)->isChecked());
        QVERIFY(Window()->MenuAction(MenuKind::Popup, kCmdMidiScope)->isChecked());
        QVERIFY(Window()->ToolStrip()->Entry(kCmdMidiScope)->isChecked());
        Window()->OnCommand(kCmdMidiScope);
        QTRY_VERIFY(!Window()->ToolWindow(kCmdMidiScope));
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdMidiScope)->isChecked());
        QVERIFY(!Window()->ToolStrip()->Entry(kCmdMidiScope)->isChecked());

        Window()->OnCommand(kCmdMidiScope);
        Window()->OnCommand(kCmdExit);
        const QByteArray scope = m_home->Value(kWindowsKey, kValueMidiScope);
        QCOMPARE(scope.size(), 52);
        QCOMPARE(scope.mid(28, 16),
                 Int32Bytes(40) + Int32Bytes(50) + Int32Bytes(340) + Int32Bytes(250));
        QCOMPARE(scope.mid(44, 4), Int32Bytes(1));
        QVERIFY(!Window()->ToolWindow(kCmdMidiScope));
    }

    void aDroppedFileGoesToTheProjectLifecycle() {
        std::string dropped;
        g_frameHooks.dropProjectFile = [&](std::string_view path) { dropped = path; };
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/music/Demo.vtp"), QUrl::fromLocalFile("/b.vtp")});
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Window(), &drop);
        QCOMPARE(dropped, std::string("/music/Demo.vtp"));
    }

    void theProjectBackgroundIsDarkBlue() {
        Window()->showNormal();
        Window()->resize(800, 600);
        Ui().SetBackground(true);
        QVERIFY(Window()->ProjectBackground());
        const QImage image = Window()->grab().toImage();
        QCOMPARE(image.pixelColor(400, 300), QColor(0, 0, 127));
        SaveScreenshot(Window(), "MainWindow-Project");
        Ui().SetBackground(false);
        QVERIFY(Window()->grab().toImage().pixelColor(400, 300) != QColor(0, 0, 127));
    }

    void theFileChooserShowsEachModesFilters() {
        Ui().SetScripted(true, false);
        struct Case {
            int mode;
            QStringList filters;
            bool save;
            QString suffix;
        };
        const Case cases[] = {
            {1, {"Programs (*.EXE)", "All files (*.*)"}, false, ""},
            {3, {"Ventaro projects (*.VTP)", "All files (*.*)"}, false, ""},
            {5,
             {"Csound scores (*.SCO)", "Csound orchestras (*.ORC)", "Csound documents (*.CSD)",
              "All files (*.*)"},
             false,
             ""},
            {7, {"Ventaro projects (*.VTP)", "All files (*.*)"}, true, "vtp"},
            {9, {"SysEx binary files (*.SYX)", "All files (*.*)"}, true, "syx"},
            {42, {"All files (*.*)"}, false, ""},
        };
        for (const Case& c : cases) {
            bool seen = false;
            QStringList filters;
            bool save = false;
            QString suffix;
            QString title;
            QStringList patterns;
            QStringList allPatterns;
            bool executables = false;
            Ui().onShown = [&](QWidget* widget) {
                CloseInItsLoop(widget);
                if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
                    seen = true;
                    title = dialog->windowTitle();
                    filters = dialog->nameFilters();
                    save = dialog->acceptMode() == QFileDialog::AcceptSave;
                    suffix = dialog->defaultSuffix();
                    auto* model = dialog->findChild<QFileSystemModel*>();
                    patterns = model ? model->nameFilters() : QStringList{"no model"};
                    executables = dialog->filter().testFlag(QDir::Executable);
                    if (c.mode == 3) {
                        SaveScreenshot(dialog, "SelectFileDlg");
                        // Choosing "All files" shows every file, with or without a dot.
                        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
                        types->setCurrentIndex(1);
                        // A user's choice emits both, in this order.
                        QMetaObject::invokeMethod(types, "activated", Q_ARG(int, 1));
                        QMetaObject::invokeMethod(types, "textActivated",
                                                  Q_ARG(QString, types->itemText(1)));
                        allPatterns = model ? model->nameFilters() : QStringList();
                    }
                }
            };
            std::string path = "old";
            std::string fileTitle;
            QVERIFY(!Ui().SelectFile(c.mode, path, fileTitle));
            QVERIFY(seen);
            QVERIFY(path.empty());
            QCOMPARE(title, QString("Select a file..."));
            QCOMPARE(filters, c.filters);
            QCOMPARE(save, c.save);
            QCOMPARE(suffix, c.suffix);
            QCOMPARE(executables, c.mode == 1);
            if (c.mode == 1 || c.mode == 42) {
                QCOMPARE(patterns, QStringList{"*"});
            }
            if (c.mode == 3) {
                QCOMPARE(patterns, (QStringList{"*.VTP", "*.vtp"}));
                QCOMPARE(allPatterns, QStringList{"*"});
            }
        }
    }

    void aChosenPathTooLongForItsFieldIsRefused() {
        Ui().files = {"/" + std::string(300, 'a') + ".vtp", "/music/Demo.vtp"};
        std::string path;
        std::string title;
        QVERIFY(!Ui().SelectFile(3, path, title));
        QCOMPARE(Ui().shown.back().icon, MessageIcon::Warning);
        QVERIFY(Ui().SelectFile(3, path, title));
        QCOMPARE(path, std::string("/music/Demo.vtp"));
        QCOMPARE(title, std::string("Demo.vtp"));
    }

    void theArtworkIsDrawnAtEverySize() {
        // One sheet of every image at 16, 32 and 48 pixels, and at 32 on a screen of ratio 2.
        const int images = kToolBarImageCount + 3;
        QImage sheet(images * 56 + 8, 4 * 56 + 8, QImage::Format_ARGB32);
        sheet.fill(QColor(0xef, 0xef, 0xef));
        QPainter p(&sheet);
        const int sizes[] = {16, 32, 48};
        for (int i = 0; i < images; ++i) {
            const QIcon icon = i < kToolBarImageCount        ? ToolBarIcon(i)
                               : i == kToolBarImageCount     ? MainIcon()
                               : i == kToolBarImageCount + 1 ? OkButtonIcon()
                                                             : CancelButtonIcon();
            for (int row = 0; row < 3; ++row) {
                const QPixmap pixmap = icon.pixmap(QSize(sizes[row], sizes[row]));
                QCOMPARE(pixmap.size(), QSize(sizes[row], sizes[row]));
                QVERIFY(!pixmap.toImage().isNull());
                p.drawPixmap(8 + i * 56, 8 + row * 56, pixmap);
            }
            const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
            QCOMPARE(sharp.size(), QSize(64, 64));
            p.drawPixmap(8 + i * 56, 8 + 3 * 56, sharp.scaled(48, 48));
        }
        p.end();
        QDir().mkpath(VENTARO_SCREENSHOT_DIR);
        QVERIFY(sheet.save(QString(VENTARO_SCREENSHOT_DIR) + "/Artwork-ToolBarImages.png"));
        QVERIFY(SplashPixmap(QSize(480, 300), 2.0)
                    .save(QString(VENTARO_SCREENSHOT_DIR) + "/Artwork-Splash@2x.png"));
        QImage wallpapers(200, 100, QImage::Format_ARGB32);
        QPainter w(&wallpapers);
        w.fillRect(0, 0, 100, 100, QBrush(WallPaperTile(1, 1.0)));
        w.fillRect(100, 0, 100, 100, QBrush(WallPaperTile(2, 1.0)));
        w.end();
        QVERIFY(wallpapers.save(QString(VENTARO_SCREENSHOT_DIR) + "/Artwork-WallPapers.png"));
    }

    void messageBoxesCarryTheTitleAndTheirIcon() {
        Ui().onShown = [](QWidget* box) { SaveScreenshot(box, "MessageBox-Question"); };
        Ui().answers = {MessageAnswer::Yes};
        QCOMPARE(Ui().ShowMessage("Are you sure?", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(Ui().ShowMessage("Cancel me", MessageIcon::Warning, MessageButtons::YesNoCancel),
                 MessageAnswer::Cancel);
        QCOMPARE(Ui().shown[0].caption, QString("Ventaro.2 - Live Fader Studio"));
    }
};

QTEST_MAIN(FrameWindowTest)
#include "FrameWindowTest.moc"
