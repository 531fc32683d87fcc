#include "app/SpecialFeaturesDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/FrameDialogs.h"
#include "base/ProcessPriority.h"
#include "base/QtText.h"
#include "resources/Strings.h"

SpecialFeaturesDialog::SpecialFeaturesDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("SpecialDlg");
    setWindowTitle(ToQt(Str(kStrSpecialTitle)));
    auto* layout = new QVBoxLayout(this);
    const int labels[] = {kStrDeleteAllSettings, kStrRealTimePriority, kStrNormalPriority,
                          kStrLowPriority};
    for (int k = 0; k < kButtonCount; ++k) {
        m_buttons[k] = new QPushButton(ToQt(Str(labels[k])));
        // No default button: Enter must not delete the settings by itself.
        m_buttons[k]->setAutoDefault(false);
        layout->addWidget(m_buttons[k]);
        if (k == kDeleteSettings) {
            layout->addSpacing(m_buttons[k]->sizeHint().height() / 2);
        }
    }
    connect(m_buttons[kDeleteSettings], &QPushButton::clicked, this, DeleteAllSettings);
    connect(m_buttons[kRealTime], &QPushButton::clicked, this,
            [] { SetProcessPriority(PriorityClass::RealTime); });
    connect(m_buttons[kNormal], &QPushButton::clicked, this,
            [] { SetProcessPriority(PriorityClass::Normal); });
    connect(m_buttons[kLow], &QPushButton::clicked, this,
            [] { SetProcessPriority(PriorityClass::Low); });
}

void SpecialFeaturesDialog::Run(QWidget* owner) {
    SpecialFeaturesDialog dialog(owner);
    dialog.exec();
}
