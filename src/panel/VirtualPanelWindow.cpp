#include "panel/VirtualPanelWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/Preferences.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "panel/PanelConfigDialog.h"
#include "panel/PanelLayout.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "panel/StageFaders.h"
#include "project/ProjectState.h"
#include "resources/PanelArtwork.h"
#include "resources/Strings.h"
#include "snapshots/SnapshotManager.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/Snapshots.h"

namespace {

constexpr int kPanelWidthUnits = 472;
constexpr int kPanelHeightUnits = 254;
constexpr int kSnapshotIconSize = 32;
// The longest value written without an exponent: a sign, ten digits and the point.
constexpr int kNumberChars = 13;
// Below this a value is too small to read; a longer text scrolls instead.
constexpr qreal kSmallestNumberPoints = 6.0;
// The blank a line edit keeps on either side of its text, inside its frame.
constexpr int kLineEditTextMargin = 2;

QRect ToQRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// The scroll code of a control's action, by what it does to the value: the code that lowers
// the value by a line is "line up", whichever way the control is drawn.
int ScrollCodeOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return kScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return kScrollLineDown;
    case QAbstractSlider::SliderPageStepSub:
        return kScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return kScrollPageDown;
    case QAbstractSlider::SliderToMinimum:
        return kScrollTop;
    case QAbstractSlider::SliderToMaximum:
        return kScrollBottom;
    case QAbstractSlider::SliderMove:
        return kScrollThumbTrack;
    default:
        return kScrollEnd;
    }
}

QFont EditFont(qreal points, bool bold, int stretch = QFont::Unstretched) {
    QFont font("Courier New");
    font.setPointSizeF(points);
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(bold);
    font.setStretch(stretch);
    return font;
}

// The width a line edit gives its text: the contents less its frame and its own margins.
int TextRoom(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    // One more pixel for the caret after the last digit.
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin - 1;
}

// The edit's font at `points`, or narrower and then smaller where the edit is too narrow for a
// full value, so that ten significant digits show whole instead of being cut. Narrower first:
// a condensed digit of some height reads better than a smaller one.
QFont FittedNumberFont(const QLineEdit& edit, qreal points, bool bold, const QString& text) {
    const int room = TextRoom(edit);
    const QString widest(std::max<qsizetype>(kNumberChars, text.size()), QLatin1Char('0'));
    for (qreal size = points; size >= kSmallestNumberPoints; size -= 0.5) {
        for (const int stretch :
             {int{QFont::Unstretched}, int{QFont::SemiCondensed}, int{QFont::Condensed}}) {
            const QFont font = EditFont(size, bold, stretch);
            const QFontMetrics metrics(font);
            if (std::max(metrics.horizontalAdvance(widest), metrics.horizontalAdvance(text)) <=
                room) {
                return font;
            }
        }
    }
    return EditFont(kSmallestNumberPoints, bold, QFont::Condensed);
}

// The snapshot list with a long name shortened by an ellipsis; the tool tip shows it whole.
class SnapshotCombo : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        const int icon = option.currentIcon.isNull() ? 0 : option.iconSize.width() + 4;
        option.currentText = option.fontMetrics.elidedText(option.currentText, Qt::ElideRight,
                                                           std::max(field.width() - icon - 2, 0));
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

QComboBox* NumberedList(const char* prefix, int first, int count) {
    auto* list = new QComboBox;
    for (int k = 0; k < count; ++k) {
        list->addItem(QString("%1%2").arg(prefix).arg(first + k));
    }
    list->setMaxVisibleItems(16);
    return list;
}

} // namespace

VirtualPanelWindow::VirtualPanelWindow(QWidget* owner, ToolWindowHost* host)
    // A tool window of the frame: it stays above the frame and minimises with it.
    : QWidget(owner, Qt::Tool), m_host(host) {
    setObjectName("VirtualPanelDlg");
    setWindowTitle("Virtual panel...");
    setMinimumHeight(kPanelMinimumHeight);
    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kPanelWidthUnits, units),
           DialogUnitsToPixelsY(kPanelHeightUnits, units));
    WindowState& state = g_windowStates[kWindowVirtualPanel];
    if (state.placementValid == 1) {
        PlaceWindow(*this, state.placement);
    } else {
        PlaceInFreeArea(*this, kToolWindowMarginUnits, kToolWindowMarginUnits, false);
    }
    state.placementValid = 1;

    // The boxes first, so that the controls inside them stack above.
    const char* titles[] = {"Slider properties", "Controls", "Snapshots"};
    for (int k = 0; k < 3; ++k) {
        m_groups[k] = new QGroupBox(titles[k], this);
    }
    CreateSliderControls();
    CreatePropertyEditors();
    CreateControlButtons();
    CreateSnapshotList();

    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(g_preferences.global.toolTipDelay);
    connect(&m_tipTimer, &QTimer::timeout, this, &VirtualPanelWindow::ShowToolTip);

    AttachPanelWindow(this);
    ShowPanelContents();
    // The first resize, as the window is shown, lays it out and re-selects the current slider.
    QTimer::singleShot(0, this, [] { DispatchCommand(kCommandToolTipDelay); });
}

VirtualPanelWindow::~VirtualPanelWindow() {
    if (g_panelWindow == this) {
        AttachPanelWindow(nullptr);
    }
}

void VirtualPanelWindow::CreateSliderControls() {
    const int count = std::clamp(g_sliderCount, 0, kMaxSliders);
    m_sliders.reserve(static_cast<std::size_t>(count));
    m_lockBoxes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        QAbstractSlider* control = CreateStageFader(g_panelControlStyle == 1, this);
        control->setInvertedControls(false);
        control->setObjectName(QString::number(i));
        control->setFocusPolicy(Qt::StrongFocus);
        control->setCursor(Qt::PointingHandCursor);
        control->installEventFilter(this);
        connect(control, &QAbstractSlider::actionTriggered, this,
                [this, i](int action) { SliderAction(i, action); });
        m_sliders.push_back(control);

        auto* lock = new QCheckBox(this);
        lock->setObjectName(QString::number(148 + 4 * i));
        lock->setFocusPolicy(Qt::NoFocus);
        lock->setToolTip(ToQt(Str(kStrTipLockBox)));
        lock->installEventFilter(this);
        connect(lock, &QCheckBox::clicked, this, [i] { ToggleSliderLock(i); });
        m_lockBoxes.push_back(lock);
    }
}

void VirtualPanelWindow::CreatePropertyEditors() {
    m_curveButton = new QPushButton(this);
    m_curveButton->setObjectName("300");
    m_curveButton->installEventFilter(this);
    ShowCurve(kCurveLinear);
    m_curveMenu = new QMenu(this);
    m_curveMenu->setObjectName("INTERPMENU");
    for (int curve = 0; curve < 5; ++curve) {
        QAction* action = m_curveMenu->addAction(ToQt(CurveName(curve)));
        action->setCheckable(true);
        action->setData(kCommandCurveLinear + curve);
        connect(action, &QAction::triggered, this, [this, command = kCommandCurveLinear + curve] {
            ChooseCurve(command);
            ShowCurve(CheckedCurveCommand() - kCommandCurveLinear);
        });
    }
    // The main status bar's help line follows the panel's menus as it follows the main menus.
    if (m_host) {
        m_host->FollowMenuHelp(m_curveMenu);
    }
    connect(m_curveMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_curveMenu->actions()) {
            action->setChecked(action->data().toInt() == CheckedCurveCommand());
        }
    });
    connect(m_curveButton, &QPushButton::clicked, this, [this] {
        m_curveMenu->popup(m_curveButton->mapToGlobal(m_curveButton->rect().bottomLeft()));
    });

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName("133");
    m_nameEdit->setFont(EditFont(10, true));
    m_nameEdit->installEventFilter(this);
    const char* numberNames[] = {"134", "138", "142"};
    for (int k = 0; k < 3; ++k) {
        m_numberEdits[k] = new QLineEdit(this);
        m_numberEdits[k]->setObjectName(numberNames[k]);
        m_numberEdits[k]->setFont(EditFont(NumberPoints(k), k == 0));
        m_numberEdits[k]->installEventFilter(this);
    }

    m_typeRadios[0] = new QRadioButton("7 bits", this);
    m_typeRadios[0]->setObjectName("137");
    m_typeRadios[1] = new QRadioButton("14 bits", this);
    m_typeRadios[1]->setObjectName("141");
    connect(m_typeRadios[0], &QRadioButton::clicked, this, [] { ChooseSevenBits(); });
    connect(m_typeRadios[1], &QRadioButton::clicked, this, [this] {
        const EditOutcome outcome = ChooseFourteenBits();
        if (outcome == EditOutcome::Refused) {
            m_typeRadios[0]->setChecked(true);
        } else if (outcome == EditOutcome::Ignored) {
            m_lists[2]->setFocus();
        }
    });

    m_lists[0] = NumberedList("Ch", 1, 16);
    m_lists[1] = NumberedList("CC", 0, 128);
    m_lists[2] = NumberedList("CC", 0, 128);
    const char* listNames[] = {"139", "143", "147"};
    for (int k = 0; k < 3; ++k) {
        m_lists[k]->setParent(this);
        m_lists[k]->setObjectName(listNames[k]);
    }
    connect(m_lists[0], &QComboBox::activated, this, [](int index) { ChooseChannel(index); });
    connect(m_lists[1], &QComboBox::activated, this, [this] { ControllerChosen(1); });
    connect(m_lists[2], &QComboBox::activated, this, [this] { ControllerChosen(2); });
}

void VirtualPanelWindow::CreateControlButtons() {
    const char* names[] = {"142", "146", "150", "154", "158", "162"};
    // The start/stop button's tip follows its state (SetTransportButton).
    const int tips[] = {kCmdStart,     kStrTipPresets,      kStrTipResendAll,
                        kStrTipRandom, kCmdPanelProperties, kStrTipTakeSnapshot};
    for (int k = 0; k < 6; ++k) {
        m_controlButtons[k] = new QPushButton(this);
        m_controlButtons[k]->setObjectName(names[k]);
        m_controlButtons[k]->setIcon(PanelControlIcon(k + 1));
        m_controlButtons[k]->setToolTip(ToQt(Str(tips[k])));
        m_controlButtons[k]->installEventFilter(this);
    }
    m_controlButtons[0]->setCheckable(true);
    connect(m_controlButtons[0], &QPushButton::clicked, this, [] { ToggleTransport(); });
    connect(m_controlButtons[1], &QPushButton::clicked, this, &VirtualPanelWindow::PresetsClicked);
    connect(m_controlButtons[2], &QPushButton::clicked, this, [] { ResendAllSliders(); });
    connect(m_controlButtons[3], &QPushButton::clicked, this, [] { RandomizeSliders(); });
    // The configuration runs from the event loop, not inside this click: its OK and Cancel
    // close this window and open a new one.
    connect(m_controlButtons[4], &QPushButton::clicked, this, [this] {
        QWidget* frame = m_host ? m_host->HostWidget() : parentWidget();
        QTimer::singleShot(0, frame ? static_cast<QObject*>(frame) : qApp,
                           [frame, over = QPointer<QWidget>(this)] {
                               PanelConfigDialog::Run(frame, PanelConfigOwner::Panel, over);
                           });
    });
    connect(m_controlButtons[5], &QPushButton::clicked, this, [] { TakeSnapshot(); });

    m_presetsMenu = new QMenu(this);
    m_presetsMenu->setObjectName("PRESETMENU");
    if (m_host) {
        m_host->FollowMenuHelp(m_presetsMenu);
    }
    for (int command = kCommandPresetReset; command <= kCommandPresetHighRandom; ++command) {
        QAction* action = m_presetsMenu->addAction(ToQt(PresetMenuText(command)));
        action->setData(command);
        connect(action, &QAction::triggered, this, [command] { RunPreset(command); });
    }
}

void VirtualPanelWindow::CreateSnapshotList() {
    m_snapshotList = new SnapshotCombo(this);
    m_snapshotList->installEventFilter(this);
    m_snapshotList->setObjectName("147");
    m_snapshotList->setIconSize(QSize(kSnapshotIconSize, kSnapshotIconSize));
    m_snapshotList->setMaxVisibleItems(512 / kSnapshotIconSize);
    connect(m_snapshotList, &QComboBox::currentIndexChanged, this,
            &VirtualPanelWindow::SnapshotChosen);
    connect(m_snapshotList, &QComboBox::currentIndexChanged, this,
            [this] { m_snapshotList->setToolTip(m_snapshotList->currentText()); });
}

// ---- PanelWindow ------------------------------------------------------------------------------

QAbstractSlider* VirtualPanelWindow::SliderControl(int slider) const {
    return slider >= 0 && slider < static_cast<int>(m_sliders.size())
               ? m_sliders[static_cast<std::size_t>(slider)]
               : nullptr;
}

QCheckBox* VirtualPanelWindow::LockBox(int slider) const {
    return slider >= 0 && slider < static_cast<int>(m_lockBoxes.size())
               ? m_lockBoxes[static_cast<std::size_t>(slider)]
               : nullptr;
}

bool VirtualPanelWindow::SliderDrawnLocked(int slider) const {
    return FaderLocked(SliderControl(slider));
}

void VirtualPanelWindow::SetSliderPosition(int slider, int value) {
    if (QAbstractSlider* control = SliderControl(slider)) {
        const QSignalBlocker blocker(control);
        control->setValue(value);
    }
}

void VirtualPanelWindow::SetTransportButton(int stopped) {
    m_controlButtons[0]->setChecked(stopped == 0);
    m_controlButtons[0]->setIcon(PanelControlIcon(stopped == 0 ? 0 : 1));
    m_controlButtons[0]->setToolTip(ToQt(Str(stopped == 0 ? kCmdStop : kCmdStart)));
}

void VirtualPanelWindow::SetSliderRange(int slider, int range) {
    QAbstractSlider* control = SliderControl(slider);
    if (control && control->maximum() != range) {
        const QSignalBlocker blocker(control);
        control->setRange(0, range);
        control->setPageStep(std::max(range / std::max(g_scrollStep, 1), 1));
    }
}

void VirtualPanelWindow::ShowSliderProperties(const SliderPropertiesText& text) {
    const bool all = !m_shownValid;
    const QSignalBlocker b0(m_lists[0]);
    const QSignalBlocker b1(m_lists[1]);
    const QSignalBlocker b2(m_lists[2]);
    if (all || text.name != m_shown.name) {
        m_nameEdit->setText(ToQt(text.name));
    }
    const std::string* texts[] = {&text.current, &text.minimum, &text.maximum};
    const std::string* shown[] = {&m_shown.current, &m_shown.minimum, &m_shown.maximum};
    for (int k = 0; k < 3; ++k) {
        if (all || *texts[k] != *shown[k]) {
            ShowNumber(k, *texts[k]);
        }
    }
    m_lists[0]->setCurrentIndex(text.channel);
    m_lists[1]->setCurrentIndex(text.controller1);
    m_lists[2]->setCurrentIndex(text.controller2);
    m_typeRadios[text.sevenBit ? 0 : 1]->setChecked(true);
    m_lists[2]->setEnabled(text.controller2Enabled);
    ShowCurve(text.curve);
    m_shown = text;
    m_shownValid = true;
}

void VirtualPanelWindow::ShowCurrentValue(const std::string& text) {
    if (!m_shownValid || text != m_shown.current) {
        ShowNumber(0, text);
        m_shown.current = text;
    }
}

void VirtualPanelWindow::EnableController2List(bool enabled) {
    m_lists[2]->setEnabled(enabled);
    m_shown.controller2Enabled = enabled;
}

void VirtualPanelWindow::SetLockBox(int slider, bool checked) {
    if (QCheckBox* lock = LockBox(slider)) {
        lock->setChecked(checked);
    }
    SetFaderLocked(SliderControl(slider), checked);
}

void VirtualPanelWindow::FillSnapshotList(const std::vector<std::string>& items, int selected) {
    const QSignalBlocker blocker(m_snapshotList);
    m_snapshotList->clear();
    const QIcon manager = SnapshotManagerIcon();
    const QIcon panel = PanelIcon();
    for (std::size_t k = 0; k < items.size(); ++k) {
        m_snapshotList->addItem(k == 0 ? manager : panel, ToQt(items[k]));
        m_snapshotList->setItemData(static_cast<int>(k), ToQt(items[k]), Qt::ToolTipRole);
    }
    m_snapshotList->setCurrentIndex(selected);
    m_lastSnapshotItem = selected;
    FitSnapshotPopup();
}

void VirtualPanelWindow::InsertSnapshotItem(int item, const std::string& name) {
    const QSignalBlocker blocker(m_snapshotList);
    m_snapshotList->insertItem(item, PanelIcon(), ToQt(name));
    m_snapshotList->setItemData(item, ToQt(name), Qt::ToolTipRole);
    m_snapshotList->setCurrentIndex(item);
    m_lastSnapshotItem = item;
    FitSnapshotPopup();
}

void VirtualPanelWindow::KeepInFront(bool inFront) {
    if (inFront) {
        raise();
    }
}

void VirtualPanelWindow::Close() {
    close();
}

// ---- Showing values ----------------------------------------------------------------------------

qreal VirtualPanelWindow::NumberPoints(int k) {
    return k == 0 ? 10.0 : 9.0; // the current value larger than min and max
}

void VirtualPanelWindow::FitNumberFont(int k) {
    QLineEdit* edit = m_numberEdits[k];
    const int room = TextRoom(*edit);
    const std::pair<int, qsizetype> fit{room,
                                        std::max<qsizetype>(kNumberChars, edit->text().size())};
    int advance = edit->fontMetrics().horizontalAdvance(edit->text());
    // A slider move that only changes the digits keeps its font: the sizes are searched again
    // only when the edit's room or the longest text changes, or the text no longer fits.
    if (fit != m_numberFit[k] || advance > room) {
        const QFont font = FittedNumberFont(*edit, NumberPoints(k), k == 0, edit->text());
        if (font != edit->font()) {
            edit->setFont(font);
        }
        m_numberFit[k] = fit;
        advance = edit->fontMetrics().horizontalAdvance(edit->text());
    }
    // Even at the smallest size a text may not fit; its tip then shows it whole.
    edit->setToolTip(advance > room ? edit->text() : QString());
}

void VirtualPanelWindow::ShowNumber(int k, const std::string& text) {
    QLineEdit* edit = m_numberEdits[k];
    edit->setText(ToQt(text));
    FitNumberFont(k);
    // A number still too long for its edit shows its leading digits.
    edit->setCursorPosition(0);
}

void VirtualPanelWindow::ShowCurve(int curve) {
    if (curve == m_shownCurve) {
        return;
    }
    m_shownCurve = curve;
    m_curveButton->setIcon(CurveIcon(curve));
    m_curveButton->setToolTip(ToQt(Str(kStrTipCurve) + CurveName(curve)));
}

void VirtualPanelWindow::FitSnapshotPopup() {
    // The open list shows every name whole, wider than the closed box where it must be.
    QAbstractItemView* view = m_snapshotList->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth());
}

// ---- Gestures ---------------------------------------------------------------------------------

void VirtualPanelWindow::SliderAction(int slider, int action) {
    QAbstractSlider* control = SliderControl(slider);
    const int code = ScrollCodeOf(action);
    if (!control || code == kScrollEnd) {
        return;
    }
    MoveSlider(slider, code, control->sliderPosition());
    // The control shows the position the panel took, not the one it computed itself.
    control->setSliderPosition(g_sliders[static_cast<std::size_t>(slider)].value);
}

void VirtualPanelWindow::PresetsClicked() {
    if (QApplication::keyboardModifiers() & Qt::ControlModifier) {
        RunPreset(kCommandPresetReset);
        return;
    }
    QPushButton* button = m_controlButtons[1];
    m_presetsMenu->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void VirtualPanelWindow::EditLostFocus(QLineEdit* edit) {
    if (m_committing || g_sliderCount < 1) {
        return;
    }
    // A refusal's message box takes the focus too; that second loss is not a new edit.
    m_committing = true;
    QLineEdit* refused = nullptr;
    if (edit == m_nameEdit) {
        if (CommitSliderName(FromQt(edit->text())) == EditOutcome::Refused) {
            refused = edit;
        }
    } else if (CommitSliderNumbers(FromQt(m_numberEdits[0]->text()),
                                   FromQt(m_numberEdits[1]->text()),
                                   FromQt(m_numberEdits[2]->text())) == EditOutcome::Refused) {
        refused = edit;
    }
    m_committing = false;
    if (refused) {
        QTimer::singleShot(0, refused, [refused] { refused->setFocus(); });
    }
}

void VirtualPanelWindow::ControllerChosen(int list) {
    const EditOutcome outcome =
        ChooseControllers(m_lists[1]->currentIndex(), m_lists[2]->currentIndex());
    if (outcome == EditOutcome::Refused) {
        const SliderRecord& slider = g_sliders[static_cast<std::size_t>(CurrentSlider())];
        const QSignalBlocker blocker(m_lists[list]);
        m_lists[list]->setCurrentIndex(list == 1 ? slider.controller1 : slider.controller2);
        m_lists[list]->setFocus();
    }
}

void VirtualPanelWindow::SnapshotChosen(int item) {
    if (item < 0 || item == m_lastSnapshotItem) {
        return;
    }
    m_lastSnapshotItem = item;
    if (ChooseSnapshotListItem(item) == SnapshotListChoice::OpenManager) {
        SnapshotManagerDialog::Run(this, ManagerOwner::Panel);
    }
}

// ---- Tool tips --------------------------------------------------------------------------------

void VirtualPanelWindow::ApplyToolTipDelay() {
    m_tipTimer.setInterval(std::max(g_preferences.global.toolTipDelay, 0));
}

void VirtualPanelWindow::ShowToolTip() {
    const int slider = SliderIndexOf(m_tipControl);
    if (slider < 0 || slider >= g_sliderCount || g_preferences.global.panelToolTips != 1) {
        return;
    }
    QToolTip::showText(QCursor::pos(), ToQt(SliderToolTip(slider)), m_tipControl);
}

int VirtualPanelWindow::SliderIndexOf(QObject* object) const {
    const auto it = std::find(m_sliders.begin(), m_sliders.end(), object);
    return it == m_sliders.end() ? -1 : static_cast<int>(it - m_sliders.begin());
}

bool VirtualPanelWindow::eventFilter(QObject* watched, QEvent* event) {
    // The preference that silences the sliders' tips silences the rest of the panel's too.
    if (event->type() == QEvent::ToolTip && g_preferences.global.panelToolTips != 1) {
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu opening over the edit does not end the edit.
        if (edit && reason != Qt::PopupFocusReason) {
            EditLostFocus(edit);
        }
        return false;
    }
    const int slider = SliderIndexOf(watched);
    if (slider < 0) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the panel shows its own, after its own delay
    case QEvent::Enter:
        m_tipControl = m_sliders[static_cast<std::size_t>(slider)];
        m_tipTimer.start();
        break;
    case QEvent::Leave:
        m_tipTimer.stop();
        m_tipControl = nullptr;
        QToolTip::hideText();
        break;
    case QEvent::Wheel:
        // The wheel's slider becomes the one the keys move, as a click makes it.
        m_sliders[static_cast<std::size_t>(slider)]->setFocus(Qt::MouseFocusReason);
        break;
    default:
        break;
    }
    return false;
}

// ---- Window -----------------------------------------------------------------------------------

void VirtualPanelWindow::LayOut() {
    const DialogBaseUnits units = DialogUnitsOf(*this);
    const PanelLayout layout =
        LayoutPanel(width(), height(), static_cast<int>(m_sliders.size()), g_panelControlStyle,
                    units.averageCharWidth, units.charHeight);
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        m_sliders[i]->setGeometry(ToQRect(layout.sliders[i]));
        m_lockBoxes[i]->setGeometry(ToQRect(layout.lockBoxes[i]));
    }
    m_groups[0]->setGeometry(ToQRect(layout.propertiesBox));
    m_groups[1]->setGeometry(ToQRect(layout.controlsBox));
    m_groups[2]->setGeometry(ToQRect(layout.snapshotsBox));
    m_curveButton->setGeometry(ToQRect(layout.curveButton));
    m_curveButton->setIconSize(layout.curveButton.height > 4
                                   ? QSize(layout.curveButton.width, layout.curveButton.height) -
                                         QSize(4, 4)
                                   : QSize(0, 0));
    m_nameEdit->setGeometry(ToQRect(layout.nameEdit));
    for (int k = 0; k < 3; ++k) {
        m_numberEdits[k]->setGeometry(ToQRect(layout.numberEdits[k]));
        m_lists[k]->setGeometry(ToQRect(layout.lists[k]));
        FitNumberFont(k);
    }
    for (int k = 0; k < 2; ++k) {
        m_typeRadios[k]->setGeometry(ToQRect(layout.typeRadios[k]));
    }
    for (int k = 0; k < 6; ++k) {
        const QRect r = ToQRect(layout.controlButtons[k]);
        m_controlButtons[k]->setGeometry(r);
        const int side = std::max(std::min(r.width(), r.height()) - 10, 8);
        m_controlButtons[k]->setIconSize(QSize(side, side));
    }
    m_snapshotList->setGeometry(ToQRect(layout.snapshotList));
}

void VirtualPanelWindow::resizeEvent(QResizeEvent*) {
    LayOut();
    if (g_sliderCount < 1 || m_sliders.empty()) {
        return;
    }
    ReselectCurrentSlider();
    if (QAbstractSlider* control = SliderControl(CurrentSlider())) {
        control->setFocus();
    }
}

void VirtualPanelWindow::keyPressEvent(QKeyEvent* event) {
    if (!CloseOnEscape(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void VirtualPanelWindow::closeEvent(QCloseEvent* event) {
    m_tipTimer.stop();
    QToolTip::hideText();
    g_windowStates[kWindowVirtualPanel].placement = PlacementOf(*this);
    // From here on the panel logic sees the window gone, although the widget goes a little
    // later; the menus and the tool bar button show it closed at once.
    if (g_panelWindow == this) {
        AttachPanelWindow(nullptr);
    }
    if (m_host) {
        m_host->ToolWindowClosing(kCmdVirtualPanel);
    }
    event->accept();
}

// ---- Commands ---------------------------------------------------------------------------------

void RegisterVirtualPanel(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(kCmdVirtualPanel, [owner](QWidget* parent) {
        return new VirtualPanelWindow(parent, owner);
    });
    RouteCommand(kCommandToolTipDelay, [] {
        if (auto* panel = dynamic_cast<VirtualPanelWindow*>(g_panelWindow)) {
            panel->ApplyToolTipDelay();
        }
    });
    RouteCommand(kCmdSnapshotManager, [owner] {
        if (CanOpenSnapshotManager()) {
            SnapshotManagerDialog::Run(owner->HostWidget(), ManagerOwner::MainWindow);
        }
    });
}
