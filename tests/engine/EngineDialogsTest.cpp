// The engine's dialogs, its built library and its console on the real widgets.

#include <QRegularExpression>

#include "GuiTestSupport.h"
#include "engine/AdditionalFilesDialog.h"
#include "engine/AudioDeviceCatalog.h"
#include "engine/AudioDevicesDialog.h"
#include "engine/EngineConsoleWindow.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "engine/ResourceEngineLibrary.h"
#include "engine/SoundEngineDialog.h"

struct FixedCatalog : AudioDeviceCatalog {
    AudioDeviceNames names;
    AudioDeviceNames List() override { return names; }
};

class EngineDialogsTest : public GuiTest {
    Q_OBJECT

private slots:
    void cleanup() {
        g_audioDeviceCatalog = nullptr;
        g_engineLibraryLoader = LoadInstalledEngineLibrary;
        m_app.reset();
    }

    void soundEngineDialogShowsTheLiveValuesAndOkStoresTheRecord() {
        SoundEngineRecord expected = g_soundEngine;
        Ui().answers = {MessageAnswer::Yes};
        WhenModal<SoundEngineDialog>([](SoundEngineDialog* shown) {
            QCOMPARE(shown->ProgramName()->text(),
                     ToQt(std::string(TextOf(g_soundEngine.programName))));
            shown->CloseCheck()->click();
            shown->ForceCheck()->click(); // answered Yes
            shown->ProgramName()->setText("/opt/csound/bin/csound");
            shown->ScriptEditor()->setText("kate");
            shown->OkButton()->click();
        });
        Window()->OnCommand(kCmdSoundEngineConfig);
        SetText(expected.programName, "/opt/csound/bin/csound");
        SetText(expected.scriptEditor, "kate");
        expected.closeOnExit = -1;
        expected.forceTermination = 1;
        QCOMPARE(m_app->Value(kSettingsKey, kValueSoundEngine), EncodeSoundEngine(expected));
    }

    // Loaded at the start, it offers the embedded engine and its resources as they are.
    void theBuiltEngineLibraryOffersTheEmbeddedEngine() {
        g_engineLibraryLoader = [] {
            return std::unique_ptr<EngineLibrary>(
                ResourceEngineLibrary::Load(VENTARO_ENGINE_LIBRARY));
        };
        QVERIFY(m_app->Start() && g_engineLibrary);
        QFile engine(VENTARO_EMBEDDED_ENGINE);
        QVERIFY(engine.open(QIODevice::ReadOnly));
        const QByteArray expected = engine.readAll();
        QVERIFY(expected.startsWith("\177ELF")); // the engine itself, not an empty file
        QCOMPARE(g_engineLibrary->Resource("SOUNDENGINE", "ENGINE"),
                 std::optional<Bytes>(Bytes(expected.begin(), expected.end())));
        const QString name = ToQt(g_engineLibrary->String(1));
        QVERIFY2(QRegularExpression("^Ventaro\\.2 embedded engine \\S+ over Csound 6\\.\\d+$")
                     .match(name)
                     .hasMatch(),
                 qPrintable(name));
        const std::optional<Bytes> support = g_engineLibrary->Resource("GLUT_DLL", "GLUT");
        QVERIFY(support && std::string(support->begin(), support->end()).starts_with(FromQt(name)));
        WhenModal<SoundEngineDialog>([name](SoundEngineDialog* shown) {
            QCOMPARE(shown->LibraryText()->text(), name);
            QVERIFY(shown->EmbeddedCheck()->isChecked());
            shown->CancelButton()->click();
        });
        Window()->OnCommand(kCmdSoundEngineConfig);
        m_app.reset(); // the exit lets the library go
        QVERIFY(!g_engineLibrary);
    }

    // The output shows while the engine runs and stays, with how it ended, after Stop.
    void theConsoleShowsTheEnginesOutputAndKeepsIt() {
        g_soundEngine.useEmbedded = -1;
        SetText(g_soundEngine.programName, "sh");
        SetText(g_soundEngine.flagsPresets[0],
                "-c \"echo SECTION 1:; printf '\\033[merror: none\\n' >&2; exec sleep 30\"");
        Window()->OnCommand(kCmdRunEngine);
        auto* console = Window()->findChild<EngineConsoleWindow*>();
        QVERIFY(console && console->isVisible());
        QTRY_COMPARE(console->Text(), QString("SECTION 1:\nerror: none"));
        QVERIFY(!g_programLauncher->WaitForExit(g_engineProcess, 0, nullptr)); // still running
        Window()->OnCommand(kCmdStopEngine); // deaf to the stop signal: SIGTERM ends it
        QTRY_COMPARE(console->Status(),
                     QString("The sound engine was ended by signal 15 (Terminated)."));
        QCOMPARE(console->Text(), QString("SECTION 1:\nerror: none"));
        QCOMPARE(g_engineRunning, 0);
    }

    // The audio devices dialog opens on the stored devices.
    void environmentFilesAndAudioDevicesDialogsStoreTheirRecords() {
        EnvironmentFilesRecord expected = g_environmentFiles;
        Ui().files = {"/home/me/piece.csd"};
        WhenModal<AdditionalFilesDialog>([](AdditionalFilesDialog* shown) {
            shown->Browse1()->click();
            shown->AudioFormat()->setCurrentIndex(6);
            shown->OkButton()->click();
        });
        Window()->OnCommand(kCmdEnvironmentFiles);
        SetText(expected.script1, "/home/me/piece.csd");
        expected.audioFormat = 6;
        QCOMPARE(m_app->Value(kSettingsKey, kValueEnvironmentFiles),
                 EncodeEnvironmentFiles(expected));

        FixedCatalog catalog;
        catalog.names = {{"Built-in Microphone", "USB Audio"}, {"Speakers", "HDMI 1"}};
        g_audioDeviceCatalog = &catalog;
        g_audioDevices = {0, 1};
        WhenModal<AudioDevicesDialog>([](AudioDevicesDialog* shown) {
            QCOMPARE(shown->InputList()->currentText(), QString("0 - Built-in Microphone"));
            QCOMPARE(shown->OutputList()->currentText(), QString("1 - HDMI 1"));
            shown->InputList()->setCurrentIndex(1);
            shown->OutputList()->setCurrentIndex(0);
            shown->OkButton()->click();
        });
        Window()->OnCommand(kCmdAudioDevices);
        QCOMPARE(m_app->Value(kSettingsKey, kValueAudioDevices), Words({1, 0}));
    }
};

QTEST_MAIN(EngineDialogsTest)
#include "EngineDialogsTest.moc"
