#include "snapshots/GetNameDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/QtWindow.h"
#include "resources/Artwork.h"

namespace {
constexpr int kWidthUnits = 186;
constexpr int kTextWidth = 500; // the edit hands over at most this many characters
} // namespace

std::optional<std::string> GetNameDialog::Ask(QWidget* owner, const std::string& name) {
    GetNameDialog dialog(owner, name);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return FromQt(dialog.m_edit->text());
}

GetNameDialog::GetNameDialog(QWidget* owner, const std::string& name) : OkCancelDialog(owner) {
    setObjectName("GetNameDlg");
    setWindowTitle("Enter object name...");
    setMinimumWidth(DialogUnitsToPixelsX(kWidthUnits, DialogUnitsOf(*this)));

    m_edit = new QLineEdit(ToQt(name));
    m_edit->setObjectName("17003");
    m_edit->setMaxLength(kTextWidth);
    m_edit->selectAll();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addStretch();
    layout->addLayout(ButtonRow());
}
