#include "tools/DeviceCapsDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/DialogParts.h"
#include "base/QtText.h"
#include "tools/DeviceCaps.h"

namespace {

QPlainTextEdit* ReportEdit(const std::string& report, const char* name) {
    auto* edit = new QPlainTextEdit(ToQt(report));
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The platform's fixed-pitch font, so that the tabs line the values up.
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    edit->setFont(font);
    const QFontMetrics metrics(font);
    edit->setTabStopDistance(metrics.horizontalAdvance(QLatin1Char(' ')) * 8);
    edit->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * 58,
                         metrics.lineSpacing() * 10 + 8);
    return edit;
}

} // namespace

void DeviceCapsDialog::Run(QWidget* owner) {
    DeviceCapsDialog dialog(owner);
    dialog.exec();
}

DeviceCapsDialog::DeviceCapsDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("DevicesCapsDlg");
    setWindowTitle("MIDI devices capabilities...");
    m_input = ReportEdit(CurrentInputReport(), "56001");
    m_output = ReportEdit(CurrentOutputReport(), "56002");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupAround("Input", m_input));
    layout->addWidget(GroupAround("Output", m_output));
    layout->addLayout(OkRow(m_ok));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}
