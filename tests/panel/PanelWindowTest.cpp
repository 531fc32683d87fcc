// The virtual panel and the dialogs it opens on the real widgets: a user's keys, drags and clicks
// in, the bytes at the MIDI output checked.

#include "GuiTestSupport.h"
#include "panel/PanelConfigDialog.h"
#include "panel/PanelState.h"
#include "panel/SliderPropsDialog.h"
#include "panel/VirtualPanelWindow.h"
#include "project/NewProject.h"
#include "project/ProjectState.h"
#include "snapshots/GetNameDialog.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/Snapshots.h"
#include "tools/FindSliderDialog.h"

// The Control Changes that set the 16 sliders to 0 on the first channel, but slider `skipped`.
QStringList Zeros(int skipped) {
    QStringList all;
    for (int i = 0; i < 16; ++i) {
        if (i != skipped) {
            all << QString("B0 %1 00").arg(i, 2, 16, QChar('0')).toUpper();
        }
    }
    return all;
}

SliderRecord& Slider(int i) {
    return g_sliders[static_cast<std::size_t>(i)];
}

class PanelWindowTest : public GuiTest {
    Q_OBJECT

private:
    VirtualPanelWindow* Panel() const {
        return qobject_cast<VirtualPanelWindow*>(Window()->ToolWindow(kCmdVirtualPanel));
    }
    // A default panel of 16 7-bit sliders, opened by its command; slider 3 at 10 is current.
    VirtualPanelWindow* OpenPanel() {
        BuildDefaultPanel(false, 16);
        Slider(3).value = 10;
        g_currentSlider = 3;
        return OpenTool<VirtualPanelWindow>(kCmdVirtualPanel);
    }

private slots:
    void pagingAndLineStepsFollowTheKeysAndCtrlClickResetsThePanel() {
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        m_app->Sent();
        QAbstractSlider* control = panel->SliderControl(5);
        control->setFocus();
        // The fader's top is its maximum: the up keys raise it.
        QTest::keyClick(control, Qt::Key_PageUp); // a page: 0 + 127 / 8 + 1
        QTest::keyClick(control, Qt::Key_PageUp);
        QTest::keyClick(control, Qt::Key_PageDown);
        QTest::keyClick(control, Qt::Key_Down); // a line
        QCOMPARE(m_app->Sent(), (QStringList{"B0 05 10", "B0 05 20", "B0 05 10", "B0 05 0F"}));
        // A click opens the presets menu; Ctrl+click resets at once, a locked slider left alone.
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(panel->PresetsMenu()));
        panel->PresetsMenu()->hide();
        QTest::mouseClick(panel->LockBox(2), Qt::LeftButton);
        QTest::mouseClick(panel->ControlButton(1), Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(!panel->PresetsMenu()->isVisible());
        QCOMPARE(m_app->Sent(), Zeros(2));
    }

    // Ctrl+F's dialog finds by the chosen criterion; the properties dialog opened from a row
    // refuses a taken name, asks about a controller in use, then stores and shows the edit.
    void findSliderOpensThePropertiesThatRefuseThenAskThenStore() {
        QVERIFY(OpenPanel());
        Ui().answers = {MessageAnswer::Ok, MessageAnswer::Yes};
        WhenModal<FindSliderDialog>([](FindSliderDialog* find) {
            find->CriteriaList()->setCurrentIndex(6); // by controller 1
            find->TextEdit()->setText("2");
            find->SearchButton()->click();
            QCOMPARE(find->Results()->count(), 1);
            WhenModal<SliderPropsDialog>([](SliderPropsDialog* props) {
                props->NameEdit()->setText("Slider5");
                QTest::mouseClick(props->OkButton(), Qt::LeftButton);
                QVERIFY(props->isVisible());
                props->NameEdit()->setText("Lead");
                props->NumberEdit(0)->setText("0.5");
                props->ControllerList(0)->setCurrentIndex(3);
                emit props->ControllerList(0)->activated(3);
                QTest::mouseClick(props->OkButton(), Qt::LeftButton);
            });
            QListWidgetItem* row = find->Results()->item(0);
            emit find->Results()->itemDoubleClicked(row);
            QVERIFY(row->text().startsWith("Lead ("));
            find->TextEdit()->setText("999");
            find->SearchButton()->click();
            // The "No sliders found." row: a dialog opened here would never be answered.
            emit find->Results()->itemDoubleClicked(find->Results()->item(0));
        });
        QTest::keyClick(Window(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(Ui().shown.size(), std::size_t{2}); // the taken name, then controller 3
        QCOMPARE(TextOf(Slider(2).name), std::string("Lead"));
        QCOMPARE(Slider(2).controller1, 3);
        QCOMPARE(Panel()->SliderControl(2)->value(), 63);
    }

    // From the panel's own button: a slider added and then cancelled in its properties, and the
    // style switched and cancelled, leave the panel as it was.
    void configurationAddNewThenCancelLeavesThePanelAsItWas() {
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        bool ran = false;
        WhenModal<PanelConfigDialog>([&](PanelConfigDialog* config) {
            WhenModal<SliderPropsDialog>([](SliderPropsDialog* props) {
                QTest::mouseClick(props->CancelButton(), Qt::LeftButton);
            });
            QTest::mouseClick(config->AddButton(), Qt::LeftButton);
            QCOMPARE(g_sliderCount, 16);
            QTest::mouseClick(config->StyleRadio(0), Qt::LeftButton);
            QTest::mouseClick(config->CancelButton(), Qt::LeftButton);
            ran = true;
        });
        QTest::mouseClick(panel->ControlButton(4), Qt::LeftButton);
        QTRY_VERIFY(ran);
        QTRY_VERIFY(Panel() && Panel()->isVisible());
        QVERIFY(qobject_cast<QScrollBar*>(Panel()->SliderControl(15)));
    }

    // From the menu: a refused status byte keeps the dialog open; the arrows step the bytes;
    // OK commits them, the step and a new slider, and the panel comes back with faders.
    void configurationOkCommitsTheMessagesAndReopensThePanel() {
        QVERIFY(OpenPanel());
        WhenModal<PanelConfigDialog>([](PanelConfigDialog* config) {
            config->MessageEdit(kStartStatusField)->setText("abc");
            QTest::mouseClick(config->OkButton(), Qt::LeftButton);
            QVERIFY(config->isVisible());
            config->MessageEdit(kStartStatusField)->setText("177");
            QTest::mouseClick(config->UpArrow(kStartStatusField), Qt::LeftButton); // toward 128
            config->MessageEdit(kStartData1Field)->setText("0");
            QTest::mouseClick(config->DownArrow(kStartData1Field), Qt::LeftButton);
            config->MessageEdit(kStartData2Field)->setText("100");
            config->ScrollStepList()->setCurrentIndex(3);
            config->SliderList()->setCurrentRow(16); // the empty entry: after the last slider
            WhenModal<SliderPropsDialog>([](SliderPropsDialog* props) {
                props->NameEdit()->setText("Tail");
                QTest::mouseClick(props->OkButton(), Qt::LeftButton);
            });
            QTest::mouseClick(config->AddButton(), Qt::LeftButton);
            QCOMPARE(config->SliderList()->item(16)->text(), QString("Tail"));
            QTest::mouseClick(config->StyleRadio(0), Qt::LeftButton);
            QTest::mouseClick(config->OkButton(), Qt::LeftButton);
        });
        Window()->OnCommand(kCmdPanelProperties);
        QCOMPARE(g_startMessage, (std::array<std::uint8_t, 3>{176, 1, 100}));
        QCOMPARE(g_scrollStep, 4);
        QCOMPARE(g_sliderCount, 17);
        QCOMPARE(TextOf(Slider(16).name), std::string("Tail"));
        QTRY_VERIFY(Panel() && Panel()->isVisible());
        QVERIFY(qobject_cast<QSlider*>(Panel()->SliderControl(16)));
    }

    void snapshotsAreTakenRecalledRenamedAndDeleted() {
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        QComboBox* list = panel->SnapshotList();
        panel->PresetsMenu()->actions()[0]->trigger();              // all at 0
        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap1
        panel->PresetsMenu()->actions()[2]->trigger();              // all at 63
        QTest::mouseClick(panel->ControlButton(5), Qt::LeftButton); // Snap2
        QCOMPARE(list->currentText(), QString("Snap2"));
        m_app->Sent();
        list->setCurrentIndex(1); // recalls Snap1
        QCOMPARE(m_app->Sent(), Zeros(-1));

        Ui().answers = {MessageAnswer::Yes};
        WhenModal<SnapshotManagerDialog>([](SnapshotManagerDialog* shown) {
            shown->List()->setCurrentRow(1);
            WhenModal<GetNameDialog>([](GetNameDialog* box) {
                box->NameEdit()->setText("Verse");
                QTest::mouseClick(box->OkButton(), Qt::LeftButton);
            });
            QTest::mouseClick(shown->RenameButton(), Qt::LeftButton);
            shown->List()->setCurrentRow(0);
            QTest::mouseClick(shown->DeleteButton(), Qt::LeftButton);
            QTest::mouseClick(shown->CloseButton(), Qt::LeftButton);
        });
        list->setCurrentIndex(0); // "Organize"
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), QString("Verse"));
    }

    // A lock shows on its fader only; the widest values without an exponent show whole in the
    // default size; opening and resizing change no sound; a wheel makes its slider the one the
    // keys move.
    void theStripsShowLocksAndWholeValuesAndFollowResizesAndTheWheel() {
        VirtualPanelWindow* panel = OpenPanel();
        QVERIFY(panel);
        QTest::mouseClick(panel->LockBox(4), Qt::LeftButton);
        QVERIFY(panel->SliderDrawnLocked(4));
        QVERIFY(!panel->SliderDrawnLocked(5));
        QTest::mouseClick(panel->LockBox(4), Qt::LeftButton);
        QVERIFY(!panel->SliderDrawnLocked(4));
        Slider(3).minValue = -0.3464567065f;
        Slider(3).maxValue = 15244.36f;
        panel->SliderControl(3)->setFocus();
        QTest::keyClick(panel->SliderControl(3), Qt::Key_Up);
        QCOMPARE(m_app->Sent(), QStringList{"B0 03 0B"});
        for (int k = 0; k < 3; ++k) {
            QLineEdit* edit = panel->NumberEdit(k);
            QVERIFY2(edit->text().size() >= 10, qPrintable(edit->text()));
            const int frame =
                edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
            const int advance = edit->fontMetrics().horizontalAdvance(edit->text());
            QVERIFY2(advance + 2 * frame + 4 <= edit->width(), qPrintable(edit->text()));
        }
        panel->resize(panel->width() + 40, panel->height() + 30);
        QTRY_COMPARE(panel->SliderControl(3)->height(), panel->height() - 98);
        QVERIFY(m_app->Sent().isEmpty());
        QWheelEvent wheel(QPointF(2, 20), panel->SliderControl(5)->mapToGlobal(QPointF(2, 20)),
                          QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(panel->SliderControl(5), &wheel);
        QCOMPARE(panel->focusWidget(), panel->SliderControl(5));
        QCOMPARE(g_currentSlider, 5);
    }
};

QTEST_MAIN(PanelWindowTest)
#include "PanelWindowTest.moc"
