#pragma once
// The program as one object: its services (settings store, MIDI service, input queue, clock,
// launcher, Ui), the main window, the splash, the start-up sequence and the message loop.
// main() makes one; the Qt tests make one per start, over a settings folder of their own.

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/QtUi.h"
#include "base/Clock.h"
#include "base/FileSettingsStore.h"
#include "base/PosixFileSystem.h"
#include "base/PosixProgramLauncher.h"
#include "engine/EngineConsoleWindow.h"
#include "engine/EngineLibrary.h"
#include "midi/EventFdWakeUp.h"
#include "midi/MidiInputQueue.h"
#include "midi/MidiService.h"

class MainWindow;

class Program : public QObject {
    Q_OBJECT
public:
    // Makes the MIDI service when the start-up needs it, after the window first painted: the
    // platform's device probing then does not delay the window.
    using MidiServiceFactory = std::function<std::unique_ptr<MidiService>()>;

    // The user's settings store and the platform's MIDI service.
    Program();
    Program(std::filesystem::path settingsRoot, MidiServiceFactory midiFactory);
    ~Program() override;

    // Creates the main window, shows the splash and the window, then runs the start-up
    // sequence; false when the program has to end before its loop runs (no MIDI device).
    bool Start(const std::string& commandLine);
    // Start, then the message loop; the exit code.
    int Run(const std::string& commandLine);

    MainWindow* Window() const { return m_window.get(); }
    QtUi& ProgramUi() { return m_ui; }
    MidiInputQueue& InputQueue() { return m_inputQueue; }

    // The command line as the text after the program name: the arguments joined by blanks.
    static std::string CommandLineOf(const QStringList& arguments);

private slots:
    void DrainMidiInput();

private:
    void Install();
    void SetPlatformFont();

    FileSettingsStore m_store;
    MidiServiceFactory m_midiFactory;
    // The input's path to this thread: declared before the service that writes into it, so the
    // service (and its input thread) is gone before them.
    EventFdWakeUp m_inputWakeUp;
    MidiInputQueue m_inputQueue;
    std::uint64_t m_reportedMidiDrops = 0;
    std::unique_ptr<MidiService> m_midi;
    SteadyClock m_clock;
    PosixProgramLauncher m_launcher;
    PosixFileSystem m_fileSystem;
    QtUi m_ui;
    // Loaded with the start values at the main window's creation, released at exit.
    std::unique_ptr<EngineLibrary> m_engineLibrary;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<EngineConsoleView> m_engineConsole;
};
