#include "analysis/FFT.h"

#include "analysis/FftKernels.h"

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
    stageCos.resize(size);
    stageSin.resize(size);
    for (int h = 4; h < size; h *= 2)
        for (int k = 0; k < h; ++k) {
            const Complex t = twiddles[k * (size / (2 * h))];
            stageCos[h + k] = t.re;
            stageSin[h + k] = t.im;
        }
}

bool FFT::supports(Kernel kernel) {
    switch (kernel) {
    case Kernel::Scalar:
        return true;
#ifdef TONVELA_FFT_X86
    case Kernel::Sse2:
        return true; // part of every x86-64 processor
    case Kernel::Avx:
        return __builtin_cpu_supports("avx");
#else
    default:
        return false;
#endif
    }
    return false;
}

FFT::Kernel FFT::fastestKernel() {
    static const Kernel fastest = supports(Kernel::Avx)    ? Kernel::Avx
                                  : supports(Kernel::Sse2) ? Kernel::Sse2
                                                           : Kernel::Scalar;
    return fastest;
}

void FFT::forward(Complex* buffer) const {
    transform(buffer, false, fastestKernel());
}

void FFT::inverse(Complex* buffer) const {
    transform(buffer, true, fastestKernel());
}

void FFT::transform(Complex* x, bool inverse, Kernel kernel) const {
    reorder(x);
    butterflies(x, size, 1, inverse, kernel);
}

void FFT::butterflies(Complex* x, int n, int from, bool inverse, Kernel kernel) const {
#ifdef TONVELA_FFT_X86
    const FftStages stages{n, from, stageCos.data(), stageSin.data()};
    if (kernel == Kernel::Avx) {
        fftButterfliesAvx(x, stages, inverse);
        return;
    }
    if (kernel == Kernel::Sse2) {
        fftButterfliesSse2(x, stages, inverse);
        return;
    }
#endif
    if (inverse)
        scalarButterflies<true>(x, n, from);
    else
        scalarButterflies<false>(x, n, from);
}

void FFT::inverseBand(Complex* x, int from, int to) const {
    inverseBand(x, from, to, fastestKernel());
}

// After the reordering, the band's bins lie scattered and every other value
// is zero. The stages of half-group sizes below G only combine values within
// aligned blocks of G, so they run only on the blocks that hold a bin: the
// others would stay zero. The later stages run on the whole buffer. A
// skipped butterfly has only zeros as inputs and would give zeros, whose
// signs may differ from those the skipped blocks keep; but a zero added to
// a value that is not zero leaves it as it is, and a zero times a (finite)
// twiddle is a zero, so only zeros can come out otherwise, in their sign.
void FFT::inverseBand(Complex* x, int from, int to, Kernel kernel) const {
    from = std::max(from, 0);
    to = std::min(to, size - 1);
    if (from > to) {
        std::fill(x, x + size, Complex{});
        return;
    }
    const int length = to - from + 1;
    // G = 2^blockOrder by the butterflies it takes: every block that holds a
    // bin runs blockOrder stages, then the whole buffer the order - blockOrder
    // others. Consecutive bins lie in different blocks until every block has
    // one, as a block is picked by the bin's lowest order - blockOrder bits.
    int blockOrder = order;
    long long least = static_cast<long long>(size) * order / 2;
    for (int g = 3; g < order; ++g) {
        const long long blocks = std::min(length, size >> g);
        const long long work =
            blocks * (1LL << g) * g / 2 + static_cast<long long>(order - g) * size / 2;
        if (work < least) {
            least = work;
            blockOrder = g;
        }
    }
    const std::vector<Complex> band(x + from, x + to + 1);
    std::fill(x, x + size, Complex{});
    for (int k = from; k <= to; ++k)
        x[bitReversal[k]] = band[k - from];
    if (blockOrder == order) {
        butterflies(x, size, 1, true, kernel);
        return;
    }
    // Fewer bins than blocks (with as many, the whole buffer at once costs
    // the same): each bin lies in a block of its own.
    const int blockSize = 1 << blockOrder;
    for (int k = from; k <= to; ++k)
        butterflies(x + (bitReversal[k] & ~(blockSize - 1)), blockSize, 1, true, kernel);
    butterflies(x, size, blockSize, true, kernel);
}

// Swaps every element i with element bitReversal[i] once. Element by
// element, the partners of neighbouring indices lie N/2, N/4, ... apart, a
// cache miss for nearly every swap once the buffer outgrows the cache.
// Instead, with an index as high bits a, middle bits m and low bits b (a and
// b of blockBits each), whose reversal is rev(b), rev(m), rev(a), the
// elements of one m form a block of rows of 2^blockBits neighbours each,
// which trades places, transposed, with the block of rev(m). Both blocks are
// copied aside row by row first, then written back row by row, so every
// read and write of the buffer runs along a row.
void FFT::reorder(Complex* x) const {
    const std::uint16_t* reversal = bitReversal.data();
    constexpr int blockBits = 3; // a row of 8 values: a 64-byte cache line
    if (order < 2 * blockBits + 2) {
        for (int i = 0; i < size; ++i) {
            const int j = reversal[i];
            if (j < i)
                std::swap(x[i], x[j]);
        }
        return;
    }
    constexpr int rowLength = 1 << blockBits;
    const int high = 1 << (order - blockBits); // step of a
    // rev(a) within blockBits bits: fixed, so the copies unroll.
    static constexpr int reversed[rowLength] = {0, 4, 2, 6, 1, 5, 3, 7};
    Complex own[rowLength][rowLength];
    Complex other[rowLength][rowLength];
    const int middles = 1 << (order - 2 * blockBits);
    for (int m = 0; m < middles; ++m) {
        // The index m * rowLength has a = b = 0; its reversal is rev(m) * rowLength.
        const int partner = reversal[m * rowLength] >> blockBits;
        if (partner < m)
            continue;
        Complex* ownBlock = x + m * rowLength;
        Complex* otherBlock = x + partner * rowLength;
        for (int a = 0; a < rowLength; ++a)
            std::copy_n(ownBlock + a * high, rowLength, own[a]);
        if (partner != m)
            for (int a = 0; a < rowLength; ++a)
                std::copy_n(otherBlock + a * high, rowLength, other[a]);
        // The element at (a, b) of one block goes to (rev(b), rev(a)) of the other.
        for (int a = 0; a < rowLength; ++a) {
            Complex* row = otherBlock + a * high;
            const int column = reversed[a];
            for (int b = 0; b < rowLength; ++b)
                row[b] = own[reversed[b]][column];
        }
        if (partner != m)
            for (int a = 0; a < rowLength; ++a) {
                Complex* row = ownBlock + a * high;
                const int column = reversed[a];
                for (int b = 0; b < rowLength; ++b)
                    row[b] = other[reversed[b]][column];
            }
    }
}

template <bool Inverse> void FFT::scalarButterflies(Complex* x, int n, int from) const {
    // The first two stages together, group of four by group of four. The
    // twiddle of the second stage is -i (forward) or +i (inverse): a swap of
    // parts and a sign, exact in any precision.
    for (int i = 0; from == 1 && i < n; i += 4) {
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

    for (int h = std::max(from, 4); h < n; h *= 2) {
        const float* cos = stageCos.data() + h;
        const float* sin = stageSin.data() + h;
        for (int group = 0; group < n; group += 2 * h) {
            Complex* a = x + group;
            Complex* b = a + h;
            for (int k = 0; k < h; ++k) {
                const float tr = cos[k];
                const float ti = Inverse ? -sin[k] : sin[k];
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
