// Saves a picture of the main window, the tool windows and each dialog, for a reviewer to look
// at. The program runs over a settings folder of its own with only the built-in Loopback MIDI
// device; each modal dialog is photographed and answered from a timer.
//
// Usage: ventaro-screenshots OUTDIR [--templates LIBRARY]; exit 0 only when every picture was
// written and none is blank.

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <utility>

#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "app/PreferencesDialog.h"
#include "app/Program.h"
#include "app/SpecialFeaturesDialog.h"
#include "app/StatusBarWidget.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/FrameHooks.h"
#include "engine/AdditionalFilesDialog.h"
#include "engine/AudioDeviceCatalog.h"
#include "engine/AudioDevicesDialog.h"
#include "engine/EngineConsoleWindow.h"
#include "engine/EngineSettings.h"
#include "engine/SoundEngineDialog.h"
#include "fakes/FakeWaveDevice.h"
#include "midi/MidiDevicesDialog.h"
#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"
#include "panel/PanelConfigDialog.h"
#include "panel/PanelState.h"
#include "panel/SliderPropsDialog.h"
#include "panel/VirtualPanelWindow.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectManager.h"
#include "project/ProjectManagerWindow.h"
#include "project/ProjectState.h"
#include "project/ResourceTemplateLibrary.h"
#include "project/TemplatesDialog.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/SnapshotState.h"
#include "tools/AudioRecorder.h"
#include "tools/AudioRecorderWindow.h"
#include "tools/DeviceCapsDialog.h"
#include "tools/FindSliderDialog.h"
#include "tools/GestureWindow.h"
#include "tools/ScratchPad.h"
#include "tools/SendMidiWindow.h"

namespace {

// The wave devices the audio devices dialog lists, without asking the sound system.
class FixedAudioCatalog : public AudioDeviceCatalog {
public:
    AudioDeviceNames List() override { return {{"Line In", "USB Audio"}, {"Speakers", "HDMI 1"}}; }
};

// Most of a picture in one colour (the top left pixel's) means nothing was drawn.
bool IsBlank(const QImage& image) {
    if (image.isNull()) {
        return true;
    }
    const QRgb first = image.pixel(0, 0);
    qsizetype differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            differing += image.pixel(x, y) != first ? 1 : 0;
        }
    }
    return differing < qsizetype{image.width()} * image.height() / 200;
}

class Camera {
public:
    explicit Camera(const QString& outDir) : m_outDir(outDir) {}

    void Save(QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();
        SaveImage(widget->grab().toImage(), name);
    }
    // The widget as a screen of two device pixels per pixel shows it: `name`@2x.png.
    void SaveDoubled(QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();
        QPixmap pixmap(widget->size() * 2);
        pixmap.setDevicePixelRatio(2);
        pixmap.fill(widget->palette().window().color());
        widget->render(&pixmap);
        const QImage image = pixmap.toImage();
        if (image.size() != widget->size() * 2) {
            m_failures << name + "@2x: not twice the window's size";
            return;
        }
        SaveImage(image, name + "@2x");
    }
    void SaveImage(const QImage& image, const QString& name) {
        const QString file = m_outDir.filePath(name + ".png");
        if (IsBlank(image)) {
            m_failures << name + ": the picture is blank";
        } else if (!image.save(file)) {
            m_failures << file + ": could not be written";
        } else {
            ++m_pictures;
        }
    }
    // Shows a tool window through its command and photographs it once it is on the screen.
    QWidget* OpenToolWindow(MainWindow* window, int command, const QString& name) {
        window->OnCommand(command);
        QWidget* tool = window->ToolWindow(command);
        QElapsedTimer waited;
        waited.start();
        while (tool && !(tool->windowHandle() && tool->windowHandle()->isExposed()) &&
               waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        if (!tool) {
            m_failures << name + ": the window did not open";
        }
        return tool;
    }
    // On the next modal Dialog: `prepare` fills it, the picture is taken, `finish` answers it
    // (else it is closed). Runs inside the dialog's own loop, which a close before it would
    // leave running.
    template <typename Dialog>
    void OnModal(const QString& name, std::function<void(Dialog*)> prepare = {},
                 std::function<void(Dialog*)> finish = {}) {
        m_awaited << name;
        auto* timer = new QTimer(qApp);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [=, this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || QThread::currentThread()->loopLevel() == 0) {
                return;
            }
            timer->stop();
            timer->deleteLater();
            m_awaited.removeOne(name);
            const QPointer<Dialog> open = dialog;
            if (prepare) {
                prepare(dialog);
            }
            if (open) {
                Save(open, name);
            }
            if (open && finish) {
                finish(open);
            }
            if (open && open->isVisible()) {
                open->close();
            }
        });
        timer->start();
    }
    // Reports each picture that is missing; true when there is none.
    bool Check() const {
        for (const QString& problem : m_failures) {
            std::fprintf(stderr, "ventaro-screenshots: %s\n", qPrintable(problem));
        }
        for (const QString& name : m_awaited) {
            std::fprintf(stderr, "ventaro-screenshots: %s: the dialog never came\n",
                         qPrintable(name));
        }
        std::printf("%d pictures in %s\n", m_pictures, qPrintable(m_outDir.path()));
        return m_failures.isEmpty() && m_awaited.isEmpty();
    }

private:
    QDir m_outDir;
    int m_pictures = 0;
    QStringList m_awaited;
    QStringList m_failures;
};

// The preferences sheet's three pages, "Special features!!" and About; each is cancelled.
void SaveFrameDialogs(Camera& camera, MainWindow* window) {
    const char* pages[] = {"PreferencesGlobal", "PreferencesHelp", "PreferencesEditor"};
    for (int page = kPageGlobal; page < kPageCount; ++page) {
        camera.OnModal<PreferencesDialog>(pages[page], [page](PreferencesDialog* dialog) {
            dialog->Pages()->setCurrentIndex(page);
        });
        window->OnCommand(kCmdPreferences);
    }
    camera.OnModal<SpecialFeaturesDialog>("SpecialFeatures");
    window->OnCommand(kCmdSpecialFeatures);
    camera.OnModal<AboutDialog>("About");
    window->OnCommand(kCmdAbout);
}

// The project manager over the new project: its panel (one slider locked), its snapshots and
// its files, in small and in large icons.
void SaveProjectManager(Camera& camera, MainWindow* window) {
    if (!window->IsToolWindowOpen(kCmdProjectManager)) {
        camera.OpenToolWindow(window, kCmdProjectManager, "ProjectManager");
    }
    auto* manager = qobject_cast<ProjectManagerWindow*>(window->ToolWindow(kCmdProjectManager));
    if (!manager) {
        return;
    }
    g_sliders[2].locked = 1;
    for (const auto& [size, name] : {std::pair{kManagerSmallIcons, "ProjectManager"},
                                     std::pair{kManagerLargeIcons, "ProjectManagerLarge"}}) {
        ChooseManagerIconSize(size);
        manager->Rebuild(ProjectBranch::Snapshots);
        // Small icons show every branch, large ones the panel with its locked slider.
        QTreeWidget* tree = manager->Tree();
        tree->expandItem(manager->BranchItem(ProjectBranch::AdditionalFiles));
        manager->BranchItem(ProjectBranch::Snapshots)->setExpanded(size == kManagerSmallIcons);
        manager->BranchItem(ProjectBranch::Panel)->setExpanded(size != kManagerSmallIcons);
        tree->scrollToTop();
        camera.Save(manager, name);
    }
    ChooseManagerIconSize(kManagerSmallIcons);
    g_sliders[2].locked = 0;
}

// The panel as it is played on stage: 16, 64 and 128 faders at random positions (the same each
// run), some locked, the current one focused and showing a long value, in both control styles.
// The real csound on the project's scripts, without audio, its output in the engine's console.
// The status bar while the keyboard mapping plays: "KBM" and the note of Shift+Q.
void SaveKeyboardMappingStatus(Camera& camera, MainWindow* window) {
    const auto sendQ = [window](QEvent::Type type) {
        QKeyEvent event(type, Qt::Key_Q, Qt::ShiftModifier, 0x10 + 8, 0, 0, "Q");
        QApplication::sendEvent(window, &event);
    };
    window->OnCommand(kCmdKeyboardMapping);
    sendQ(QEvent::KeyPress);
    camera.Save(window->StatusBar(), "KeyboardMappingStatus");
    sendQ(QEvent::KeyRelease);
    window->OnCommand(kCmdKeyboardMapping);
}

void SaveEngineConsole(Camera& camera, MainWindow* window) {
    g_soundEngine.useEmbedded = -1;
    SetText(g_soundEngine.flagsPresets[0], "-n -d");
    window->OnCommand(kCmdRunEngine);
    auto* console = window->findChild<EngineConsoleWindow*>();
    QElapsedTimer waited;
    waited.start();
    while (console && !console->Text().contains("SECTION") && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (console) {
        camera.Save(console, "EngineConsole");
    }
    window->OnCommand(kCmdStopEngine);
}

// The MIDIScope with one message of each kind, as a keyboard and a controller would send them.
void SaveMidiScope(Camera& camera, MainWindow* window) {
    if (QWidget* scope = camera.OpenToolWindow(window, kCmdMidiScope, "MIDIScope")) {
        const std::uint32_t words[] = {0x00643C90, 0x00003C80, 0x004001B0, 0x000005C0,
                                       0x007F20A0, 0x000030D0, 0x00402AE0, 0x000000F8,
                                       0x000000F5, 0x00643C91, 0x00003C81};
        std::uint32_t time = 61250;
        for (const std::uint32_t word : words) {
            g_frameHooks.midiInput(MidiInputEvent{word, {}, time += 137});
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(40); // the view follows at its next frame
        camera.Save(scope, "MIDIScope");
    }
}

// The gesture window in the middle of a drag with Shift held, between the project's snapshots.
void SaveGestureWindow(Camera& camera, MainWindow* window) {
    g_gestureSnapshots = {0, 1, 1, 0};
    auto* gesture = qobject_cast<GestureWindow*>(
        camera.OpenToolWindow(window, kCmdGestureWindow, "GestureWindow"));
    if (!gesture) {
        return;
    }
    const QPoint pad = gesture->Pad()->pos();
    const auto send = [gesture](QEvent::Type type, QPoint at, Qt::MouseButton button,
                                Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, at, gesture->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          modifiers);
        QApplication::sendEvent(gesture, &event);
    };
    const QPoint at = pad + QPoint(gesture->Pad()->width() * 3 / 5, gesture->Pad()->height() / 3);
    send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseMove, at + QPoint(30, 25), Qt::NoButton, Qt::ShiftModifier);
    camera.Save(gesture, "GestureWindow");
    send(QEvent::MouseButtonRelease, at + QPoint(30, 25), Qt::LeftButton, Qt::NoModifier);
    window->OnCommand(kCmdGestureWindow);
}

void SaveStagePanels(Camera& camera) {
    const int style = g_panelControlStyle;
    const int count = g_sliderCount;
    const int snapshots = g_snapshotCount;
    std::mt19937 random(20261208);
    struct Shot {
        int sliders;
        int width; // 0: the panel's own
    };
    for (const Shot shot : {Shot{16, 0}, Shot{64, 0}, Shot{128, 1600}}) {
        for (const int trackbar : {0, 1}) {
            g_panelControlStyle = trackbar;
            g_sliderCount = shot.sliders;
            for (int i = 0; i < shot.sliders; ++i) {
                SetDefaultSlider(i, false);
                SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
                slider.value = static_cast<int>(random() % 128);
                slider.locked = i % 9 == 4 ? 1 : 0;
            }
            g_currentSlider = shot.sliders / 3;
            SliderRecord& current = g_sliders[static_cast<std::size_t>(g_currentSlider)];
            current.minValue = 0.3464567065;
            current.maxValue = 15244.36;
            current.curve = 1;
            auto panel = std::make_unique<VirtualPanelWindow>(nullptr);
            if (shot.width > 0) {
                panel->resize(shot.width, panel->height());
            }
            panel->show();
            QElapsedTimer waited;
            waited.start();
            while (!(panel->windowHandle() && panel->windowHandle()->isExposed()) &&
                   waited.elapsed() < 5000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            }
            panel->activateWindow();
            QCoreApplication::processEvents();
            panel->SliderControl(g_currentSlider)->setFocus();
            const QString name = QString("panel-%1-%2")
                                     .arg(shot.sliders)
                                     .arg(trackbar == 1 ? "trackbar" : "scrollbar");
            camera.Save(panel.get(), name);
            camera.SaveDoubled(panel.get(), name);
            panel->close();
        }
    }
    g_panelControlStyle = style;
    g_sliderCount = count;
    g_snapshotCount = snapshots;
}

} // namespace

// Send MIDI message with a Control Change ready, the memory status and the capabilities dialog.
void SaveMidiTools(Camera& camera, MainWindow* window) {
    if (auto* send = dynamic_cast<SendMidiWindow*>(
            camera.OpenToolWindow(window, kCmdSendMidiMessage, "SendMidi"))) {
        send->TypeBox()->setCurrentIndex(3);
        send->ChannelBox()->setCurrentIndex(2);
        send->DataEdit(0)->SetNumber(7);
        send->DataBar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
        camera.Save(send, "SendMidi");
    }
    if (QWidget* memory = camera.OpenToolWindow(window, kCmdGlobalMemory, "GlobalMemory")) {
        camera.Save(memory, "GlobalMemory");
    }
    camera.OnModal<DeviceCapsDialog>("DeviceCapabilities");
    window->OnCommand(kCmdDeviceCapabilities);
}

// The recorder at rest, recording, playing and paused, over a device that makes no sound.
void SaveAudioRecorder(Camera& camera, MainWindow* window) {
    auto device = std::make_unique<FakeWaveDevice>();
    g_waveDeviceFactory = [&device](std::string&) { return std::move(device); };
    auto* recorder = dynamic_cast<AudioRecorderWindow*>(
        camera.OpenToolWindow(window, kCmdAudioRecorder, "AudioRecorder"));
    if (recorder) {
        camera.Save(recorder, "AudioRecorderIdle");
        recorder->Button(kCmdRecorderRecord)->click();
        camera.Save(recorder, "AudioRecorderRecording");
        recorder->Button(kCmdRecorderStopButton)->click();
        recorder->Button(kCmdRecorderPlay)->click();
        camera.Save(recorder, "AudioRecorderPlaying");
        recorder->Button(kCmdRecorderPause)->click();
        camera.Save(recorder, "AudioRecorderPaused");
        window->OnCommand(kCmdAudioRecorder);
    }
    g_waveDeviceFactory = nullptr;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ventaro.2");
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments();
    const bool withTemplates = args.size() == 4 && args[2] == "--templates";
    if (args.size() != 2 && !withTemplates) {
        std::fputs("usage: ventaro-screenshots OUTDIR [--templates LIBRARY]\n", stderr);
        return 2;
    }
    QTemporaryDir home;
    if (!home.isValid() || !QDir().mkpath(args[1])) {
        std::fprintf(stderr, "ventaro-screenshots: cannot make %s\n", qPrintable(args[1]));
        return 1;
    }
    // A dialog nobody answers must not hold the run until ctest kills it.
    QTimer::singleShot(90000, [] {
        std::fputs("ventaro-screenshots: timed out\n", stderr);
        std::_Exit(1);
    });
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    QDir::setCurrent(home.path()); // the new project and a template's sample land here
    FixedAudioCatalog catalog;
    g_audioDeviceCatalog = &catalog;
    const QString library = withTemplates ? args[3] : QString();
    g_templateLibraryLoader = [library] {
        return std::unique_ptr<TemplateLibrary>(ResourceTemplateLibrary::Load(library));
    };
    // The two scripts of the new project.
    const QString orchestra = home.filePath("Drone.orc"), score = home.filePath("Drone.sco");
    for (const auto& [path, text] : {std::pair{orchestra, "instr 1\n  kAmp ctrl7 1, 0, 0, 0.5\n"
                                                          "  outs oscili(kAmp, 110)\nendin\n"},
                                     std::pair{score, "i1 0 3600\ne\n"}}) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text);
        }
    }

    Camera camera(args[1]);
    auto program = std::make_unique<Program>(home.filePath("config").toStdString(), [] {
        return std::unique_ptr<MidiService>(
            new RoutedMidiService(std::vector<std::unique_ptr<MidiPortBackend>>{}));
    });
    QtUi& ui = program->ProgramUi();
    ui.SetScripted(true); // message boxes are answered at once

    // The first start asks for the devices.
    camera.OnModal<MidiDevicesDialog>(
        "MidiDevices", [](MidiDevicesDialog* dialog) { dialog->InputCheck()->click(); },
        [](MidiDevicesDialog* dialog) { dialog->OkButton()->click(); });
    if (!program->Start("")) {
        std::fputs("ventaro-screenshots: the program did not start\n", stderr);
        return 1;
    }
    MainWindow* window = program->Window();

    // A project of 16 7-bit sliders over the two scripts.
    camera.OnModal<NewProjectDialog>(
        "NewProject",
        [&](NewProjectDialog* dialog) {
            camera.OnModal<AdditionalFilesDialog>(
                "AdditionalFiles",
                [&](AdditionalFilesDialog* files) {
                    ui.files = {orchestra.toStdString(), score.toStdString()};
                    files->Browse1()->click();
                    files->Browse2()->click();
                },
                [](AdditionalFilesDialog* files) { files->OkButton()->click(); });
            dialog->FilesButton()->click();
            dialog->KindList()->setCurrentRow(kNewPanelSevenBit);
            dialog->CountField()->setText("16");
        },
        [](NewProjectDialog* dialog) { dialog->OkButton()->click(); });
    window->OnCommand(kCmdNewProject);
    camera.Save(window, "MainFrame");
    SaveKeyboardMappingStatus(camera, window);

    if (auto* panel = qobject_cast<VirtualPanelWindow*>(
            camera.OpenToolWindow(window, kCmdVirtualPanel, "VirtualPanel"))) {
        // Two snapshots, and the sliders left as a ramp from left to right.
        const QList<QAction*> presets = panel->PresetsMenu()->actions();
        presets[3]->trigger();
        panel->ControlButton(5)->click();
        presets[2]->trigger();
        panel->ControlButton(5)->click();
        presets[3]->trigger();
        camera.Save(panel, "VirtualPanel");
        camera.OnModal<SnapshotManagerDialog>("SnapshotManager", [](SnapshotManagerDialog* dialog) {
            dialog->List()->setCurrentRow(1);
        });
        panel->SnapshotList()->setCurrentIndex(0); // "Organize"
        camera.OnModal<SliderPropsDialog>("SliderProperties");
        SliderPropsDialog::Run(panel, "Slider2");
        // Cancelled: the panel is closed and opened anew, as after any configuration.
        camera.OnModal<PanelConfigDialog>(
            "PanelConfiguration",
            [](PanelConfigDialog* dialog) { dialog->SliderList()->setCurrentRow(2); },
            [](PanelConfigDialog* dialog) { dialog->CancelButton()->click(); });
        window->OnCommand(kCmdPanelProperties);
        // The sliders on MIDI channel 1.
        camera.OnModal<FindSliderDialog>("FindSlider", [](FindSliderDialog* find) {
            find->CriteriaList()->setCurrentIndex(5);
            find->TextEdit()->setText("1");
            find->SearchButton()->click();
        });
        window->OnCommand(kCmdFindSlider);
    }
    SaveGestureWindow(camera, window);
    SaveProjectManager(camera, window);
    if (QWidget* editor = camera.OpenToolWindow(window, kCmdScriptEditor, "ScriptEditor")) {
        camera.Save(editor, "ScriptEditor");
    }
    // The scratchpad holding a message typed over two lines.
    g_scratchPadText = "240 67 16 76 0 0\n126 0 247";
    if (QWidget* pad = camera.OpenToolWindow(window, kCmdScratchPad, "ScratchPad")) {
        camera.Save(pad, "ScratchPad");
        window->OnCommand(kCmdScratchPad);
    }
    if (window->ToolWindow(kCmdVirtualPanel)) {
        // A long snapshot name, then the stage panels in windows of their own.
        SetText(g_snapshots[g_snapshotCount].name, "Chorus build-up, all filters open");
        window->OnCommand(kCmdVirtualPanel);
        QCoreApplication::processEvents();
        SaveStagePanels(camera);
    }
    camera.OnModal<SoundEngineDialog>("SoundEngine");
    window->OnCommand(kCmdSoundEngineConfig);
    camera.OnModal<AudioDevicesDialog>("AudioDevices");
    window->OnCommand(kCmdAudioDevices);
    SaveFrameDialogs(camera, window);
    SaveEngineConsole(camera, window);
    SaveMidiScope(camera, window);
    SaveMidiTools(camera, window);
    SaveAudioRecorder(camera, window);
    if (withTemplates) {
        ui.answers = {MessageAnswer::No}; // the changed project is not saved
        camera.OnModal<NewProjectDialog>(
            "NewProjectTemplate",
            [&](NewProjectDialog* dialog) {
                dialog->KindList()->setCurrentRow(kNewPanelTemplate);
                camera.OnModal<TemplatesDialog>("Templates", [](TemplatesDialog* templates) {
                    templates->List()->setCurrentRow(3);
                });
            },
            [](NewProjectDialog* dialog) { dialog->OkButton()->click(); });
        window->OnCommand(kCmdNewProject);
    }
    program.reset();
    return camera.Check() ? 0 : 1;
}
