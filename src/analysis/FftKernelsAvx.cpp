#include "analysis/FftKernels.h"

#ifdef TONVELA_FFT_X86

#include <immintrin.h>

// Only these functions use AVX (never FMA): the rest of the program runs on
// any x86-64 processor, and the caller picks this kernel at run time.
#define TONVELA_AVX __attribute__((target("avx")))

namespace tonvela {
namespace {

// Four twiddle parts, each twice: one for each part of a complex value.
TONVELA_AVX inline __m256 twice(const float* parts) {
    const __m256 four = _mm256_broadcast_ps(reinterpret_cast<const __m128*>(parts));
    return _mm256_permutevar_ps(four, _mm256_set_epi32(3, 3, 2, 2, 1, 1, 0, 0));
}

// As the SSE2 kernel's: (tr br - ti bi, tr bi + ti br) for four complex
// values, the negated product added.
TONVELA_AVX inline __m256 twiddled(const float* cos, const float* sin, __m256 b, __m256 sign) {
    const __m256 swapped = _mm256_permute_ps(b, _MM_SHUFFLE(2, 3, 0, 1));
    const __m256 p1 = _mm256_mul_ps(twice(cos), b);
    const __m256 p2 = _mm256_mul_ps(twice(sin), swapped);
    return _mm256_add_ps(p1, _mm256_xor_ps(p2, sign));
}

} // namespace

TONVELA_AVX void fftButterfliesAvx(Complex* buffer, const FftStages& stages, bool inverse) {
    const int n = stages.size;
    float* x = &buffer[0].re;
    const float* cos = stages.cos;
    const float* sin = stages.sin;
    const __m256 sign = inverse ? _mm256_set_ps(-0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f)
                                : _mm256_set_ps(0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f);

    // The first two stages: a group of four fills only 128 bits.
    int h = stages.from;
    if (h == 1) {
        fftFirstStagesSse2(x, n, inverse);
        h = 4;
    }

    // The stages from h to n/2, with an odd count the first one alone, then
    // two stages per pass as in the SSE2 kernel.
    const int left =
        __builtin_ctz(static_cast<unsigned>(n)) - __builtin_ctz(static_cast<unsigned>(h));
    if (left % 2 == 1) {
        const int f = 2 * h;
        for (int group = 0; group < n; group += 2 * h) {
            float* a = x + 2 * group;
            float* b = a + f;
            for (int k = 0; k < f; k += 8) {
                const __m256 p =
                    twiddled(cos + h + k / 2, sin + h + k / 2, _mm256_loadu_ps(b + k), sign);
                const __m256 av = _mm256_loadu_ps(a + k);
                _mm256_storeu_ps(a + k, _mm256_add_ps(av, p));
                _mm256_storeu_ps(b + k, _mm256_sub_ps(av, p));
            }
        }
        h *= 2;
    }

    for (; h < n; h *= 4) {
        const float* c1 = cos + h;
        const float* s1 = sin + h;
        const float* c2 = cos + 2 * h;
        const float* s2 = sin + 2 * h;
        const int f = 2 * h;
        for (int group = 0; group < n; group += 4 * h) {
            float* g = x + 2 * group;
            for (int k = 0; k < f; k += 8) {
                const __m256 a0 = _mm256_loadu_ps(g + k);
                const __m256 a1 = _mm256_loadu_ps(g + k + f);
                const __m256 a2 = _mm256_loadu_ps(g + k + 2 * f);
                const __m256 a3 = _mm256_loadu_ps(g + k + 3 * f);
                const __m256 p = twiddled(c1 + k / 2, s1 + k / 2, a1, sign);
                const __m256 q = twiddled(c1 + k / 2, s1 + k / 2, a3, sign);
                const __m256 b0 = _mm256_add_ps(a0, p);
                const __m256 b1 = _mm256_sub_ps(a0, p);
                const __m256 b2 = _mm256_add_ps(a2, q);
                const __m256 b3 = _mm256_sub_ps(a2, q);
                const __m256 r = twiddled(c2 + k / 2, s2 + k / 2, b2, sign);
                const __m256 t = twiddled(c2 + h + k / 2, s2 + h + k / 2, b3, sign);
                _mm256_storeu_ps(g + k, _mm256_add_ps(b0, r));
                _mm256_storeu_ps(g + k + 2 * f, _mm256_sub_ps(b0, r));
                _mm256_storeu_ps(g + k + f, _mm256_add_ps(b1, t));
                _mm256_storeu_ps(g + k + 3 * f, _mm256_sub_ps(b1, t));
            }
        }
    }
}

} // namespace tonvela

#endif
