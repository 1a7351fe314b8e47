#pragma once

#include "runtime/Complex.h"

namespace tonvela {

// The butterfly stages of the transform (everything after the bit
// reversal) on the vector units of x86-64 processors. Each element gets the
// same multiplications and additions as in the plain loop of FFT.cpp, in
// the same order, never fused, so every kernel gives the same bits; only
// the number of elements per instruction and the order in which elements
// are visited differ (two stages per pass over the buffer).
struct FftStages {
    int size;
    // The half-group size of the first stage to run: 1 for all of them, or
    // a power of two from 4 up when the earlier stages are done already.
    int from;
    // For half-group size h, twiddle k (0 .. h - 1) of the forward direction
    // at h + k: its real part in cos, its imaginary part in sin.
    const float* cos;
    const float* sin;
};

#if defined(__x86_64__)
#define TONVELA_FFT_X86 1
// The first two stages on the n complex values at x (2n floats), in SSE2,
// shared by both kernels: a group of four fills 128 bits.
void fftFirstStagesSse2(float* x, int n, bool inverse);
// Two complex values per instruction: every x86-64 processor.
void fftButterfliesSse2(Complex* x, const FftStages& stages, bool inverse);
// Four per instruction, for processors with AVX (checked by the caller).
void fftButterfliesAvx(Complex* x, const FftStages& stages, bool inverse);
#endif

} // namespace tonvela
