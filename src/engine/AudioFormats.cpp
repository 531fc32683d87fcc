#include "engine/AudioFormats.h"

#include "resources/Strings.h"

namespace {
constexpr int kRates[4] = {8000, 11025, 22050, 44100};
}

bool IsAudioFormatIndex(int index) {
    return index >= 0 && index < kAudioFormatCount;
}

AudioFormat AudioFormatOf(int index) {
    if (!IsAudioFormatIndex(index)) {
        index = kDefaultAudioFormat;
    }
    return {kRates[index / 4], (index & 2) ? 16 : 8, (index & 1) ? 2 : 1};
}

std::string AudioFormatText(int index) {
    return IsAudioFormatIndex(index) ? Str(kStrAudioFormatFirst + index) : std::string();
}
