#pragma once
// The engine's window: a console that shows what the sound engine prints on its standard output
// and error as it arrives, keeps it after the engine ends so that its errors can be read, and
// says how the engine ended. The output is read when the pipe has some, so the user interface
// never waits for the engine.

#include <QPointer>
#include <QWidget>

#include "engine/EngineRun.h"

class QLabel;
class QPlainTextEdit;
class QSocketNotifier;
class QTimer;

class EngineConsoleWindow : public QWidget {
    Q_OBJECT

public:
    explicit EngineConsoleWindow(QWidget* owner);
    ~EngineConsoleWindow() override;

    // Shows a new engine's output in place of the last one's; the window takes the descriptor.
    void Follow(const KeptProcess& process, const EngineCommand& command);
    QString Text() const;
    QString Status() const;

private:
    void ReadOutput();
    void CloseOutput();
    // Once the output has ended: the engine's exit, looked for until the launcher has reaped it.
    void CheckExit();

    QPlainTextEdit* m_text;
    QLabel* m_status;
    QTimer* m_exitCheck;
    QSocketNotifier* m_notifier = nullptr;
    int m_fd = -1;
    long m_process = -1;
    QByteArray m_partialLine;
};

// The console as the engine's output view: made when an engine first starts with its window
// shown, shown again (without taking the focus from the panel) at each start.
class EngineConsoleView : public EngineOutputView {
public:
    explicit EngineConsoleView(QWidget* owner) : m_owner(owner) {}
    void EngineStarted(const KeptProcess& process, const EngineCommand& command) override;
    EngineConsoleWindow* Window() const { return m_window; }

private:
    QWidget* m_owner;
    QPointer<EngineConsoleWindow> m_window;
};
