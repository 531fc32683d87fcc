#include "random/NoiseSources.h"

#include <bit>
#include <cmath>

std::int32_t randomSeed = -1;
std::int32_t randomSourceSelector = 4;

namespace {

constexpr std::int32_t kTableSize = 32;

struct ShuffleState {
    std::int32_t table[kTableSize];
    std::int32_t last;
};

struct SubtractiveState {
    std::int32_t ma[56];
    std::int32_t next;
    std::int32_t nextp;
    bool initialised;
};

ShuffleState g_source1{};
ShuffleState g_source2{};
std::int32_t g_source2Second = 123456789;
SubtractiveState g_source3{};
std::uint32_t g_source4Key = 0;
bool g_gaussCached = false;
float g_gaussValue = 0.0f;

// a·x mod m without overflow, with Schrage's factorisation m = a·q + r.
std::int32_t SchrageStep(std::int32_t x, std::int32_t a, std::int32_t m, std::int32_t q,
                         std::int32_t r) {
    const std::int32_t k = x / q;
    x = a * (x - k * q) - r * k;
    if (x < 0) {
        x += m;
    }
    return x;
}

std::int32_t MinimalStandardStep(std::int32_t x) {
    return SchrageStep(x, 16807, 2147483647, 127773, 2836);
}

constexpr double kCap = 0.99999988;

// Two's-complement negation, wrapping for the most negative word as the 32-bit machine does.
std::int32_t Negate32(std::int32_t x) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(x));
}

// "seed = -seed, but at least 1"
std::int32_t PositiveSeed(std::int32_t seed) {
    const std::int32_t negated = Negate32(seed);
    return negated < 1 ? 1 : negated;
}

float CappedUniform(double t) {
    return t > kCap ? static_cast<float>(kCap) : static_cast<float>(t);
}

float UnitFromMantissa(std::uint32_t bits) {
    return std::bit_cast<float>(0x3F800000u | (bits & 0x7FFFFFu)) - 1.0f;
}

void PseudoDesHash(std::uint32_t& left, std::uint32_t& right) {
    static constexpr std::uint32_t kC1[4] = {0xBAA96887u, 0x1E17D32Cu, 0x03BCDC3Cu, 0x0F33D1B2u};
    static constexpr std::uint32_t kC2[4] = {0x4B0F3B58u, 0xE874F0C3u, 0x6955C5A6u, 0x55A7CA46u};
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t saved = right;
        const std::uint32_t a = right ^ kC1[i];
        const std::uint32_t lo = a & 0xFFFFu;
        const std::uint32_t hi = a >> 16;
        const std::uint32_t b = lo * lo + ~(hi * hi);
        const std::uint32_t swapped = (b >> 16) | (b << 16);
        right = left ^ ((swapped ^ kC2[i]) + lo * hi);
        left = saved;
    }
}

} // namespace

extern "C" {

float NoiseSource0(std::int32_t* seed) {
    constexpr std::int32_t kMask = 123459876;
    std::int32_t x = *seed ^ kMask;
    x = MinimalStandardStep(x);
    const float result = static_cast<float>(x) * 4.656613e-10f;
    *seed = x ^ kMask;
    return result;
}

float NoiseSource1(std::int32_t* seed) {
    ShuffleState& s = g_source1;
    if (*seed <= 0 || s.last == 0) {
        *seed = PositiveSeed(*seed);
        for (int j = 39; j >= 0; --j) {
            *seed = MinimalStandardStep(*seed);
            if (j < kTableSize) {
                s.table[j] = *seed;
            }
        }
        s.last = s.table[0];
    }
    *seed = MinimalStandardStep(*seed);
    const std::int32_t j = s.last / 67108864;
    s.last = s.table[j];
    s.table[j] = *seed;
    return CappedUniform(static_cast<double>(s.last) * (1.0 / 2147483647.0));
}

float NoiseSource2(std::int32_t* seed) {
    ShuffleState& s = g_source2;
    if (*seed <= 0) {
        *seed = PositiveSeed(*seed);
        g_source2Second = *seed;
        for (int j = 32; j >= 0; --j) {
            *seed = SchrageStep(*seed, 40014, 2147483563, 53668, 12211);
            if (j < kTableSize) {
                s.table[j] = *seed;
            }
        }
        s.last = s.table[0];
    }
    *seed = SchrageStep(*seed, 40014, 2147483563, 53668, 12211);
    g_source2Second = SchrageStep(g_source2Second, 40692, 2147483399, 52774, 3791);
    const std::int32_t j = s.last / 67108862;
    s.last = s.table[j] - g_source2Second;
    s.table[j] = *seed;
    if (s.last < 1) {
        s.last += 2147483562;
    }
    return CappedUniform(static_cast<double>(s.last) * (1.0 / 2147483563.0));
}

float NoiseSource3(std::int32_t* seed) {
    constexpr std::int32_t kModulus = 1000000000;
    SubtractiveState& s = g_source3;
    if (*seed < 0 || !s.initialised) {
        s.initialised = true;
        const std::int64_t absSeed = *seed < 0 ? -static_cast<std::int64_t>(*seed) : *seed;
        const std::int64_t difference = 161803398 - absSeed;
        std::int32_t mj =
            static_cast<std::int32_t>((difference < 0 ? -difference : difference) % kModulus);
        s.ma[55] = mj;
        std::int32_t mk = 1;
        for (int i = 1; i <= 54; ++i) {
            const int ii = (21 * i) % 55;
            s.ma[ii] = mk;
            mk = mj - mk;
            if (mk < 0) {
                mk += kModulus;
            }
            mj = s.ma[ii];
        }
        for (int pass = 0; pass < 4; ++pass) {
            for (int i = 1; i <= 54; ++i) {
                s.ma[i] -= s.ma[1 + (i + 30) % 55];
                if (s.ma[i] < 0) {
                    s.ma[i] += kModulus;
                }
            }
        }
        s.next = 0;
        s.nextp = 31;
        *seed = 1;
    }
    if (++s.next == 56) {
        s.next = 1;
    }
    if (++s.nextp == 56) {
        s.nextp = 1;
    }
    std::int32_t mj = s.ma[s.next] - s.ma[s.nextp];
    if (mj < 0) {
        mj += kModulus;
    }
    s.ma[s.next] = mj;
    return static_cast<float>(mj * 1e-9);
}

float NoiseSource4(std::int32_t* seed) {
    if (*seed < 0) {
        g_source4Key = static_cast<std::uint32_t>(Negate32(*seed));
        *seed = 1;
    }
    std::uint32_t left = g_source4Key;
    std::uint32_t right = static_cast<std::uint32_t>(*seed);
    PseudoDesHash(left, right);
    *seed = static_cast<std::int32_t>(static_cast<std::uint32_t>(*seed) + 1u);
    return UnitFromMantissa(right);
}

float QuickNoiseSource(std::int32_t* seed) {
    const std::uint32_t next = static_cast<std::uint32_t>(*seed) * 1664525u + 1013904223u;
    *seed = static_cast<std::int32_t>(next);
    return UnitFromMantissa(next);
}

float NoiseSource(std::int32_t selector, std::int32_t* seed) {
    switch (static_cast<std::uint32_t>(selector)) {
    case 0:
        return NoiseSource0(seed);
    case 1:
        return NoiseSource1(seed);
    case 2:
        return NoiseSource2(seed);
    case 3:
        return NoiseSource3(seed);
    case 4:
        return NoiseSource4(seed);
    case 5:
        return QuickNoiseSource(seed);
    default:
        return kUnknownSelectorValue;
    }
}

float ExpDeviation(std::int32_t selector, std::int32_t* seed) {
    float u;
    do {
        u = NoiseSource(selector, seed);
    } while (u == 0.0f);
    return static_cast<float>(-std::log(static_cast<double>(u)));
}

float GaussDeviation(std::int32_t selector, std::int32_t* seed) {
    if (*seed >= 0 && g_gaussCached) {
        g_gaussCached = false;
        return g_gaussValue;
    }
    float p;
    float q;
    float rsq;
    do {
        p = 2.0f * NoiseSource(selector, seed) - 1.0f;
        q = 2.0f * NoiseSource(selector, seed) - 1.0f;
        rsq = p * p + q * q;
    } while (rsq >= 1.0f || rsq == 0.0f);
    const double fac = std::sqrt(-2.0 * std::log(static_cast<double>(rsq)) / rsq);
    g_gaussValue = static_cast<float>(p * fac);
    g_gaussCached = true;
    return static_cast<float>(q * fac);
}

} // extern "C"

void InitRandomState(std::uint32_t tickCount) {
    randomSeed = Negate32(static_cast<std::int32_t>(tickCount));
    randomSourceSelector = 4;
}

void ResetNoiseSources() {
    randomSeed = -1;
    randomSourceSelector = 4;
    g_source1 = ShuffleState{};
    g_source2 = ShuffleState{};
    g_source2Second = 123456789;
    g_source3 = SubtractiveState{};
    g_source4Key = 0;
    g_gaussCached = false;
    g_gaussValue = 0.0f;
}
