// The MIDIScope wired to the frame: opened by its command, filled by the input step while it
// shows, its menu switching the filter and emptying the list, its record stored at the close.

#include "tools/MidiScopeWindow.h"
#include "GuiTestSupport.h"
#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "midi/MidiInputQueue.h"
#include "tools/MidiScope.h"

class MidiScopeWindowTest : public GuiTest {
    Q_OBJECT

    MidiScopeWindow* Scope() const {
        return dynamic_cast<MidiScopeWindow*>(Window()->ToolWindow(kCmdMidiScope));
    }
    static void Input(std::uint32_t word) { g_frameHooks.midiInput(MidiInputEvent{word, {}, 5}); }
    QAction* ScopeItem(int command) const {
        for (QAction* action : Scope()->Menu()->actions()) {
            if (action->data().toInt() == command) {
                return action;
            }
        }
        return nullptr;
    }

private slots:
    void linesArriveColouredWhileItShowsAndTheMenuFiltersAndClears() {
        Input(0x00643C90); // hidden: not kept
        Window()->OnCommand(kCmdMidiScope);
        QVERIFY(Scope() && Scope()->isVisible());
        Input(0x00643C90);
        Input(0x000000F5);
        QCOMPARE(g_scopeLines.size(), 2u);
        QVERIFY(ScopeItem(kCmdScopeFilterActiveSensing)->isChecked());
        QTRY_COMPARE(Scope()->View()->verticalScrollBar()->value(), 0);
        const QImage image = Scope()->View()->viewport()->grab().toImage();
        const int lineHeight = Scope()->View()->LineHeight();
        bool yellow = false; // the second line is the stop signal's
        for (int x = 0; x < image.width(); ++x) {
            for (int y = lineHeight; y < 2 * lineHeight; ++y) {
                yellow = yellow || image.pixelColor(x, y) == QColor(255, 255, 0);
            }
        }
        QVERIFY(yellow);

        ScopeItem(kCmdScopeFilterActiveSensing)->trigger(); // off
        Input(0xFE);
        QCOMPARE(g_scopeLines.back().text, "0x00000005 0xFE 0x00 0x00 (Active sensing)");
        ScopeItem(kCmdScopeClearList)->trigger();
        QVERIFY(g_scopeLines.empty());

        Window()->OnCommand(kCmdMidiScope);
        QTRY_VERIFY(!Window()->ToolWindow(kCmdMidiScope));
        QCOMPARE(m_app->Value(kWindowsKey, kValueMidiScope).size(), kMidiScopeRecordSize);
    }

    // A burst far beyond a frame's worth is listed whole and ends at the bottom of the view.
    void aBurstIsListedWholeAndShowsItsNewestLine() {
        Window()->OnCommand(kCmdMidiScope);
        for (std::uint32_t i = 0; i < 20000; ++i) {
            Input(0x000007B0 | (i % 128) << 16);
        }
        QCOMPARE(g_scopeLines.size(), 20000u);
        QTRY_COMPARE(Scope()->View()->verticalScrollBar()->value(),
                     20000 - Scope()->View()->Page());
    }
};

QTEST_MAIN(MidiScopeWindowTest)
#include "MidiScopeWindowTest.moc"
