#include "analysis/ToneChecks.h"

#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

constexpr int SEGMENTS = 16;
// Bins on each side of a partial that carry its envelope: enough that a
// strike every tenth of the window still shows as a rise.
constexpr int ENVELOPE_BINS = 24;
// A segment this much above the weakest one before it is a new strike or a
// start; a slow vibrato or noise moves the envelope by a few per cent.
constexpr double RISE_LIMIT = 1.5;
// A segment below this share of the strongest is a tone that ended or had
// not begun; a strike dying away loses far less within one window.
constexpr double FLOOR_SHARE = 0.25;
// How far a partial may lie from a multiple of the reading: inharmonic
// strings and a reading one grid step off stay well within it.
constexpr double SERIES_CENTS = 30.0;
constexpr double SERIES_BINS = 1.5;

} // namespace

bool ToneChecks::envelopeSteady(const Complex* signal, int size) {
    const int edge = size / 16;
    const int length = (size - 2 * edge) / SEGMENTS;
    if (length < 1)
        return true;
    double levels[SEGMENTS];
    double strongest = 0.0;
    for (int s = 0; s < SEGMENTS; ++s) {
        double sum = 0.0;
        for (int i = edge + s * length; i < edge + (s + 1) * length; ++i)
            sum += std::hypot(static_cast<double>(signal[i].re), static_cast<double>(signal[i].im));
        levels[s] = sum / length;
        strongest = std::max(strongest, levels[s]);
    }
    if (!(strongest > 0.0))
        return false;
    double weakestSoFar = levels[0];
    for (int s = 0; s < SEGMENTS; ++s) {
        if (levels[s] < FLOOR_SHARE * strongest || levels[s] > RISE_LIMIT * weakestSoFar)
            return false;
        weakestSoFar = std::min(weakestSoFar, levels[s]);
    }
    return true;
}

bool ToneChecks::partialEnvelopeSteady(Complex* spectrum, int size, double binWidth, double reading,
                                       double highest, const FFT& fft) {
    if (!(binWidth > 0.0) || !(reading > 0.0))
        return true;
    int centre = -1;
    double centreLevel = 0.0;
    for (int k = 1; k <= 4; ++k) {
        const double at = k * reading / binWidth;
        if (!(at + ENVELOPE_BINS < highest / binWidth) || !(at + ENVELOPE_BINS < size / 2))
            break;
        const int from = std::max(1, static_cast<int>(std::floor(at - 0.5 * k - 1.0)));
        const int to = static_cast<int>(std::ceil(at + 0.5 * k + 1.0));
        for (int b = from; b <= to; ++b) {
            const double level = static_cast<double>(spectrum[b].re) * spectrum[b].re +
                                 static_cast<double>(spectrum[b].im) * spectrum[b].im;
            if (level > centreLevel) {
                centreLevel = level;
                centre = b;
            }
        }
    }
    if (centre < 0)
        return true;
    const int from = std::max(1, centre - ENVELOPE_BINS);
    const int to = centre + ENVELOPE_BINS;
    std::fill(spectrum, spectrum + std::min(from, size), Complex{});
    if (to + 1 < size)
        std::fill(spectrum + to + 1, spectrum + size, Complex{});
    fft.inverse(spectrum);
    return envelopeSteady(spectrum, size);
}

bool ToneChecks::strongestOnSeries(const Complex* spectrum, int size, double binWidth,
                                   double reading, double lowest, double highest) {
    if (!(binWidth > 0.0) || !(reading > 0.0))
        return true;
    const int from = std::max(1, static_cast<int>(std::ceil(lowest / binWidth)));
    const int to = std::min(size / 2 - 1, static_cast<int>(std::floor(highest / binWidth)));
    // A partial's strength is the power of its bin and the two beside it: a
    // partial halfway between two bins shows only 0.64 of its height in
    // either, and would lose against a weaker one that sits on a bin.
    const auto power = [&](int k) {
        return static_cast<double>(spectrum[k].re) * spectrum[k].re +
               static_cast<double>(spectrum[k].im) * spectrum[k].im;
    };
    int strongest = -1;
    double strongestLevel = 0.0;
    // Each bin's power once, carried along for the sums it takes part in.
    double below = from <= to ? power(from - 1) : 0.0;
    double at = from <= to ? power(from) : 0.0;
    for (int k = from; k <= to; ++k) {
        const double above = power(k + 1);
        const double level = below + at + above;
        below = at;
        at = above;
        if (level > strongestLevel) {
            strongestLevel = level;
            strongest = k;
        }
    }
    if (strongest < 0)
        return true;
    const double frequency = strongest * binWidth;
    const double multiple = std::round(frequency / reading);
    if (multiple < 1.0)
        return false;
    const double partial = multiple * reading;
    const double tolerance =
        partial * (std::pow(2.0, SERIES_CENTS / 1200.0) - 1.0) + SERIES_BINS * binWidth;
    return std::fabs(frequency - partial) <= tolerance;
}

} // namespace tonvela
