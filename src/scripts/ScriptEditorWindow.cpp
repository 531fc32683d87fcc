#include "scripts/ScriptEditorWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QStringDecoder>
#include <algorithm>
#include <cstdlib>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/ProgramLauncher.h"
#include "base/QtFont.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "base/Ui.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptCommands.h"
#include "scripts/ScriptPrinting.h"
#include "scripts/ScriptText.h"

ScriptPane* g_activeEditor = nullptr;

namespace {

constexpr int kEditorWidthUnits = 472;
constexpr int kEditorHeightUnits = 254;
constexpr std::size_t kEditorWindowState = 3; // the fourth project window

ScriptEditorWindow* g_editorWindow = nullptr;

QFont EditorFont() {
    return FontOfRecord(g_preferences.editor.font);
}

bool IsCommandOfEditor(int command) {
    return command >= kCmdUndo && command <= kCmdSelectAll;
}

void RunEditCommand(int command) {
    ScriptPane* pane = g_activeEditor;
    if (!pane) {
        return;
    }
    switch (command) {
    case kCmdUndo:
        pane->undo();
        break;
    case kCmdCut:
        pane->cut();
        break;
    case kCmdCopy:
        pane->copy();
        break;
    case kCmdPaste:
        pane->paste();
        break;
    case kCmdDelete:
        pane->textCursor().removeSelectedText();
        break;
    case kCmdSelectAll:
        pane->selectAll();
        break;
    default:
        return;
    }
    pane->setFocus();
}

void RunInsertCommand(int command) {
    if (!g_activeEditor) {
        return; // the p-field command writes the slider values back only when it inserts
    }
    for (const std::string& piece : InsertMenuPieces(command, g_audioFormatIndex)) {
        InsertEditorText(piece);
    }
}

void RunExternalEditor(int command) {
    const ExternalEditorLaunch launch = ExternalEditorFor(command);
    // The path is one word, blanks and all.
    const std::string parameter = launch.parameter.empty() ? "" : "\"" + launch.parameter + "\"";
    if (!RunProgram(launch.program, parameter) && g_ui) {
        g_ui->ShowMessage(NotStartedMessage(launch.program), MessageIcon::Warning);
    }
}

EditorMenuState EditorState() {
    EditorMenuState state;
    ScriptPane* pane = g_activeEditor;
    state.editorVisible = g_editorWindow != nullptr && pane != nullptr;
    if (!state.editorVisible) {
        return state;
    }
    state.canUndo = pane->document()->isUndoAvailable();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    state.clipboardHasText = clipboard && clipboard->hasText() && !clipboard->text().isEmpty();
    state.selectionNotEmpty = pane->textCursor().hasSelection();
    return state;
}

} // namespace

// ---- Pane -------------------------------------------------------------------------------------

ScriptPane::ScriptPane(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    ApplyEditorLook();
}

void ScriptPane::ApplyEditorLook() {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(255, 255, 255));
    colours.setColor(QPalette::Text, QColor(0, 0, 255));
    setPalette(colours);
    setFont(EditorFont());
    viewport()->update();
}

void ScriptPane::SetScriptText(const std::string& text) {
    const EditableScript script = DecodeScriptText(text);
    m_form = script.form;
    m_origin = script.origin;
    // The codec already left out a leading byte order mark; one more is text of the script.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    setPlainText(
        utf8(QByteArrayView(script.text.data(), static_cast<qsizetype>(script.text.size()))));
}

// The document's own characters: the plain text would turn no-break spaces into blanks.
QString ScriptPane::RawText() const {
    return document()->toRawText();
}

std::string ScriptPane::ScriptText() const {
    return EncodeScriptText(FromQt(RawText()), m_form, &m_origin);
}

bool ScriptPane::Fits(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const QString text = RawText();
    const std::string edited = FromQt(text.left(cursor.selectionStart())) +
                               WithLfLineEnds(FromQt(inserted)) +
                               FromQt(text.mid(cursor.selectionEnd()));
    return ScriptEditFits(edited, m_form);
}

void ScriptPane::focusInEvent(QFocusEvent* event) {
    g_activeEditor = this;
    QPlainTextEdit::focusInEvent(event);
}

void ScriptPane::keyPressEvent(QKeyEvent* event) {
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool typesText =
        newLine || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')));
    if (typesText && !(event->modifiers() & Qt::ControlModifier) &&
        !Fits(newLine ? QStringLiteral("\n") : text)) {
        return; // the typed text is not taken
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScriptPane::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && !Fits(source->text())) {
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

// ---- Window -----------------------------------------------------------------------------------

// A tool window of the frame: it stays above the frame and minimises with it.
ScriptEditorWindow::ScriptEditorWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setObjectName("ScriptEditor");
    setWindowTitle("Script editor...");
    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kEditorWidthUnits, units),
           DialogUnitsToPixelsY(kEditorHeightUnits, units));
    WindowState& state = g_windowStates[kEditorWindowState];
    if (state.placementValid == 1) {
        PlaceWindow(*this, state.placement);
    } else {
        // At the foot of the free area, where the panel at its head leaves it in sight.
        PlaceInFreeArea(*this, kToolWindowMarginUnits, kToolWindowMarginUnits, true);
    }
    state.placementValid = 1;

    m_paneCount = std::clamp(g_editorPaneCount, 1, 2);
    for (int pane = 0; pane < m_paneCount; ++pane) {
        m_panes[pane] = new ScriptPane(this);
        m_panes[pane]->setObjectName(QString("ScriptPane%1").arg(pane));
        // Which file each pane holds, as the project names it.
        const int script = ScriptOfPane(pane, m_paneCount, g_scriptPaths[0]);
        m_paths[pane] = ToQt(std::string(TextOf(g_scriptPaths[script])));
        m_labels[pane] = new QLabel(this);
        m_labels[pane]->setObjectName(QString("ScriptPath%1").arg(pane));
        m_labels[pane]->setToolTip(m_paths[pane]);
        m_labels[pane]->setTextFormat(Qt::PlainText);
    }
    g_editorWindow = this;
    g_scriptPanes = this;
    PutPaneTexts();
    LayOutPanes();
    // The first pane takes the focus, so it is the target right away.
    g_activeEditor = m_panes[0];
    m_panes[0]->setFocus();
}

ScriptEditorWindow::~ScriptEditorWindow() {
    if (g_editorWindow == this) {
        g_editorWindow = nullptr;
        g_scriptPanes = nullptr;
        g_activeEditor = nullptr;
    }
}

ScriptPane* ScriptEditorWindow::Pane(int pane) const {
    return pane >= 0 && pane < m_paneCount ? m_panes[pane] : nullptr;
}

int ScriptEditorWindow::PaneCount() {
    return m_paneCount;
}

std::string ScriptEditorWindow::PaneText(int pane) {
    ScriptPane* p = Pane(pane);
    return p ? p->ScriptText() : std::string();
}

void ScriptEditorWindow::SetPaneText(int pane, const std::string& text) {
    if (ScriptPane* p = Pane(pane)) {
        p->SetScriptText(text);
    }
}

QLabel* ScriptEditorWindow::PathLabel(int pane) const {
    return pane >= 0 && pane < m_paneCount ? m_labels[pane] : nullptr;
}

void ScriptEditorWindow::LayOutPanes() {
    const int width = this->width() / m_paneCount;
    const int labelHeight = fontMetrics().height() + 4;
    for (int pane = 0; pane < m_paneCount; ++pane) {
        QLabel* label = m_labels[pane];
        const int x = pane * width;
        label->setGeometry(x + 4, 0, std::max(width - 8, 0), labelHeight);
        // A long path keeps its start and its file name.
        label->setText(
            label->fontMetrics().elidedText(m_paths[pane], Qt::ElideMiddle, label->width()));
        m_panes[pane]->setGeometry(x, labelHeight, width, std::max(height() - labelHeight, 0));
    }
}

void ScriptEditorWindow::resizeEvent(QResizeEvent*) {
    LayOutPanes();
}

void ScriptEditorWindow::keyPressEvent(QKeyEvent* event) {
    if (!CloseOnEscape(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void ScriptEditorWindow::closeEvent(QCloseEvent* event) {
    TakePaneTexts();
    g_windowStates[kEditorWindowState].placement = PlacementOf(*this);
    // From here on the core sees the editor closed, although the widget goes a little later.
    g_editorWindow = nullptr;
    g_scriptPanes = nullptr;
    g_activeEditor = nullptr;
    event->accept();
}

// ---- Insertion and commands -------------------------------------------------------------------

void InsertEditorText(const std::string& text) {
    ScriptPane* pane = g_activeEditor;
    if (!pane) {
        return;
    }
    // The clipboard is the transport; what it held before is lost, and it keeps this text.
    QApplication::clipboard()->setText(ToQt(text));
    pane->paste();
    pane->setFocus();
}

ScriptEditorWindow* OpenScriptEditor() {
    return g_editorWindow;
}

void RefreshScriptEditorFont() {
    if (!g_editorWindow) {
        return;
    }
    for (int pane = 0; pane < g_editorWindow->PaneCount(); ++pane) {
        g_editorWindow->Pane(pane)->ApplyEditorLook();
    }
}

void RegisterScriptEditor(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(kCmdScriptEditor,
                              [](QWidget* parent) { return new ScriptEditorWindow(parent); });
    // The scripts are counted first, whether the command opens or closes the editor.
    RouteCommand(kCmdScriptEditor, [owner] {
        if (!CheckScriptsToEdit()) {
            return;
        }
        owner->ToggleToolWindow(kCmdScriptEditor);
    });
    for (int command = kCmdUndo; IsCommandOfEditor(command); command += 1000) {
        RouteCommand(command, [command] { RunEditCommand(command); });
    }
    for (int command = kCmdInsertHeader; command <= kCmdInsertSliderValues; command += 1000) {
        RouteCommand(command, [command] { RunInsertCommand(command); });
    }
    RouteCommand(kCmdEditScript1, [] { RunExternalEditor(kCmdEditScript1); });
    RouteCommand(kCmdEditScript2, [] { RunExternalEditor(kCmdEditScript2); });
    g_frameHooks.editorMenuState = EditorState;
    RegisterScriptPrinting(host);
}
