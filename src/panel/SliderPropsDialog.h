#pragma once
// The slider properties dialog "SliderPropsDlg": name, type, current/min/max, channel,
// controllers, curve and lock of one slider. What it shows and what OK does come from
// SliderProps (panel/SliderProps.h).

#include <array>
#include <string>

#include "base/DialogParts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class SliderPropsDialog : public OkCancelDialog {
    Q_OBJECT
public:
    // Opens the dialog modally on the slider of that name: 1 after OK, 0 after Cancel or when
    // no slider has that name.
    static int Run(QWidget* owner, const std::string& sliderName);

    QLineEdit* NameEdit() const { return m_name; }
    QRadioButton* TypeRadio(int k) const { return m_types[k]; } // 14007, 14008
    QLineEdit* NumberEdit(int k) const { return m_numbers[k]; } // current, min, max
    QComboBox* ChannelList() const { return m_channel; }
    QComboBox* ControllerList(int k) const { return m_controllers[k]; }
    QComboBox* CurveList() const { return m_curve; }
    QCheckBox* LockCheck() const { return m_locked; }

public slots:
    void accept() override;
    void reject() override;

private:
    explicit SliderPropsDialog(QWidget* owner);
    void Fill(const struct SliderPropsFields& fields);

    QLineEdit* m_name = nullptr;
    std::array<QRadioButton*, 2> m_types{};
    std::array<QLineEdit*, 3> m_numbers{};
    QComboBox* m_channel = nullptr;
    std::array<QComboBox*, 2> m_controllers{};
    QComboBox* m_curve = nullptr;
    QCheckBox* m_locked = nullptr;
};
