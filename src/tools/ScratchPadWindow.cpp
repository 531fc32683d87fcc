#include "tools/ScratchPadWindow.h"

#include <QFontDatabase>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "base/Ui.h"
#include "resources/PanelArtwork.h"
#include "resources/Strings.h"
#include "tools/ScratchPad.h"

namespace {

constexpr int kWidthUnits = 236;
constexpr int kHeightUnits = 150;
constexpr int kSelectOpenSysex = 8;
constexpr int kSelectSaveSysex = 9;

} // namespace

// ---- Edit field -------------------------------------------------------------------------------

ScratchPadEdit::ScratchPadEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("ScratchPadEdit");
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); // the MIDIScope's font
    setTabChangesFocus(false);
}

bool ScratchPadEdit::Fits(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const qsizetype kept =
        document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return ScratchPadEditFits(static_cast<std::size_t>(kept + inserted.size()));
}

void ScratchPadEdit::keyPressEvent(QKeyEvent* event) {
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool typesText =
        newLine || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')));
    if (typesText && !(event->modifiers() & Qt::ControlModifier) &&
        !Fits(newLine ? QStringLiteral("\n") : text)) {
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScratchPadEdit::insertFromMimeData(const QMimeData* source) {
    // A paste that does not fit is refused whole: the clipboard still holds it.
    if (source && source->hasText() && !Fits(source->text())) {
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

// ---- Window -----------------------------------------------------------------------------------

ScratchPadWindow::ScratchPadWindow(QWidget* owner, ToolWindowHost* host)
    : MidiToolWindow(owner, host, kCmdScratchPad, kToolScratchPad) {
    setObjectName("ScratchPad");
    setWindowTitle(ToQt(Str(kStrScratchPadTitle)));

    auto* group = new QGroupBox(ToQt(Str(kStrScratchPadGroup)), this);
    m_edit = new ScratchPadEdit(group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_edit);

    auto* tip = new QLabel(ToQt(Str(kStrScratchPadTip)), this);
    m_send = new QPushButton(this);
    m_send->setObjectName("ScratchPadSend");
    m_send->setIcon(PanelControlIcon(3)); // "Control3Icon", as the Send MIDI window's button
    m_send->setIconSize(QSize(24, 24));
    m_send->setAccessibleName("Send");
    auto* load = new QPushButton(ToQt(Str(kStrScratchPadLoad)), this);
    load->setObjectName("ScratchPadLoad");
    auto* save = new QPushButton(ToQt(Str(kStrScratchPadSave)), this);
    save->setObjectName("ScratchPadSave");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_send);
    buttons->addStretch(1);
    buttons->addWidget(load);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(tip);
    layout->addLayout(buttons);

    connect(m_send, &QPushButton::clicked, this, [this] { Send(); });
    connect(load, &QPushButton::clicked, this, [this] { LoadBank(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveBank(); });

    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kWidthUnits, units), DialogUnitsToPixelsY(kHeightUnits, units));
    m_edit->setPlainText(ToQt(g_scratchPadText));
}

void ScratchPadWindow::Send() {
    m_send->setEnabled(false);
    const bool sent = SendScratchPad(FromQt(m_edit->toPlainText()));
    m_send->setEnabled(true);
    if (!sent) {
        m_edit->setFocus();
    }
}

void ScratchPadWindow::LoadBank() {
    std::string path;
    std::string title;
    if (!g_ui || !g_ui->SelectFile(kSelectOpenSysex, path, title)) {
        return;
    }
    if (LoadSysexBank(path) != BankLoad::NotOpened) {
        m_edit->setPlainText(ToQt(g_scratchPadText));
    }
}

void ScratchPadWindow::SaveBank() {
    std::string path;
    std::string title;
    if (g_ui && g_ui->SelectFile(kSelectSaveSysex, path, title)) {
        SaveSysexBank(path, FromQt(m_edit->toPlainText()));
    }
}

// What the user typed stays for the next opening, sent or not.
void ScratchPadWindow::Closing() {
    g_scratchPadText = FromQt(m_edit->toPlainText());
}

void OpenBankInScratchPad(ToolWindowHost& host, const std::string& path) {
    if (!LoadNamedSysexBank(path)) {
        return;
    }
    // An open scratchpad (reopened from the last run) shows the bank in place; otherwise a new
    // window takes the text the bank left.
    if (auto* open = dynamic_cast<ScratchPadWindow*>(host.VisibleToolWindow(kCmdScratchPad))) {
        open->Edit()->setPlainText(ToQt(g_scratchPadText));
        open->activateWindow();
    } else {
        host.ToggleToolWindow(kCmdScratchPad);
    }
}

void RegisterScratchPad(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(
        kCmdScratchPad, [owner](QWidget* parent) { return new ScratchPadWindow(parent, owner); });
    g_frameHooks.openStartupBank = [owner](std::string_view path) {
        OpenBankInScratchPad(*owner, std::string(path));
    };
}
