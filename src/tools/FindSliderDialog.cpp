#include "tools/FindSliderDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/DialogParts.h"
#include "base/QtText.h"
#include "base/ToolWindowHost.h"
#include "panel/PanelRecords.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "panel/SliderPropsDialog.h"
#include "panel/SliderValidation.h"
#include "resources/Strings.h"
#include "tools/FindSlider.h"

namespace {

constexpr int kFindImage = 19; // the tool bar's magnifier
constexpr int kSliderRole = Qt::UserRole;

} // namespace

FindSliderDialog::FindSliderDialog(QWidget* owner)
    : QDialog(owner), m_criteria(new QComboBox), m_text(new QLineEdit), m_results(new QListWidget),
      m_search(new QPushButton(ToolBarIcon(kFindImage), "")) {
    setObjectName("FindSliderDlg");
    setWindowTitle(ToQt(Str(kStrFindTitle)));
    m_criteria->setObjectName("65001");
    for (int c = 0; c < kFindCriterionCount; ++c) {
        m_criteria->addItem(ToQt(FindCriterionName(c)));
    }
    m_criteria->setCurrentIndex(g_findCriterion);
    m_text->setObjectName("65002");
    m_text->setMaxLength(static_cast<int>(kFindTextLimit));
    m_text->setText(ToQt(g_findText));
    m_results->setObjectName("65003");
    m_results->setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    m_search->setObjectName("65004");
    m_search->setToolTip(ToQt(Str(kCmdFindSlider)));
    m_search->setDefault(true);
    auto* close = new QPushButton(ToQt(Str(kStrFindClose)));
    close->setObjectName("2");

    auto* criteria = new QHBoxLayout;
    criteria->addWidget(m_criteria, 1);
    criteria->addWidget(m_text, 2);
    criteria->addWidget(m_search);
    auto* criteriaGroup = new QGroupBox(ToQt(Str(kStrFindCriteriaLabel)));
    criteriaGroup->setLayout(criteria);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(criteriaGroup);
    layout->addWidget(GroupAround(Str(kStrFindResultsLabel).c_str(), m_results), 1);
    layout->addLayout(buttons);

    connect(m_search, &QPushButton::clicked, this, &FindSliderDialog::Search);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results, &QListWidget::itemDoubleClicked, this, &FindSliderDialog::EditRow);
}

void FindSliderDialog::Search() {
    m_results->clear();
    g_findCriterion = m_criteria->currentIndex();
    g_findText = m_text->text().toStdString();
    for (const FindRow& row : FindSliders(g_findCriterion, g_findText)) {
        auto* item = new QListWidgetItem(ToQt(row.text), m_results);
        item->setData(kSliderRole, row.slider);
    }
}

void FindSliderDialog::EditRow(QListWidgetItem* item) {
    const int slider = item->data(kSliderRole).toInt();
    if (slider >= kMaxSliders || g_sliderPropsOpen) {
        return; // "No sliders found.", or a properties dialog already open
    }
    const std::string name(TextOf(g_sliders[static_cast<std::size_t>(slider)].name));
    if (SliderPropsDialog::Run(this, name) == 1) {
        item->setText(ToQt(FormatSliderSummary(slider)));
    }
}

void RegisterFindSlider(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    RouteCommand(kCmdFindSlider, [owner] {
        FindSliderDialog dialog(owner->HostWidget());
        dialog.exec();
    });
}
