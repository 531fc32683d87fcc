#include "scripts/ScriptPrinting.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "base/Ui.h"
#include "resources/Strings.h"
#include "scripts/ScriptEditorWindow.h"
#include "scripts/ScriptStore.h"

namespace {

constexpr int kMaxDocumentNameLength = 323;

std::function<bool(QPrinter&)> g_printDialogForTests;

// The job's process-wide state: the user's cancel and the progress box.
bool g_printAborted = false;
QPointer<QDialog> g_printProgress;

QDialog* MakeProgressBox(QWidget* owner, const std::string& fileName) {
    auto* box = new QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    box->setObjectName("PrintFileDlg");
    box->setWindowTitle("Print file...");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setMinimumWidth(QFontMetrics(box->font()).averageCharWidth() * 36); // the title shows
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("2");
    auto* layout = new QVBoxLayout(box);
    for (const QString& text : {QString("Sending"), ToQt(fileName), QString("to print spooler.")}) {
        auto* label = new QLabel(text);
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, box, [owner, box] {
        g_printAborted = true;
        if (owner) {
            owner->setEnabled(true);
        }
        box->close();
        g_printProgress = nullptr;
    });
    return box;
}

// Between pages the progress box is kept responsive; printing goes on while nobody cancelled.
bool ContinuePrinting() {
    if (!g_printAborted) {
        QCoreApplication::processEvents();
    }
    return !g_printAborted;
}

bool RunPrintDialog(QPrinter& printer, QWidget* owner) {
    if (g_printDialogForTests) {
        return g_printDialogForTests(printer);
    }
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    QPrintDialog dialog(&printer, owner);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    return dialog.exec() == QDialog::Accepted;
}

int PaneLineCount(QPlainTextEdit* pane) {
    return pane->document()->isEmpty() ? 0 : pane->document()->blockCount();
}

void RunPrintCommand(QWidget* owner, int command) {
    const int script = command == kCmdPrintScript2 ? 1 : 0;
    ScriptEditorWindow* editor = OpenScriptEditor();
    if (!editor) {
        return; // the items are gray while the editor is closed
    }
    const std::string path(TextOf(g_scriptPaths[static_cast<std::size_t>(script)]));
    ScriptPane* pane = script == 1 && editor->PaneCount() == 2 ? editor->Pane(1) : editor->Pane(0);
    if (path.empty() || !PrintScript(owner, pane, path)) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrCannotPrint), MessageIcon::Warning);
        }
    }
}

} // namespace

PrintMetrics ScriptPrintMetrics(QPrinter& printer) {
    const QFontMetrics font(QFont(), &printer);
    return PrintMetricsFor(printer.width(), printer.height(), font.averageCharWidth(),
                           font.lineSpacing());
}

void SetPrintDialogForTests(std::function<bool(QPrinter&)> dialog) {
    g_printDialogForTests = std::move(dialog);
}

bool PrintScript(QWidget* owner, QPlainTextEdit* pane, const std::string& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    if (!RunPrintDialog(printer, owner)) {
        return true; // cancelled in the dialog: nothing printed, nothing to report
    }
    return PrintScriptOn(printer, owner, pane, fileName);
}

bool PrintScriptOn(QPrinter& printer, QWidget* owner, QPlainTextEdit* pane,
                   const std::string& fileName) {
    const int lineCount = pane ? PaneLineCount(pane) : 0;
    if (lineCount == 0) {
        return true;
    }
    const PrintMetrics metrics = ScriptPrintMetrics(printer);
    if (metrics.linesPerPage <= 0) {
        return false; // not one line fits the page
    }
    const int pages = PrintPageCount(lineCount, metrics.linesPerPage);
    // A printer that makes the copies itself gets one; otherwise the copies are printed here.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();

    if (owner) {
        owner->setEnabled(false);
    }
    g_printAborted = false;
    g_printProgress = MakeProgressBox(owner, fileName);
    g_printProgress->show();

    const QString title = owner ? owner->windowTitle() : QString();
    printer.setDocName(title.left(kMaxDocumentNameLength));
    QPainter painter;
    bool ok = painter.begin(&printer);
    if (ok) {
        const QFontMetrics font(painter.font(), &printer);
        bool first = true;
        for (int page : PrintPageSequence(pages, copies, printer.collateCopies())) {
            if (!ContinuePrinting()) {
                break;
            }
            if (!first && !printer.newPage()) {
                ok = false;
                break;
            }
            first = false;
            const PrintLineRange lines = PrintPageLines(page, metrics.linesPerPage, lineCount);
            for (int n = lines.first; n < lines.end; ++n) {
                const QString text =
                    pane->document()->findBlockByNumber(n).text().left(metrics.charsPerLine);
                painter.drawText(0, metrics.lineHeight * (n - lines.first) + font.ascent(), text);
            }
        }
        if (g_printAborted) {
            printer.abort();
        }
        ok = painter.end() && ok;
    }

    const bool cancelled = g_printAborted;
    if (!cancelled) {
        if (owner) {
            owner->setEnabled(true);
        }
        if (g_printProgress) {
            g_printProgress->close();
        }
        g_printProgress = nullptr;
    }
    return ok && !cancelled;
}

void RegisterScriptPrinting(ToolWindowHost& host) {
    QWidget* owner = host.HostWidget();
    RouteCommand(kCmdPrintScript1, [owner] { RunPrintCommand(owner, kCmdPrintScript1); });
    RouteCommand(kCmdPrintScript2, [owner] { RunPrintCommand(owner, kCmdPrintScript2); });
}
