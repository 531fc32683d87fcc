#include "snapshots/GetNameDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/WindowGeometry.h"
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

GetNameDialog::GetNameDialog(QWidget* owner, const std::string& name) : QDialog(owner) {
    setObjectName("GetNameDlg");
    setWindowTitle("Enter object name...");
    const QFontMetrics metrics(font());
    setMinimumWidth(
        DialogUnitsToPixelsX(kWidthUnits, {metrics.averageCharWidth(), metrics.height()}));

    m_edit = new QLineEdit(ToQt(name));
    m_edit->setObjectName("17003");
    m_edit->setMaxLength(kTextWidth);
    m_edit->selectAll();
    m_ok = new QPushButton(OkButtonIcon(), "OK");
    m_ok->setObjectName("1");
    m_ok->setDefault(true);
    m_cancel = new QPushButton(CancelButtonIcon(), "Cancel");
    m_cancel->setObjectName("2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}
