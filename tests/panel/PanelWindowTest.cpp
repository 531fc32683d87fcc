// The virtual panel, the slider properties dialog and the snapshot manager on the real
// widgets: user gestures in, the bytes on the output checked.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolTip>
#include <QtTest>

#include "GuiTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/Preferences.h"
#include "base/WindowGeometry.h"
#include "fakes/FakeMidiBackend.h"
#include "midi/RoutedMidiService.h"
#include "panel/PanelState.h"
#include "panel/SliderPropsDialog.h"
#include "panel/VirtualPanelWindow.h"
#include "project/NewProject.h"
#include "project/ProjectState.h"
#include "snapshots/GetNameDialog.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/Snapshots.h"

namespace {

// The messages sent since the last call, as "B0 03 10" texts.
QStringList Sent(FakePortLog& ports) {
    QStringList texts;
    for (const std::string& text : ports.TakeSent()) {
        texts << QString::fromStdString(text);
    }
    return texts;
}

QString Cc(int controller, int value, int channel = 0) {
    return QString("%1 %2 %3")
        .arg(0xB0 + channel, 2, 16, QChar('0'))
        .arg(controller, 2, 16, QChar('0'))
        .arg(value, 2, 16, QChar('0'))
        .toUpper();
}

// A modal window left open by a failed check inside its loop would hang the test.
struct CloseWhenDone {
    explicit CloseWhenDone(QWidget* window) : m_window(window) {}
    ~CloseWhenDone() {
        if (m_window && m_window->isVisible()) {
            m_window->close();
        }
    }
    QPointer<QWidget> m_window;
};

SliderRecord& Slider(int i) {
    return g_sliders[static_cast<std::size_t>(i)];
}

} // namespace

class PanelWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Program> m_program;
    std::shared_ptr<FakePortLog> m_midi;

    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }
    VirtualPanelWindow* Panel() const {
        return qobject_cast<VirtualPanelWindow*>(Window()->ToolWindow(kCmdVirtualPanel));
    }

    // The default panel, the panel window opened by its command, and the output emptied.
    VirtualPanelWindow* OpenPanel(int count = 16, bool fourteenBit = false, int style = 0) {
        BuildDefaultPanel(fourteenBit, count);
        g_panelControlStyle = style;
        Window()->OnCommand(kCmdVirtualPanel);
        VirtualPanelWindow* panel = Panel();
        if (panel) {
            (void)QTest::qWaitForWindowExposed(panel);
            QCoreApplication::processEvents();
        }
        m_midi->TakeSent();
        return panel;
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("VENTARO_SPLASH_MS", "0");
    }
    void init() {
        m_home = std::make_unique<TestHome>();
        m_home->Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 0, -1}));
        m_midi = std::make_shared<FakePortLog>();
        m_program = std::make_unique<Program>(m_home->ConfigRoot(), [this] {
            std::vector<std::unique_ptr<MidiPortBackend>> backends;
            backends.push_back(std::make_unique<FakeMidiBackend>(
                std::vector<std::string>{"Synth"}, std::vector<std::string>{}, m_midi));
            return std::unique_ptr<MidiService>(new RoutedMidiService(std::move(backends)));
        });
        Ui().SetScripted(true);
        QVERIFY(m_program->Start(""));
        QCOMPARE(g_midiOutputStatusText, std::string("Out: Synth"));
        ResetWindowStates();
    }
    void cleanup() {
        m_program.reset();
        m_home.reset();
        m_midi.reset();
    }

    void openingLowersTheCurrentSliderByOneStepAndSendsIt() {
        BuildDefaultPanel(false, 16);
        Slider(3).value = 10;
        g_currentSlider = 3;
        m_midi->TakeSent();
        Window()->OnCommand(kCmdVirtualPanel);
        QVERIFY(Panel());
        QVERIFY(QTest::qWaitForWindowExposed(Panel()));
        QCOMPARE(Sent(*m_midi).first(), Cc(3, 9));
        QCOMPARE(Panel()->SliderControl(3)->value(), 9);
        QCOMPARE(QApplication::focusWidget(), Panel()->SliderControl(3));
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdVirtualPanel)->isChecked());
        QCOMPARE(Panel()->SliderControl(0)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Panel()->NameEdit()->text(), QString("Slider4"));
    }

    void pagingAndLineStepsFollowTheKeys_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("scroll bars") << 0;
        QTest::newRow("trackbars") << 1;
    }
    void pagingAndLineStepsFollowTheKeys() {
        QFETCH(int, style);
        VirtualPanelWindow* panel = OpenPanel(16, false, style);
        QVERIFY(panel);
        QAbstractSlider* control = panel->SliderControl(5);
        QCOMPARE(control->maximum(), 127);
        control->setFocus();
        // The fader's top is its maximum: the up keys raise it.
        QTest::keyClick(control, Qt::Key_PageUp);   // page down: 0 + 127 / 8 + 1
        QTest::keyClick(control, Qt::Key_PageUp);   // 32
        QTest::keyClick(control, Qt::Key_PageDown); // page up: 16
        QTest::keyClick(control, Qt::Key_Up);       // line down: 17
        QTest::keyClick(control, Qt::Key_Down);     // line up: 16
        QTest::keyClick(control, Qt::Key_PageDown); // 0
        QTest::keyClick(control, Qt::Key_Down);     // stays 0, sent again
        QTest::keyClick(control, Qt::Key_End);      // bottom: the range
        QCOMPARE(Sent(*m_midi), (QStringList{Cc(5, 16), Cc(5, 32), Cc(5, 16), Cc(5, 17), Cc(5, 16),
                                             Cc(5, 0), Cc(5, 0), Cc(5, 127)}));
        QCOMPARE(control->value(), 127);
        QCOMPARE(Slider(5).value, 127);
        QCOMPARE(g_currentSlider, 5);
        QCOMPARE(panel->NameEdit()->text(), QString("Slider6"));
        QCOMPARE(panel->NumberEdit(0)->text(), QString("1"));
        QCOMPARE(panel->List(1)->currentText(), QString("CC5"));
    }

    void aDragSendsThePositionUnderTheThumb() {
        VirtualPanelWindow* panel = OpenPanel(16, true, 1);
        auto* control = qobject_cast<QSlider*>(panel->SliderControl(2));
        QVERIFY(control);
        QCOMPARE(control->maximum(), 16383);
        const QPoint start(control->width() / 2, control->height() - 8);
        QTest::mousePress(control, Qt::LeftButton, {}, start);
        QTest::mouseMove(control, start - QPoint(0, control->height() / 2));
        QTest::mouseRelease(control, Qt::LeftButton, {}, start - QPoint(0, control->height() / 2));
        const std::int32_t value = Slider(2).value;
        QVERIFY(value > 4000 && value < 12000);
        QCOMPARE(control->value(), value);
        const QStringList sent = Sent(*m_midi);
        QVERIFY(!sent.isEmpty());
        QCOMPARE(sent.last(), Cc(2 + 64, value % 128));
    }

    void presetsFromTheMenuSkipLockedSliders() {
        VirtualPanelWindow* panel = OpenPanel();
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton);
        QMenu* menu = panel->PresetsMenu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts << action->text();
        }
        QCOMPARE(texts,
                 (QStringList{"R&eset sliders", "&Maximize sliders", "On the &half",
                              "From &left to right", "From &right to left", "&Triangle function",
                              "&Inverse triangle function", "Low ra&ndom values",
                              "Medium ran&dom values", "High r&andom values"}));
        SaveScreenshot(menu, "PRESETMENU");
        menu->actions()[3]->trigger(); // from left to right
        menu->hide();
        QStringList ramp;
        for (int i = 0; i < 16; ++i) {
            ramp << Cc(i, 8 * i);
        }
        QCOMPARE(Sent(*m_midi), ramp);
        QCOMPARE(panel->SliderControl(15)->value(), 120);

        QTest::mouseClick(panel->LockBox(2), Qt::LeftButton);
        QCOMPARE(Slider(2).locked, 1);
        QVERIFY(panel->LockBox(2)->isChecked());
        panel->PresetsMenu()->actions()[1]->trigger(); // maximize
        QStringList maximized;
        for (int i = 0; i < 16; ++i) {
            if (i != 2) {
                maximized << Cc(i, 127);
            }
        }
        QCOMPARE(Sent(*m_midi), maximized);
        QCOMPARE(panel->SliderControl(2)->value(), 16);

        // Ctrl+click resets at once, without the menu; the resend button sends the locked one.
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(!panel->PresetsMenu()->isVisible());
        QCOMPARE(Sent(*m_midi).size(), 15);
        QCOMPARE(Slider(0).value, 0);
        QCOMPARE(Slider(2).value, 16);
        QTest::mouseClick(panel->ControlButton(2), Qt::LeftButton);
        QCOMPARE(Sent(*m_midi).at(2), Cc(2, 16));
    }

    void theTypeRadiosSwitchBetweenSevenAndFourteenBits() {
        BuildDefaultPanel(false, 16);
        Slider(0).controller2 = 32;
        g_currentSlider = 0;
        Window()->OnCommand(kCmdVirtualPanel);
        VirtualPanelWindow* panel = Panel();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        QVERIFY(!panel->List(2)->isEnabled());
        QTest::mouseClick(panel->TypeRadio(1), Qt::LeftButton);
        QCOMPARE(Slider(0).type, kFourteenBitType);
        QVERIFY(panel->List(2)->isEnabled());
        QAbstractSlider* control = panel->SliderControl(0);
        QCOMPARE(control->maximum(), 16383);
        m_midi->TakeSent();
        QTest::keyClick(control, Qt::Key_End);
        QCOMPARE(Sent(*m_midi), (QStringList{Cc(0, 127), Cc(32, 127)}));

        QTest::mouseClick(panel->TypeRadio(0), Qt::LeftButton);
        QCOMPARE(Slider(0).value, 127);
        QCOMPARE(control->maximum(), 127);
        QCOMPARE(control->value(), 127);
        QTest::mouseClick(panel->TypeRadio(1), Qt::LeftButton);
        QCOMPARE(Slider(0).value, 16129);
        QCOMPARE(control->value(), 16129);
        QVERIFY(Sent(*m_midi).isEmpty()); // switching sends nothing
        QVERIFY(Ui().shown.empty());
    }

    void aDeclinedControllerPairSendsTheFocusToTheSecondList() {
        VirtualPanelWindow* panel = OpenPanel();
        QTest::mouseClick(panel->TypeRadio(1), Qt::LeftButton); // controllers 0 and 0
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(
            Ui().shown[0].text,
            QString("MIDI controller 1 and MIDI controller 2 are the same.\nContinue anyway?"));
        QCOMPARE(Slider(0).type, kFourteenBitType);
        QCOMPARE(QApplication::focusWidget(), panel->List(2));
    }

    void theToolTipShowsTheSliderAfterThePreferenceDelay() {
        BuildDefaultPanel(false, 16);
        SliderRecord& slider = Slider(4);
        SetText(slider.name, "Cutoff");
        slider.curve = 1;
        slider.controller1 = 74;
        slider.value = 64;
        slider.scaledValue = 0.5f;
        g_preferences.global.toolTipDelay = 30;
        Window()->OnCommand(kCmdVirtualPanel);
        VirtualPanelWindow* panel = Panel();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        QTRY_COMPARE(panel->ToolTipDelay(), 30); // command 15011, posted at opening
        g_preferences.global.toolTipDelay = 5;
        DispatchCommand(15011);
        QCOMPARE(panel->ToolTipDelay(), 5);

        QAbstractSlider* control = panel->SliderControl(4);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control, &enter);
        QTRY_COMPARE(QToolTip::text(),
                     QString("Cutoff (Logarithmic, 7 bits) - CC 74 - Current: 0.5"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control, &leave);
        QTRY_VERIFY(!QToolTip::isVisible());

        g_preferences.global.panelToolTips = 0;
        QApplication::sendEvent(control, &enter);
        QTest::qWait(40);
        QVERIFY(!QToolTip::isVisible());
        g_preferences.global.panelToolTips = 1;
    }

    void theCurveMenuChecksTheCurrentCurve() {
        VirtualPanelWindow* panel = OpenPanel();
        Slider(0).curve = 3;
        QTest::mouseClick(panel->CurveButton(), Qt::LeftButton);
        QMenu* menu = panel->CurveMenu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QStringList checked;
        for (QAction* action : menu->actions()) {
            checked << (action->isChecked() ? action->text() : QString("-"));
        }
        QCOMPARE(checked, (QStringList{"-", "-", "-", "Cubic", "-"}));
        menu->actions()[4]->trigger();
        menu->hide();
        QCOMPARE(Slider(0).curve, 4);
        QVERIFY(Sent(*m_midi).isEmpty());
    }

    void closingStoresThePlacementAndUnchecksTheCommand() {
        VirtualPanelWindow* panel = OpenPanel();
        panel->setGeometry(40, 50, 800, 360);
        QCoreApplication::processEvents();
        Window()->OnCommand(kCmdVirtualPanel); // the same command closes it
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdVirtualPanel)->isChecked());
        QCOMPARE(g_windowStates[kWindowVirtualPanel].placementValid, 1);
        const std::optional<WindowGeometry> stored =
            GeometryFromPlacement(g_windowStates[kWindowVirtualPanel].placement);
        QVERIFY(stored);
        QCOMPARE(stored->width, 800);
        QCOMPARE(stored->height, 360);
        QTRY_VERIFY(!Panel());
        Window()->OnCommand(kCmdVirtualPanel);
        QVERIFY(Panel());
        QCOMPARE(Panel()->size(), QSize(800, 360));
        Panel()->resize(800, 120);
        QCOMPARE(Panel()->height(), 200); // never lower than 200 pixels
    }

    void thePropertiesDialogRefusesThenAsksThenStores() {
        OpenPanel();
        Ui().answers = {MessageAnswer::Ok, MessageAnswer::Yes};
        int shots = 0;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<SliderPropsDialog*>(modal);
            const CloseWhenDone done(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->NameEdit()->text(), QString("Slider2"));
            SaveScreenshot(dialog, "SliderPropsDlg");
            ++shots;
            dialog->NameEdit()->setText("Slider5");
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            QCOMPARE(Ui().shown.back().text,
                     QString("The name you have type is already present. (Slider n. 5)"));
            dialog->NameEdit()->setText("Lead");
            dialog->NumberEdit(0)->setText("0.5");
            dialog->ControllerList(0)->setCurrentIndex(3);
            emit dialog->ControllerList(0)->activated(3);
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(SliderPropsDialog::Run(Panel(), "Slider2"), 1);
        QCOMPARE(shots, 1);
        QCOMPARE(Ui().shown.size(), std::size_t{2});
        QCOMPARE(
            Ui().shown[1].text,
            QString("The MIDI controller 1 is already in use.\nContinue anyway? (Slider n. 4)"));
        QCOMPARE(TextOf(Slider(1).name), std::string("Lead"));
        QCOMPARE(Slider(1).controller1, 3);
        QCOMPARE(Slider(1).value, 63);
        QCOMPARE(Panel()->SliderControl(1)->value(), 63);

        Ui().shown.clear();
        QCOMPARE(SliderPropsDialog::Run(Panel(), "Nobody"), 0);
        QCOMPARE(Ui().shown.back().text, QString("Error: can't locate the selected slider!"));
    }

    void snapshotsAreTakenRecalledRenamedAndDeleted() {
        VirtualPanelWindow* panel = OpenPanel();
        Window()->OnCommand(kCmdSnapshotManager);
        QCOMPARE(Ui().shown.back().text, QString("Sorry, no snapshots present!"));
        QComboBox* list = panel->SnapshotList();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->itemText(0), QString("Organize"));
        list->setCurrentIndex(0);

        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap1: all at 0
        panel->PresetsMenu()->actions()[2]->trigger();              // all at 63
        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap2
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(2), QString("Snap2"));
        QCOMPARE(list->currentIndex(), 2);
        QTest::mouseClick(panel->LockBox(1), Qt::LeftButton);
        m_midi->TakeSent();

        list->setCurrentIndex(1); // recalls Snap1, the locked slider 1 excepted
        QStringList recalled;
        for (int i = 0; i < 16; ++i) {
            if (i != 1) {
                recalled << Cc(i, 0);
            }
        }
        QCOMPARE(Sent(*m_midi), recalled);
        QCOMPARE(panel->SliderControl(0)->value(), 0);
        QCOMPARE(panel->SliderControl(1)->value(), 63);
        list->setCurrentIndex(1);
        QVERIFY(Sent(*m_midi).isEmpty());

        Ui().answers = {MessageAnswer::Yes};
        WhenModal([&](QWidget* modal) {
            auto* manager = qobject_cast<SnapshotManagerDialog*>(modal);
            const CloseWhenDone done(modal);
            QVERIFY(manager);
            QCOMPARE(manager->List()->count(), 2);
            QCOMPARE(manager->List()->currentRow(), 0);
            SaveScreenshot(manager, "SnapsManagerDlg");
            manager->List()->setCurrentRow(1);
            WhenModal([](QWidget* box) {
                auto* name = qobject_cast<GetNameDialog*>(box);
                const CloseWhenDone nameDone(box);
                QVERIFY(name);
                QCOMPARE(name->NameEdit()->text(), QString("Snap2"));
                SaveScreenshot(name, "GetNameDlg");
                name->NameEdit()->setText("Verse");
                QTest::mouseClick(name->OkButton(), Qt::LeftButton);
            });
            QTest::mouseClick(manager->RenameButton(), Qt::LeftButton);
            QCOMPARE(manager->List()->item(1)->text(), QString("Verse"));
            QCOMPARE(manager->List()->currentRow(), 1);
            manager->List()->setCurrentRow(0);
            QTest::mouseClick(manager->DeleteButton(), Qt::LeftButton);
            QCOMPARE(manager->List()->count(), 1);
            QCOMPARE(manager->List()->item(0)->text(), QString("Verse"));
            QTest::mouseClick(manager->CloseButton(), Qt::LeftButton);
        });
        list->setCurrentIndex(0); // "Organize"
        QCOMPARE(
            Ui().shown.back().text,
            QString("This operation will delete the selected snapshot. Do you wan to continue?"));
        QCOMPARE(g_snapshotCount, 1);
        QCOMPARE(TextOf(g_snapshots.Peek(1).name), std::string("Verse"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(1), QString("Verse"));
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(g_snapshotManagerOpen, 0);
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdSnapshotManager) != nullptr);
    }

    void thePanelIsPhotographedInBothStyles_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("count");
        QTest::newRow("scroll bars, 16") << 0 << 16;
        QTest::newRow("scroll bars, 128") << 0 << 128;
        QTest::newRow("trackbars, 16") << 1 << 16;
        QTest::newRow("trackbars, 128") << 1 << 128;
    }
    void thePanelIsPhotographedInBothStyles() {
        QFETCH(int, style);
        QFETCH(int, count);
        VirtualPanelWindow* panel = OpenPanel(count, count > 64 ? false : style == 1, style);
        panel->resize(count > 16 ? 1400 : 820, 380);
        QCoreApplication::processEvents();
        panel->PresetsMenu()->actions()[5]->trigger(); // a triangle, to show the faders
        QCOMPARE(panel->findChildren<QAbstractSlider*>(Qt::FindDirectChildrenOnly).size(), count);
        SaveScreenshot(panel, QString("VirtualPanelDlg-%1-%2")
                                  .arg(style == 1 ? "trackbars" : "scrollbars")
                                  .arg(count));
    }
};

QTEST_MAIN(PanelWindowTest)
#include "PanelWindowTest.moc"
