#include "snapshots/SnapshotManagerDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "base/QtWindow.h"
#include "snapshots/GetNameDialog.h"

namespace {
constexpr int kWidthUnits = 247;
constexpr int kHeightUnits = 116;
} // namespace

void SnapshotManagerDialog::Run(QWidget* owner, ManagerOwner who, int selected) {
    SnapshotManagerDialog dialog(owner, who, selected);
    dialog.exec();
}

SnapshotManagerDialog::SnapshotManagerDialog(QWidget* owner, ManagerOwner who, int selected)
    : QDialog(owner), m_manager(who, selected) {
    setObjectName("SnapsManagerDlg");
    setWindowTitle("Snapshot manager...");
    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kWidthUnits, units), DialogUnitsToPixelsY(kHeightUnits, units));

    m_list = new QListWidget;
    m_list->setObjectName("17001");
    m_delete = new QPushButton("Delete");
    m_delete->setObjectName("16016");
    m_rename = new QPushButton("Rename");
    m_rename->setObjectName("17002");
    m_close = new QPushButton("Close");
    m_close->setObjectName("2");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addWidget(m_rename);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_rename, &QPushButton::clicked, this, &SnapshotManagerDialog::RenameSelected);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &SnapshotManagerDialog::RenameSelected);
    connect(m_delete, &QPushButton::clicked, this, &SnapshotManagerDialog::DeleteSelected);
    connect(m_close, &QPushButton::clicked, this, &SnapshotManagerDialog::reject);
    ShowManager();
}

// The list as the manager holds it; the dialog ends when the manager closed.
void SnapshotManagerDialog::ShowManager() {
    m_list->clear();
    for (const std::string& name : m_manager.Items()) {
        m_list->addItem(ToQt(name));
    }
    m_list->setCurrentRow(m_manager.Selected());
    if (m_manager.Closed()) {
        QDialog::reject();
    }
}

void SnapshotManagerDialog::RenameSelected() {
    m_manager.Rename(m_list->currentRow(),
                     [this](const std::string& name) { return GetNameDialog::Ask(this, name); });
    ShowManager();
}

void SnapshotManagerDialog::DeleteSelected() {
    m_manager.Delete(m_list->currentRow());
    ShowManager();
}

void SnapshotManagerDialog::reject() {
    m_manager.Close();
    QDialog::reject();
}

void SnapshotManagerDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        m_manager.LoseActivation();
    }
    QDialog::changeEvent(event);
}
