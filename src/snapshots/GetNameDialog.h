#pragma once
// The name box "GetNameDlg" ("Enter object name..."): an edit with the name, OK and Cancel.

#include <optional>
#include <string>

#include "base/DialogParts.h"

class QLineEdit;
class QPushButton;

class GetNameDialog : public OkCancelDialog {
    Q_OBJECT
public:
    // Shows `name` modally over `owner`; the edited text on OK, none on Cancel.
    static std::optional<std::string> Ask(QWidget* owner, const std::string& name);

    QLineEdit* NameEdit() const { return m_edit; }

private:
    GetNameDialog(QWidget* owner, const std::string& name);

    QLineEdit* m_edit = nullptr;
};
