#pragma once
// The modal new-project dialog "NewDocDlg": the three kinds of project, the slider count with
// its up-down control, the additional files button, the MIDI status and OK / Cancel. What the
// buttons do comes from NewProject.h; the template kind runs the template dialog over the
// template library, which stays loaded while this dialog is open.

#include <memory>

#include "base/DialogParts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class TemplateLibrary;

class NewProjectDialog : public OkCancelDialog {
    Q_OBJECT
public:
    // The rest of command 200 once its prompt has let it go on: the dialog, then on OK the new
    // project's name, title and opening.
    static void Run(QWidget* owner);

    NewProjectDialog(QWidget* owner);
    ~NewProjectDialog() override;

    QListWidget* KindList() const { return m_kinds; }
    QLineEdit* Description() const { return m_description; }
    QLineEdit* CountField() const { return m_count; }
    QToolButton* CountUp() const { return m_up; }
    QToolButton* CountDown() const { return m_down; }
    QPushButton* FilesButton() const { return m_files; }
    QLabel* OutputStatus() const { return m_outputStatus; }
    QLabel* InputStatus() const { return m_inputStatus; }
    // The up-down control's range for the selected kind.
    int CountMinimum() const { return 1; }
    int CountMaximum() const { return m_countLimit; }

public slots:
    void accept() override;
    void reject() override;

private:
    int SelectedKind() const;
    void KindChanged();
    void StepCount(int step);

    std::unique_ptr<TemplateLibrary> m_library;
    QListWidget* m_kinds = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_count = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QPushButton* m_files = nullptr;
    QLabel* m_outputStatus = nullptr;
    QLabel* m_inputStatus = nullptr;
    int m_countLimit = 128;
};
