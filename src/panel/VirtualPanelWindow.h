#pragma once
// The virtual panel "VirtualPanelDlg": a vertical control per slider with its lock box, the
// "Slider properties", "Controls" and "Snapshots" boxes above them. The window is a view of the
// panel logic (panel/PanelLogic.h): it forwards every gesture there and shows what it is told
// through the PanelWindow interface.

#include <QTimer>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "panel/PanelViews.h"

class ToolWindowHost;
class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

class VirtualPanelWindow : public QWidget, public PanelWindow {
    Q_OBJECT
public:
    // Without a host (a window of its own, as in the benchmarks) nothing follows its menus.
    explicit VirtualPanelWindow(QWidget* owner, ToolWindowHost* host = nullptr);
    ~VirtualPanelWindow() override;

    // PanelWindow
    void SetSliderPosition(int slider, int value) override;
    void SetTransportButton(int stopped) override;
    void SetSliderRange(int slider, int range) override;
    void ShowSliderProperties(const SliderPropertiesText& text) override;
    void ShowCurrentValue(const std::string& text) override;
    void EnableController2List(bool enabled) override;
    void SetLockBox(int slider, bool checked) override;
    void FillSnapshotList(const std::vector<std::string>& items, int selected) override;
    void InsertSnapshotItem(int item, const std::string& name) override;
    void KeepInFront(bool inFront) override;
    void Close() override;

    // Command 15011: the tool tips wait the preference's delay before they show.
    void ApplyToolTipDelay();
    int ToolTipDelay() const { return m_tipTimer.interval(); }

    // For tests and screenshots.
    QAbstractSlider* SliderControl(int slider) const;
    QCheckBox* LockBox(int slider) const;
    // Whether the slider's control is drawn as locked.
    bool SliderDrawnLocked(int slider) const;
    QLineEdit* NameEdit() const { return m_nameEdit; }
    QLineEdit* NumberEdit(int k) const { return m_numberEdits[k]; }  // current, min, max
    QRadioButton* TypeRadio(int k) const { return m_typeRadios[k]; } // 7 bits, 14 bits
    QComboBox* List(int k) const { return m_lists[k]; } // channel, controller 1, controller 2
    QPushButton* CurveButton() const { return m_curveButton; }
    QPushButton* ControlButton(int k) const { return m_controlButtons[k]; }
    QComboBox* SnapshotList() const { return m_snapshotList; }
    QMenu* PresetsMenu() const { return m_presetsMenu; }
    QMenu* CurveMenu() const { return m_curveMenu; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateSliderControls();
    void CreatePropertyEditors();
    void CreateControlButtons();
    void CreateSnapshotList();
    void LayOut();
    int SliderIndexOf(QObject* object) const;
    void SliderAction(int slider, int action);
    void PresetsClicked();
    void EditLostFocus(QLineEdit* edit);
    void ControllerChosen(int list);
    void SnapshotChosen(int item);
    void ShowToolTip();
    static qreal NumberPoints(int k);
    void FitNumberFont(int k);
    void ShowNumber(int k, const std::string& text);
    void ShowCurve(int curve);
    void FitSnapshotPopup();

    std::vector<QAbstractSlider*> m_sliders;
    std::vector<QCheckBox*> m_lockBoxes;
    std::array<QGroupBox*, 3> m_groups{};
    QLineEdit* m_nameEdit = nullptr;
    std::array<QLineEdit*, 3> m_numberEdits{};
    std::array<QRadioButton*, 2> m_typeRadios{};
    std::array<QComboBox*, 3> m_lists{};
    QPushButton* m_curveButton = nullptr;
    std::array<QPushButton*, 6> m_controlButtons{};
    QComboBox* m_snapshotList = nullptr;
    QMenu* m_presetsMenu = nullptr;
    QMenu* m_curveMenu = nullptr;
    // What the properties box shows, so that a drag rewrites only what changed.
    SliderPropertiesText m_shown;
    bool m_shownValid = false;
    bool m_committing = false;
    int m_lastSnapshotItem = -1;
    int m_shownCurve = -1;
    std::pair<int, qsizetype> m_numberFit[3] = {}; // the room and length each edit's font fits
    QTimer m_tipTimer;
    QAbstractSlider* m_tipControl = nullptr;
    ToolWindowHost* m_host = nullptr;
};

// Routes 15000 (opening and closing the panel as a tool window of the frame), 15011 and the
// snapshot manager's 17000.
void RegisterVirtualPanel(ToolWindowHost& host);
