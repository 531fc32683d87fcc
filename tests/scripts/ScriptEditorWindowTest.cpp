// The script editor window on the real widgets: its panes, closing it, inserting generated text,
// the Edit commands and the Edit, Insert and File menu states.

#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "GuiTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Preferences.h"
#include "engine/EngineSettings.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptEditorWindow.h"
#include "scripts/ScriptPrinting.h"
#include "scripts/ScriptStore.h"

namespace {

// The pages of a PDF file: its page objects, not the page tree ("/Pages").
int PdfPageCount(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(pdf.readAll());
    return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page(?![s\\w])")));
}

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "i1 " + std::to_string(i) + " 1\r\n";
    }
    text.pop_back();
    text.pop_back();
    return text;
}

} // namespace

class ScriptEditorWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Program> m_program;

    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }
    ScriptEditorWindow* Editor() const {
        return qobject_cast<ScriptEditorWindow*>(Window()->ToolWindow(kCmdScriptEditor));
    }
    void SetScripts(const char* path1, const char* path2, const std::string& text1,
                    const std::string& text2) {
        SetText(g_scriptPaths[0], path1);
        SetText(g_scriptPaths[1], path2);
        g_scriptPathsCommitted = g_scriptPaths;
        g_scriptTexts = {text1, text2};
        g_scriptTextsSaved = g_scriptTexts;
    }
    ScriptEditorWindow* OpenEditor() {
        Window()->OnCommand(kCmdScriptEditor);
        ScriptEditorWindow* editor = Editor();
        if (editor) {
            editor->activateWindow();
            if (!QTest::qWaitForWindowExposed(editor)) {
                return nullptr;
            }
        }
        return editor;
    }
    void CloseEditor() {
        Window()->OnCommand(kCmdScriptEditor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The enabled state of each command after the menu at `position` dropped down.
    std::vector<bool> StatesOnOpening(int position, std::initializer_list<int> commands) {
        QMenu* menu = Window()->MenuBar()->actions()[position]->menu();
        menu->popup(QPoint(10, 10));
        std::vector<bool> states;
        for (int command : commands) {
            states.push_back(Window()->MenuAction(MenuKind::MenuBar, command)->isEnabled());
        }
        menu->hide();
        return states;
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
        SetPrintDialogForTests({});
        m_program.reset();
        m_home.reset();
    }

    void onePaneShowsScript2WhenScript1HasNoPathAndClosingPutsItsTextBack() {
        SetScripts("", "test.sco", "", "f1 0 4096 10 1\r\ni1 0 10\r\n");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QString("Script editor..."));
        QCOMPARE(editor->PaneCount(), 1);
        ScriptPane* pane = editor->Pane(0);
        QCOMPARE(pane->toPlainText(), QString("f1 0 4096 10 1\ni1 0 10\n"));
        QCOMPARE(pane->geometry(), QRect(0, 0, editor->width(), editor->height()));
        QCOMPARE(pane->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(pane->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(g_activeEditor, pane);
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        SaveScreenshot(editor, "ScriptEditor-OnePane");
        // The editor font of the preferences, again when the preference changes.
        QCOMPARE(pane->font().family(),
                 QString::fromStdString(std::string(TextOf(g_preferences.editor.font.faceName))));
        SetText(g_preferences.editor.font.faceName, "Courier");
        g_preferences.editor.font.height = -20;
        RefreshScriptEditorFont();
        QCOMPARE(pane->font().family(), QString("Courier"));
        QCOMPARE(pane->font().pixelSize(), 20);
        QCOMPARE(pane->palette().color(QPalette::Text), QColor(0, 0, 255));

        pane->moveCursor(QTextCursor::End);
        QTest::keyClicks(pane, "e");
        CloseEditor();
        QVERIFY(!Editor());
        QVERIFY(!g_scriptPanes);
        QVERIFY(!g_activeEditor);
        QCOMPARE(g_scriptTexts[1], std::string("f1 0 4096 10 1\r\ni1 0 10\r\ne"));
        QCOMPARE(g_scriptTexts[0], std::string());
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        QCOMPARE(g_windowStates[3].placementValid, 1);
    }

    void twoPanesStandSideBySideEachHalfTheWidth() {
        SetScripts("test.orc", "test.sco", "instr 1\nendin\n", "i1 0 1\n");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        QCOMPARE(editor->PaneCount(), 2);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString("instr 1\nendin\n"));
        QCOMPARE(editor->Pane(1)->toPlainText(), QString("i1 0 1\n"));
        editor->resize(801, 400);
        QCOMPARE(editor->Pane(0)->geometry(), QRect(0, 0, 400, 400));
        QCOMPARE(editor->Pane(1)->geometry(), QRect(400, 0, 400, 400));
        editor->resize(640, 300);
        QCOMPARE(editor->Pane(1)->geometry(), QRect(320, 0, 320, 300));
        SaveScreenshot(editor, "ScriptEditor-TwoPanes");
    }

    void changedScriptPathsReopenTheEditorOnTheNewSetOfScripts() {
        SetScripts("test.orc", "test.sco", "instr 1", "i1 0 1");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        editor->Pane(1)->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->Pane(1), "0");
        CommitScriptPaths({"", "test.sco"});
        ScriptEditorWindow* reopened = Editor();
        QVERIFY(reopened);
        QVERIFY(reopened != editor);
        QVERIFY(reopened->isVisible());
        QCOMPARE(reopened->PaneCount(), 1);
        QCOMPARE(reopened->Pane(0)->toPlainText(), QString("i1 0 10"));
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Window()->MenuAction(MenuKind::MenuBar, kCmdScriptEditor)->isChecked());
        CloseEditor();
        QCOMPARE(g_scriptTexts[1], std::string("i1 0 10"));
    }

    void noScriptsWarnsAndOpensNothing() {
        SetScripts("", "", "", "");
        Window()->OnCommand(kCmdScriptEditor);
        QVERIFY(!Editor());
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(Ui().shown[0].text, QString("Sorry, no scripts specified!"));
    }

    void insertingReplacesTheSelectionOfTheLastFocusedPaneAndKeepsTheClipboard() {
        SetScripts("test.orc", "test.sco", "", "AAA BBB CCC");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        ScriptPane* score = editor->Pane(1);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        score->setFocus();
        QCOMPARE(g_activeEditor, score);
        QTextCursor cursor = score->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        score->setTextCursor(cursor);
        QApplication::clipboard()->setText("earlier");
        InsertEditorText("i1 0 1\r\n");
        QCOMPARE(score->toPlainText(), QString("AAA i1 0 1\n CCC"));
        QCOMPARE(QApplication::clipboard()->text(), QString("i1 0 1\n"));
        QCOMPARE(editor->Pane(0)->toPlainText(), QString());

        // An Insert command hands its generated piece over the same way.
        score->selectAll();
        Window()->OnCommand(kCmdInsertSine);
        const QString sine = QString::fromStdString(FunctionTablePiece(1)).replace("\r\n", "\n");
        QCOMPARE(score->toPlainText(), sine);
        QCOMPARE(QApplication::clipboard()->text(), sine);
        CloseEditor();
        // A text without line ends of its own takes the generated text's CR LF.
        QCOMPARE(g_scriptTexts[1], FunctionTablePiece(1));
    }

    void editMenuIsGrayWithTheEditorClosedAndFollowsThePaneWhenOpen() {
        SetScripts("test.orc", "", "instr 1", "");
        const std::initializer_list<int> edit = {kCmdUndo,  kCmdCut,    kCmdCopy,
                                                 kCmdPaste, kCmdDelete, kCmdSelectAll};
        QCOMPARE(StatesOnOpening(1, edit), (std::vector<bool>(6, false)));
        QCOMPARE(StatesOnOpening(3, {kCmdInsertHeader, kCmdInsertSine, kCmdInsertSliderValues}),
                 (std::vector<bool>(3, false)));
        QCOMPARE(StatesOnOpening(0, {kCmdPrintScript1, kCmdPrintScript2}),
                 (std::vector<bool>(2, false)));

        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        QApplication::clipboard()->clear();
        QCOMPARE(StatesOnOpening(1, edit),
                 (std::vector<bool>{false, false, false, false, false, true}));
        QCOMPARE(StatesOnOpening(3, {kCmdInsertHeader, kCmdInsertSine, kCmdInsertSliderValues}),
                 (std::vector<bool>(3, true)));
        QCOMPARE(StatesOnOpening(0, {kCmdPrintScript1, kCmdPrintScript2}),
                 (std::vector<bool>(2, true)));

        Window()->OnCommand(kCmdSelectAll);
        QCOMPARE(editor->Pane(0)->textCursor().selectedText(), QString("instr 1"));
        QCOMPARE(StatesOnOpening(1, edit),
                 (std::vector<bool>{false, true, true, false, true, true}));
        Window()->OnCommand(kCmdCut);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QString("instr 1"));
        QCOMPARE(StatesOnOpening(1, edit),
                 (std::vector<bool>{true, false, false, true, false, true}));
        Window()->OnCommand(kCmdUndo);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString("instr 1"));
        Window()->OnCommand(kCmdPaste);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString("instr 1instr 1"));
        Window()->OnCommand(kCmdSelectAll);
        Window()->OnCommand(kCmdDelete);
        QCOMPARE(editor->Pane(0)->toPlainText(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QString("instr 1"));
        CloseEditor();
        QCOMPARE(StatesOnOpening(1, edit), (std::vector<bool>(6, false)));
    }

    void aFullPaneRefusesTypedAndPastedTextWithTheMessage() {
        SetScripts("test.orc", "", std::string(kMaxScriptLength, 'a'), "");
        ScriptEditorWindow* editor = OpenEditor();
        QVERIFY(editor);
        ScriptPane* pane = editor->Pane(0);
        pane->moveCursor(QTextCursor::End);
        QTest::keyClicks(pane, "b");
        InsertEditorText("more");
        QCOMPARE(pane->toPlainText().size(), qsizetype{65535});
        QCOMPARE(Ui().shown.size(), std::size_t{2});
        QCOMPARE(Ui().shown[0].text, QString::fromStdString(Str(kStrEditorOutOfSpace)));
        // Replacing a selection by text of its own length still fits.
        pane->selectAll();
        InsertEditorText(std::string(kMaxScriptLength, 'c'));
        QCOMPARE(pane->toPlainText(), QString(65535, 'c'));
        QCOMPARE(Ui().shown.size(), std::size_t{2});
    }

    void externalEditorOpensTheScriptOrReportsTheFailure() {
        SetText(g_soundEngine.scriptEditor, "/nonexistent/editor-program");
        Window()->OnCommand(kCmdEditScript1);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(Ui().shown[0].text, QString("Error while running the process!"));
        SetText(g_soundEngine.scriptEditor, "true");
        Window()->OnCommand(kCmdEditScript2);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
    }

    void printingScript2WithoutAPathReportsWithoutOpeningTheDialog() {
        SetScripts("test.orc", "", "instr 1", "");
        QVERIFY(OpenEditor());
        int dialogs = 0;
        SetPrintDialogForTests([&](QPrinter&) {
            ++dialogs;
            return false;
        });
        Window()->OnCommand(kCmdPrintScript2);
        QCOMPARE(dialogs, 0);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(Ui().shown[0].text, QString("Sorry, can't print the selected file!"));
        // Cancelling the print dialog shows nothing.
        Window()->OnCommand(kCmdPrintScript1);
        QCOMPARE(dialogs, 1);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
    }

    void printingMakesPagesOfTheFontsLinesAndTheCopies() {
        QTemporaryDir folder;
        const QString pdf = folder.path() + "/score.pdf";
        int linesPerPage = 0;
        int copies = 1;
        bool collate = true;
        SetPrintDialogForTests([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setCopyCount(copies);
            printer.setCollateCopies(collate);
            linesPerPage = ScriptPrintMetrics(printer).linesPerPage;
            return true;
        });
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        const int perPage = ScriptPrintMetrics(probe).linesPerPage;
        QVERIFY(perPage > 10);
        SetScripts("test.orc", "test.sco", "instr 1", Lines(2 * perPage + 10));
        QVERIFY(OpenEditor());
        Window()->OnCommand(kCmdPrintScript2);
        QCOMPARE(linesPerPage, perPage);
        QCOMPARE(Ui().shown.size(), std::size_t{0});
        QCOMPARE(PdfPageCount(pdf), 3);
        QVERIFY(Window()->isEnabled());

        copies = 2;
        Window()->OnCommand(kCmdPrintScript1); // one line, two collated copies
        QCOMPARE(PdfPageCount(pdf), 2);
        collate = false;
        Window()->OnCommand(kCmdPrintScript2);
        QCOMPARE(PdfPageCount(pdf), 6);
        QCOMPARE(Ui().shown.size(), std::size_t{0});
    }

    // A page full of lines far wider than the paper stays one page: each is cut at the width.
    void printingCutsLinesWiderThanThePageInsteadOfWrapping() {
        QTemporaryDir folder;
        const QString pdf = folder.path() + "/wide.pdf";
        int charsPerLine = 0;
        SetPrintDialogForTests([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            charsPerLine = ScriptPrintMetrics(printer).charsPerLine;
            return true;
        });
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        const PrintMetrics metrics = ScriptPrintMetrics(probe);
        const std::string wide(static_cast<std::size_t>(metrics.charsPerLine) * 5, 'w');
        std::string text = wide;
        for (int n = 1; n < metrics.linesPerPage; ++n) {
            text += "\r\n" + wide;
        }
        QVERIFY(text.size() < 65536);
        SetScripts("test.orc", "test.sco", text, "");
        QVERIFY(OpenEditor());
        Window()->OnCommand(kCmdPrintScript1);
        QVERIFY(charsPerLine > 10);
        QCOMPARE(PdfPageCount(pdf), 1);
    }

    void cancellingTheProgressBoxStopsTheJobAndReportsIt() {
        QTemporaryDir folder;
        SetPrintDialogForTests([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.path() + "/cancelled.pdf");
            // The user cancels as soon as the box is there.
            QTimer::singleShot(0, [] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    if (window->objectName() == "PrintFileDlg" && window->isVisible()) {
                        QCOMPARE(window->windowTitle(), QString("Print file..."));
                        SaveScreenshot(window, "PrintFileDlg");
                        window->findChild<QPushButton*>("2")->click();
                    }
                }
            });
            return true;
        });
        SetScripts("test.orc", "", Lines(500), "");
        QVERIFY(OpenEditor());
        Window()->OnCommand(kCmdPrintScript1);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(Ui().shown[0].text, QString("Sorry, can't print the selected file!"));
        QVERIFY(Window()->isEnabled());

        // A job that cannot start its document fails the same way.
        SetPrintDialogForTests([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.path() + "/no/such/folder/x.pdf");
            return true;
        });
        Window()->OnCommand(kCmdPrintScript1);
        QCOMPARE(Ui().shown.size(), std::size_t{2});
        QCOMPARE(Ui().shown[1].text, QString("Sorry, can't print the selected file!"));
        QVERIFY(Window()->isEnabled());
    }
};

QTEST_MAIN(ScriptEditorWindowTest)
#include "ScriptEditorWindowTest.moc"
