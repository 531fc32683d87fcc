#pragma once
// Printing a script as the editor shows it: the print dialog, one text line per printed line
// in the printer's font (cut at the page width), the copies, and the progress box "Print
// file..." whose Cancel stops the job after the current page.

#include <QPrinter>
#include <functional>
#include <string>

#include "scripts/PrintPlan.h"

class ToolWindowHost;
class QPlainTextEdit;
class QWidget;

// The line layout on this printer in its default font.
PrintMetrics ScriptPrintMetrics(QPrinter& printer);

// True when the job was printed or there was nothing to print (the dialog was cancelled, the
// pane is empty); false when it failed or was cancelled. The file name is only shown.
bool PrintScript(QWidget* owner, QPlainTextEdit* pane, const std::string& fileName);
// The job after the print dialog, on a printer already chosen.
bool PrintScriptOn(QPrinter& printer, QWidget* owner, QPlainTextEdit* pane,
                   const std::string& fileName);

// Tests stand in for the print dialog: the function sets the printer up and says whether to
// print. An empty function brings the platform's dialog back.
void SetPrintDialogForTests(std::function<bool(QPrinter&)> dialog);

// Routes the print commands 52000 and 53000.
void RegisterScriptPrinting(ToolWindowHost& host);
