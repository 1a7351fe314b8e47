#include "analysis/WideSearch.h"

#include "analysis/AnalysisResultIfc.h"
#include "audio/CaptureDriver.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

// About 11 kHz after decimation, 16384 values: 1.5 s of sound, bins 0.67 Hz
// apart, under a tenth of a semitone from C2 up.
constexpr double WIDE_RATE = 11025.0;
constexpr int ORDER = 14;
constexpr double LOWEST_FUNDAMENTAL = 16.0;
constexpr double HIGHEST_PARTIAL = 0.45; // of the decimated rate
constexpr int MULTIPLES = 8;
constexpr int DIVISORS = 6;
// A lower fundamental is taken when its series explains this share of what
// the best one explains: its own partials, not only those of a higher one.
constexpr double EXPLAINED_SHARE = 0.8;
// The strongest partial must stand this far above the mean level: noise
// has no such peak.
constexpr double ABOVE_MEAN = 20.0;

} // namespace

WideSearch::WideSearch() = default;

WideSearch::~WideSearch() = default;

double WideSearch::seriesStrength(double f0) const {
    double sum = 0.0;
    for (int m = 1; m <= MULTIPLES; ++m) {
        const double at = m * f0 / binWidth;
        if (at + 2.0 >= HIGHEST_PARTIAL * size)
            break;
        const int from = std::max(1, static_cast<int>(std::floor(at - 1.0)));
        const int to = static_cast<int>(std::ceil(at + 1.0));
        double strongest = 0.0;
        for (int k = from; k <= to; ++k)
            strongest = std::max(strongest, amplitudes[k]);
        sum += strongest;
    }
    return sum;
}

float WideSearch::find(CaptureDriver& driver) {
    const float rate = driver.sampleRate();
    if (!(rate > 0.0f))
        return 0.0f;
    const int stride = std::max(1, static_cast<int>(std::lround(rate / WIDE_RATE)));
    size = 1 << ORDER;
    if (static_cast<long long>(size) * stride + driver.getBufferBytes() > driver.getRingLength())
        return 0.0f;
    if (!fft)
        fft = std::make_unique<FFT>(ORDER);
    samples.resize(static_cast<std::size_t>(size));
    amplitudes.resize(static_cast<std::size_t>(size / 2));
    driver.readStrided(samples.data(), size, stride);
    if (driver.lastReadLostInput())
        return 0.0f;
    // A Hann window keeps the leakage of strong low partials off the weak
    // high ones.
    for (int i = 0; i < size; ++i)
        samples[i].re *= static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * i / size));
    fft->forward(samples.data());
    binWidth = rate / stride / size;
    double mean = 0.0;
    for (int k = 0; k < size / 2; ++k) {
        amplitudes[k] = std::hypot(static_cast<double>(samples[k].re), samples[k].im);
        mean += amplitudes[k];
    }
    mean /= size / 2;

    // The strongest partial, placed between bins by a parabola.
    const int from = std::max(2, static_cast<int>(std::ceil(LOWEST_FUNDAMENTAL / binWidth)));
    const int to = static_cast<int>(HIGHEST_PARTIAL * size) - 2;
    int peak = -1;
    for (int k = from; k <= to; ++k)
        if (peak < 0 || amplitudes[k] > amplitudes[peak])
            peak = k;
    if (peak < 0 || !(amplitudes[peak] > ABOVE_MEAN * mean))
        return 0.0f;
    const double a = amplitudes[peak - 1], b = amplitudes[peak], c = amplitudes[peak + 1];
    const double denominator = a - 2.0 * b + c;
    const double offset = denominator < 0.0 ? 0.5 * (a - c) / denominator : 0.0;
    const double partial = (peak + offset) * binWidth;

    double strengths[DIVISORS + 1] = {};
    double best = 0.0;
    for (int k = 1; k <= DIVISORS && partial / k >= LOWEST_FUNDAMENTAL; ++k) {
        strengths[k] = seriesStrength(partial / k);
        best = std::max(best, strengths[k]);
    }
    int divisor = 0;
    for (int k = 1; k <= DIVISORS && divisor == 0; ++k)
        if (strengths[k] > 0.0 && strengths[k] >= EXPLAINED_SHARE * best)
            divisor = k;
    if (divisor == 0)
        return 0.0f;
    return static_cast<float>(partial / divisor);
}

void WideSearch::markPlayed(AnalysisResultIfc& result, CaptureDriver& driver) {
    if (!result.isValid())
        result.setPlayedFrequency(find(driver));
}

} // namespace tonvela
