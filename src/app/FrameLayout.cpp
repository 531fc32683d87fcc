#include "app/FrameLayout.h"

#include "base/Preferences.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

std::array<int, kStatusPartCount> StatusPartEdges(int width) {
    return {width * 6 / 20, width * 12 / 20, width * 18 / 20, width * 19 / 20, width};
}

std::string KeyboardMappingStatusText() {
    return g_frame.keyboardMapping > 0 ? Str(kStrKeyboardMappingOn) : "";
}

std::array<std::string, 4> StatusTextsForLayout() {
    return {g_midiInputStatusText, g_midiOutputStatusText, KeyboardMappingStatusText(), ""};
}

int ToolButtonSize(const GlobalRecord& global) {
    return global.smallButtons == 1 ? 16 : 32;
}

int ToolBandHeight(const GlobalRecord& global) {
    const int band = global.smallButtons == 1 ? 22 : 38;
    return global.toolBarLook == kFlatToolBar ? band : band + 3;
}
