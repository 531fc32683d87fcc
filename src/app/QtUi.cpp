#include "app/QtUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QMessageBox>

#include "app/FileChooserModes.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "base/CommandRouter.h"
#include "base/QtText.h"
#include "resources/Strings.h"
#include "tools/AudioRecorder.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

MessageAnswer DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

// Upper- and lower-case forms of each pattern: names carry their extension in either case.
QStringList CaseFreePatterns(const std::vector<std::string>& patterns) {
    QStringList result;
    for (const std::string& pattern : patterns) {
        result << QString::fromStdString(pattern).toUpper()
               << QString::fromStdString(pattern).toLower();
    }
    result.removeDuplicates();
    return result;
}

void ApplyFilter(QFileDialog& dialog, const FileFilter& filter) {
    const QDir::Filters base = QDir::AllDirs | QDir::NoDotAndDotDot;
    dialog.setFilter(filter.programs ? base | QDir::Files | QDir::Executable : base | QDir::Files);
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        model->setNameFilters(filter.allFiles || filter.programs
                                  ? QStringList{"*"}
                                  : CaseFreePatterns(filter.patterns));
    }
}

// A window manager cuts a caption that is wider than its box ("Ventaro.2 - ... Studio"): the box
// is made wide enough for its caption in a bold title font, with room for the title bar's buttons.
void FitCaption(QMessageBox& box) {
    QFont font = box.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int needed = metrics.horizontalAdvance(box.windowTitle()) + 6 * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

} // namespace

QWidget* QtUi::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return m_window;
}

MessageAnswer QtUi::Answer(QWidget* box, MessageButtons buttons) {
    auto* message = static_cast<QMessageBox*>(box);
    if (!m_scripted) {
        return AnswerOf(message->exec());
    }
    message->show();
    if (onShown) {
        onShown(message);
    }
    message->hide();
    if (answers.empty()) {
        return DefaultAnswer(buttons);
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

MessageAnswer QtUi::ShowMessage(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    const QString title = ToQt(Str(kStrTitle));
    shown.push_back({ToQt(text), title, icon, buttons});
    QMessageBox box(BoxIcon(icon), title, ToQt(text), BoxButtons(buttons), Owner());
    box.setObjectName("MessageBox");
    FitCaption(box);
    return Answer(&box, buttons);
}

void QtUi::ShowMessageWithCaption(const std::string& text, const std::string& caption,
                                  MessageIcon icon) {
    shown.push_back({ToQt(text), ToQt(caption), icon, MessageButtons::Ok});
    QMessageBox box(BoxIcon(icon), ToQt(caption), ToQt(text), QMessageBox::Ok, nullptr);
    box.setObjectName("MessageBox");
    FitCaption(box);
    Answer(&box, MessageButtons::Ok);
}

void QtUi::SendCommand(int command) {
    if (m_window) {
        m_window->OnCommand(command);
    } else {
        DispatchCommand(command);
    }
}

void QtUi::PostQuit(int code) {
    m_quitRequested = true;
    m_quitCode = code;
    if (m_loopRunning) {
        QCoreApplication::exit(code); // ends the loop, and a modal dialog's loop inside it
    }
}

void QtUi::SetWaitCursor(bool waiting) {
    if (waiting && !m_waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!waiting && m_waiting) {
        QApplication::restoreOverrideCursor();
    }
    m_waiting = waiting;
}

void QtUi::SetStatusText(int part, const std::string& text) {
    if (m_window) {
        m_window->SetStatusText(part, ToQt(text));
    }
}

void QtUi::EnableCommand(int command, bool enabled) {
    if (m_window) {
        m_window->EnableCommand(MenuKind::MenuBar, command, enabled);
    }
}

void QtUi::EnablePopupCommand(int command, bool enabled) {
    if (m_window) {
        m_window->EnableCommand(MenuKind::Popup, command, enabled);
    }
}

void QtUi::SetToolButtonState(int command, bool enabled, bool pressed) {
    if (m_window) {
        m_window->SetToolButtonState(command, enabled, pressed);
    }
}

bool QtUi::SelectFile(int mode, std::string& path, std::string& title) {
    path.clear();
    title.clear();
    fileModes.push_back(mode);
    QString chosen;
    if (m_scriptedFiles) {
        if (files.empty()) {
            return false;
        }
        chosen = QString::fromStdString(files.front());
        files.pop_front();
    } else {
        const FileChooserMode chooser = FileChooserModeOf(mode);
        QFileDialog dialog(Owner(), ToQt(Str(kStrSelectFileTitle)));
        dialog.setObjectName("SelectFileDlg");
        dialog.setOption(QFileDialog::DontUseNativeDialog); // its filters are set per entry
        dialog.setAcceptMode(chooser.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(chooser.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !chooser.confirmOverwrite);
        dialog.setDefaultSuffix(QString::fromStdString(chooser.defaultSuffix));
        QStringList labels;
        for (const FileFilter& filter : chooser.filters) {
            labels << QString::fromStdString(filter.label);
        }
        dialog.setNameFilters(labels);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, chooser, labels](const QString& label) {
                             const qsizetype index = labels.indexOf(label);
                             if (index >= 0) {
                                 ApplyFilter(dialog,
                                             chooser.filters[static_cast<std::size_t>(index)]);
                             }
                         });
        dialog.selectNameFilter(labels.front());
        ApplyFilter(dialog, chooser.filters.front());
        if (onShown) {
            QMetaObject::invokeMethod(
                &dialog, [this, &dialog] { onShown(&dialog); }, Qt::QueuedConnection);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        chosen = dialog.selectedFiles().front();
    }
    const std::string chosenPath = FromQt(chosen);
    if (chosenPath.size() > kMaxCommandLinePath) {
        // A cut path would name another file: refuse it rather than open the wrong one.
        ShowMessage(Str(kStrPathTooLong), MessageIcon::Warning);
        return false;
    }
    path = chosenPath;
    const std::size_t slash = path.find_last_of("/\\");
    title = slash == std::string::npos ? path : path.substr(slash + 1);
    return true;
}

void QtUi::SetTitle(const std::string& title) {
    if (m_window) {
        m_window->setWindowTitle(ToQt(title));
    }
}

void QtUi::SetBackground(bool projectOpen) {
    if (m_window) {
        m_window->SetProjectBackground(projectOpen);
    }
}

void QtUi::ShowProjectButtons(bool visible) {
    if (m_window) {
        m_window->ShowProjectButtons(visible);
    }
}

bool QtUi::IsWindowOpen(int command) {
    return m_window && m_window->IsToolWindowOpen(command);
}

bool QtUi::GetWindowPlacement(int command, WindowPlacement& placement) {
    return m_window && m_window->ToolWindowPlacement(command, placement);
}

RecorderState QtUi::GetRecorderState() {
    return CurrentRecorderState();
}

void QtUi::AddRecentDocument(const std::string&) {
    // This desktop keeps no recent-documents list for the program (the platform allows none).
}
