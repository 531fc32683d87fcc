// The scratchpad's window on the real widgets: what the user types goes out as the bytes it says,
// a wrong message is refused, and the text outlives the window.

#include "tools/ScratchPadWindow.h"
#include "GuiTestSupport.h"
#include "base/FrameHooks.h"
#include "resources/Strings.h"
#include "tools/ScratchPad.h"

void WriteBank(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class ScratchPadWindowTest : public GuiTest {
    Q_OBJECT

private:
    ScratchPadWindow* Pad() const {
        return dynamic_cast<ScratchPadWindow*>(Window()->ToolWindow(kCmdScratchPad));
    }
    QPushButton* Button(const char* name) const { return Pad()->findChild<QPushButton*>(name); }

private slots:
    void typedTextGoesOutAsItsBytesAndAWrongOneIsRefusedAndKept() {
        ScratchPadWindow* pad = OpenTool<ScratchPadWindow>(kCmdScratchPad);
        QVERIFY(pad);
        QTest::keyClicks(pad->Edit(), "240 67\t16");
        QTest::keyClick(pad->Edit(), Qt::Key_Return);
        QTest::keyClicks(pad->Edit(), "247");
        QTest::mouseClick(pad->SendButton(), Qt::LeftButton);
        QCOMPARE(m_app->Sent(), QStringList{"F0 43 10 F7"});

        pad->Edit()->setPlainText("240 300 247");
        Button("ScratchPadLoad")->setFocus();
        QTest::mouseClick(pad->SendButton(), Qt::LeftButton);
        QVERIFY(m_app->Sent().isEmpty());
        QCOMPARE(TakeShown(), QStringList{ToQt(Str(kStrSysexInvalid))});
        QCOMPARE(pad->focusWidget(), pad->Edit());
        QVERIFY(pad->SendButton()->isEnabled());

        pad->Edit()->appendPlainText("1");   // never sent
        Window()->OnCommand(kCmdScratchPad); // closed by its command: the text comes back
        QTRY_VERIFY(!Pad() || !Pad()->isVisible());
        QCOMPARE(OpenTool<ScratchPadWindow>(kCmdScratchPad)->Edit()->toPlainText(),
                 QString("240 300 247\n1"));
    }

    // A bank double-clicked on the desktop opens the closed pad with it, and shows in an open one
    // rather than toggling it shut; the buttons load a bank into the field and save it from there.
    void banksOpenFromTheCommandLineAndTheButtonsLoadAndSaveThem() {
        QTemporaryDir dir;
        const QString bank = dir.filePath("Bank.SYX");
        const QString out = dir.filePath("out.syx");
        WriteBank(bank, QByteArray("\xF0\x43\x10\xF7", 4));
        g_frameHooks.openStartupBank(bank.toStdString());
        QTRY_VERIFY(Pad() && Pad()->isVisible());
        QCOMPARE(Pad()->Edit()->toPlainText(), QString("240 67 16 247 "));
        Pad()->Edit()->setPlainText("typed");
        WriteBank(bank, QByteArray("\xF0\x01\xF7", 3));
        g_frameHooks.openStartupBank(bank.toStdString());
        QVERIFY(Pad()->isVisible());
        QCOMPARE(Pad()->Edit()->toPlainText(), QString("240 1 247 "));

        WriteBank(bank, QByteArray("\xF0\x43\x10\xF7", 4));
        Ui().files = {bank.toStdString(), out.toStdString()};
        QTest::mouseClick(Button("ScratchPadLoad"), Qt::LeftButton);
        QCOMPARE(Pad()->Edit()->toPlainText(), QString("240 67 16 247 "));
        Pad()->Edit()->appendPlainText("240 1 247");
        QTest::mouseClick(Button("ScratchPadSave"), Qt::LeftButton);
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        // A bank may hold several messages, one after the other.
        QCOMPARE(saved.readAll(), QByteArray("\xF0\x43\x10\xF7\xF0\x01\xF7", 7));
        QCOMPARE(Ui().fileModes, (std::vector<int>{8, 9}));
    }

    void theFieldTakesNothingPastItsLimit() {
        ScratchPadWindow* pad = OpenTool<ScratchPadWindow>(kCmdScratchPad);
        QVERIFY(pad);
        pad->Edit()->setPlainText(QString(static_cast<qsizetype>(kScratchPadTextLimit), '1'));
        pad->Edit()->moveCursor(QTextCursor::End);
        QTest::keyClick(pad->Edit(), Qt::Key_2);
        QCOMPARE(pad->Edit()->toPlainText().size(), qsizetype(kScratchPadTextLimit));
        QCOMPARE(TakeShown(), QStringList{ToQt(Str(kStrEditorOutOfSpace))});
        // Typing over a selection keeps the length: it fits.
        pad->Edit()->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
        QTest::keyClick(pad->Edit(), Qt::Key_2);
        QVERIFY(pad->Edit()->toPlainText().endsWith('2'));
        QVERIFY(TakeShown().isEmpty());
    }
};

QTEST_MAIN(ScratchPadWindowTest)
#include "ScratchPadWindowTest.moc"
