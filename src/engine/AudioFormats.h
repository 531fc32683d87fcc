#pragma once
// The 16 audio formats: index = 4 x rate + 2 x (16 bits) + (stereo), rates 8000, 11025, 22050 and
// 44100 Hz. Projects, the environment files, the Csound header and the recorder share the table.

#include <string>

inline constexpr int kAudioFormatCount = 16;
inline constexpr int kDefaultAudioFormat = 15; // 44100 Hz, 16 bits, stereo

struct AudioFormat {
    int rate;
    int bits;
    int channels;
};

bool IsAudioFormatIndex(int index);
// The format of an index; the default format for an index outside the table.
AudioFormat AudioFormatOf(int index);
// "8.000 Hz; 8 bits; Mono" .. "44.100 Hz; 16 bits; Stereo"; empty outside the table.
std::string AudioFormatText(int index);
