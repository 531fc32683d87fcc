// The script editor window on the real widgets.

#include "scripts/ScriptEditorWindow.h"
#include "GuiTestSupport.h"
#include "project/ProjectState.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptPrinting.h"

// The pages of a PDF file: its page objects, not the page tree ("/Pages").
int PdfPageCount(const QString& file) {
    QFile pdf(file);
    static const QRegularExpression page("/Type\\s*/Page(?![s\\w])");
    return pdf.open(QIODevice::ReadOnly) ? int(QString::fromLatin1(pdf.readAll()).count(page)) : -1;
}

class ScriptEditorWindowTest : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    // Opens the editor on two scripts as they were saved.
    ScriptEditorWindow* OpenEditor(const char* path1, const char* path2, const std::string& text1,
                                   const std::string& text2) {
        SetText(g_scriptPaths[0], path1);
        SetText(g_scriptPaths[1], path2);
        g_scriptPathsCommitted = g_scriptPaths;
        g_scriptTexts = g_scriptTextsSaved = {text1, text2};
        return OpenTool<ScriptEditorWindow>(kCmdScriptEditor);
    }
    void PrintToPdf(const QString& file, int copies = 1) {
        SetPrintDialogForTests([file, copies](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setCopyCount(copies);
            return true;
        });
    }

private slots:
    void cleanup() {
        SetPrintDialogForTests({});
        m_app.reset();
    }

    void theEditorShowsTheScriptsAndGivesTheEditsBackInTheirOwnForm() {
        // A Latin-1 no-break space must survive an edit, not turn into a blank.
        ScriptEditorWindow* editor =
            OpenEditor("test.orc", "test.sco", "instr 1\r\nendin\r\n", "i1 0 1\xA0\n");
        QVERIFY(editor);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString("instr 1\nendin\n"));
        editor->Pane(1)->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->Pane(1), "e");
        Window()->OnCommand(kCmdScriptEditor);
        QTRY_VERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        QCOMPARE(g_scriptTexts[0], std::string("instr 1\r\nendin\r\n"));
        QCOMPARE(g_scriptTexts[1], std::string("i1 0 1\xA0\ne"));
    }

    void editAndInsertCommandsActOnThePaneLastFocused() {
        ScriptEditorWindow* editor = OpenEditor("test.orc", "test.sco", "instr 1", "i1");
        QVERIFY(editor);
        ScriptPane* orchestra = editor->Pane(0);
        QApplication::clipboard()->clear();
        Window()->OnCommand(kCmdSelectAll);
        Window()->OnCommand(kCmdCut);
        QCOMPARE(QApplication::clipboard()->text(), QString("instr 1"));
        Window()->OnCommand(kCmdUndo);
        Window()->OnCommand(kCmdPaste);
        QCOMPARE(orchestra->toPlainText(), QString("instr 1instr 1"));

        ScriptPane* score = editor->Pane(1);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        score->setFocus();
        score->selectAll();
        Window()->OnCommand(kCmdInsertSine);
        QCOMPARE(score->toPlainText(), ToQt(FunctionTablePiece(1)).replace("\r\n", "\n"));
        QCOMPARE(orchestra->toPlainText(), QString("instr 1instr 1"));
    }

    // Lines twice the page's width stay one printed line each: cut, never wrapped.
    void printingMakesPagesForEachCopyAndReportsAJobThatFails() {
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        const PrintMetrics page = ScriptPrintMetrics(probe);
        std::string text;
        for (int n = 0; n <= page.linesPerPage; ++n) { // one page and a line
            text += std::string(static_cast<std::size_t>(page.charsPerLine) * 2, 'w') + "\r\n";
        }
        QVERIFY(OpenEditor("test.orc", "", text, ""));
        const QString pdf = m_folder.filePath("score.pdf");
        PrintToPdf(pdf, 2);
        Window()->OnCommand(kCmdPrintScript1);
        QCOMPARE(PdfPageCount(pdf), 4);
        QVERIFY(Ui().shown.empty());

        PrintToPdf(m_folder.filePath("no/such/folder/x.pdf"));
        Window()->OnCommand(kCmdPrintScript1); // the job cannot start
        QCOMPARE(Ui().shown.back().text, QString("Sorry, can't print the selected file!"));
        QVERIFY(Window()->isEnabled());
    }
};

QTEST_MAIN(ScriptEditorWindowTest)
#include "ScriptEditorWindowTest.moc"
