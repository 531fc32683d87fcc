#pragma once
// The one panel of the process: its slider records and panel-level settings, the small
// operations that keep them consistent, and the one reset of every piece of panel state. All of
// it lives on the user-interface thread.

#include <array>
#include <cstdint>
#include <string_view>

#include "panel/PanelRecords.h"

inline constexpr int kSliderNotFound = 1333;

extern std::array<SliderRecord, kMaxSliders> g_sliders;
extern int g_sliderCount;
extern int g_sliderCountCommitted;
extern int g_sliderNameCounter;
extern std::array<SliderRecord, kMaxSliders> g_slidersSaved;

extern int g_panelControlStyle;
extern int g_scrollStep;
extern std::array<std::uint8_t, 3> g_startMessage;
extern std::array<std::uint8_t, 3> g_stopMessage;
extern int g_transportStopped;

extern int g_currentSlider;
extern int g_editedSlider;

// Start values of the whole panel, as when the program starts: every record zero, 16 sliders
// counted, the default panel settings, the send routine's switches and cache, the slider checks'
// scratch. The windows attached to the panel (g_panelWindow, g_panelControls, ...) attach and
// detach themselves.
void ResetPanelState();
// A new project's panel settings: 16 sliders counted, the name counter at 0, sliders drawn as
// scroll bars stepping by 8, the default start and stop messages, the transport stopped.
void SetPanelDefaults();

void InsertSlider(int position);
void DeleteSlider(int index);
void CopySlider(int source, int destination);
int FindSliderByName(std::string_view name);

// Fills slider i (0-based) of a new project's default panel, naming it from the running counter.
void SetDefaultSlider(int index, bool fourteenBit);
