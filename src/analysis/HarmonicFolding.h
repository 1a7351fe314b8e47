#pragma once

#include "analysis/Complex.h"

namespace tonvela {

// Stretch factors of the six harmonic flags, in the order of the settings.
inline constexpr float HARMONIC_FACTORS[6] = {1.0f, 1.5f, 2.0f, 2.25f, 3.0f, 4.0f};

// Sums copies of the window stretched by each selected factor, so that the
// partial at q times the fundamental lands on the fundamental. Every copy
// starts at the oldest sample; the output's imaginary parts are 0. Reads the
// flags from the central state on every call, so only on the thread that
// owns it.
void foldHarmonics(const Complex* in, Complex* out, int n);

// The same with the six flags given (1.0, 1.5, 2.0, 2.25, 3.0, 4.0).
void foldHarmonics(const Complex* in, Complex* out, int n, const bool flags[6]);

} // namespace tonvela
