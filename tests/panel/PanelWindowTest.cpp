// The virtual panel, the slider properties dialog, the snapshot manager and the name box on the
// real widgets: a user's keys, drags and clicks in, the bytes at the MIDI output checked.

#include <QRadioButton>
#include <QToolTip>

#include "GuiTestSupport.h"
#include "base/Preferences.h"
#include "panel/PanelState.h"
#include "panel/SliderPropsDialog.h"
#include "panel/VirtualPanelWindow.h"
#include "project/NewProject.h"
#include "snapshots/GetNameDialog.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/Snapshots.h"

namespace {

// A Control Change on the first channel, as the output log writes it.
QString Cc(int controller, int value) {
    return QString("B0 %1 %2")
        .arg(controller, 2, 16, QChar('0'))
        .arg(value, 2, 16, QChar('0'))
        .toUpper();
}

// The Control Changes of the 16 sliders at `value(slider)`, the slider `skipped` left out.
QStringList Ccs(int (*value)(int), int skipped = -1) {
    QStringList all;
    for (int i = 0; i < 16; ++i) {
        if (i != skipped) {
            all << Cc(i, value(i));
        }
    }
    return all;
}

SliderRecord& Slider(int i) {
    return g_sliders[static_cast<std::size_t>(i)];
}

} // namespace

class PanelWindowTest : public GuiTest {
    Q_OBJECT

private:
    VirtualPanelWindow* Panel() const {
        return qobject_cast<VirtualPanelWindow*>(Window()->ToolWindow(kCmdVirtualPanel));
    }
    // A default panel of 16 7-bit sliders, opened by its command; slider 3 at 10 is current.
    VirtualPanelWindow* OpenPanel(int style = 0) {
        BuildDefaultPanel(false, 16);
        g_panelControlStyle = style;
        Slider(3).value = 10;
        g_currentSlider = 3;
        Window()->OnCommand(kCmdVirtualPanel);
        return Panel() && QTest::qWaitForWindowExposed(Panel()) ? Panel() : nullptr;
    }

private slots:
    void pagingAndLineStepsFollowTheKeys_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("scroll bars") << 0;
        QTest::newRow("trackbars") << 1;
    }
    void pagingAndLineStepsFollowTheKeys() {
        QFETCH(int, style);
        VirtualPanelWindow* panel = OpenPanel(style);
        QVERIFY(panel);
        // Opening steps the current slider down once, sends it and gives it the focus.
        QCOMPARE(m_app->Sent(), QStringList{"B0 03 09"});
        QCOMPARE(QApplication::focusWidget(), panel->SliderControl(3));

        QAbstractSlider* control = panel->SliderControl(5);
        control->setFocus();
        // The fader's top is its maximum: the up keys raise it.
        QTest::keyClick(control, Qt::Key_PageUp);   // page down: 0 + 127 / 8 + 1
        QTest::keyClick(control, Qt::Key_PageUp);   // 32
        QTest::keyClick(control, Qt::Key_PageDown); // page up: 16
        QTest::keyClick(control, Qt::Key_Up);       // line down: 17
        QTest::keyClick(control, Qt::Key_Down);     // line up: 16
        QTest::keyClick(control, Qt::Key_PageDown); // 0
        QTest::keyClick(control, Qt::Key_Down);     // stays 0, sent again
        QCOMPARE(m_app->Sent(), (QStringList{"B0 05 10", "B0 05 20", "B0 05 10", "B0 05 11",
                                             "B0 05 10", "B0 05 00", "B0 05 00"}));
        QCOMPARE(panel->NameEdit()->text(), QString("Slider6"));
        QCOMPARE(panel->List(1)->currentText(), QString("CC5"));
        if (style == 1) { // a trackbar's thumb, dragged from the bottom half way up
            const QPoint start(control->width() / 2, control->height() - 8);
            const QPoint end = start - QPoint(0, control->height() / 2);
            QTest::mousePress(control, Qt::LeftButton, {}, start);
            QTest::mouseMove(control, end);
            QTest::mouseRelease(control, Qt::LeftButton, {}, end);
            QVERIFY(Slider(5).value > 30 && Slider(5).value < 100);
            QCOMPARE(m_app->Sent().last(), Cc(5, Slider(5).value));
        }
        QTest::keyClick(control, Qt::Key_End); // the bottom key: the range
        QCOMPARE(m_app->Sent(), QStringList{"B0 05 7F"});
    }

    void theButtonsMenusAndBoxesReachTheirSliders() {
        g_preferences.global.toolTipDelay = 5;
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        m_app->Sent();
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(panel->PresetsMenu()));
        panel->PresetsMenu()->actions()[3]->trigger(); // from left to right
        panel->PresetsMenu()->hide();
        QCOMPARE(m_app->Sent(), Ccs([](int i) { return 8 * i; }));
        // Ctrl+click resets at once, without the menu, a locked slider left where it is.
        QTest::mouseClick(panel->LockBox(2), Qt::LeftButton);
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(!panel->PresetsMenu()->isVisible());
        QCOMPARE(m_app->Sent(), Ccs([](int) { return 0; }, 2));
        QTest::mouseClick(panel->ControlButton(2), Qt::LeftButton); // resend: the locked one too
        QCOMPARE(m_app->Sent().at(2), QString("B0 02 10"));

        Slider(3).curve = 3; // the current slider's
        QTest::mouseClick(panel->CurveButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(panel->CurveMenu()));
        QVERIFY(panel->CurveMenu()->actions()[3]->isChecked());
        panel->CurveMenu()->actions()[4]->trigger();
        QCOMPARE(Slider(3).curve, 4);
        // 14 bits: the second controller is slider 1's; declined, the second list is next.
        QTest::mouseClick(panel->TypeRadio(1), Qt::LeftButton);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(panel->SliderControl(3)->maximum(), 16383);
        QCOMPARE(QApplication::focusWidget(), panel->List(2));

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(panel->SliderControl(4), &enter);
        QTRY_COMPARE(QToolTip::text(), QString("Slider5 (Linear, 7 bits) - CC 4 - Current: 0"));
        QCOMPARE(panel->ToolTipDelay(), 5);
    }

    void closingStoresThePlacementAndReopeningUsesIt() {
        QVERIFY(OpenPanel());
        Panel()->setGeometry(40, 50, 800, 360);
        QCoreApplication::processEvents();
        Window()->OnCommand(kCmdVirtualPanel); // the same command closes it
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdVirtualPanel)->isChecked());
        QTRY_VERIFY(!Panel());
        Window()->OnCommand(kCmdVirtualPanel);
        QCOMPARE(Panel()->size(), QSize(800, 360));
        Panel()->resize(800, 120);
        QCOMPARE(Panel()->height(), 200); // never lower than 200 pixels
    }

    void thePropertiesDialogRefusesThenAsksThenStores() {
        QVERIFY(OpenPanel());
        Ui().answers = {MessageAnswer::Ok, MessageAnswer::Yes};
        WhenModal<SliderPropsDialog>([this](SliderPropsDialog* props) {
            QCOMPARE(props->NameEdit()->text(), QString("Slider2"));
            props->NameEdit()->setText("Slider5");
            QTest::mouseClick(props->OkButton(), Qt::LeftButton);
            QVERIFY(props->isVisible());
            QCOMPARE(Ui().shown.back().text,
                     QString("The name you have type is already present. (Slider n. 5)"));
            props->NameEdit()->setText("Lead");
            props->NumberEdit(0)->setText("0.5");
            props->ControllerList(0)->setCurrentIndex(3);
            emit props->ControllerList(0)->activated(3);
            QTest::mouseClick(props->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(SliderPropsDialog::Run(Panel(), "Slider2"), 1);
        QCOMPARE(Ui().shown.size(), std::size_t{2});
        QCOMPARE(
            Ui().shown[1].text,
            QString("The MIDI controller 1 is already in use.\nContinue anyway? (Slider n. 4)"));
        QCOMPARE(TextOf(Slider(1).name), std::string("Lead"));
        QCOMPARE(Slider(1).controller1, 3);
        QCOMPARE(Panel()->SliderControl(1)->value(), 63);
    }

    void snapshotsAreTakenRecalledRenamedAndDeleted() {
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        QComboBox* list = panel->SnapshotList();
        panel->PresetsMenu()->actions()[0]->trigger();              // all at 0
        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap1
        panel->PresetsMenu()->actions()[2]->trigger();              // all at 63
        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap2
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentText(), QString("Snap2"));
        QTest::mouseClick(panel->LockBox(1), Qt::LeftButton);
        m_app->Sent();
        list->setCurrentIndex(1); // recalls Snap1, the locked slider excepted
        QCOMPARE(m_app->Sent(), Ccs([](int) { return 0; }, 1));
        QCOMPARE(panel->SliderControl(1)->value(), 63);

        Ui().answers = {MessageAnswer::Yes};
        WhenModal<SnapshotManagerDialog>([](SnapshotManagerDialog* shown) {
            QCOMPARE(shown->List()->count(), 2);
            shown->List()->setCurrentRow(1);
            WhenModal<GetNameDialog>([](GetNameDialog* box) {
                QCOMPARE(box->NameEdit()->text(), QString("Snap2"));
                box->NameEdit()->setText("Verse");
                QTest::mouseClick(box->OkButton(), Qt::LeftButton);
            });
            QTest::mouseClick(shown->RenameButton(), Qt::LeftButton);
            shown->List()->setCurrentRow(0);
            QTest::mouseClick(shown->DeleteButton(), Qt::LeftButton);
            QCOMPARE(shown->List()->count(), 1);
            QTest::mouseClick(shown->CloseButton(), Qt::LeftButton);
        });
        list->setCurrentIndex(0); // "Organize"
        QCOMPARE(g_snapshotCount, 1);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), QString("Verse"));
    }
};

QTEST_MAIN(PanelWindowTest)
#include "PanelWindowTest.moc"
