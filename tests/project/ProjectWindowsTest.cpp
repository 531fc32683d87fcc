// The new-project, template and additional files dialogs and the project commands on the real
// main window; the template library built beside the program, rendered with the real csound.

#include "GuiTestSupport.h"
#include "engine/AdditionalFilesDialog.h"
#include "engine/CsoundOutput.h"
#include "panel/PanelState.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectState.h"
#include "project/ResourceTemplateLibrary.h"
#include "project/Templates.h"
#include "project/TemplatesDialog.h"
#include "scripts/ScriptStore.h"

const QString kTitle = "Ventaro.2 - Live Fader Studio";

class ProjectWindowsTest : public GuiTest {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_previousDir;

    QString WorkFile(const QString& name) const { return m_work->filePath(name); }
    // Runs the new-project command with `inDialog` acting inside its dialog.
    template <typename Action> void NewProject(Action inDialog) {
        WhenModal<NewProjectDialog>(inDialog);
        Window()->OnCommand(kCmdNewProject);
    }

private slots:
    void init() {
        // Relative paths (the new project, the voice sample) land in a folder of the test's own.
        m_work = std::make_unique<QTemporaryDir>();
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_work->path());
        g_templateLibraryLoader = [] { return std::unique_ptr<TemplateLibrary>(); };
        StartProgram();
    }
    void cleanup() {
        m_app.reset();
        g_templateLibraryLoader = LoadInstalledTemplateLibrary;
        QDir::setCurrent(m_previousDir);
        m_work.reset();
    }

    // The new project, made after a refused count, is saved and comes back whole from a drop and
    // from the command line.
    void theNewProjectDialogBuildsAProjectThatOpensFromADropAndTheCommandLine() {
        const std::string orchestra = WorkFile("other.orc").toStdString();
        NewProject([&](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelFourteenBit);
            dialog->CountField()->setText("65");
            dialog->OkButton()->click();
            QVERIFY(dialog->isVisible()); // refused: the dialog stays for a new count
            Ui().files = {orchestra};
            WhenModal<AdditionalFilesDialog>([](AdditionalFilesDialog* shown) {
                shown->Browse1()->click();
                shown->OkButton()->click();
            });
            dialog->FilesButton()->click();
            dialog->CountField()->setText("64"); // pairs reaching 120..127: asked, and taken
            Ui().answers = {MessageAnswer::Yes};
            dialog->OkButton()->click();
        });

        const QString path = WorkFile("Live.vtp");
        Ui().files.push_back(path.toStdString());
        Window()->OnCommand(kCmdSaveProjectAs);
        Window()->OnCommand(kCmdCloseProject);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Window(), &drop);
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Live.vtp]");

        Window()->OnCommand(kCmdCloseProject);
        QVERIFY(m_app->Start(path.toStdString()));
        QCOMPARE(Window()->windowTitle(), kTitle + " - [Live.vtp]");
        QCOMPARE(g_sliderCount, 64);
        QCOMPARE(std::string(TextOf(g_scriptPathsCommitted[0])), orchestra);
    }

    // The library built beside the program: a template chosen in the dialogs becomes the new
    // project; every template loads, its sliders are the controllers its orchestra reads, and it
    // renders offline with the real csound.
    void everyTemplateOfTheBuiltLibraryBecomesAProjectAndRendersWithCsound() {
        const QString file = QCoreApplication::applicationDirPath() + "/../VTTpl.dll";
        const QString csound = QStandardPaths::findExecutable("csound");
        if (!QFileInfo(file).isFile() || csound.isEmpty()) {
            QSKIP("the template library is built only where csound is installed");
        }
        g_templateLibraryLoader = [file] {
            return std::unique_ptr<TemplateLibrary>(ResourceTemplateLibrary::Load(file));
        };
        NewProject([](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelTemplate);
            WhenModal<TemplatesDialog>([](TemplatesDialog* templates) {
                templates->List()->setCurrentRow(3);
                templates->OkButton()->click();
            });
            dialog->OkButton()->click();
        });
        QCOMPARE(std::string(TextOf(g_sliders[0].name)), std::string("Density")); // granular

        std::unique_ptr<ResourceTemplateLibrary> library = ResourceTemplateLibrary::Load(file);
        QVERIFY(library);
        QFile garbage(WorkFile("garbage.dll"));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) > 0);
        garbage.close();
        QVERIFY(!ResourceTemplateLibrary::Load(garbage.fileName()));
        for (int index = 0; index < kTemplateCount; ++index) {
            const QString dir = WorkFile(QString("render%1").arg(index));
            QVERIFY(QDir().mkpath(dir));
            QDir::setCurrent(dir); // the sample is exported here
            QCOMPARE(LoadTemplate(*library, index), 1);
            QCOMPARE(QFileInfo(dir + "/Voice.wav").isFile(),
                     g_templates[static_cast<std::size_t>(index)].needsSample == 1);

            // The orchestras read the sliders' controllers on the first channel, no others.
            QStringList arguments{
                "-d", "-W", "-+msg_color=0", "--smacro:DUR=1", "-o", dir + "/out.wav"};
            QSet<int> read, controllers;
            for (std::size_t script = 0; script < 2; ++script) {
                const std::string path(TextOf(g_scriptPaths[script]));
                if (path.empty()) {
                    continue;
                }
                QFile out(dir + "/" + QString::fromStdString(path));
                QVERIFY(out.open(QIODevice::WriteOnly) &&
                        out.write(QByteArray::fromStdString(g_scriptTexts[script])) >= 0);
                arguments << out.fileName();
                static const QRegularExpression ctrl("ctrl7\\s+1\\s*,\\s*(\\d+)");
                for (const auto& match :
                     ctrl.globalMatch(QString::fromStdString(g_scriptTexts[script]))) {
                    read.insert(match.captured(1).toInt());
                }
            }
            for (int i = 0; i < g_sliderCount; ++i) {
                const SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
                controllers.insert(slider.channel == 0 ? slider.controller1 : -1);
            }
            QCOMPARE(read, controllers);

            QProcess render;
            render.setWorkingDirectory(dir);
            render.start(csound, arguments);
            QVERIFY(render.waitForFinished(60000));
            const QString log = QString::fromLocal8Bit(render.readAllStandardError() +
                                                       render.readAllStandardOutput());
            QVERIFY2(render.exitCode() == 0 && ErrorLines(log.toStdString()).empty(),
                     qPrintable(log));
            static const QRegularExpression amps("overall amps:\\s*([0-9.]+)");
            const QRegularExpressionMatch peak = amps.match(log);
            QVERIFY2(peak.hasMatch(), qPrintable(log));
            const double amplitude = peak.captured(1).toDouble();
            QVERIFY2(amplitude > 0.01 && amplitude <= 1.0, qPrintable(log));
        }
    }
};

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
