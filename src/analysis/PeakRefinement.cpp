#include "analysis/PeakRefinement.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

// The neighbours of the top must stand this many times above the mean level
// of the curve; closer to the noise, the noise shapes the top.
constexpr double NOISE_MARGIN = 4.0;
// A second peak, beyond the dips around the top and within a quarter of the
// grid's span from it, with this share of the top's level is a second tone,
// whose tails pull the top aside. (Further out lie the images the folding
// makes of a harmonic tone's partials, two hundred cents below it and more.)
constexpr double SECOND_TONE = 0.5;
// Where the levels two steps from the top still have this share of it, the
// top is broad enough to be two tones close together. One tone's top, even
// summed over passes of different lengths, is curved two steps out at most
// about a tenth more than near it, and the points two steps out put the top
// within about a tenth of a step of where the nearest ones do; a flat top
// (two tones just unresolved) is curved far less near its middle, and a
// lopsided one puts the two tops apart. (A narrower peak reaches its first
// zero within two steps, where no parabola fits.)
constexpr double BROAD_TOP = 0.5;
constexpr double CURVATURE_RATIO = 1.5;
constexpr double TOP_AGREEMENT = 0.25;

// The vertex of the parabola through (-1, a), (0, b), (1, c), b the highest.
double vertex(double a, double b, double c) {
    return 0.5 * (c - a) / (2.0 * b - a - c);
}

// Bin k of the window weighted by 0.5 - 0.5 cos(2 pi n / N).
struct HannBin {
    double re;
    double im;
    double level() const { return std::hypot(re, im); }
};

HannBin hannBin(const Complex* spectrum, int k) {
    const Complex& below = spectrum[k - 1];
    const Complex& at = spectrum[k];
    const Complex& above = spectrum[k + 1];
    return {0.5 * at.re - 0.25 * (static_cast<double>(below.re) + above.re),
            0.5 * at.im - 0.25 * (static_cast<double>(below.im) + above.im)};
}

} // namespace

double PeakRefinement::binTop(const Complex* spectrum, int size, double centre) {
    if (!(centre >= 3.0 && centre < size / 2 - 3))
        return NAN;
    const int lower = static_cast<int>(centre);
    const HannBin first = hannBin(spectrum, lower), second = hannBin(spectrum, lower + 1);
    const int k = second.level() > first.level() ? lower + 1 : lower;
    const HannBin at = k == lower ? first : second;
    const HannBin below = hannBin(spectrum, k - 1), above = hannBin(spectrum, k + 1);
    const double top = at.level();
    if (!(top > 0.0 && top >= below.level() && top >= above.level()))
        return NAN;
    // One tone delta bins from k towards its stronger neighbour gives that
    // neighbour -(1 + delta) / (2 - delta) times bin k. Taken from the bins
    // themselves rather than their levels, noise adds to the ratio as much
    // as it takes away; a neighbour in phase with bin k is no tone's flank.
    const bool up = above.level() >= below.level();
    const HannBin& next = up ? above : below;
    const double ratio = -(next.re * at.re + next.im * at.im) / (top * top);
    if (!(ratio > 0.0))
        return NAN;
    const double delta = (2.0 * ratio - 1.0) / (1.0 + ratio);
    return k + (up ? delta : -delta);
}

bool PeakRefinement::hasSecondTone(const float* levels, int count, int peak) {
    if (peak < 0 || peak >= count)
        return false;
    int from = peak, to = peak;
    while (from > 0 && levels[from - 1] <= levels[from])
        --from;
    while (to < count - 1 && levels[to + 1] <= levels[to])
        ++to;
    const int reach = count / 4;
    float second = 0.0f;
    for (int j = std::max(0, peak - reach); j <= std::min(count - 1, peak + reach); ++j)
        if (j < from || j > to)
            second = std::max(second, levels[j]);
    return !(second < SECOND_TONE * levels[peak]);
}

float PeakRefinement::offsetAt(const float* levels, int count, int peak) {
    if (peak < 2 || peak > count - 3)
        return 0.0f;
    const double l2 = levels[peak - 2], l1 = levels[peak - 1], top = levels[peak];
    const double r1 = levels[peak + 1], r2 = levels[peak + 2];
    // One peak falls on both sides; a level as high as the top's beside it
    // is a flat top.
    if (!(l2 > 0.0 && r2 > 0.0 && l2 < l1 && l1 < top && r2 < r1 && r1 < top))
        return 0.0f;
    double sum = 0.0;
    for (int j = 0; j < count; ++j)
        sum += levels[j];
    if (!(std::min(l1, r1) > NOISE_MARGIN * sum / count))
        return 0.0f;
    if (hasSecondTone(levels, count, peak))
        return 0.0f;
    const double a1 = std::log(l1), b = std::log(top), c1 = std::log(r1);
    const double near = vertex(a1, b, c1);
    if (std::min(l2, r2) > BROAD_TOP * top) {
        const double a2 = std::log(l2), c2 = std::log(r2);
        // Curvatures per step squared.
        const double nearCurvature = 2.0 * b - a1 - c1;
        const double wideCurvature = (2.0 * b - a2 - c2) / 4.0;
        const double wide = 2.0 * vertex(a2, b, c2);
        if (!(wideCurvature <= CURVATURE_RATIO * nearCurvature &&
              std::fabs(wide - near) <= TOP_AGREEMENT))
            return 0.0f;
    }
    return static_cast<float>(near);
}

} // namespace tonvela
