#pragma once

#include "runtime/Complex.h"

namespace tonvela {

// Where the top of a level curve lies between its grid points. Near its top
// the peak the grid samples (the window's transform, folded over the
// harmonics and summed over passes of different lengths) is close to a
// Gaussian, whose logarithm is a parabola: the parabola through the
// logarithms of the strongest level and its two neighbours finds the top
// to about a hundredth of a step.
class PeakRefinement {
public:
    // The top's offset from grid point peak, in grid steps (-0.5 .. 0.5), or
    // 0 where the levels do not show one smooth peak of one tone there: at
    // the grid's edge, on a flat or lopsided top, beside a second strong
    // peak (two tones), or too close to the noise.
    static float offsetAt(const float* levels, int count, int peak);
    // Whether another peak beyond the dips around the top, within a quarter
    // of the grid's span, reaches half the top's level: two tones in one
    // window (a retune, another note), whose mix puts the top between them.
    static bool hasSecondTone(const float* levels, int count, int peak);
    // Where the top of one tone lies in the transform of a window (size
    // bins, unwindowed), in bins, near bin position centre; NaN where no top
    // is there. The window is weighted with a Hann window on the bins
    // themselves, whose tails fall so fast that neighbouring peaks (the
    // folding's images, the partials the decimation mirrors next to the
    // tone) hardly pull the top; its two strongest bins put the top where it
    // is for one tone.
    static double binTop(const Complex* spectrum, int size, double centre);
};

} // namespace tonvela
