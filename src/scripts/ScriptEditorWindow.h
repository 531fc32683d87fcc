#pragma once
// The script editor window "Script editor...": one or two panes side by side showing the
// project's scripts, the Edit commands that act on the pane last focused, the insertion of
// generated Csound text and the external editor commands.

#include <QPlainTextEdit>
#include <QWidget>
#include <string>

#include "scripts/ScriptStore.h"
#include "scripts/ScriptText.h"

class QLabel;
class ToolWindowHost;

// One pane: plain text in blue on white in the editor font, holding at most the 65535 bytes a
// script takes. It hands its text back in the encoding and with the line ends it was given.
class ScriptPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScriptPane(QWidget* parent);

    void SetScriptText(const std::string& text);
    std::string ScriptText() const;
    // Editor font and default colour, again after the preference changed.
    void ApplyEditorLook();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether replacing the selection with `inserted` keeps the script within its limit; warns
    // "Error: edit control out of space..." when not.
    bool Fits(const QString& inserted) const;
    QString RawText() const;

    ScriptTextForm m_form; // how the script's bytes came, to write them back the same way
    ScriptOrigin m_origin;
};

class ScriptEditorWindow : public QWidget, public ScriptPanes {
    Q_OBJECT
public:
    explicit ScriptEditorWindow(QWidget* owner);
    ~ScriptEditorWindow() override;

    ScriptPane* Pane(int pane) const;
    // The line above a pane naming its script's file.
    QLabel* PathLabel(int pane) const;

    // ScriptPanes
    int PaneCount() override;
    std::string PaneText(int pane) override;
    void SetPaneText(int pane, const std::string& text) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayOutPanes();

    ScriptPane* m_panes[2] = {nullptr, nullptr};
    QLabel* m_labels[2] = {nullptr, nullptr};
    QString m_paths[2];
    int m_paneCount = 0;
};

// The pane that most recently had the keyboard focus; null while the editor is closed.
extern ScriptPane* g_activeEditor;
// The open editor; null while it is closed.
ScriptEditorWindow* OpenScriptEditor();

// Inserts the text at the caret of g_activeEditor through the clipboard, replacing the
// selection; the clipboard keeps the text.
void InsertEditorText(const std::string& text);
// Gives every pane of an open editor the editor font of the preferences again.
void RefreshScriptEditorFont();

// Routes the editor's commands (27000, the Edit, Insert and external editor commands) and sets
// the frame's hook for the Edit menu state, and the print commands.
void RegisterScriptEditor(ToolWindowHost& host);
