#include "analysis/ToneChecks.h"

#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
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

// The verdict as it is defined: every modulus by std::hypot, summed in turn.
bool envelopeSteadyPlain(const std::vector<Complex>& x) {
    const int size = static_cast<int>(x.size());
    const int edge = size / 16;
    const int length = (size - 2 * edge) / 16;
    if (length < 1)
        return true;
    double levels[16];
    double strongest = 0.0;
    for (int s = 0; s < 16; ++s) {
        double sum = 0.0;
        for (int i = edge + s * length; i < edge + (s + 1) * length; ++i)
            sum += std::hypot(static_cast<double>(x[i].re), static_cast<double>(x[i].im));
        levels[s] = sum / length;
        strongest = std::max(strongest, levels[s]);
    }
    if (!(strongest > 0.0))
        return false;
    double weakestSoFar = levels[0];
    for (int s = 0; s < 16; ++s) {
        if (levels[s] < 0.25 * strongest || levels[s] > 1.5 * weakestSoFar)
            return false;
        weakestSoFar = std::min(weakestSoFar, levels[s]);
    }
    return true;
}

// A tone's envelope with noise on it, scaled by shape(t) for t from 0 to 1.
template <typename Shape> std::vector<Complex> envelope(int size, unsigned seed, Shape shape) {
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.05f);
    std::uniform_real_distribution<float> phase(0.0f, 6.2831853f);
    std::vector<Complex> x(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        const float level =
            static_cast<float>(shape(static_cast<double>(i) / size)) + noise(random);
        const float angle = phase(random);
        x[static_cast<std::size_t>(i)] = Complex{level * std::cos(angle), level * std::sin(angle)};
    }
    return x;
}

TEST(ToneChecksTest, EnvelopeVerdictAsWithEveryModulusByHypot) {
    int steady = 0, unsteady = 0;
    // Sizes whose segments are even and odd in length; shapes from steady and
    // slowly dying to struck, ended and begun, with the limits' neighbourhood
    // (a rise to 1.5 times, a fall to a quarter) crossed in small steps.
    for (const int size : {2048, 16384, 1000}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            const double step = 0.45 + 0.0025 * seed;
            const std::vector<std::vector<Complex>> cases = {
                envelope(size, seed, [](double) { return 1.0; }),
                envelope(size, seed, [](double t) { return std::exp(-t); }),
                envelope(size, seed, [&](double t) { return t < 0.5 ? 1.0 : 1.0 + step; }),
                envelope(size, seed, [&](double t) { return t < 0.5 ? 1.0 : step - 0.25; }),
                envelope(size, seed, [](double t) { return t < 0.3 ? 0.0 : 1.0; }),
            };
            for (const std::vector<Complex>& x : cases) {
                const bool expected = envelopeSteadyPlain(x);
                EXPECT_EQ(expected, ToneChecks::envelopeSteady(x.data(), size))
                    << "size " << size << " seed " << seed;
                (expected ? steady : unsteady)++;
            }
        }
    }
    EXPECT_GT(steady, 100);
    EXPECT_GT(unsteady, 100);
}

// Levels exactly at a limit, where the quick moduli cannot settle the
// verdict, and ones that cannot be summed.
TEST(ToneChecksTest, EnvelopeVerdictAtTheLimitsAndOnBadValues) {
    constexpr int size = 2048;
    constexpr int edge = size / 16;
    constexpr int length = (size - 2 * edge) / 16;
    // Every modulus 5 (3, 4), the segments from the given one on scaled by k.
    const auto twoLevels = [](int from, float k) {
        std::vector<Complex> x(size, Complex{3.0f, 4.0f});
        for (int i = edge + from * length; i < size; ++i)
            x[static_cast<std::size_t>(i)] = Complex{3.0f * k, 4.0f * k};
        return x;
    };
    const float riseAbove = std::nextafter(1.5f, 2.0f);
    const float fallBelow = std::nextafter(0.25f, 0.0f);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<Complex> signal;
        bool steady;
    };
    std::vector<Complex> withNan = twoLevels(0, 1.0f);
    withNan[size / 2] = Complex{nan, 1.0f};
    std::vector<Complex> withInf = twoLevels(0, 1.0f);
    withInf[size / 2] = Complex{1.0f, -inf};
    const std::vector<Complex> silent(size);
    const Case cases[] = {
        {"rise to exactly 1.5 times", twoLevels(8, 1.5f), true},
        {"rise just above 1.5 times", twoLevels(8, riseAbove), false},
        {"fall to exactly a quarter", twoLevels(8, 0.25f), true},
        {"fall just below a quarter", twoLevels(8, fallBelow), false},
        {"a NaN", withNan, envelopeSteadyPlain(withNan)},
        {"an infinite value", withInf, envelopeSteadyPlain(withInf)},
        {"silence", silent, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.steady, envelopeSteadyPlain(c.signal)) << c.name;
        EXPECT_EQ(c.steady, ToneChecks::envelopeSteady(c.signal.data(), size)) << c.name;
    }
}

} // namespace
} // namespace tonvela
