// The three engine settings dialogs on the real widgets: each opens from the live values, OK
// stores its record in the settings folder, Cancel returns to the committed copy.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "GuiTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/FileSystem.h"
#include "engine/AdditionalFilesDialog.h"
#include "engine/AudioDeviceCatalog.h"
#include "engine/AudioDevicesDialog.h"
#include "engine/EngineSettings.h"
#include "engine/ResourceEngineLibrary.h"
#include "engine/SoundEngineDialog.h"
#include "resources/Strings.h"

namespace {

QByteArray BytesOf(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

class FixedCatalog : public AudioDeviceCatalog {
public:
    AudioDeviceNames names;
    AudioDeviceNames List() override { return names; }
};

} // namespace

class EngineDialogsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Program> m_program;
    FixedCatalog m_catalog;

    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("VENTARO_SPLASH_MS", "0");
    }
    void init() {
        m_home = std::make_unique<TestHome>();
        m_home->ChooseLoopback();
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
    }
    void cleanup() {
        g_audioDeviceCatalog = nullptr;
        m_program.reset();
        m_home.reset();
    }

    void startUpTakesTheStoredRecordsOverTheDefaults() {
        SoundEngineRecord engine = DefaultSoundEngine(false);
        SetText(engine.programName, "csound6");
        engine.viewWindow = -1;
        engine.useEmbedded = 1; // no engine library: the stored toggle has no effect
        EnvironmentFilesRecord files = DefaultEnvironmentFiles();
        SetText(files.script2, "piece.sco");
        m_home->Put(kSettingsKey, kValueSoundEngine, EncodeSoundEngine(engine));
        m_home->Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(files));
        m_home->Put(kSettingsKey, kValueAudioDevices, EncodeAudioDevices({2, 3}));
        m_program.reset();
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
        engine.useEmbedded = -1;
        QVERIFY(g_soundEngine == engine);
        QVERIFY(g_soundEngineCommitted == engine);
        QVERIFY(g_environmentFiles == files);
        QVERIFY((g_audioDevices == AudioDevicesRecord{2, 3}));
        QVERIFY(!EmbeddedEngineInUse());
        QVERIFY(!EngineWindowShown());
        QVERIFY(g_fileSystem != nullptr);
    }

    void soundEngineDialogShowsTheLiveValuesAndOkStoresTheRecord() {
        SetText(g_soundEngine.programName, "csound");
        g_soundEngine.flagsPreset = 2;
        g_soundEngine.viewWindow = -1;
        g_soundEngineCommitted = g_soundEngine;
        SoundEngineRecord expected = g_soundEngine;
        bool checked = false;
        Ui().answers = {MessageAnswer::Yes};
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<SoundEngineDialog*>(modal);
            QVERIFY(dialog);
            checked = true;
            QCOMPARE(dialog->objectName(), QString("SoundEngineDlg"));
            QCOMPARE(dialog->windowTitle(), QString("Sound engine configuration..."));
            QCOMPARE(dialog->ProgramName()->text(), QString("csound"));
            // No engine library: the embedded engine cannot be chosen, the program name can.
            QVERIFY(!dialog->EmbeddedCheck()->isEnabled());
            QVERIFY(!dialog->EmbeddedCheck()->isChecked());
            QVERIFY(dialog->ProgramName()->isEnabled());
            QVERIFY(dialog->ProgramBrowse()->isEnabled());
            QCOMPARE(dialog->LibraryText()->text(), QString());
            QCOMPARE(dialog->Flags()->count(), 15);
            QCOMPARE(dialog->Flags()->currentIndex(), 2);
            QCOMPARE(dialog->Flags()->itemText(4), QString(" "));
            QCOMPARE(dialog->ScriptEditor()->text(), QString::fromStdString(Str(42)));
            QVERIFY(!dialog->ViewCheck()->isChecked());
            QVERIFY(dialog->CloseCheck()->isChecked());
            QVERIFY(!dialog->ForceCheck()->isChecked());
            SaveScreenshot(dialog, "SoundEngineDlg");

            // Typing into the flags box edits the selected preset, it adds none.
            dialog->Flags()->lineEdit()->setFocus();
            dialog->Flags()->lineEdit()->end(false);
            QTest::keyClicks(dialog->Flags()->lineEdit(), " -d");
            dialog->Flags()->RenewCurrentEntry();
            QCOMPARE(dialog->Flags()->count(), 15);
            QCOMPARE(dialog->Flags()->itemText(2), QString::fromStdString(Str(40)) + " -d");
            dialog->CloseCheck()->click();
            dialog->ForceCheck()->click(); // answered Yes
            QVERIFY(dialog->ForceCheck()->isChecked());
            dialog->ProgramName()->setText("/opt/csound/bin/csound");
            dialog->OkButton()->click();
        });
        Window()->OnCommand(kCmdSoundEngineConfig);
        QVERIFY(checked);
        QCOMPARE(Ui().shown.size(), std::size_t{1});
        QCOMPARE(Ui().shown[0].text,
                 QString::fromStdString(Str(kStrForceTerminationWarning)).replace("\r\n", "\n"));
        SetText(expected.programName, "/opt/csound/bin/csound");
        SetText(expected.flagsPresets[2], Str(40) + " -d");
        expected.closeOnExit = -1;
        expected.forceTermination = 1;
        QVERIFY(g_soundEngine == expected);
        QVERIFY(g_soundEngineCommitted == expected);
        QCOMPARE(m_home->Value(kSettingsKey, kValueSoundEngine),
                 BytesOf(EncodeSoundEngine(expected)));
    }

    // A library file beside the program is loaded at creation: the embedded engine becomes the
    // default, the dialog shows its text, and the program hands out its entries as they are.
    void engineLibraryLoadedAtCreationOffersTheEmbeddedEngineUntilExit() {
        g_engineLibraryLoader = [] {
            return std::unique_ptr<EngineLibrary>(
                ResourceEngineLibrary::Load(VENTARO_TEST_ENGINE_LIBRARY));
        };
        m_program.reset();
        QVERIFY(!g_engineLibrary);
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
        g_engineLibraryLoader = LoadInstalledEngineLibrary;
        QVERIFY(g_engineLibrary);
        QCOMPARE(g_soundEngine.useEmbedded, 1);
        QVERIFY(EmbeddedEngineInUse());
        QFile engine(VENTARO_TEST_DATA "/engine_library/engine.bin");
        QVERIFY(engine.open(QIODevice::ReadOnly));
        const std::optional<Bytes> program = g_engineLibrary->Resource("SOUNDENGINE", "ENGINE");
        QVERIFY(program);
        QCOMPARE(BytesOf(*program), engine.readAll());
        QCOMPARE(BytesOf(*g_engineLibrary->Resource("GLUT_DLL", "GLUT")),
                 QByteArray("GLUT-SUPPORT"));
        QVERIFY(!g_engineLibrary->Resource("GLUT_DLL", "ENGINE"));
        QCOMPARE(g_engineLibrary->String(2), std::string());

        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<SoundEngineDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->LibraryText()->text(), QString("Test engine: Csound 6 over its API"));
            QVERIFY(dialog->EmbeddedCheck()->isEnabled());
            QVERIFY(dialog->EmbeddedCheck()->isChecked());
            QVERIFY(!dialog->ProgramName()->isEnabled());
            SaveScreenshot(dialog, "SoundEngineDlgWithLibrary");
            dialog->CancelButton()->click();
        });
        Window()->OnCommand(kCmdSoundEngineConfig);

        m_program.reset(); // the exit releases the library
        QVERIFY(!g_engineLibrary);
    }

    void environmentFilesDialogShowsItsTitleAndOkStoresTheRecord() {
        EnvironmentFilesRecord expected = g_environmentFiles;
        bool checked = false;
        Ui().files = {"/home/me/piece.csd"};
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<AdditionalFilesDialog*>(modal);
            QVERIFY(dialog);
            checked = true;
            QCOMPARE(dialog->objectName(), QString("ScriptPropsDlg"));
            QCOMPARE(dialog->windowTitle(), QString("Environment additional files..."));
            QCOMPARE(dialog->Script1()->text(), QString("test.orc"));
            QCOMPARE(dialog->AudioFormat()->count(), 16);
            QCOMPARE(dialog->AudioFormat()->currentIndex(), 15);
            SaveScreenshot(dialog, "ScriptPropsDlg-Environment");
            dialog->Browse1()->click();
            QCOMPARE(dialog->Script1()->text(), QString("/home/me/piece.csd"));
            dialog->Script2()->setText("");
            dialog->AudioFormat()->setCurrentIndex(6);
            dialog->OkButton()->click();
        });
        Window()->OnCommand(kCmdEnvironmentFiles);
        QVERIFY(checked);
        QCOMPARE(Ui().fileModes, (std::vector<int>{4}));
        SetText(expected.script1, "/home/me/piece.csd");
        SetText(expected.script2, "");
        expected.audioFormat = 6;
        QVERIFY(g_environmentFiles == expected);
        QVERIFY(g_environmentFilesCommitted == expected);
        QCOMPARE(m_home->Value(kSettingsKey, kValueEnvironmentFiles),
                 BytesOf(EncodeEnvironmentFiles(expected)));
    }

    void audioDevicesDialogSelectsTheStoredDevicesAndOkStoresThem() {
        m_catalog.names = {{"Built-in Microphone", "USB Audio"}, {"Speakers", "HDMI 1"}};
        g_audioDeviceCatalog = &m_catalog;
        g_audioDevices = {0, 1};
        bool checked = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<AudioDevicesDialog*>(modal);
            QVERIFY(dialog);
            checked = true;
            QCOMPARE(dialog->objectName(), QString("AudioDevicesDlg"));
            QCOMPARE(dialog->windowTitle(), QString("Audio devices..."));
            QCOMPARE(dialog->InputList()->itemText(0), QString("0 - Built-in Microphone"));
            QCOMPARE(dialog->OutputList()->count(), 2);
            QCOMPARE(dialog->OutputList()->currentText(), QString("1 - HDMI 1"));
            QVERIFY(dialog->InputList()->isEnabled());
            SaveScreenshot(dialog, "AudioDevicesDlg");
            dialog->InputList()->setCurrentIndex(1);
            dialog->OutputList()->setCurrentIndex(0);
            dialog->OkButton()->click();
        });
        Window()->OnCommand(kCmdAudioDevices);
        QVERIFY(checked);
        QCOMPARE(m_home->Value(kSettingsKey, kValueAudioDevices), Int32Bytes(1) + Int32Bytes(0));
        // Its menu item is never enabled by the frame.
        QMenu* settings = Window()->MenuBar()->actions()[7]->menu();
        settings->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdAudioDevices)->isEnabled());
        settings->hide();
    }

    void audioDevicesDialogListsThePlatformDevicesAsNumberedEntries() {
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<AudioDevicesDialog*>(modal);
            QVERIFY(dialog);
            for (QComboBox* list : {dialog->InputList(), dialog->OutputList()}) {
                for (int i = 0; i < list->count(); ++i) {
                    QVERIFY(list->itemText(i).startsWith(QString("%1 - ").arg(i)));
                }
            }
            dialog->CancelButton()->click();
        });
        Window()->OnCommand(kCmdAudioDevices);
    }
};

QTEST_MAIN(EngineDialogsTest)
#include "EngineDialogsTest.moc"
