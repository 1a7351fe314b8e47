#include "analysis/ToneChecks.h"

#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace tonvela {
namespace {

constexpr int ORDER = 11;
constexpr int SIZE = 1 << ORDER;
constexpr double BIN_WIDTH = 2.5;

// A noise floor with a few partials of random height on random bins, so
// that the strongest level lands on and off a series from case to case.
std::vector<Complex> spectrumFor(unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    std::uniform_int_distribution<int> bin(2, SIZE / 2 - 40);
    std::uniform_real_distribution<float> height(0.1f, 4.0f);
    std::vector<Complex> x(SIZE);
    for (Complex& c : x)
        c = Complex{noise(random), noise(random)};
    for (int i = 0; i < 6; ++i) {
        const int k = bin(random);
        x[k] = Complex{height(random), -height(random)};
    }
    return x;
}

// The strongest three-bin power between lowest and highest, found by
// summing each bin's neighbours anew.
bool strongestOnSeriesPlain(const std::vector<Complex>& x, double reading, double lowest,
                            double highest) {
    const auto power = [&](int k) {
        return static_cast<double>(x[k].re) * x[k].re + static_cast<double>(x[k].im) * x[k].im;
    };
    const int from = std::max(1, static_cast<int>(std::ceil(lowest / BIN_WIDTH)));
    const int to = std::min(SIZE / 2 - 1, static_cast<int>(std::floor(highest / BIN_WIDTH)));
    int strongest = -1;
    double strongestLevel = 0.0;
    for (int k = from; k <= to; ++k) {
        const double level = power(k - 1) + power(k) + power(k + 1);
        if (level > strongestLevel) {
            strongestLevel = level;
            strongest = k;
        }
    }
    if (strongest < 0)
        return true;
    const double frequency = strongest * BIN_WIDTH;
    const double multiple = std::round(frequency / reading);
    if (multiple < 1.0)
        return false;
    const double partial = multiple * reading;
    const double tolerance = partial * (std::pow(2.0, 30.0 / 1200.0) - 1.0) + 1.5 * BIN_WIDTH;
    return std::fabs(frequency - partial) <= tolerance;
}

TEST(ToneChecksTest, StrongestOnSeriesAsThePlainSums) {
    int onSeries = 0, offSeries = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const std::vector<Complex> x = spectrumFor(seed);
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> reading(20.0, 600.0);
        const double r = reading(random);
        // Ranges from empty and one bin wide to the whole spectrum.
        for (const auto& [lowest, highest] :
             {std::pair{0.4 * r, 0.45 * SIZE * BIN_WIDTH}, std::pair{0.0, 1e9}, std::pair{r, r},
              std::pair{r + 10.0, r}}) {
            const bool expected = strongestOnSeriesPlain(x, r, lowest, highest);
            EXPECT_EQ(expected,
                      ToneChecks::strongestOnSeries(x.data(), SIZE, BIN_WIDTH, r, lowest, highest))
                << "seed " << seed;
            (expected ? onSeries : offSeries)++;
        }
    }
    // The cases show both answers.
    EXPECT_GT(onSeries, 50);
    EXPECT_GT(offSeries, 50);
}

// The partial's envelope is the inverse transform of its bins alone, every
// other bin cleared: bit for bit the signal of clearing them one by one.
TEST(ToneChecksTest, PartialEnvelopeKeepsOnlyThePartialsBins) {
    const FFT fft(ORDER);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::vector<Complex> x = spectrumFor(seed);
        std::vector<Complex> expected = x;
        const double reading = 100.0 + seed * 7.0;
        ToneChecks::partialEnvelopeSteady(x.data(), SIZE, BIN_WIDTH, reading,
                                          0.45 * SIZE * BIN_WIDTH, fft);
        // The strongest bin near the first four partials, and 24 bins each side.
        int centre = -1;
        double centreLevel = 0.0;
        for (int k = 1; k <= 4; ++k) {
            const double at = k * reading / BIN_WIDTH;
            for (int b = std::max(1, static_cast<int>(std::floor(at - 0.5 * k - 1.0)));
                 b <= static_cast<int>(std::ceil(at + 0.5 * k + 1.0)); ++b) {
                const double level = static_cast<double>(expected[b].re) * expected[b].re +
                                     static_cast<double>(expected[b].im) * expected[b].im;
                if (level > centreLevel) {
                    centreLevel = level;
                    centre = b;
                }
            }
        }
        ASSERT_GE(centre, 0);
        for (int k = 0; k < SIZE; ++k)
            if (k < std::max(1, centre - 24) || k > centre + 24)
                expected[k] = Complex{};
        fft.inverse(expected.data());
        EXPECT_EQ(0, std::memcmp(expected.data(), x.data(), SIZE * sizeof(Complex)))
            << "seed " << seed;
    }
}

} // namespace
} // namespace tonvela
