#include "analysis/ToneChecks.h"

#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
// Quick levels below this may hold moduli lost to underflow.
constexpr double QUICK_FLOOR = 0x1p-40;

// The mean modulus of each of the SEGMENTS runs of length values from signal,
// as the verdict has always been made: each modulus by std::hypot.
void exactLevels(const Complex* signal, int length, double* levels) {
    for (int s = 0; s < SEGMENTS; ++s) {
        double sum = 0.0;
        for (int i = s * length; i < (s + 1) * length; ++i)
            sum += std::hypot(static_cast<double>(signal[i].re), static_cast<double>(signal[i].im));
        levels[s] = sum / length;
    }
}

// The same with each modulus the square root of the sum of squares in float,
// four at a time: within three units in the last place of a float of the
// exact one, short of overflow (an infinite level) and underflow (which
// reaches only moduli under 2^-60 or so, nothing beside the levels a tone
// gives).
void quickLevels(const Complex* signal, int length, double* levels) {
    for (int s = 0; s < SEGMENTS; ++s) {
        const Complex* run = signal + s * length;
        double sum = 0.0;
        int i = 0;
#ifdef __SSE2__
        __m128d low = _mm_setzero_pd();
        __m128d high = _mm_setzero_pd();
        for (; i + 4 <= length; i += 4) {
            const __m128 a = _mm_loadu_ps(&run[i].re);
            const __m128 b = _mm_loadu_ps(&run[i + 2].re);
            const __m128 re = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
            const __m128 im = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
            const __m128 modulus = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(re, re), _mm_mul_ps(im, im)));
            low = _mm_add_pd(low, _mm_cvtps_pd(modulus));
            high = _mm_add_pd(high, _mm_cvtps_pd(_mm_movehl_ps(modulus, modulus)));
        }
        double lanes[2];
        _mm_storeu_pd(lanes, _mm_add_pd(low, high));
        sum = lanes[0] + lanes[1];
#endif
        for (; i < length; ++i)
            sum += std::sqrt(run[i].re * run[i].re + run[i].im * run[i].im);
        levels[s] = sum / length;
    }
}

// Whether a < b; with slack, -1 where they lie within that share of the
// larger one of each other, so that levels off by less may decide otherwise.
int below(double a, double b, double slack) {
    if (slack > 0.0 && std::fabs(a - b) <= slack * std::max(a, b))
        return -1;
    return a < b ? 1 : 0;
}

// Steady when no segment climbs well above a weaker one before it or falls
// to a small share of the strongest; with slack, none where a comparison is
// that close to its limit.
std::optional<bool> verdict(const double* levels, double slack) {
    double strongest = 0.0;
    for (int s = 0; s < SEGMENTS; ++s)
        strongest = std::max(strongest, levels[s]);
    if (!(strongest > 0.0))
        return false;
    double weakestSoFar = levels[0];
    for (int s = 0; s < SEGMENTS; ++s) {
        const int ended = below(levels[s], FLOOR_SHARE * strongest, slack);
        const int struck = below(RISE_LIMIT * weakestSoFar, levels[s], slack);
        if (ended == 1 || struck == 1)
            return false;
        if (ended < 0 || struck < 0)
            return std::nullopt;
        weakestSoFar = std::min(weakestSoFar, levels[s]);
    }
    return true;
}

} // namespace

bool ToneChecks::envelopeSteady(const Complex* signal, int size) {
    const int edge = size / 16;
    const int length = (size - 2 * edge) / SEGMENTS;
    if (length < 1)
        return true;
    double levels[SEGMENTS];
    // The quick levels differ from the exact ones by a few units in the last
    // place of a float, and of a double per value summed; a verdict that this
    // much cannot turn is theirs.
    quickLevels(signal + edge, length, levels);
    const double slack = 8.0 * std::numeric_limits<float>::epsilon() +
                         4.0 * (length + 8) * std::numeric_limits<double>::epsilon();
    if (std::all_of(levels, levels + SEGMENTS,
                    [](double level) { return std::isfinite(level) && level >= QUICK_FLOOR; }))
        if (const std::optional<bool> steady = verdict(levels, slack))
            return *steady;
    exactLevels(signal + edge, length, levels);
    return *verdict(levels, 0.0);
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
    // The bins outside the band count as zero; only moduli are read, so a
    // zero of the other sign makes no difference.
    fft.inverseBand(spectrum, from, std::min(to, size - 1));
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
