// The project commands on the real main window, and the new-project, template and additional
// files dialogs.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <map>

#include "GuiTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/QtText.h"
#include "engine/AdditionalFilesDialog.h"
#include "panel/PanelState.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectFilesEditing.h"
#include "project/ProjectState.h"
#include "project/ResourceTemplateLibrary.h"
#include "project/Templates.h"
#include "project/TemplatesDialog.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

const QString kTitle = "Ventaro.2 - Live Fader Studio";

// A template library held in memory: entries by "type/name", and its version string.
class MemoryTemplateLibrary : public TemplateLibrary {
public:
    std::map<std::string, std::vector<std::uint8_t>> entries;
    std::string version = "1";

    std::optional<std::span<const std::uint8_t>> FindEntry(std::string_view type,
                                                           std::string_view name) override {
        const auto it = entries.find(std::string(type) + "/" + std::string(name));
        if (it == entries.end()) {
            return std::nullopt;
        }
        return std::span<const std::uint8_t>(it->second);
    }
    std::string LibraryString(int id) override { return id == 1 ? version : std::string(); }
};

std::vector<std::uint8_t> ByteVector(const QByteArray& data) {
    return {data.begin(), data.end()};
}

} // namespace

class ProjectWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_previousDir;

    MainWindow* Window() const { return m_program->Window(); }
    QtUi& Ui() const { return m_program->ProgramUi(); }
    QString WorkFile(const QString& name) const { return m_work->path() + "/" + name; }

    bool Enabled(int command) const {
        QAction* action = Window()->MenuAction(MenuKind::MenuBar, command);
        return action && action->isEnabled();
    }
    bool ButtonShown(int command) const {
        QAction* action = Window()->ToolStrip()->Entry(command);
        return action && action->isVisible();
    }
    // Runs command 200 with `inDialog` acting inside the new-project dialog.
    void NewProject(std::function<void(NewProjectDialog*)> inDialog) {
        bool ran = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<NewProjectDialog*>(modal);
            QVERIFY(dialog);
            ran = true;
            inDialog(dialog);
            if (dialog->isVisible()) {
                dialog->reject(); // a failed check must not leave the dialog's loop running
            }
        });
        Window()->OnCommand(kCmdNewProject);
        QVERIFY(ran);
    }
    // A new 7-bit panel of `count` sliders.
    void NewPanel(int count) {
        NewProject([count](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelSevenBit);
            dialog->CountField()->setText(QString::number(count));
            dialog->OkButton()->click();
        });
    }
    void SaveAs(const QString& path) {
        Ui().files.push_back(path.toStdString());
        Window()->OnCommand(kCmdSaveProjectAs);
    }
    void Drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Window(), &drop);
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("VENTARO_SPLASH_MS", "0");
    }
    void init() {
        // Relative paths (the scripts, the voice sample) land in a folder of the test's own.
        m_work = std::make_unique<QTemporaryDir>();
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_work->path());
        g_templateLibraryLoader = [] { return std::unique_ptr<TemplateLibrary>(); };
        m_home = std::make_unique<TestHome>();
        m_home->ChooseLoopback();
        m_program = MakeProgram(*m_home);
        QVERIFY(m_program->Start(""));
    }
    void cleanup() {
        m_program.reset();
        m_home.reset();
        g_templateLibraryLoader = LoadInstalledTemplateLibrary;
        QDir::setCurrent(m_previousDir);
        m_work.reset();
    }

    void withoutAProjectTheProjectItemsAreGray() {
        QCOMPARE(Window()->windowTitle(), kTitle);
        for (int command : {kCmdCloseProject, kCmdSaveProject, kCmdSaveProjectAs}) {
            QVERIFY2(!Enabled(command), qPrintable(QString::number(command)));
        }
        QVERIFY(!ButtonShown(kCmdSaveProject));
        QVERIFY(!Window()->ProjectBackground());
    }

    void newSevenBitPanelOpensProject1WithItsItemsAndButtons() {
        NewProject([](NewProjectDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("New project..."));
            QCOMPARE(dialog->KindList()->count(), 2); // no template library here
            QCOMPARE(dialog->KindList()->item(0)->text(), QString("Virtual Panel\n(7 bits)"));
            QCOMPARE(dialog->KindList()->item(1)->text(), QString("Virtual Panel\n(14 bits)"));
            QCOMPARE(dialog->CountField()->text(), QString("16"));
            QCOMPARE(dialog->Description()->text(),
                     QString("Creates a virtual panel with 7 bits sliders as default."));
            QVERIFY(dialog->OutputStatus()->text().startsWith("Out: "));
            QVERIFY(dialog->InputStatus()->text().startsWith("In: "));
            SaveScreenshot(dialog, "NewDocDlg");
            dialog->OkButton()->click();
        });
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Project1.vtp]");
        QCOMPARE(QString(TextOf(g_projectPath).data()).left(16), QString("./Project1.vtp"));
        QCOMPARE(g_sliderCount, 16);
        QCOMPARE(g_projectOpen, 1);
        for (int command : {kCmdCloseProject, kCmdSaveProject, kCmdSaveProjectAs,
                            kCmdPanelProperties, kCmdSnapshotManager, kCmdFindSlider}) {
            QVERIFY2(Enabled(command), qPrintable(QString::number(command)));
        }
        for (int command : {kCmdSaveProject, kCmdFindSlider, kCmdVirtualPanel, kCmdProjectManager,
                            kCmdScriptEditor}) {
            QVERIFY2(ButtonShown(command), qPrintable(QString::number(command)));
        }
        QVERIFY(Window()->ProjectBackground());
        SaveScreenshot(Window(), "MainWindowWithProject");
    }

    void closeAsksForProject1AndGraysTheItemsAgain() {
        NewPanel(16);
        Ui().shown.clear();
        Ui().answers.push_back(MessageAnswer::No);
        Window()->OnCommand(kCmdCloseProject);
        QCOMPARE(Ui().shown.size(), std::size_t(1));
        QCOMPARE(Ui().shown[0].text,
                 QString("Project1.vtp not saved. Do you want to save changes?"));
        QCOMPARE(Ui().shown[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(g_projectOpen, 0);
        QCOMPARE(Window()->windowTitle(), kTitle);
        for (int command : {kCmdCloseProject, kCmdSaveProject, kCmdSaveProjectAs}) {
            QVERIFY2(!Enabled(command), qPrintable(QString::number(command)));
        }
        QVERIFY(!ButtonShown(kCmdSaveProject));
        QVERIFY(!Window()->ProjectBackground());
        // The next New counts on.
        NewPanel(16);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Project2.vtp]");
    }

    void saveAsWritesTheDefaultProjectAndOpenReadsItBack() {
        NewPanel(16);
        const QString path = WorkFile("Live.vtp");
        SaveAs(path);
        QCOMPARE(QFileInfo(path).size(), qint64(10340));
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Live.vtp]");
        QCOMPARE(g_projectUntitled, 0);

        Window()->OnCommand(kCmdCloseProject); // saved: no question
        QCOMPARE(g_projectOpen, 0);
        Ui().files.push_back(path.toStdString());
        Window()->OnCommand(kCmdOpenProject);
        QCOMPARE(Ui().fileModes.back(), 3);
        QCOMPARE(g_projectOpen, 1);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Live.vtp]");
        QVERIFY(Enabled(kCmdSaveProject));
    }

    void cancelInOpenLeavesNoProject() {
        NewPanel(16);
        Ui().answers.push_back(MessageAnswer::No);
        Window()->OnCommand(kCmdOpenProject); // no file chosen
        QCOMPARE(g_projectOpen, 0);
        QCOMPARE(Window()->windowTitle(), kTitle);
        QVERIFY(!Enabled(kCmdCloseProject));
    }

    void exitWithCancelKeepsTheProgramAndTheProject() {
        NewPanel(16);
        Ui().answers.push_back(MessageAnswer::Cancel);
        Window()->OnCommand(kCmdExit);
        QVERIFY(!Ui().QuitRequested());
        QCOMPARE(g_projectOpen, 1);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Project1.vtp]");
        // The window's close request is the same exit.
        Ui().answers.push_back(MessageAnswer::Cancel);
        QVERIFY(!Window()->close());
        QCOMPARE(g_projectOpen, 1);
        // No ends it: the project is closed on the way out.
        Ui().answers.push_back(MessageAnswer::No);
        Window()->OnCommand(kCmdExit);
        QVERIFY(Ui().QuitRequested());
        QCOMPARE(g_projectOpen, 0);
    }

    void aDroppedProjectFileOpensAndOtherFilesAreRefused() {
        NewPanel(16);
        const QString path = WorkFile("Dropped.vtp");
        SaveAs(path);
        Window()->OnCommand(kCmdCloseProject);
        Drop(path);
        QCOMPARE(g_projectOpen, 1);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Dropped.vtp]");

        QFile text(WorkFile("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a project at all");
        text.close();
        Ui().shown.clear();
        Drop(text.fileName());
        QCOMPARE(g_projectOpen, 0);
        QCOMPARE(Window()->windowTitle(), kTitle);
        QVERIFY(!Ui().shown.empty());
        const std::string refusal = Ui().shown.back().text.toStdString();
        QVERIFY2(refusal == Str(kStrInvalidProject) || refusal == Str(kStrFileReadError),
                 refusal.c_str());
    }

    void theCountIsCheckedAgainstTheKindAndTheUpDownKeepsItsRange() {
        NewProject([this](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelFourteenBit);
            QCOMPARE(dialog->CountMaximum(), 64);
            QCOMPARE(dialog->Description()->text(),
                     QString("Creates a virtual panel with 14 bits sliders as default."));
            dialog->CountField()->setText("64");
            dialog->CountUp()->click();
            QCOMPARE(dialog->CountField()->text(), QString("64"));
            dialog->CountField()->setText("65");
            Ui().shown.clear();
            dialog->OkButton()->click();
            QVERIFY(dialog->isVisible()); // refused: the dialog stays
            QCOMPARE(Ui().shown.size(), std::size_t(1));
            QCOMPARE(Ui().shown[0].text, ToQt(Str(kStrSliderLimitWarning)));
            dialog->CountField()->setText("abc");
            dialog->OkButton()->click();
            QVERIFY(dialog->isVisible());
            dialog->KindList()->setCurrentRow(kNewPanelSevenBit);
            QCOMPARE(dialog->CountMaximum(), 128);
            dialog->CountField()->setText("127");
            dialog->CountUp()->click();
            dialog->CountUp()->click();
            QCOMPARE(dialog->CountField()->text(), QString("128"));
            dialog->KindList()->setCurrentRow(kNewPanelFourteenBit);
            dialog->CountField()->setText("64");
            dialog->OkButton()->click();
        });
        QCOMPARE(g_sliderCount, 64);
        QCOMPARE(g_sliders[63].controller2, 127);
        QCOMPARE(g_newPanelType, kNewPanelFourteenBit);
    }

    void cancelInTheNewProjectDialogLeavesNoProject() {
        NewProject([](NewProjectDialog* dialog) {
            dialog->CountField()->setText("40");
            dialog->CancelButton()->click();
        });
        QCOMPARE(g_projectOpen, 0);
        QCOMPARE(g_sliderCount, 16);
        QCOMPARE(Window()->windowTitle(), kTitle);
    }

    void aTemplateFromTheLibraryBecomesTheNewProject() {
        // The template: a saved project of 8 sliders, an orchestra, a score and the sample.
        NewPanel(8);
        const QString image = WorkFile("Template.vtp");
        SaveAs(image);
        Window()->OnCommand(kCmdCloseProject);
        QFile file(image);
        QVERIFY(file.open(QIODevice::ReadOnly));
        auto library = std::make_shared<MemoryTemplateLibrary>();
        const TemplateEntry& row = g_templates[7];
        library->entries["Project/" + std::string(TextOf(row.projectName))] =
            ByteVector(file.readAll());
        library->entries["Text/" + std::string(TextOf(row.script1Name))] =
            ByteVector("instr 1\nendin\n");
        library->entries["Text/" + std::string(TextOf(row.script2Name))] = ByteVector("i1 0 1\n");
        library->entries["Wave/Voice.wav"] = ByteVector("RIFF....WAVE");
        g_templateLibraryLoader = [library] {
            auto copy = std::make_unique<MemoryTemplateLibrary>(*library);
            return std::unique_ptr<TemplateLibrary>(std::move(copy));
        };

        bool listed = false;
        NewProject([&](NewProjectDialog* dialog) {
            QCOMPARE(dialog->KindList()->count(), 3);
            QCOMPARE(dialog->KindList()->item(2)->text(), QString("Csound template"));
            dialog->KindList()->setCurrentRow(kNewPanelTemplate);
            QVERIFY(!dialog->CountField()->isEnabled());
            QVERIFY(!dialog->FilesButton()->isEnabled());
            QCOMPARE(dialog->Description()->text(),
                     QString("Creates a virtual panel for a specific Csound template."));
            SaveScreenshot(dialog, "NewDocDlgWithTemplates");
            WhenModal([&](QWidget* modal) {
                auto* templates = qobject_cast<TemplatesDialog*>(modal);
                QVERIFY(templates);
                listed = true;
                QCOMPARE(templates->windowTitle(), QString("Csound templates..."));
                QCOMPARE(templates->List()->count(), 8);
                QCOMPARE(templates->List()->currentRow(), 0);
                QCOMPARE(templates->List()->item(0)->text().toStdString(),
                         Str(kStrTemplateDescriptionFirst));
                SaveScreenshot(templates, "TemplatesDlg");
                templates->List()->setCurrentRow(7);
                templates->OkButton()->click();
            });
            dialog->OkButton()->click();
        });
        QVERIFY(listed);
        QCOMPARE(g_sliderCount, 8);
        QCOMPARE(g_scriptTexts[0], std::string("instr 1\nendin\n"));
        QCOMPARE(g_scriptTexts[1], std::string("i1 0 1\n"));
        QVERIFY(QFileInfo(WorkFile("Voice.wav")).isFile());
        QCOMPARE(g_rememberedTemplate, 7);
        QCOMPARE(g_projectOpen, 1);
        QVERIFY(Window()->windowTitle().startsWith(kTitle + " - [Project"));
    }

    void aWrongLibraryVersionMakesASevenBitPanel() {
        g_templateLibraryLoader = [] {
            auto library = std::make_unique<MemoryTemplateLibrary>();
            library->version = "2";
            return std::unique_ptr<TemplateLibrary>(std::move(library));
        };
        Ui().shown.clear();
        NewProject([](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelTemplate);
            dialog->OkButton()->click();
        });
        QCOMPARE(Ui().shown.size(), std::size_t(1));
        QCOMPARE(Ui().shown[0].text, ToQt(Str(kStrWrongTemplateVersion)));
        QCOMPARE(g_projectOpen, 1);
        QCOMPARE(g_sliderCount, 16);
        QCOMPARE(g_sliders[0].type, 1);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Project1.vtp]");
    }

    // The project's rules are the core's (ProjectFilesEditing); here the dialog reaches them.
    void additionalFilesDialogEditsTheProjectsFiles() {
        NewPanel(16);
        const std::string orchestra = WorkFile("other.orc").toStdString();
        AdditionalFilesDialog dialog(Window(), kProjectFilesRole);
        QCOMPARE(dialog.windowTitle(), QString("Project additional files..."));
        QCOMPARE(dialog.Script1()->text(), QString("test.orc"));
        dialog.show();
        SaveScreenshot(&dialog, "ScriptPropsDlg-Project");
        Ui().files = {orchestra};
        dialog.Browse1()->click();
        QCOMPARE(Ui().fileModes.back(), 4);
        QCOMPARE(dialog.Script1()->text().toStdString(), orchestra);
        dialog.AudioFormat()->setCurrentIndex(3);
        dialog.OkButton()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(std::string(TextOf(g_scriptPathsCommitted[0])), orchestra);
        QCOMPARE(g_audioFormatIndex, 3);
    }

    // The library built beside the program: every template loads, its sliders are the
    // controllers its orchestra reads, and it renders offline with the real csound.
    void everyTemplateOfTheLibraryLoadsAndRendersWithCsound() {
        const QString file = QCoreApplication::applicationDirPath() + "/../VTTpl.dll";
        const QString csound = QStandardPaths::findExecutable("csound");
        if (!QFileInfo(file).isFile() || csound.isEmpty()) {
            QSKIP("the template library is built only where csound is installed");
        }
        std::unique_ptr<ResourceTemplateLibrary> library = ResourceTemplateLibrary::Load(file);
        QVERIFY(library);
        QCOMPARE(library->LibraryString(1), std::string("1"));
        QVERIFY(!ResourceTemplateLibrary::Load(WorkFile("missing.dll")));
        QFile garbage(WorkFile("garbage.dll"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        QVERIFY(!ResourceTemplateLibrary::Load(garbage.fileName()));

        // Through the dialogs: the granular template becomes the new project.
        g_templateLibraryLoader = [file] {
            return std::unique_ptr<TemplateLibrary>(ResourceTemplateLibrary::Load(file));
        };
        NewProject([](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelTemplate);
            WhenModal([](QWidget* modal) {
                auto* templates = qobject_cast<TemplatesDialog*>(modal);
                QVERIFY(templates);
                templates->List()->setCurrentRow(3);
                templates->OkButton()->click();
            });
            dialog->OkButton()->click();
        });
        QCOMPARE(g_projectOpen, 1);
        QCOMPARE(g_sliderCount, 4);
        QCOMPARE(std::string(TextOf(g_sliders[0].name)), std::string("Density"));
        QCOMPARE(std::string(TextOf(g_scriptPaths[0])), std::string("Granular.csd"));
        QVERIFY(QFileInfo(WorkFile("Voice.wav")).size() > 44);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Project1.vtp]");
        for (int index = 0; index < kTemplateCount; ++index) {
            const QString dir = WorkFile(QString("render%1").arg(index));
            QVERIFY(QDir().mkpath(dir));
            QDir::setCurrent(dir); // the sample is exported here
            Ui().shown.clear();
            QCOMPARE(LoadTemplate(*library, index), 1);
            if (!Ui().shown.empty()) {
                QFAIL(qPrintable(Ui().shown.front().text));
            }
            const TemplateEntry& row = g_templates[static_cast<std::size_t>(index)];
            QCOMPARE(QFileInfo(dir + "/Voice.wav").isFile(), row.needsSample == 1);
            QCOMPARE(std::string(TextOf(g_projectName)), std::string(TextOf(row.projectName)));
            QVERIFY(g_snapshotCount >= 1);

            QStringList arguments{
                "-d", "-W", "-+msg_color=0", "--smacro:DUR=1", "-o", dir + "/out.wav"};
            QSet<int> read;
            for (int script = 0; script < 2; ++script) {
                const std::string path(TextOf(g_scriptPaths[static_cast<std::size_t>(script)]));
                if (path.empty()) {
                    QCOMPARE(script, 1);
                    continue;
                }
                QFile out(dir + "/" + QString::fromStdString(path));
                QVERIFY(out.open(QIODevice::WriteOnly));
                out.write(QByteArray::fromStdString(g_scriptTexts[script]));
                out.close();
                arguments << out.fileName();
                static const QRegularExpression ctrl("ctrl7\\s+1\\s*,\\s*(\\d+)");
                for (const auto& match :
                     ctrl.globalMatch(QString::fromStdString(g_scriptTexts[script]))) {
                    read.insert(match.captured(1).toInt());
                }
            }
            QSet<int> controllers;
            for (int i = 0; i < g_sliderCount; ++i) {
                QCOMPARE(g_sliders[static_cast<std::size_t>(i)].channel, 0);
                controllers.insert(g_sliders[static_cast<std::size_t>(i)].controller1);
            }
            QCOMPARE(read, controllers);

            QProcess render;
            render.setWorkingDirectory(dir);
            render.start(csound, arguments);
            QVERIFY(render.waitForFinished(60000));
            const QString log = QString::fromLocal8Bit(render.readAllStandardError() +
                                                       render.readAllStandardOutput());
            QVERIFY2(render.exitCode() == 0, qPrintable(log));
            static const QRegularExpression amps("overall amps:\\s*([0-9.]+)");
            const QRegularExpressionMatch peak = amps.match(log);
            QVERIFY2(peak.hasMatch(), qPrintable(log));
            const double amplitude = peak.captured(1).toDouble();
            qInfo("%s: peak %.3f", TextOf(row.projectName).data(), amplitude);
            QVERIFY2(amplitude > 0.01 && amplitude <= 1.0, qPrintable(log));
        }
    }
};

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
