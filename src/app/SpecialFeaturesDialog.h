#pragma once
// "Special features!!", reached only by Ctrl+Shift+F12: deleting every stored setting and the
// program's priority. Esc or the close box ends it.

#include <QDialog>

class QPushButton;

class SpecialFeaturesDialog : public QDialog {
    Q_OBJECT
public:
    // The buttons in their order: delete the settings, real-time, normal and low priority.
    enum Button { kDeleteSettings, kRealTime, kNormal, kLow, kButtonCount };

    explicit SpecialFeaturesDialog(QWidget* owner);
    static void Run(QWidget* owner);

    QPushButton* ButtonOf(Button button) const { return m_buttons[button]; }

private:
    QPushButton* m_buttons[kButtonCount] = {};
};
