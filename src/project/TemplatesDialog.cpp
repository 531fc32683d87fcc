#include "project/TemplatesDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/DialogParts.h"
#include "base/QtText.h"
#include "project/TemplateTable.h"
#include "project/Templates.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

void TemplatesDialog::Run(QWidget* owner, TemplateLibrary& library) {
    if (!CheckTemplateLibraryVersion(library)) {
        CancelTemplate();
        return;
    }
    TemplatesDialog dialog(owner, library);
    dialog.exec();
}

TemplatesDialog::TemplatesDialog(QWidget* owner, TemplateLibrary& library)
    : QDialog(owner), m_library(library) {
    setObjectName("TemplatesDlg");
    setWindowTitle(ToQt(Str(kStrTemplatesTitle)));

    m_list = new QListWidget;
    m_list->setObjectName("2008");
    for (int i = 0; i < kTemplateCount; ++i) {
        m_list->addItem(ToQt(TemplateDescription(i)));
    }
    if (g_rememberedTemplate >= 0 && g_rememberedTemplate < kTemplateCount) {
        m_list->setCurrentRow(g_rememberedTemplate);
    }
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 30);
    m_list->setMinimumHeight(m_list->sizeHintForRow(0) * kTemplateCount + 8);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(OkRow(m_ok));

    connect(m_list, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(m_ok, &QPushButton::clicked, this, &TemplatesDialog::accept);
}

void TemplatesDialog::accept() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    std::optional<int> selection;
    if (!selected.isEmpty()) {
        selection = m_list->row(selected.front());
    }
    AcceptTemplate(m_library, selection);
    QDialog::accept();
}

void TemplatesDialog::reject() {
    CancelTemplate();
    QDialog::reject();
}
