#include "panel/SliderPropsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "panel/PanelText.h"
#include "panel/SliderProps.h"
#include "panel/SliderValidation.h"
#include "resources/Artwork.h"

namespace {

constexpr int kNameWidth = 500;

QGroupBox* Group(const char* title, QLayout* content) {
    auto* group = new QGroupBox(title);
    group->setLayout(content);
    return group;
}

QGroupBox* Group(const char* title, QWidget* content) {
    auto* layout = new QVBoxLayout;
    layout->addWidget(content);
    return Group(title, layout);
}

QComboBox* NumberedList(const char* name, const char* prefix, int first, int count) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    for (int k = 0; k < count; ++k) {
        list->addItem(QString("%1%2").arg(prefix).arg(first + k));
    }
    list->setMaxVisibleItems(16);
    return list;
}

QLineEdit* Edit(const char* name, int width) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaxLength(width);
    return edit;
}

} // namespace

int SliderPropsDialog::Run(QWidget* owner, const std::string& sliderName) {
    SliderPropsFields fields;
    if (!OpenSliderProps(sliderName, fields)) {
        return 0;
    }
    SliderPropsDialog dialog(owner);
    dialog.Fill(fields);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

SliderPropsDialog::SliderPropsDialog(QWidget* owner) : OkCancelDialog(owner) {
    setObjectName("SliderPropsDlg");
    setWindowTitle("Slider properties...");

    m_name = Edit("14006", kNameWidth);
    m_types[0] = new QRadioButton("7 bits");
    m_types[0]->setObjectName("14007");
    m_types[1] = new QRadioButton("14 bits");
    m_types[1]->setObjectName("14008");
    const char* numberNames[] = {"14009", "14010", "14011"};
    for (int k = 0; k < 3; ++k) {
        m_numbers[k] = Edit(numberNames[k], static_cast<int>(kNumberTextWidth));
    }
    m_channel = NumberedList("14012", "Ch", 1, 16);
    m_controllers[0] = NumberedList("14013", "CC", 0, 128);
    m_controllers[1] = NumberedList("14014", "CC", 0, 128);
    m_curve = new QComboBox;
    m_curve->setObjectName("14016");
    for (int curve = 0; curve < 5; ++curve) {
        m_curve->addItem(ToQt(CurveName(curve)));
    }
    m_locked = new QCheckBox("Always locked");
    m_locked->setObjectName("14015");

    auto* types = new QVBoxLayout;
    types->addWidget(m_types[0]);
    types->addWidget(m_types[1]);
    auto* controllers = new QHBoxLayout;
    controllers->addWidget(m_controllers[0]);
    controllers->addWidget(m_controllers[1]);

    auto* grid = new QGridLayout;
    grid->addWidget(Group("Name", m_name), 0, 0, 1, 3);
    grid->addWidget(Group("Type", types), 0, 3, 2, 1);
    grid->addWidget(Group("Current", m_numbers[0]), 1, 0);
    grid->addWidget(Group("Min", m_numbers[1]), 1, 1);
    grid->addWidget(Group("Max", m_numbers[2]), 1, 2);
    grid->addWidget(Group("MIDI channel", m_channel), 2, 0);
    grid->addWidget(Group("MIDI controllers", controllers), 2, 1, 1, 2);
    grid->addWidget(Group("Interpolation", m_curve), 2, 3);
    grid->addWidget(Group("Status", m_locked), 3, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow());

    // Each change goes to the dialog's scratch at once; the slider is touched only by OK.
    for (int k = 0; k < 2; ++k) {
        connect(m_types[k], &QRadioButton::clicked, this, [this, k] {
            ChooseSliderPropsType(k == 0 ? 1 : 0);
            m_controllers[1]->setEnabled(SliderPropsController2Enabled());
        });
    }
    connect(m_channel, &QComboBox::activated, this,
            [](int index) { ChooseSliderPropsChannel(index); });
    connect(m_controllers[0], &QComboBox::activated, this,
            [](int index) { ChooseSliderPropsController1(index); });
    connect(m_controllers[1], &QComboBox::activated, this,
            [](int index) { ChooseSliderPropsController2(index); });
    connect(m_locked, &QCheckBox::clicked, this, [] { ToggleSliderPropsLocked(); });
}

void SliderPropsDialog::Fill(const SliderPropsFields& fields) {
    const SliderScratch& scratch = g_sliderScratch;
    m_name->setText(ToQt(fields.name));
    m_types[scratch.type == 1 ? 0 : 1]->setChecked(true);
    m_numbers[0]->setText(ToQt(fields.current));
    m_numbers[1]->setText(ToQt(fields.minimum));
    m_numbers[2]->setText(ToQt(fields.maximum));
    m_channel->setCurrentIndex(scratch.channel);
    m_controllers[0]->setCurrentIndex(scratch.controller1);
    m_controllers[1]->setCurrentIndex(scratch.controller2);
    m_controllers[1]->setEnabled(SliderPropsController2Enabled());
    m_curve->setCurrentIndex(fields.curve);
    m_locked->setChecked(scratch.locked == 1);
}

void SliderPropsDialog::accept() {
    SliderPropsFields fields;
    fields.name = FromQt(m_name->text());
    fields.current = FromQt(m_numbers[0]->text());
    fields.minimum = FromQt(m_numbers[1]->text());
    fields.maximum = FromQt(m_numbers[2]->text());
    fields.curve = std::max(m_curve->currentIndex(), 0);
    if (AcceptSliderProps(fields)) {
        QDialog::accept();
    }
}

void SliderPropsDialog::reject() {
    CancelSliderProps();
    QDialog::reject();
}
