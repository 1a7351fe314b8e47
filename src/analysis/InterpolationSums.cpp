#include "analysis/InterpolationSums.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define TONVELA_SUMS_X86 1
#endif

namespace tonvela {

void InterpolationSums::one(const Complex* bins, double t, const double* tangents, double& re,
                            double& im) {
    double sumRe = 0.0, sumIm = 0.0;
    for (int i = 0; i < count; ++i) {
        const Complex& value = bins[first + i];
        const double tm = tangents[i];
        const double cot = (1.0 + tm * t) / (tm - t);
        sumRe += value.re * cot + value.im;
        sumIm += value.im * cot - value.re;
    }
    re = sumRe;
    im = sumIm;
}

#ifdef TONVELA_SUMS_X86

namespace {

// The bins at offset i of two positions, as [re0 im0 re1 im1].
inline __m128 pairAt(const Complex* a, const Complex* b) {
    const __m128d lo = _mm_load_sd(reinterpret_cast<const double*>(a));
    return _mm_castpd_ps(_mm_loadh_pd(lo, reinterpret_cast<const double*>(b)));
}

} // namespace

void InterpolationSums::two(const Complex* const bins[2], const double t[2], const double* tangents,
                            double re[2], double im[2]) {
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d tv = _mm_loadu_pd(t);
    __m128d sumRe = _mm_setzero_pd(), sumIm = _mm_setzero_pd();
    for (int i = 0; i < count; ++i) {
        const __m128 pair = pairAt(bins[0] + first + i, bins[1] + first + i);
        const __m128d vre = _mm_cvtps_pd(_mm_shuffle_ps(pair, pair, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128d vim = _mm_cvtps_pd(_mm_shuffle_ps(pair, pair, _MM_SHUFFLE(3, 1, 3, 1)));
        const __m128d tm = _mm_set1_pd(tangents[i]);
        const __m128d cot = _mm_div_pd(_mm_add_pd(one, _mm_mul_pd(tm, tv)), _mm_sub_pd(tm, tv));
        sumRe = _mm_add_pd(sumRe, _mm_add_pd(_mm_mul_pd(vre, cot), vim));
        sumIm = _mm_add_pd(sumIm, _mm_sub_pd(_mm_mul_pd(vim, cot), vre));
    }
    _mm_storeu_pd(re, sumRe);
    _mm_storeu_pd(im, sumIm);
}

// Only this function uses AVX (never FMA); the caller checks hasFour().
__attribute__((target("avx"))) void InterpolationSums::four(const Complex* const bins[4],
                                                            const double t[4],
                                                            const double* tangents, double re[4],
                                                            double im[4]) {
    const __m256d one = _mm256_set1_pd(1.0);
    const __m256d tv = _mm256_loadu_pd(t);
    __m256d sumRe = _mm256_setzero_pd(), sumIm = _mm256_setzero_pd();
    for (int i = 0; i < count; ++i) {
        const __m128 a = pairAt(bins[0] + first + i, bins[1] + first + i);
        const __m128 b = pairAt(bins[2] + first + i, bins[3] + first + i);
        const __m256d vre = _mm256_cvtps_pd(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m256d vim = _mm256_cvtps_pd(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
        const __m256d tm = _mm256_set1_pd(tangents[i]);
        const __m256d cot =
            _mm256_div_pd(_mm256_add_pd(one, _mm256_mul_pd(tm, tv)), _mm256_sub_pd(tm, tv));
        sumRe = _mm256_add_pd(sumRe, _mm256_add_pd(_mm256_mul_pd(vre, cot), vim));
        sumIm = _mm256_add_pd(sumIm, _mm256_sub_pd(_mm256_mul_pd(vim, cot), vre));
    }
    _mm256_storeu_pd(re, sumRe);
    _mm256_storeu_pd(im, sumIm);
}

bool InterpolationSums::hasFour() {
    static const bool avx = __builtin_cpu_supports("avx");
    return avx;
}

#else

void InterpolationSums::two(const Complex* const bins[2], const double t[2], const double* tangents,
                            double re[2], double im[2]) {
    for (int k = 0; k < 2; ++k)
        one(bins[k], t[k], tangents, re[k], im[k]);
}

void InterpolationSums::four(const Complex* const bins[4], const double t[4],
                             const double* tangents, double re[4], double im[4]) {
    for (int k = 0; k < 4; ++k)
        one(bins[k], t[k], tangents, re[k], im[k]);
}

bool InterpolationSums::hasFour() {
    return false;
}

#endif

} // namespace tonvela
