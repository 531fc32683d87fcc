#include "app/Program.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "app/AcceleratorFilter.h"
#include "app/ExitSequence.h"
#include "app/FrameCommands.h"
#include "app/MainWindow.h"
#include "app/PreferencesDialog.h"
#include "app/SplashDialog.h"
#include "app/StartUp.h"
#include "base/ByteCodec.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/PlatformPaths.h"
#include "base/PosixProcessPriority.h"
#include "base/Preferences.h"
#include "engine/EngineConsoleWindow.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "engine/ResourceEngineLibrary.h"
#include "engine/SoundEngineDialog.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "panel/PanelConfigDialog.h"
#include "panel/VirtualPanelWindow.h"
#include "project/ProjectCommands.h"
#include "project/ProjectManagerWindow.h"
#include "scripts/ScriptEditorWindow.h"
#include "tools/AudioRecorderWindow.h"
#include "tools/FindSliderDialog.h"
#include "tools/GestureWindow.h"
#include "tools/KeyboardMapping.h"
#include "tools/MidiScopeWindow.h"
#include "tools/ScratchPadWindow.h"
#include "tools/SendMidiWindow.h"

namespace {
constexpr const char* kHelpDocument = "help/index.html";
} // namespace

Program::Program() : Program(FileSettingsStore::UserRoot(), CreatePlatformMidiService) {}

Program::Program(std::filesystem::path settingsRoot, MidiServiceFactory midiFactory)
    : m_store(std::move(settingsRoot)), m_midiFactory(std::move(midiFactory)) {
    Install();
}

Program::~Program() {
    // A quit without the exit sequence (no device, command 100) still lets the devices go.
    if (m_midi && (m_midi->OutputIsOpen() || m_midi->InputIsOpen())) {
        CloseMidiDevices();
    }
    g_engineOutputView = nullptr;
    m_engineConsole.reset();
    m_window.reset();
    g_engineLibrary = nullptr;
    m_engineLibrary.reset();
    ResetCommandRoutes();
    g_frameHooks = FrameHooks{};
    g_ui = nullptr;
    g_settingsStore = nullptr;
    g_midiService = nullptr;
    g_midiInputSink = nullptr;
    g_programLauncher = nullptr;
    g_setProcessPriority = nullptr;
    if (g_fileSystem == &m_fileSystem) {
        g_fileSystem = nullptr;
    }
}

namespace {
constexpr int kDeviceCheckMs = 1000;
} // namespace

void Program::Install() {
    g_ui = &m_ui;
    g_settingsStore = &m_store;
    g_midiInputSink = &m_inputQueue;
    g_programLauncher = &m_launcher;
    g_setProcessPriority = SetPosixProcessPriority;
    // The input's thread only writes to the eventfd; the queue is drained on this thread.
    if (m_inputWakeUp.Descriptor() >= 0) {
        auto* notifier =
            new QSocketNotifier(m_inputWakeUp.Descriptor(), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &Program::DrainMidiInput);
        m_inputQueue.SetWakeUp(&m_inputWakeUp);
    } else {
        std::fputs("MIDI input: no eventfd, incoming MIDI is not shown\n", stderr);
    }
    // A device whose server or port went away is noticed here, and reopened once it is back.
    auto* deviceCheck = new QTimer(this);
    connect(deviceCheck, &QTimer::timeout, this, [] {
        if (g_midiService) {
            CheckMidiDevices();
        }
    });
    deviceCheck->start(kDeviceCheckMs);
    g_frameHooks = FrameHooks{};
    g_engineFolder = EmbeddedEngineFolder().string();
    g_frameHooks.deleteEmbeddedEngineFile = DeleteEmbeddedEngineProgram;
    g_frameHooks.loadEngineLibrary = [this] {
        if (!m_engineLibrary) {
            m_engineLibrary = g_engineLibraryLoader();
            g_engineLibrary = m_engineLibrary.get();
        }
    };
    g_frameHooks.readAudioDevices = ReadAudioDevices;
    g_frameHooks.readSoundEngine = ReadSoundEngineSettings;
    g_frameHooks.closeEngineOnExit = CloseEngineOnExit;
    RegisterKeyboardMapping([] {
        const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
        return KeyModifiers{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)};
    });
    if (!g_fileSystem) {
        g_fileSystem = &m_fileSystem;
    }
    ResetCommandRoutes();
    RegisterFrameCommands();
    RegisterEngineCommands();
    InstallProjectCommands([this] { return static_cast<QWidget*>(m_window.get()); });

    const QString help = QCoreApplication::applicationDirPath() + "/" + kHelpDocument;
    g_installedHelpFile = QFileInfo::exists(help) ? help.toStdString() : std::string();
    SetPlatformFont();

    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Logging off or shutting down runs the exit; a kept project refuses the session's end.
        connect(app, &QGuiApplication::commitDataRequest, this, [](QSessionManager& manager) {
            manager.allowsInteraction(); // the save question is a dialog: ask leave to show it
            if (!RunExitSequence()) {
                manager.cancel();
            }
        });
    }
}

void Program::SetPlatformFont() {
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    LogFontRecord record = DefaultFixedPitchFont();
    const QFontMetrics metrics(font);
    record.height = -(font.pixelSize() > 0 ? font.pixelSize() : metrics.height());
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    SetText(record.faceName, font.family().toStdString());
    g_fixedPitchFont = record;
}

bool Program::Start(const std::string& commandLine) {
    m_window = std::make_unique<MainWindow>();
    RegisterFrameDialogs(m_window.get());
    RegisterEngineDialogs(*m_window);
    RegisterScriptEditor(*m_window);
    RegisterVirtualPanel(*m_window);
    RegisterProjectManager(*m_window);
    RegisterPanelConfiguration(*m_window);
    RegisterMidiScope(*m_window);
    RegisterFindSlider(*m_window);
    RegisterMidiToolWindows(*m_window);
    RegisterScratchPad(*m_window);
    RegisterGestureWindow(*m_window);
    RegisterAudioRecorder(*m_window);
    m_ui.SetMainWindow(m_window.get());
    m_engineConsole = std::make_unique<EngineConsoleView>(m_window.get());
    g_engineOutputView = m_engineConsole.get();
    m_window->Create(m_clock);
    ShowEngineState();
    if (qEnvironmentVariableIsSet("VENTARO_REPORT_FIRST_PAINT")) {
        connect(m_window.get(), &MainWindow::FirstPainted, this, [] {
            std::fputs("first-paint\n", stdout);
            std::fflush(stdout);
        });
    }

    if (const int duration = SplashDialog::Duration(); duration > 0) {
        SplashDialog splash(m_window.get(), duration);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        splash.move(screen.center() - splash.rect().center());
        splash.exec();
    }
    m_window->ShowAtStart();
    m_midi = m_midiFactory();
    g_midiService = m_midi.get();

    // The accelerator table works from here on.
    QCoreApplication::instance()->installEventFilter(new AcceleratorFilter(
        m_window.get(), [this](int command) { m_window->OnCommand(command); }));
    RunStartUpSequence(commandLine, [this] { return m_ui.QuitRequested(); });
    return !m_ui.QuitRequested();
}

int Program::Run(const std::string& commandLine) {
    if (!Start(commandLine)) {
        return m_ui.QuitCode();
    }
    m_ui.SetLoopRunning(true);
    const int code = QApplication::exec();
    m_ui.SetLoopRunning(false);
    return code;
}

std::string Program::CommandLineOf(const QStringList& arguments) {
    return arguments.mid(1).join(' ').toStdString();
}

void Program::DrainMidiInput() {
    m_inputWakeUp.Acknowledge();
    for (const MidiInputEvent& event : m_inputQueue.Drain()) {
        if (g_frameHooks.midiInput) {
            g_frameHooks.midiInput(event);
        }
    }
    // Lost messages are rare and worth knowing about, so each growth of the count is logged.
    const std::uint64_t dropped = m_inputQueue.Dropped() + (m_midi ? m_midi->DroppedMessages() : 0);
    if (dropped != m_reportedMidiDrops) {
        std::fprintf(stderr, "MIDI: %llu messages dropped so far (a queue was full)\n",
                     static_cast<unsigned long long>(dropped));
        m_reportedMidiDrops = dropped;
    }
}
