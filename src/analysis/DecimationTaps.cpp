#include "analysis/DecimationTaps.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tonvela {

float applyDecimationTaps(const double* h, int taps, const float* values, long long spacing) {
    double partial[4] = {0.0, 0.0, 0.0, 0.0};
    int j = 0;
    for (; j + 3 < taps; j += 4) {
        const float* v = values + j * spacing;
        partial[0] += h[j] * static_cast<double>(v[0]);
        partial[1] += h[j + 1] * static_cast<double>(v[spacing]);
        partial[2] += h[j + 2] * static_cast<double>(v[2 * spacing]);
        partial[3] += h[j + 3] * static_cast<double>(v[3 * spacing]);
    }
    for (; j < taps; ++j)
        partial[0] += h[j] * static_cast<double>(values[j * spacing]);
    return static_cast<float>((partial[0] + partial[1]) + (partial[2] + partial[3]));
}

#ifdef __SSE2__
// Two samples to a register: each lane of a packed multiply or addition is
// the lone sample's own operation, and there is no fused multiply-add.
void applyDecimationTaps4(const double* h, int taps, const float* const values[4],
                          long long spacing, float out[4]) {
    __m128d low[4] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
    __m128d high[4] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
    const auto pair = [](const float* a, const float* b) {
        return _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(a), _mm_load_ss(b)));
    };
    const float* v0 = values[0];
    const float* v1 = values[1];
    const float* v2 = values[2];
    const float* v3 = values[3];
    int j = 0;
    for (; j + 3 < taps; j += 4) {
        for (int c = 0; c < 4; ++c) {
            const long long at = (j + c) * spacing;
            const __m128d tap = _mm_set1_pd(h[j + c]);
            low[c] = _mm_add_pd(low[c], _mm_mul_pd(tap, pair(v0 + at, v1 + at)));
            high[c] = _mm_add_pd(high[c], _mm_mul_pd(tap, pair(v2 + at, v3 + at)));
        }
    }
    for (; j < taps; ++j) {
        const long long at = j * spacing;
        const __m128d tap = _mm_set1_pd(h[j]);
        low[0] = _mm_add_pd(low[0], _mm_mul_pd(tap, pair(v0 + at, v1 + at)));
        high[0] = _mm_add_pd(high[0], _mm_mul_pd(tap, pair(v2 + at, v3 + at)));
    }
    double sums[4];
    _mm_storeu_pd(sums, _mm_add_pd(_mm_add_pd(low[0], low[1]), _mm_add_pd(low[2], low[3])));
    _mm_storeu_pd(sums + 2, _mm_add_pd(_mm_add_pd(high[0], high[1]), _mm_add_pd(high[2], high[3])));
    for (int k = 0; k < 4; ++k)
        out[k] = static_cast<float>(sums[k]);
}
#else
void applyDecimationTaps4(const double* h, int taps, const float* const values[4],
                          long long spacing, float out[4]) {
    for (int k = 0; k < 4; ++k)
        out[k] = applyDecimationTaps(h, taps, values[k], spacing);
}
#endif

} // namespace tonvela
