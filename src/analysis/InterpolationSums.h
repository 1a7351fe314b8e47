#pragma once

#include "runtime/Complex.h"

namespace tonvela {

// The sums behind a level between the bins of a spectrum: for a position
// with tan(pi fraction / N) = t, sum over m of X[m] (cot - i) with
// cot = (1 + tm t) / (tm - t), where tm = tan(pi m / N) and X[m] is the bin
// m places from the one below the position. Each sum takes the same
// operations in the same order whatever the kernel, so every kernel gives
// the same bits; the vector kernels only work on several positions at once.
struct InterpolationSums {
    // The bins X[first] .. X[first + count - 1] are read for tangents[0 ..
    // count - 1]; first is negative (the bins below the position).
    static constexpr int first = -15;
    static constexpr int count = 32;

    // One position: bins points at its bin below the position.
    static void one(const Complex* bins, double t, const double* tangents, double& re, double& im);
    // Two positions in SSE2 lanes.
    static void two(const Complex* const bins[2], const double t[2], const double* tangents,
                    double re[2], double im[2]);
    // Four positions in AVX lanes; only where the processor has AVX.
    static void four(const Complex* const bins[4], const double t[4], const double* tangents,
                     double re[4], double im[4]);
    static bool hasFour();
};

} // namespace tonvela
