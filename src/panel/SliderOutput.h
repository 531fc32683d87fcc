#pragma once
// From a slider's position to the Control Change messages that leave the program: the mapping
// curves, the one send routine every slider movement ends in, and the start/stop routine.

#include <cstdint>

inline constexpr int kCurveTableSize = 16384;
inline constexpr int kCommandStart = 20000;
inline constexpr int kCommandStop = 21000;

// The panel window's controls, reached from the send routine while the window exists.
class SliderControls {
public:
    virtual ~SliderControls() = default;
    virtual void SetSliderPosition(int slider, int value) = 0;
    // Checks the start/stop button (1 - stopped) and shows the icon of the new state.
    virtual void SetTransportButton(int stopped) = 0;
};

// The most significant message last sent by any 14-bit slider. It starts empty, so the first
// most significant message of every slider goes out.
struct MsbCache {
    bool valid = false;
    std::int32_t lastMsbChannel = 0;
    std::int32_t lastMsbController = 0;
    std::int32_t lastMsbValue = 0;
};

extern int g_forceMsbResend;
extern int g_updateSliderControls;
extern MsbCache g_msbCache;
extern SliderControls* g_panelControls; // null while the panel window does not exist

void BuildCurveTables();
float MapSliderValue(int slider);
void SendSlider(int slider);
void SendPanelAndTransport();
