#pragma once
// Pieces every dialog of the program builds the same way.

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/Artwork.h"

// A group box titled `title` around one control.
inline QGroupBox* GroupAround(const char* title, QWidget* content) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

// The OK (1, default) and Cancel (2) buttons with their icons, right-aligned in a row.
inline QHBoxLayout* OkCancelRow(QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(OkButtonIcon(), "OK");
    ok->setObjectName("1");
    ok->setDefault(true);
    cancel = new QPushButton(CancelButtonIcon(), "Cancel");
    cancel->setObjectName("2");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// The OK button (1, default) with its icon alone, right-aligned in a row.
inline QHBoxLayout* OkRow(QPushButton*& ok) {
    ok = new QPushButton(OkButtonIcon(), "OK");
    ok->setObjectName("1");
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    return row;
}

// A modal dialog ended by its OK and Cancel buttons, which call accept() and reject().
class OkCancelDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    explicit OkCancelDialog(QWidget* owner);
    // The row of the two buttons, for the bottom of the dialog's layout.
    QHBoxLayout* ButtonRow() const { return m_row; }

private:
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QHBoxLayout* m_row = nullptr;
};
