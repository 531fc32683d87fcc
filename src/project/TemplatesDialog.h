#pragma once
// The modal template dialog "Csound templates...": the list of the eight templates and OK. Its
// OK copies the chosen template into the project; Cancel and every refusal make a 7-bit panel.

#include <QDialog>

class QListWidget;
class QPushButton;
class TemplateLibrary;

class TemplatesDialog : public QDialog {
    Q_OBJECT
public:
    // Checks the library's version first; a wrong version makes the 7-bit panel at once.
    static void Run(QWidget* owner, TemplateLibrary& library);

    TemplatesDialog(QWidget* owner, TemplateLibrary& library);

    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;
    void reject() override;

private:
    TemplateLibrary& m_library;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};
