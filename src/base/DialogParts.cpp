#include "base/DialogParts.h"

OkCancelDialog::OkCancelDialog(QWidget* owner) : QDialog(owner) {
    m_row = OkCancelRow(m_ok, m_cancel);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}
