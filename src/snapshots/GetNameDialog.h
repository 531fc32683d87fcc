#pragma once
// The name box "GetNameDlg" ("Enter object name..."): an edit with the name, OK and Cancel.

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

class GetNameDialog : public QDialog {
    Q_OBJECT
public:
    // Shows `name` modally over `owner`; the edited text on OK, none on Cancel.
    static std::optional<std::string> Ask(QWidget* owner, const std::string& name);

    QLineEdit* NameEdit() const { return m_edit; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    GetNameDialog(QWidget* owner, const std::string& name);

    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
