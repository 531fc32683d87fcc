// The Send MIDI message window, the capabilities dialog, the memory status window and the audio
// recorder on the real widgets, opened by their commands: a user's clicks and keys in.

#include <thread>

#include "GuiTestSupport.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeWaveDevice.h"
#include "tools/AudioRecorder.h"
#include "tools/AudioRecorderWindow.h"
#include "tools/DeviceCaps.h"
#include "tools/DeviceCapsDialog.h"
#include "tools/MemoryStatus.h"
#include "tools/MemoryStatusWindow.h"
#include "tools/SendMidiWindow.h"

namespace {

// Types into an edit as a user does: all of it selected, then the keys.
void Type(QWidget* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

// A file system of the test's own for the memory status, and the program's back after it.
struct MemInfo : FakeFileSystem {
    ~MemInfo() override { g_fileSystem = before; }
    void Set(const std::string& text) { files[kMemInfoPath] = Bytes(text.begin(), text.end()); }
    FileSystem* before = std::exchange(g_fileSystem, this);
};

} // namespace

class MidiSendWindowsTest : public GuiTest {
    Q_OBJECT

private:
    QAction* Item(int command) const { return Window()->MenuAction(MenuKind::MenuBar, command); }

private slots:
    void presetsSendTheComposedStatusAndARefusedByteSendsNothing() {
        SendMidiWindow* send = OpenTool<SendMidiWindow>(kCmdSendMidiMessage);
        QVERIFY(send);
        send->TypeBox()->setCurrentIndex(3);
        send->ChannelBox()->setCurrentIndex(2);
        Type(send->DataEdit(0), "7");
        Type(send->DataEdit(1), "100");
        send->SendButton()->click();
        QCOMPARE(m_app->Sent(), QStringList{"B2 07 64"});

        // 200 can be typed, and is refused at Send with the edit focused.
        Type(send->DataEdit(1), "200");
        send->SendButton()->click();
        QCOMPARE(TakeShown().size(), 1);
        QVERIFY(m_app->Sent().isEmpty());
        QVERIFY(send->DataEdit(1)->hasFocus());
        QTest::keyClick(send->DataEdit(1), Qt::Key_Up); // steps into the range: 127

        send->ModeRadio(kSendMidiUser)->click();
        QVERIFY(send->StatusEdit()->isEnabled() && !send->TypeBox()->isEnabled());
        Type(send->StatusEdit(), "200");
        QTest::keyClick(send->StatusEdit(), Qt::Key_Down);
        send->SendButton()->click();
        QCOMPARE(m_app->Sent(), QStringList{"C7 07"}); // program change: two bytes on the wire

        send->PanicButton()->click();
        QCOMPARE(m_app->Sent().size(), 32);
    }

    void eachScrollBarMoveSendsAndTheValuesOutliveTheWindow() {
        SendMidiWindow* send = OpenTool<SendMidiWindow>(kCmdSendMidiMessage);
        QVERIFY(send);
        QScrollBar* bar = send->DataBar(1);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(m_app->Sent(), (QStringList{"90 3C 41", "90 3C 7F"}));
        QCOMPARE(send->DataEdit(1)->text(), QString("127"));
        // A dragged thumb sends each position it reports, and its last again on release.
        bar->setSliderDown(true);
        bar->setSliderPosition(41);
        bar->setSliderDown(false);
        QCOMPARE(m_app->Sent(), (QStringList{"90 3C 29", "90 3C 29"}));

        send->ModeRadio(kSendMidiUser)->click();
        send->ChannelBox()->setCurrentIndex(9);
        Window()->OnCommand(kCmdSendMidiMessage); // closes it
        QTRY_VERIFY(!Window()->ToolWindow(kCmdSendMidiMessage));
        QVERIFY(!Item(kCmdSendMidiMessage)->isChecked());

        send = OpenTool<SendMidiWindow>(kCmdSendMidiMessage);
        QVERIFY(send);
        QVERIFY(send->ModeRadio(kSendMidiUser)->isChecked());
        QCOMPARE(send->ChannelBox()->currentIndex(), 9);
        QCOMPARE(send->DataEdit(1)->text(), QString("41"));
        QCOMPARE(send->DataBar(1)->value(), 41);
    }

    void theCapabilitiesDialogShowsTheCurrentDevicesReports() {
        g_midiDevices.inputEnabled = -1;
        WhenModal<DeviceCapsDialog>([](DeviceCapsDialog* dialog) {
            QCOMPARE(dialog->InputReport()->toPlainText(), ToQt(CurrentInputReport()));
            QCOMPARE(dialog->OutputReport()->toPlainText(), ToQt(CurrentOutputReport()));
            dialog->OkButton()->click();
        });
        Window()->OnCommand(kCmdDeviceCapabilities);
    }

    void theMemoryBarFollowsMemInfoAndAnUnreadableOneClosesTheWindow() {
        MemInfo meminfo;
        meminfo.Set("MemTotal: 1000 kB\nMemAvailable: 250 kB\n");
        auto* memory = OpenTool<MemoryStatusWindow>(kCmdGlobalMemory);
        QVERIFY(memory);
        QCOMPARE(memory->Bar()->value(), 75);
        meminfo.Set("MemTotal: 1000 kB\nMemAvailable: 500 kB\n");
        QTRY_COMPARE_WITH_TIMEOUT(memory->Bar()->value(), 50, 5000);

        meminfo.unreadable.insert(kMemInfoPath);
        QTRY_VERIFY_WITH_TIMEOUT(!Window()->ToolWindow(kCmdGlobalMemory), 5000);
        QCOMPARE(TakeShown(), QStringList{ToQt(ReadMemoryLoad().error)});
        QVERIFY(!Item(kCmdGlobalMemory)->isChecked());
    }

    void theRecorderButtonsDriveTheDevice() {
        // Opening the window loads no audio library: that waits for the first press.
        auto* opened = OpenTool<AudioRecorderWindow>(kCmdAudioRecorder);
        QFile maps("/proc/self/maps");
        QVERIFY(opened && maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("libventaro-audio"));
        opened->close();
        auto made = std::make_unique<FakeWaveDevice>();
        FakeWaveDevice* device = made.get();
        device->SetNotifier(UiThreadRecorderNotifier());
        g_waveDeviceFactory = [&made](std::string&) { return std::move(made); };
        auto* recorder = OpenTool<AudioRecorderWindow>(kCmdAudioRecorder);
        QVERIFY(recorder);
        auto shown = [recorder] {
            QString text;
            for (int command : {kCmdRecorderRecord, kCmdRecorderPlay, kCmdRecorderPause,
                                kCmdRecorderStopButton}) {
                const QPushButton* button = recorder->Button(command);
                text += QString(button->isEnabled() ? "E" : "-") + (button->isChecked() ? "*" : "");
            }
            return text;
        };

        // A refused press leaves the button as it was, not as the click toggled it.
        device->failures = {{"open new", "no input"}};
        recorder->Button(kCmdRecorderRecord)->click();
        QCOMPARE(TakeShown(), QStringList{"no input"});
        QCOMPARE(shown(), QString("EE--"));
        device->failures.clear();

        recorder->Button(kCmdRecorderRecord)->click();
        QCOMPARE(shown(), QString("-*--E"));
        QVERIFY(recorder->Button(kCmdRecorderStopButton)->hasFocus());
        recorder->Button(kCmdRecorderStopButton)->click();
        recorder->Button(kCmdRecorderPlay)->click();
        recorder->Button(kCmdRecorderPause)->click();
        QCOMPARE(shown(), QString("--*E*E"));
        // The device's end of playback, from its own thread, brings the buttons back to rest.
        std::thread([device] { device->Finish(WaveNoticeKind::Successful, 2); }).join();
        QTRY_COMPARE_WITH_TIMEOUT(shown(), QString("EE--"), 5000);

        recorder->Button(kCmdRecorderRecord)->click();
        device->TakeLog();
        recorder->close(); // closing while recording saves first
        QCOMPARE(device->TakeLog(), (std::vector<std::string>{"stop", "save test.wav", "close"}));
        QVERIFY(!Item(kCmdAudioRecorder)->isChecked());
        g_waveDeviceFactory = nullptr;
    }
};

QTEST_MAIN(MidiSendWindowsTest)
#include "MidiSendWindowsTest.moc"
