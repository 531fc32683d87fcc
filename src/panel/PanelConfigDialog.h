#pragma once
// The panel configuration dialog "PanelPropsDlg": control style, scroll step, the start and stop
// messages, the slider list with Delete and Add new, the project's files and audio format. What
// it shows and what its buttons do come from PanelConfiguration (panel/PanelConfiguration.h).

#include <array>

#include "base/DialogParts.h"
#include "panel/PanelConfiguration.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class ToolWindowHost;

class PanelConfigDialog : public OkCancelDialog {
    Q_OBJECT
public:
    // Opens the dialog modally over `owner` (the frame), unless it is open already. `over`, when
    // given, is the window it was asked from: it is shown centred there.
    static void Run(QWidget* owner, PanelConfigOwner who, QWidget* over = nullptr);

    QRadioButton* StyleRadio(int k) const { return m_style[k]; } // "Sliders", "Scroll bars"
    QComboBox* ScrollStepList() const { return m_scrollStep; }
    QLineEdit* MessageEdit(int field) const { return m_messages[field]; }
    QToolButton* UpArrow(int field) const { return m_arrows[field][0]; }
    QToolButton* DownArrow(int field) const { return m_arrows[field][1]; }
    QListWidget* SliderList() const { return m_sliders; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* AddButton() const { return m_add; }
    QLineEdit* PathEdit(int field) const { return m_paths[field]; }
    QPushButton* BrowseButton(int field) const { return m_browse[field]; }
    QComboBox* FormatList() const { return m_format; }

public slots:
    void accept() override;
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PanelConfigDialog(QWidget* owner, PanelConfigOwner who);
    QWidget* MessageGroup(const char* title, int firstField);
    QWidget* PathGroup(const char* title, AdditionalFileField field);
    void Step(int field, bool up);
    void ShowList();
    void DeleteSelected();
    void AddNewAtSelected();
    void Activated(int row);
    bool EditNewSlider(const std::string& name);

    PanelConfiguration m_config;
    std::array<QRadioButton*, 2> m_style{};
    QComboBox* m_scrollStep = nullptr;
    std::array<QLineEdit*, kMessageFieldCount> m_messages{};
    std::array<std::array<QToolButton*, 2>, kMessageFieldCount> m_arrows{};
    QListWidget* m_sliders = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
    std::array<QLineEdit*, 3> m_paths{};
    std::array<QPushButton*, 3> m_browse{};
    QComboBox* m_format = nullptr;
};

// Routes 16000 to the dialog, opened over the frame.
void RegisterPanelConfiguration(ToolWindowHost& host);
