#include "analysis/HarmonicFolding.h"

#include "state/DataStructure.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tonvela {
namespace {

constexpr int N = 72; // whole groups for every factor

std::vector<Complex> ramp() {
    // Distinct, non-linear values so that an interpolation on the wrong pair
    // of samples shows.
    std::vector<Complex> x(N);
    for (int i = 0; i < N; ++i)
        x[i] = Complex{static_cast<float>((i * 7) % 11) + 0.25f * i, 3.0f};
    return x;
}

std::vector<Complex> fold(const std::vector<Complex>& x, std::initializer_list<int> set) {
    bool flags[6] = {};
    for (int f : set)
        flags[f] = true;
    std::vector<Complex> y(x.size(), Complex{5.0f, 5.0f});
    foldHarmonics(x.data(), y.data(), static_cast<int>(x.size()), flags);
    return y;
}

TEST(HarmonicFolding, AllFlagsClearGiveZeros) {
    for (const Complex& c : fold(ramp(), {})) {
        EXPECT_EQ(c.re, 0.0f);
        EXPECT_EQ(c.im, 0.0f);
    }
}

TEST(HarmonicFolding, FactorOneIsTheRealInput) {
    const auto x = ramp();
    const auto y = fold(x, {0});
    for (int j = 0; j < N; ++j) {
        EXPECT_EQ(y[j].re, x[j].re) << j;
        EXPECT_EQ(y[j].im, 0.0f) << j;
    }
}

TEST(HarmonicFolding, FactorTwoHalvesBetweenSamples) {
    const auto x = ramp();
    const auto y = fold(x, {2});
    for (int m = 0; m < N / 2; ++m) {
        EXPECT_EQ(y[2 * m].re, x[m].re) << m;
        EXPECT_FLOAT_EQ(y[2 * m + 1].re, (x[m].re + x[m + 1].re) / 2) << m;
    }
}

// Output j of factor q interpolates the input at j / q.
TEST(HarmonicFolding, EachFactorInterpolatesAtItsPosition) {
    struct Case {
        int flag;
        int outputs;
        int inputs;
    };
    const Case cases[] = {{1, 3, 2}, {2, 2, 1}, {3, 9, 4}, {4, 3, 1}, {5, 4, 1}};
    const auto x = ramp();
    for (const Case& c : cases) {
        const auto y = fold(x, {c.flag});
        for (int j = 0; j < N; ++j) {
            const int m = j * c.inputs / c.outputs;
            const int rest = j * c.inputs % c.outputs;
            const double phi = static_cast<double>(rest) / c.outputs;
            const double expected = rest == 0 ? x[m].re : (1.0 - phi) * x[m].re + phi * x[m + 1].re;
            EXPECT_NEAR(y[j].re, expected, 2e-5 * std::abs(expected) + 1e-6)
                << "factor " << HARMONIC_FACTORS[c.flag] << " output " << j;
            EXPECT_EQ(y[j].im, 0.0f);
        }
    }
}

TEST(HarmonicFolding, NineOutputsOfFactorTwoAndAQuarter) {
    std::vector<Complex> x(N);
    for (int i = 0; i < N; ++i)
        x[i].re = static_cast<float>(i * i % 13);
    const auto y = fold(x, {3});
    for (int g = 0; g < 7; ++g) {
        auto at = [&](int i) { return x[4 * g + i].re; };
        const float expected[9] = {
            at(0),
            (5 * at(0) + 4 * at(1)) / 9,
            (at(0) + 8 * at(1)) / 9,
            (2 * at(1) + at(2)) / 3,
            (7 * at(2) + 2 * at(1)) / 9,
            (7 * at(2) + 2 * at(3)) / 9,
            (at(2) + 2 * at(3)) / 3,
            (8 * at(3) + at(4)) / 9,
            (4 * at(3) + 5 * at(4)) / 9,
        };
        for (int r = 0; r < 9; ++r)
            EXPECT_NEAR(y[9 * g + r].re, expected[r], 1e-5f) << g << " " << r;
    }
}

TEST(HarmonicFolding, SelectedCopiesAddWithEqualWeight) {
    const auto x = ramp();
    const auto all = fold(x, {0, 1, 2, 3, 4, 5});
    std::vector<double> sum(N, 0.0);
    for (int f = 0; f < 6; ++f) {
        const auto y = fold(x, {f});
        for (int j = 0; j < N; ++j)
            sum[j] += y[j].re;
    }
    for (int j = 0; j < N; ++j)
        EXPECT_NEAR(all[j].re, sum[j], 1e-4) << j;
}

// A window whose length is not a whole number of groups still reads only
// inside the window.
TEST(HarmonicFolding, OddLengthsStayInsideTheWindow) {
    for (int n : {8, 13, 17}) {
        std::vector<Complex> x(n, Complex{1.0f, 0.0f});
        bool flags[6] = {true, true, true, true, true, true};
        std::vector<Complex> y(n);
        foldHarmonics(x.data(), y.data(), n, flags);
        for (int j = 0; j < n; ++j)
            EXPECT_FLOAT_EQ(y[j].re, 6.0f) << n << " " << j;
    }
}

// The folding as the sum of its copies, each added in full to the output in
// the factors' order from +0: what the one-pass folding must give bit for bit.
std::vector<Complex> foldCopyByCopy(const std::vector<Complex>& x, const bool flags[6]) {
    struct Pattern {
        int outputs;
        int inputs;
        float unit;
    };
    const Pattern patterns[6] = {{1, 1, 1.0f},        {3, 2, 0.33333334f}, {2, 1, 0.5f},
                                 {9, 4, 0.11111111f}, {3, 1, 0.33333334f}, {4, 1, 0.25f}};
    const int n = static_cast<int>(x.size());
    std::vector<Complex> y(x.size(), Complex{});
    for (int f = 0; f < 6; ++f) {
        if (!flags[f])
            continue;
        const Pattern& p = patterns[f];
        for (int j = 0; j < n; ++j) {
            // Output j reads the input at j / q.
            const int m = j * p.inputs / p.outputs;
            const int numerator = j * p.inputs % p.outputs;
            const float upper = static_cast<float>(numerator) * p.unit;
            const float value =
                numerator == 0 ? x[m].re : (1.0f - upper) * x[m].re + upper * x[m + 1].re;
            y[j].re += value;
        }
    }
    return y;
}

TEST(HarmonicFolding, EveryFlagSetMatchesTheCopyByCopySumExactly) {
    std::uint32_t state = 99;
    for (const int n : {1, 2, 35, 36, 37, 72, 100, 1024, 4099}) {
        std::vector<Complex> x(static_cast<std::size_t>(n));
        for (Complex& c : x) {
            state = state * 1664525u + 1013904223u;
            // Signed values of many magnitudes, and zeros of both signs.
            const int raw = static_cast<int>(state >> 8) - (1 << 23);
            c = Complex{raw % 97 == 0 ? (raw < 0 ? -0.0f : 0.0f)
                                      : std::ldexp(static_cast<float>(raw), (raw & 31) - 30),
                        1.0f};
        }
        for (int mask = 0; mask < 64; ++mask) {
            bool flags[6];
            for (int f = 0; f < 6; ++f)
                flags[f] = (mask >> f & 1) != 0;
            const std::vector<Complex> expected = foldCopyByCopy(x, flags);
            std::vector<Complex> y(x.size(), Complex{5.0f, 5.0f});
            foldHarmonics(x.data(), y.data(), n, flags);
            for (int j = 0; j < n; ++j) {
                ASSERT_EQ(std::bit_cast<std::uint32_t>(y[j].re),
                          std::bit_cast<std::uint32_t>(expected[j].re))
                    << "n " << n << " flags " << mask << " output " << j;
                ASSERT_EQ(std::bit_cast<std::uint32_t>(y[j].im), 0u);
            }
        }
    }
}

TEST(HarmonicFolding, ReadsTheFlagsOfTheCentralState) {
    MeasurementSettings settings;
    settings.setHarmonicsMask(0b000100); // 2.0 only
    DataStructure::getInstance().setMeasurementSettings(settings);
    const auto x = ramp();
    std::vector<Complex> y(N);
    foldHarmonics(x.data(), y.data(), N);
    const auto expected = fold(x, {2});
    for (int j = 0; j < N; ++j)
        EXPECT_EQ(y[j].re, expected[j].re) << j;
    DataStructure::destroyInstance();
}

} // namespace
} // namespace tonvela
