#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tonvela {

FFT::FFT(int requestedOrder) : order(std::clamp(requestedOrder, 3, 16)), size(1 << order) {
    bitReversal.resize(size);
    for (int j = 0; j < size; ++j) {
        int reversed = 0;
        for (int bit = 0; bit < order; ++bit)
            reversed |= ((j >> bit) & 1) << (order - 1 - bit);
        bitReversal[j] = static_cast<std::uint16_t>(reversed);
    }
    twiddles.resize(size / 2);
    const float inverseSize = 1.0f / static_cast<float>(size);
    for (int k = 0; k < size / 2; ++k) {
        const float angle = static_cast<float>(k) * 6.2831855f * inverseSize;
        twiddles[k] = Complex{std::cos(angle), -std::sin(angle)};
    }
    stageTwiddles.resize(size);
    for (int h = 4; h < size; h *= 2)
        for (int k = 0; k < h; ++k)
            stageTwiddles[h + k] = twiddles[k * (size / (2 * h))];
}

void FFT::forward(Complex* buffer) const {
    transform<false>(buffer);
}

void FFT::inverse(Complex* buffer) const {
    transform<true>(buffer);
}

template <bool Inverse> void FFT::transform(Complex* x) const {
    const int n = size;
    const std::uint16_t* reversal = bitReversal.data();
    for (int i = 0; i < n; ++i) {
        const int j = reversal[i];
        if (j < i)
            std::swap(x[i], x[j]);
    }

    // The first two stages together, group of four by group of four. The
    // twiddle of the second stage is -i (forward) or +i (inverse): a swap of
    // parts and a sign, exact in any precision.
    for (int i = 0; i < n; i += 4) {
        const Complex a0 = x[i];
        const Complex a1 = x[i + 1];
        const Complex a2 = x[i + 2];
        const Complex a3 = x[i + 3];
        const Complex x0{a0.re + a1.re, a0.im + a1.im};
        const Complex x1{a0.re - a1.re, a0.im - a1.im};
        const Complex x2{a2.re + a3.re, a2.im + a3.im};
        const Complex x3{a2.re - a3.re, a2.im - a3.im};
        const Complex w3 = Inverse ? Complex{-x3.im, x3.re} : Complex{x3.im, -x3.re};
        x[i] = Complex{x0.re + x2.re, x0.im + x2.im};
        x[i + 2] = Complex{x0.re - x2.re, x0.im - x2.im};
        x[i + 1] = Complex{x1.re + w3.re, x1.im + w3.im};
        x[i + 3] = Complex{x1.re - w3.re, x1.im - w3.im};
    }

    for (int h = 4; h < n; h *= 2) {
        const Complex* table = stageTwiddles.data() + h;
        for (int group = 0; group < n; group += 2 * h) {
            Complex* a = x + group;
            Complex* b = a + h;
            for (int k = 0; k < h; ++k) {
                const float tr = table[k].re;
                const float ti = Inverse ? -table[k].im : table[k].im;
                const float br = b[k].re;
                const float bi = b[k].im;
                const float pr = tr * br - ti * bi;
                const float pi = tr * bi + ti * br;
                const float ar = a[k].re;
                const float ai = a[k].im;
                a[k] = Complex{ar + pr, ai + pi};
                b[k] = Complex{ar - pr, ai - pi};
            }
        }
    }
}

} // namespace tonvela
