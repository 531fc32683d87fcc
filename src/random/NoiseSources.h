#pragma once
// The uniform noise sources and the two deviates. They are exported from the executable by
// these plain names so that modules loaded into the process can call them.

#include <cstdint>

extern "C" {
float NoiseSource0(std::int32_t* seed);
float NoiseSource1(std::int32_t* seed);
float NoiseSource2(std::int32_t* seed);
float NoiseSource3(std::int32_t* seed);
float NoiseSource4(std::int32_t* seed);
float QuickNoiseSource(std::int32_t* seed);
float NoiseSource(std::int32_t selector, std::int32_t* seed);
float ExpDeviation(std::int32_t selector, std::int32_t* seed);
float GaussDeviation(std::int32_t selector, std::int32_t* seed);
}

inline constexpr float kUnknownSelectorValue = 1000.0f;

// The program's own seed word and source selector.
extern std::int32_t randomSeed;
extern std::int32_t randomSourceSelector;

// Seeds the program's generator from the tick count, as at main window creation.
void InitRandomState(std::uint32_t tickCount);

// Puts the seed word, the selector and every source's static state back to their start values.
void ResetNoiseSources();
