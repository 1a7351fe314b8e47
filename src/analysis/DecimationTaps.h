#pragma once

namespace tonvela {

// One decimated sample of the Most Accurate mode's low-pass: the taps h[0..taps)
// over values spacing apart, summed in four chains side by side (tap j into
// chain j % 4) so the additions need not wait on each other, the chains then
// added pairwise.
float applyDecimationTaps(const double* h, int taps, const float* values, long long spacing);

// The same for four samples at once, values[k] giving out[k]: each bit for bit
// what applyDecimationTaps gives for it, only with more chains to overlap.
void applyDecimationTaps4(const double* h, int taps, const float* const values[4],
                          long long spacing, float out[4]);

} // namespace tonvela
