#pragma once
// The whole program over a settings folder of its own, for the Qt tests.

#include <QtTest>
#include <QtWidgets> // with QtGui and QtCore: the tests include no single Qt class

#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/ByteCodec.h"
#include "base/FileSettingsStore.h"
#include "base/QtText.h"
#include "base/SettingsKeys.h"
#include "base/SettingsRecords.h"
#include "fakes/FakeMidiBackend.h"
#include "midi/MidiDevices.h"
#include "midi/RoutedMidiService.h"

// Runs `action` once on the next modal Window from inside its own loop (closing it while it is
// still being shown would leave the loop running); a window left open, as by a failed check, is
// closed.
template <typename Window, typename Action> void WhenModal(Action action) {
    auto* timer = new QTimer(qApp);
    timer->setObjectName("Modal");
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || QThread::currentThread()->loopLevel() == 0) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        const QPointer<QWidget> open = window;
        action(window);
        if (open && open->isVisible()) {
            open->close();
        }
    });
    timer->start();
}

// Little-endian 32-bit words, as the records lay them out.
inline Bytes Words(std::initializer_list<std::int32_t> words) {
    Bytes bytes;
    for (const std::int32_t word : words) {
        std::ranges::copy(EncodeInt32(word), std::back_inserter(bytes));
    }
    return bytes;
}

// The real MIDI routing over a scripted back end with one output, "Synth", before the Loopback.
class GuiApp {
public:
    // With `outputChosen` the output "Synth" is the stored device choice: the start asks nothing.
    explicit GuiApp(bool outputChosen = true) {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        if (outputChosen) {
            Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 0, -1}));
        }
    }
    ~GuiApp() {
        bool missed = false;
        for (QTimer* timer : qApp->findChildren<QTimer*>("Modal", Qt::FindDirectChildrenOnly)) {
            missed = missed || timer->isActive();
            delete timer;
        }
        m_program.reset();
        QVERIFY2(!missed, "a modal window the test waited for never came");
    }

    // One start of the program, as from its command line; false when it ended before its loop.
    bool Start(const std::string& commandLine = "") {
        m_program.reset(); // the previous start's program goes before the next is made
        m_program = std::make_unique<Program>(ConfigRoot(), [log = m_midi] {
            std::vector<std::unique_ptr<MidiPortBackend>> backends;
            backends.push_back(std::make_unique<FakeMidiBackend>(std::vector<std::string>{"Synth"},
                                                                 std::vector<std::string>{}, log));
            return std::unique_ptr<MidiService>(new RoutedMidiService(std::move(backends)));
        });
        m_program->ProgramUi().SetScripted(true);
        const bool started = m_program->Start(commandLine);
        m_midi->TakeSent();
        return started;
    }
    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }
    // What reached "Synth" since the last call, as "B0 03 10".
    QStringList Sent() {
        QStringList texts;
        std::ranges::transform(m_midi->TakeSent(), std::back_inserter(texts), ToQt);
        return texts;
    }

    FakePortLog& Ports() { return *m_midi; }
    std::filesystem::path ConfigRoot() const { return m_dir.filePath("config").toStdString(); }
    // Empty when missing.
    Bytes Value(const char* key, const char* name) const {
        return FileSettingsStore(ConfigRoot()).ReadValue(key, name, 1 << 16).value_or(Bytes{});
    }
    void Put(const char* key, const char* name, const Bytes& value) const {
        FileSettingsStore store(ConfigRoot());
        QVERIFY(store.CreateKey(key) && store.WriteValue(key, name, value));
    }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<FakePortLog> m_midi = std::make_shared<FakePortLog>();
    std::unique_ptr<Program> m_program;
};

// The program started afresh before each test; a class may declare its own init or cleanup.
class GuiTest : public QObject {
    Q_OBJECT

protected:
    MainWindow* Window() const { return m_app->Window(); }
    QtUi& Ui() const { return m_app->Ui(); }
    // The command's tool window as its menu item opens it, once on the screen.
    template <typename Tool> Tool* OpenTool(int command) {
        Window()->OnCommand(command);
        auto* tool = dynamic_cast<Tool*>(Window()->ToolWindow(command));
        return tool && QTest::qWaitForWindowExposed(tool) ? tool : nullptr;
    }
    // The texts of the message boxes shown since the last call.
    QStringList TakeShown() {
        QStringList texts;
        for (const QtUi::Shown& shown : std::exchange(Ui().shown, {})) {
            texts << shown.text;
        }
        return texts;
    }
    void StartProgram() {
        m_app = std::make_unique<GuiApp>();
        QVERIFY(m_app->Start());
    }

    std::unique_ptr<GuiApp> m_app;

private slots:
    void init() { StartProgram(); }
    void cleanup() { m_app.reset(); }
};
