#pragma once
// The snapshot manager "SnapsManagerDlg": the list of snapshots with Delete, Rename and Close.
// What it shows and what its buttons do come from SnapshotManager.

#include <QDialog>
#include <memory>

#include "snapshots/SnapshotManager.h"

class QListWidget;
class QPushButton;

class SnapshotManagerDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the manager modally over `owner`, with list position `selected` chosen.
    static void Run(QWidget* owner, ManagerOwner who, int selected = 0);

    QListWidget* List() const { return m_list; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* RenameButton() const { return m_rename; }
    QPushButton* CloseButton() const { return m_close; }

public slots:
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    SnapshotManagerDialog(QWidget* owner, ManagerOwner who, int selected);
    void ShowManager();
    void RenameSelected();
    void DeleteSelected();

    SnapshotManager m_manager;
    QListWidget* m_list = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_close = nullptr;
};
