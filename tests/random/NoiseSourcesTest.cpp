#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "random/NoiseSources.h"

namespace {

constexpr std::int32_t kMask = 123459876;
constexpr std::int64_t kPrime = 2147483647;

class NoiseSourcesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetNoiseSources(); }
    void TearDown() override { ResetNoiseSources(); }
};

// x·a mod m in 64-bit arithmetic: an independent check of the Schrage steps.
std::int64_t MulMod(std::int64_t x, std::int64_t a, std::int64_t m) {
    return x * a % m;
}

bool IsMultipleOf(float value, double step) {
    const double k = static_cast<double>(value) / step;
    return k == std::floor(k);
}

TEST_F(NoiseSourcesTest, MinimalStandardReachesTheParkMillerCheckValue) {
    // Park and Miller: from 1, the 10000th value is 1043618065.
    std::int32_t seed = 1 ^ kMask;
    float u = 0.0f;
    for (int i = 0; i < 10000; ++i) {
        u = NoiseSource0(&seed);
    }
    EXPECT_EQ(seed ^ kMask, 1043618065);
    EXPECT_FLOAT_EQ(u, static_cast<float>(1043618065.0 / 2147483647.0));
}

TEST_F(NoiseSourcesTest, MinimalStandardStaysAtZeroOnItsMaskWord) {
    std::int32_t seed = kMask;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(NoiseSource0(&seed), 0.0f);
        EXPECT_EQ(seed, kMask);
    }
}

TEST_F(NoiseSourcesTest, PseudoDesSourceGivesThePublishedHashValues) {
    // The published psdes table: (key, counter) -> right word 509C0C23, A66CB41A, 64300984,
    // 59BA89EB; the result is its low 23 bits as a fraction.
    const auto expected = [](std::uint32_t right) {
        return static_cast<float>(right & 0x7FFFFFu) / 8388608.0f;
    };
    std::int32_t seed = -1;
    EXPECT_EQ(NoiseSource4(&seed), expected(0x509C0C23u));
    EXPECT_EQ(seed, 2);
    seed = 99;
    EXPECT_EQ(NoiseSource4(&seed), expected(0xA66CB41Au));
    seed = -99;
    EXPECT_EQ(NoiseSource(4, &seed), expected(0x64300984u));
    seed = 99;
    EXPECT_EQ(NoiseSource(4, &seed), expected(0x59BA89EBu));
    EXPECT_EQ(seed, 100);

    // Key 5 hashes the counters 1 and 2; the key stays without a new negative seed.
    seed = -5;
    const float first = NoiseSource4(&seed);
    EXPECT_EQ(seed, 2);
    const float second = NoiseSource4(&seed);
    EXPECT_EQ(seed, 3);
    seed = 1;
    EXPECT_EQ(NoiseSource4(&seed), first);
    EXPECT_EQ(NoiseSource4(&seed), second);
}

TEST_F(NoiseSourcesTest, QuickSourceIsTheLinearCongruentialGenerator) {
    std::int32_t seed = 0;
    EXPECT_EQ(NoiseSource(5, &seed), static_cast<float>(1013904223u & 0x7FFFFFu) / 8388608.0f);
    EXPECT_EQ(seed, 1013904223);
    QuickNoiseSource(&seed);
    EXPECT_EQ(seed, 1196435762);
    QuickNoiseSource(&seed);
    EXPECT_EQ(static_cast<std::uint32_t>(seed), 3519870697u);
}

TEST_F(NoiseSourcesTest, ShuffledMinimalStandardWarmsUpFortySteps) {
    // Seeds 0, -1 and the most negative word all start from 1; the table holds the draws 9..40.
    std::vector<std::int64_t> steps{1};
    for (int i = 0; i < 41; ++i) {
        steps.push_back(MulMod(steps.back(), 16807, kPrime));
    }
    const std::int64_t j = steps[40] / 67108864;
    const float expected = static_cast<float>(static_cast<double>(steps[40 - j]) / kPrime);
    for (std::int32_t start : {0, -1, INT32_MIN}) {
        ResetNoiseSources();
        std::int32_t seed = start;
        EXPECT_EQ(NoiseSource1(&seed), expected) << start;
        EXPECT_EQ(seed, steps[41]) << start;
    }
}

TEST_F(NoiseSourcesTest, CombinedSourceWarmsUpThirtyThreeSteps) {
    constexpr std::int64_t kM1 = 2147483563;
    constexpr std::int64_t kM2 = 2147483399;
    // Seed 0 starts from 1 like -1; both generators start from the positive seed.
    for (const auto& [start, positive] : {std::pair{0, 1}, std::pair{-2, 2}}) {
        std::vector<std::int64_t> steps{positive};
        for (int i = 0; i < 34; ++i) {
            steps.push_back(MulMod(steps.back(), 40014, kM1));
        }
        const std::int64_t j = steps[33] / 67108862;
        std::int64_t last = steps[33 - j] - MulMod(positive, 40692, kM2);
        last += last < 1 ? 2147483562 : 0;
        ResetNoiseSources();
        std::int32_t seed = start;
        EXPECT_EQ(NoiseSource2(&seed), static_cast<float>(static_cast<double>(last) / kM1));
        EXPECT_EQ(seed, steps[34]);
    }

    // Without a negative seed it runs from its zero table and second state 123456789.
    ResetNoiseSources();
    std::int32_t seed = 5;
    const std::int64_t fromZero = 2147483562 - MulMod(123456789, 40692, kM2);
    EXPECT_EQ(NoiseSource2(&seed), static_cast<float>(static_cast<double>(fromZero) / kM1));
    EXPECT_EQ(seed, 5 * 40014);
}

TEST_F(NoiseSourcesTest, SubtractiveSourceLeavesTheLastWordOutOfItsPasses) {
    // Worked out independently from the algorithm (four passes over 1..54); the book's 55 would
    // give 33021107 for the third value.
    std::int32_t seed = -1;
    for (std::int64_t mj : {298227348, 715119168, 950102458}) {
        EXPECT_EQ(NoiseSource3(&seed), static_cast<float>(mj * 1e-9));
    }
    EXPECT_EQ(seed, 1);
}

TEST_F(NoiseSourcesTest, SubtractiveSourceInitialisesOnceFromTheSeedsDistance) {
    // Seeds at the same distance from 161803398 give the same table.
    std::int32_t seed = -(161803398 + 7);
    const float a = NoiseSource3(&seed);
    EXPECT_EQ(seed, 1);
    seed = 5; // positive: no new initialisation, the sequence goes on
    const float b = NoiseSource3(&seed);
    EXPECT_EQ(seed, 5);
    ResetNoiseSources();
    seed = 161803398 - 7; // first call initialises even with a positive seed
    EXPECT_EQ(NoiseSource3(&seed), a);
    EXPECT_EQ(NoiseSource3(&seed), b);

    // |INT32_MIN| = 2147483648, at distance 1985680250 ≡ 985680250 from the constant.
    seed = INT32_MIN;
    const float c = NoiseSource3(&seed);
    seed = -(161803398 + 985680250);
    EXPECT_EQ(NoiseSource3(&seed), c);
}

TEST_F(NoiseSourcesTest, SubtractiveSourceFollowsItsLaggedRecurrence) {
    // x[n] = x[n-55] - x[n-24] mod 1, and values are multiples of 1e-9 (exact when small).
    std::int32_t seed = -1;
    std::vector<double> x;
    int smallSeen = 0;
    for (int n = 0; n < 200000; ++n) {
        const float u = NoiseSource3(&seed);
        ASSERT_GE(u, 0.0f);
        ASSERT_LE(u, 1.0f);
        x.push_back(u);
        if (u < 0.001f) {
            const double k = static_cast<double>(u) * 1e9;
            ASSERT_NEAR(k, std::round(k), 0.1) << n;
            ++smallSeen;
        }
        if (n >= 55) {
            const double d = x[n] - x[n - 55] + x[n - 24];
            ASSERT_NEAR(d - std::round(d), 0.0, 3e-7) << n;
        }
    }
    EXPECT_GT(smallSeen, 100);
}

TEST_F(NoiseSourcesTest, EverySourceStaysInItsRange) {
    for (std::int32_t start : {-1, 0, 12345, INT32_MIN, INT32_MAX}) {
        ResetNoiseSources();
        std::int32_t s0 = start, s1 = start, s2 = start, s4 = start, s5 = start;
        for (int i = 0; i < 20000; ++i) {
            const float u0 = NoiseSource0(&s0);
            ASSERT_TRUE(u0 >= 0.0f && u0 <= 1.0f) << start;
            for (float u : {NoiseSource1(&s1), NoiseSource2(&s2)}) {
                ASSERT_TRUE(u > 0.0f && u <= 0.99999988f) << start;
            }
            for (float u : {NoiseSource4(&s4), QuickNoiseSource(&s5)}) {
                ASSERT_TRUE(u >= 0.0f && u <= 1.0f - 0x1p-23f) << start;
                ASSERT_TRUE(IsMultipleOf(u, 0x1p-23)) << start;
            }
        }
    }
}

TEST_F(NoiseSourcesTest, UnknownSelectorGivesThousandAndTouchesNothing) {
    for (std::int32_t selector : {6, -1, INT32_MIN}) {
        std::int32_t seed = -7;
        EXPECT_EQ(NoiseSource(selector, &seed), 1000.0f);
        EXPECT_FLOAT_EQ(ExpDeviation(selector, &seed), -std::log(1000.0f));
        EXPECT_EQ(seed, -7);
    }
    // The key of the pseudo-DES source was not set by the -7 above.
    std::int32_t seed = 1;
    const float withKeyZero = NoiseSource4(&seed);
    ResetNoiseSources();
    seed = 1;
    EXPECT_EQ(NoiseSource4(&seed), withKeyZero);
}

TEST_F(NoiseSourcesTest, DeviatesDrawFromTheSelectedSource) {
    // From seed 0 the quick source gives u1 = 7271263 and u2 = 5253426 (in 2^-23), an accepted
    // pair: the second Gaussian comes from the cache without a draw.
    const double u1 = 7271263 / 8388608.0;
    const double u2 = 5253426 / 8388608.0;
    const double p = 2 * u1 - 1;
    const double q = 2 * u2 - 1;
    const double fac = std::sqrt(-2 * std::log(p * p + q * q) / (p * p + q * q));
    std::int32_t seed = 0;
    EXPECT_NEAR(GaussDeviation(5, &seed), q * fac, 1e-5);
    EXPECT_EQ(seed, 1196435762);
    EXPECT_NEAR(GaussDeviation(5, &seed), p * fac, 1e-5);
    EXPECT_EQ(seed, 1196435762);
    GaussDeviation(5, &seed);
    EXPECT_NE(seed, 1196435762);

    // A value is cached now; a negative seed discards it and re-initialises the source.
    seed = -3;
    const float afterReset = GaussDeviation(4, &seed);
    EXPECT_GE(seed, 3);
    ResetNoiseSources();
    seed = -3;
    EXPECT_EQ(GaussDeviation(4, &seed), afterReset);

    seed = 0;
    EXPECT_NEAR(ExpDeviation(5, &seed), -std::log(u1), 1e-6);
}

TEST(NoiseSourceExports, NineNamesAreFoundByName) {
    const std::vector<std::pair<const char*, void*>> names = {
        {"NoiseSource0", reinterpret_cast<void*>(&NoiseSource0)},
        {"NoiseSource1", reinterpret_cast<void*>(&NoiseSource1)},
        {"NoiseSource2", reinterpret_cast<void*>(&NoiseSource2)},
        {"NoiseSource3", reinterpret_cast<void*>(&NoiseSource3)},
        {"NoiseSource4", reinterpret_cast<void*>(&NoiseSource4)},
        {"QuickNoiseSource", reinterpret_cast<void*>(&QuickNoiseSource)},
        {"NoiseSource", reinterpret_cast<void*>(&NoiseSource)},
        {"ExpDeviation", reinterpret_cast<void*>(&ExpDeviation)},
        {"GaussDeviation", reinterpret_cast<void*>(&GaussDeviation)}};
    for (const auto& [name, address] : names) {
        EXPECT_EQ(dlsym(RTLD_DEFAULT, name), address) << name;
    }
    using Selected = float (*)(std::int32_t, std::int32_t*);
    const auto select = reinterpret_cast<Selected>(dlsym(RTLD_DEFAULT, "NoiseSource"));
    ASSERT_NE(select, nullptr);
    std::int32_t seed = 0;
    select(5, &seed);
    EXPECT_EQ(seed, 1013904223);
}

TEST(RandomState, SeedIsTheNegatedTickCount) {
    InitRandomState(1234);
    EXPECT_EQ(randomSeed, -1234);
    EXPECT_EQ(randomSourceSelector, 4);
    InitRandomState(0x80000000u);
    EXPECT_EQ(randomSeed, INT32_MIN);
    InitRandomState(1);
}

} // namespace
