// The script editor window on the real widgets: its panes show the scripts and give the edits back,
// the Edit and Insert commands act on the pane last focused, and a pane prints to a PDF file.

#include <QClipboard>
#include <QRegularExpression>

#include "GuiTestSupport.h"
#include "base/Preferences.h"
#include "engine/EngineSettings.h"
#include "project/ProjectState.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptEditorWindow.h"
#include "scripts/ScriptPrinting.h"

namespace {

// The pages of a PDF file: its page objects, not the page tree ("/Pages").
int PdfPageCount(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return static_cast<int>(
        QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
}

void SetScripts(const char* path1, const char* path2, const std::string& text1,
                const std::string& text2) {
    SetText(g_scriptPaths[0], path1);
    SetText(g_scriptPaths[1], path2);
    g_scriptPathsCommitted = g_scriptPaths;
    g_scriptTexts = {text1, text2};
    g_scriptTextsSaved = g_scriptTexts;
}

} // namespace

class ScriptEditorWindowTest : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    ScriptEditorWindow* Editor() const {
        return qobject_cast<ScriptEditorWindow*>(Window()->ToolWindow(kCmdScriptEditor));
    }
    ScriptEditorWindow* OpenEditor() {
        Window()->OnCommand(kCmdScriptEditor);
        return Editor() && QTest::qWaitForWindowExposed(Editor()) ? Editor() : nullptr;
    }
    // The enabled state of each command after the Edit menu dropped down.
    std::vector<bool> EditStates() {
        QMenu* menu = Window()->MenuBar()->actions()[1]->menu();
        menu->popup(QPoint(10, 10));
        std::vector<bool> states;
        for (int command = kCmdUndo; command <= kCmdSelectAll; command += 1000) {
            states.push_back(Window()->MenuAction(MenuKind::MenuBar, command)->isEnabled());
        }
        menu->hide();
        return states;
    }
    // The print dialog answered by printing into a PDF file, with the given copies; with
    // `cancel` the user cancels as soon as the progress box is there.
    void PrintToPdf(const QString& file, int copies = 1, bool cancel = false) {
        SetPrintDialogForTests([file, copies, cancel](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setCopyCount(copies);
            if (cancel) {
                QTimer::singleShot(0, [] {
                    for (QWidget* window : QApplication::topLevelWidgets()) {
                        if (window->objectName() == "PrintFileDlg" && window->isVisible()) {
                            window->findChild<QPushButton*>("2")->click();
                        }
                    }
                });
            }
            return true;
        });
    }

private slots:
    void cleanup() {
        SetPrintDialogForTests({});
        m_app.reset();
    }

    void theEditorShowsTheScriptsAndGivesTheEditsBackInTheirOwnForm() {
        SetScripts("test.orc", "test.sco", "instr 1\r\nendin\r\n", "i1 0 1\n");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        QCOMPARE(editor->PaneCount(), 2);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString("instr 1\nendin\n"));
        editor->resize(801, 400);
        QCOMPARE(editor->Pane(1)->geometry(), QRect(400, 0, 400, 400));
        QCOMPARE(editor->Pane(1)->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(editor->Pane(1)->font().family(),
                 ToQt(std::string(TextOf(g_preferences.editor.font.faceName))));

        // New paths while the editor is open: it opens again on the new set of scripts.
        editor->Pane(1)->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->Pane(1), "e");
        CommitScriptPaths({"", "test.sco"});
        ScriptEditorWindow* reopened = Editor();
        QVERIFY(reopened && reopened != editor && reopened->isVisible());
        QCOMPARE(reopened->PaneCount(), 1);
        QCOMPARE(reopened->Pane(0)->toPlainText(), QString("i1 0 1\ne"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old one goes
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());

        reopened->Pane(0)->moveCursor(QTextCursor::End);
        QTest::keyClicks(reopened->Pane(0), "0");
        Window()->OnCommand(kCmdScriptEditor);
        QTRY_VERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        QCOMPARE(g_scriptTexts[0], std::string("instr 1\r\nendin\r\n"));
        QCOMPARE(g_scriptTexts[1], std::string("i1 0 1\ne0"));
        QCOMPARE(g_windowStates[3].placementValid, 1);
    }

    void editAndInsertCommandsActOnThePaneLastFocused() {
        SetScripts("test.orc", "test.sco", "instr 1", std::string(kMaxScriptLength, 'a'));
        QCOMPARE(EditStates(), std::vector<bool>(6, false)); // gray while the editor is closed
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        ScriptPane* orchestra = editor->Pane(0);
        QApplication::clipboard()->clear();
        Window()->OnCommand(kCmdSelectAll);
        QCOMPARE(EditStates(), (std::vector<bool>{false, true, true, false, true, true}));
        Window()->OnCommand(kCmdCut);
        QCOMPARE(QApplication::clipboard()->text(), QString("instr 1"));
        QCOMPARE(EditStates(), (std::vector<bool>{true, false, false, true, false, true}));
        Window()->OnCommand(kCmdUndo);
        Window()->OnCommand(kCmdPaste);
        QCOMPARE(orchestra->toPlainText(), QString("instr 1instr 1"));

        // The full score refuses typed and inserted text alike, with the message.
        ScriptPane* score = editor->Pane(1);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        score->setFocus();
        score->moveCursor(QTextCursor::End);
        QTest::keyClicks(score, "b");
        Window()->OnCommand(kCmdInsertSine);
        QCOMPARE(score->toPlainText().size(), qsizetype{65535});
        QCOMPARE(Ui().shown.size(), std::size_t{2});
        QCOMPARE(Ui().shown[1].text, ToQt(Str(kStrEditorOutOfSpace)));
        score->selectAll();
        Window()->OnCommand(kCmdInsertSine); // through the clipboard, which keeps the text
        const QString sine = ToQt(FunctionTablePiece(1)).replace("\r\n", "\n");
        QCOMPARE(score->toPlainText(), sine);
        QCOMPARE(QApplication::clipboard()->text(), sine);
        QCOMPARE(orchestra->toPlainText(), QString("instr 1instr 1"));

        SetText(g_soundEngine.scriptEditor, "/nonexistent/editor-program");
        Window()->OnCommand(kCmdEditScript1);
        QCOMPARE(Ui().shown.back().text, QString("Error while running the process!"));
    }

    // Lines twice the page's width stay one printed line each: cut, never wrapped.
    void printingMakesPagesForEachCopyAndReportsAJobThatFails() {
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        const PrintMetrics page = ScriptPrintMetrics(probe);
        QVERIFY(page.linesPerPage > 10 && page.charsPerLine > 10);
        const std::string wide(static_cast<std::size_t>(page.charsPerLine) * 2, 'w');
        std::string text = wide;
        for (int n = 1; n < 2 * page.linesPerPage + 10; ++n) {
            text += "\r\n" + wide;
        }
        QVERIFY(text.size() < kMaxScriptLength);
        SetScripts("test.orc", "", text, "");
        QVERIFY(OpenEditor());
        const QString pdf = m_folder.filePath("score.pdf");
        PrintToPdf(pdf, 2);
        Window()->OnCommand(kCmdPrintScript1);
        QCOMPARE(PdfPageCount(pdf), 6);
        QVERIFY(Ui().shown.empty());

        Window()->OnCommand(kCmdPrintScript2); // no path: nothing to print
        PrintToPdf(pdf, 1, true);
        Window()->OnCommand(kCmdPrintScript1); // cancelled in the progress box
        QVERIFY(Window()->isEnabled());
        PrintToPdf(m_folder.filePath("no/such/folder/x.pdf"));
        Window()->OnCommand(kCmdPrintScript1); // the job cannot start
        QCOMPARE(Ui().shown.size(), std::size_t{3});
        for (const QtUi::Shown& shown : Ui().shown) {
            QCOMPARE(shown.text, QString("Sorry, can't print the selected file!"));
        }
        QVERIFY(Window()->isEnabled());
    }
};

QTEST_MAIN(ScriptEditorWindowTest)
#include "ScriptEditorWindowTest.moc"
