#pragma once
// What the virtual panel does with the user's gestures, apart from drawing: moving a slider by
// scroll code, the presets and control buttons, and the in-place editors of the "Slider
// properties" box. The window forwards each gesture here and shows the result through
// PanelWindow (panel/PanelViews.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "panel/PanelRecords.h"

// The scroll codes a slider control reports, the same for trackbars and scroll bars.
enum ScrollCode : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

inline constexpr int kCommandVirtualPanel = 15000;
inline constexpr int kCommandPresetReset = 15001;
inline constexpr int kCommandPresetMaximize = 15002;
inline constexpr int kCommandPresetHalf = 15003;
inline constexpr int kCommandPresetLeftToRight = 15004;
inline constexpr int kCommandPresetRightToLeft = 15005;
inline constexpr int kCommandPresetTriangle = 15006;
inline constexpr int kCommandPresetInverseTriangle = 15007;
inline constexpr int kCommandPresetLowRandom = 15008;
inline constexpr int kCommandPresetMediumRandom = 15009;
inline constexpr int kCommandPresetHighRandom = 15010;
inline constexpr int kCommandToolTipDelay = 15011;
inline constexpr int kCommandCurveLinear = 15012; // 15012..15016: curves 0..4
inline constexpr int kCommandCurveRandom = 15016;
inline constexpr int kPresetCount = 10;

// Sets a slider's position, kept within its range so that no data byte ever exceeds 7 bits,
// and its linear value in user units.
void SetLinearPosition(SliderRecord& slider, std::int32_t value);

// The presets menu text of 15001..15010 ("R&eset sliders" ...).
std::string PresetMenuText(int command);

// The new position for a scroll code, or none for the codes that change nothing. The page is
// range ÷ scrollStep (a step outside 1..30 is taken as the nearest of them); the thumb
// position is kept within the range.
std::optional<std::int32_t> ScrolledValue(std::int32_t value, int range, int code,
                                          int thumbPosition, int scrollStep);

// g_currentSlider brought below g_sliderCount (it is set only by moves, and the panel may
// have shrunk since).
int CurrentSlider();

// A scroll event of slider i: it becomes the current slider, takes its new position, shows it
// in the properties box and sends it.
void MoveSlider(int slider, int code, int thumbPosition = 0);
// Opening and resizing the window: the current slider is selected and shown in the properties
// box, its position kept and nothing sent; the window then gives it the keyboard focus.
void ReselectCurrentSlider();
// Opening the window: the transport button, every slider control's range and position, the
// lock boxes and the snapshot list with its last item selected.
void ShowPanelContents();

// Presets 15001..15010 over the unlocked sliders, with the most significant bytes resent.
void RunPreset(int command);
// Sends every slider, locked ones included, at its position.
void ResendAllSliders();
// Every unlocked slider to a random position.
void RandomizeSliders();
// The start/stop button: flips g_transportStopped and runs the start/stop routine.
void ToggleTransport();

// The in-place editors act on the current slider, which is also the edited one.
enum class EditOutcome { Stored, Refused, Ignored };
// The name edit lost the focus. Refused: the focus goes back to the edit.
EditOutcome CommitSliderName(std::string_view text);
// One of the current, min and max edits lost the focus. Refused: the focus goes back to that
// edit. Ignored while an earlier call is still showing its message.
EditOutcome CommitSliderNumbers(std::string_view current, std::string_view minimum,
                                std::string_view maximum);
// "7 bits" clicked: a 14-bit slider becomes 7-bit; nothing is sent.
void ChooseSevenBits();
// "14 bits" clicked. Refused: the panel already holds 64 14-bit sliders and the slider stays
// 7-bit (the window checks "7 bits" again). Stored: the slider is 14-bit and its controllers
// were accepted. Ignored: it is 14-bit but the user declined its controllers; the focus goes
// to the controller 2 list.
EditOutcome ChooseFourteenBits();
void ChooseChannel(std::int32_t channel);
// A controller list changed. Refused: the list returns to the stored controller and keeps
// the focus.
EditOutcome ChooseControllers(std::int32_t controller1, std::int32_t controller2);
// The lock box of a strip was clicked.
void ToggleSliderLock(int slider);
// 15012..15016; nothing is sent until the slider next moves.
void ChooseCurve(int command);
// The curve menu item to check: 15012 + the current slider's curve.
int CheckedCurveCommand();

// The current slider's value in the "current" edit, after a change of the whole panel.
void RefreshCurrentValue();
