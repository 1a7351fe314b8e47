#include "analysis/FftKernels.h"

#ifdef TONVELA_FFT_X86

#include <immintrin.h>

namespace tonvela {
namespace {

// Two twiddle parts, each twice: one for each part of a complex value.
inline __m128 twice(const float* parts) {
    const __m128 two = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(parts)));
    return _mm_unpacklo_ps(two, two);
}

// t·b for two complex values: (tr br - ti bi, tr bi + ti br). The product
// ti bi enters negated and is added, which is its subtraction bit for bit;
// for the inverse direction's conjugated twiddle the other lane's product
// is negated instead. sign holds the sign bit on the lanes to negate.
inline __m128 twiddled(const float* cos, const float* sin, __m128 b, __m128 sign) {
    const __m128 swapped = _mm_shuffle_ps(b, b, _MM_SHUFFLE(2, 3, 0, 1));
    const __m128 p1 = _mm_mul_ps(twice(cos), b);
    const __m128 p2 = _mm_mul_ps(twice(sin), swapped);
    return _mm_add_ps(p1, _mm_xor_ps(p2, sign));
}

} // namespace

// The first two stages, a group of four at a time: x0, x1 = a0 ± a1 and
// x2, x3 = a2 ± a3, then x0 ± x2 and x1 ± w x3, where w x3 is (x3i, -x3r)
// forward and (-x3i, x3r) inverse.
void fftFirstStagesSse2(float* x, int n, bool inverse) {
    const __m128 quarter =
        inverse ? _mm_set_ps(0.0f, -0.0f, 0.0f, 0.0f) : _mm_set_ps(-0.0f, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < 2 * n; i += 8) {
        const __m128 a01 = _mm_loadu_ps(x + i);
        const __m128 a23 = _mm_loadu_ps(x + i + 4);
        const __m128 lo = _mm_movelh_ps(a01, a23); // a0 a2
        const __m128 hi = _mm_movehl_ps(a23, a01); // a1 a3
        const __m128 s = _mm_add_ps(lo, hi);       // x0 x2
        const __m128 d = _mm_sub_ps(lo, hi);       // x1 x3
        const __m128 u = _mm_movelh_ps(s, d);      // x0 x1
        // x2 and w x3
        const __m128 v = _mm_xor_ps(_mm_shuffle_ps(s, d, _MM_SHUFFLE(2, 3, 3, 2)), quarter);
        _mm_storeu_ps(x + i, _mm_add_ps(u, v));
        _mm_storeu_ps(x + i + 4, _mm_sub_ps(u, v));
    }
}

void fftButterfliesSse2(Complex* buffer, const FftStages& stages, bool inverse) {
    const int n = stages.size;
    float* x = &buffer[0].re;
    const float* cos = stages.cos;
    const float* sin = stages.sin;
    const __m128 sign =
        inverse ? _mm_set_ps(-0.0f, 0.0f, -0.0f, 0.0f) : _mm_set_ps(0.0f, -0.0f, 0.0f, -0.0f);

    int h = stages.from;
    if (h == 1) {
        fftFirstStagesSse2(x, n, inverse);
        h = 4;
    }

    // The stages from h to n/2: with an odd count, the first one alone.
    const int left =
        __builtin_ctz(static_cast<unsigned>(n)) - __builtin_ctz(static_cast<unsigned>(h));
    if (left % 2 == 1) {
        const int f = 2 * h; // floats per h complex values
        for (int group = 0; group < n; group += 2 * h) {
            float* a = x + 2 * group;
            float* b = a + f;
            for (int k = 0; k < f; k += 4) {
                const __m128 p =
                    twiddled(cos + h + k / 2, sin + h + k / 2, _mm_loadu_ps(b + k), sign);
                const __m128 av = _mm_loadu_ps(a + k);
                _mm_storeu_ps(a + k, _mm_add_ps(av, p));
                _mm_storeu_ps(b + k, _mm_sub_ps(av, p));
            }
        }
        h *= 2;
    }

    // Then two stages per pass: in each group of 4h, the pairs (k, k + h)
    // and (k + 2h, k + 3h) of stage h, then (k, k + 2h) and (k + h, k + 3h)
    // of stage 2h. Each element meets the same operations as stage by stage.
    for (; h < n; h *= 4) {
        const float* c1 = cos + h;
        const float* s1 = sin + h;
        const float* c2 = cos + 2 * h;
        const float* s2 = sin + 2 * h;
        const int f = 2 * h; // floats per h complex values
        for (int group = 0; group < n; group += 4 * h) {
            float* g = x + 2 * group;
            for (int k = 0; k < f; k += 4) {
                const __m128 a0 = _mm_loadu_ps(g + k);
                const __m128 a1 = _mm_loadu_ps(g + k + f);
                const __m128 a2 = _mm_loadu_ps(g + k + 2 * f);
                const __m128 a3 = _mm_loadu_ps(g + k + 3 * f);
                const __m128 p = twiddled(c1 + k / 2, s1 + k / 2, a1, sign);
                const __m128 q = twiddled(c1 + k / 2, s1 + k / 2, a3, sign);
                const __m128 b0 = _mm_add_ps(a0, p);
                const __m128 b1 = _mm_sub_ps(a0, p);
                const __m128 b2 = _mm_add_ps(a2, q);
                const __m128 b3 = _mm_sub_ps(a2, q);
                const __m128 r = twiddled(c2 + k / 2, s2 + k / 2, b2, sign);
                const __m128 t = twiddled(c2 + h + k / 2, s2 + h + k / 2, b3, sign);
                _mm_storeu_ps(g + k, _mm_add_ps(b0, r));
                _mm_storeu_ps(g + k + 2 * f, _mm_sub_ps(b0, r));
                _mm_storeu_ps(g + k + f, _mm_add_ps(b1, t));
                _mm_storeu_ps(g + k + 3 * f, _mm_sub_ps(b1, t));
            }
        }
    }
}

} // namespace tonvela

#endif
