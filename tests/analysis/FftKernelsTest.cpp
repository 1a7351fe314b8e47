#include "analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tonvela {
namespace {

using Signal = std::vector<Complex>;

// Values over many magnitudes, with zeros of both signs, so that every
// rounding, cancellation and sign of zero the butterflies meet shows.
Signal randomSignal(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> kind(0, 15);
    auto value = [&]() {
        switch (kind(random)) {
        case 0:
            return 0.0f;
        case 1:
            return -0.0f;
        case 2:
            return 1.0f;
        default:
            return std::ldexp(mantissa(random), exponent(random));
        }
    };
    Signal x(n);
    for (Complex& c : x) {
        c.re = value();
        c.im = value();
    }
    return x;
}

// A sampled tone as the analyzers transform it: real, imaginary parts 0.
Signal toneSignal(int n) {
    Signal x(n);
    for (int i = 0; i < n; ++i)
        x[i].re = static_cast<float>(0.3 * std::sin(0.0731 * i) + 0.1 * std::sin(0.2193 * i));
    return x;
}

// The transform step by step as it was first written: swaps by the
// reversal table, the first two stages per group of four, then one stage at
// a time with twiddle k * N / (2h), conjugated for the inverse.
void textbookTransform(const FFT& fft, Complex* x, bool inverse) {
    const int n = fft.getSize();
    for (int i = 0; i < n; ++i) {
        const int j = fft.getBitReversal()[i];
        if (j < i)
            std::swap(x[i], x[j]);
    }
    for (int i = 0; i < n; i += 4) {
        const Complex a0 = x[i], a1 = x[i + 1], a2 = x[i + 2], a3 = x[i + 3];
        const Complex x0{a0.re + a1.re, a0.im + a1.im};
        const Complex x1{a0.re - a1.re, a0.im - a1.im};
        const Complex x2{a2.re + a3.re, a2.im + a3.im};
        const Complex x3{a2.re - a3.re, a2.im - a3.im};
        const Complex w3 = inverse ? Complex{-x3.im, x3.re} : Complex{x3.im, -x3.re};
        x[i] = Complex{x0.re + x2.re, x0.im + x2.im};
        x[i + 2] = Complex{x0.re - x2.re, x0.im - x2.im};
        x[i + 1] = Complex{x1.re + w3.re, x1.im + w3.im};
        x[i + 3] = Complex{x1.re - w3.re, x1.im - w3.im};
    }
    for (int h = 4; h < n; h *= 2) {
        for (int group = 0; group < n; group += 2 * h) {
            for (int k = 0; k < h; ++k) {
                const Complex t = fft.getTwiddles()[k * (n / (2 * h))];
                const float tr = t.re;
                const float ti = inverse ? -t.im : t.im;
                Complex& a = x[group + k];
                Complex& b = x[group + k + h];
                const float pr = tr * b.re - ti * b.im;
                const float pi = tr * b.im + ti * b.re;
                const Complex old = a;
                a = Complex{old.re + pr, old.im + pi};
                b = Complex{old.re - pr, old.im - pi};
            }
        }
    }
}

const char* nameOf(FFT::Kernel kernel) {
    switch (kernel) {
    case FFT::Kernel::Scalar:
        return "scalar";
    case FFT::Kernel::Sse2:
        return "SSE2";
    case FFT::Kernel::Avx:
        return "AVX";
    }
    return "?";
}

class FftKernels : public testing::TestWithParam<FFT::Kernel> {};

// Every vector kernel gives the plain loop's bits exactly, for every order
// (the analyzers use 11 .. 15), both directions, random values and tones.
TEST_P(FftKernels, GiveThePlainLoopsBits) {
    const FFT::Kernel kernel = GetParam();
    if (!FFT::supports(kernel))
        GTEST_SKIP() << "this processor has no " << nameOf(kernel);
    for (int order = 3; order <= 16; ++order) {
        const FFT fft(order);
        const int n = fft.getSize();
        const std::size_t bytes = sizeof(Complex) * static_cast<std::size_t>(n);
        const Signal inputs[] = {randomSignal(n, 1000u + order), randomSignal(n, 2000u + order),
                                 toneSignal(n)};
        for (const Signal& input : inputs) {
            for (bool inverse : {false, true}) {
                Signal expected = input;
                fft.transform(expected.data(), inverse, FFT::Kernel::Scalar);
                Signal actual = input;
                fft.transform(actual.data(), inverse, kernel);
                ASSERT_EQ(std::memcmp(actual.data(), expected.data(), bytes), 0)
                    << nameOf(kernel) << " order " << order << (inverse ? " inverse" : " forward");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, FftKernels, testing::Values(FFT::Kernel::Sse2, FFT::Kernel::Avx),
                         [](const testing::TestParamInfo<FFT::Kernel>& info) {
                             return std::string(nameOf(info.param));
                         });

// The inverse of a band of bins, every other bin taken as zero whatever the
// buffer holds there, equals inverse of the spectrum with them cleared in
// every value; only a zero may have the other sign (== holds for +0 and -0).
TEST(FFT, InverseBandIsTheInverseOfTheBandAlone) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    for (int order : {3, 4, 7, 11, 14, 16}) {
        const FFT fft(order);
        const int n = fft.getSize();
        // One bin; 49 at the bottom, from bin 1, in the middle and at the
        // top; a wide band; the whole spectrum.
        const std::pair<int, int> bands[] = {
            {n / 2 + 1, n / 2 + 1}, {0, 48},   {1, 49}, {n / 3, n / 3 + 48}, {n - 49, n - 1},
            {n / 8, n - n / 8},     {0, n - 1}};
        for (FFT::Kernel kernel : {FFT::Kernel::Scalar, FFT::Kernel::Sse2, FFT::Kernel::Avx}) {
            if (!FFT::supports(kernel))
                continue;
            for (auto [from, to] : bands) {
                from = std::max(from, 0);
                to = std::min(to, n - 1);
                Signal input = randomSignal(n, 3000u + order + to);
                // Garbage outside the band must not reach the result.
                if (from > 0)
                    input[from - 1] = Complex{nan, infinity};
                if (to < n - 1)
                    input[n - 1] = Complex{-infinity, nan};
                Signal expected = input;
                std::fill(expected.begin(), expected.begin() + from, Complex{});
                std::fill(expected.begin() + to + 1, expected.end(), Complex{});
                fft.transform(expected.data(), true, kernel);
                Signal actual = input;
                fft.inverseBand(actual.data(), from, to, kernel);
                int differing = 0;
                for (int i = 0; i < n; ++i)
                    if (!(actual[i].re == expected[i].re) || !(actual[i].im == expected[i].im))
                        ++differing;
                EXPECT_EQ(differing, 0)
                    << nameOf(kernel) << " order " << order << " bins " << from << ".." << to;
            }
        }
    }
}

// The plain loop, with its reordering in blocks and its stage tables, gives
// the bits of the step-by-step transform.
TEST(FFT, PlainLoopGivesTheStepByStepBits) {
    for (int order = 3; order <= 16; ++order) {
        const FFT fft(order);
        const Signal input = randomSignal(fft.getSize(), 500u + order);
        const std::size_t bytes = sizeof(Complex) * input.size();
        for (bool inverse : {false, true}) {
            Signal expected = input;
            textbookTransform(fft, expected.data(), inverse);
            Signal actual = input;
            fft.transform(actual.data(), inverse, FFT::Kernel::Scalar);
            ASSERT_EQ(std::memcmp(actual.data(), expected.data(), bytes), 0)
                << order << (inverse ? " inverse" : " forward");
        }
    }
}

// forward and inverse run the fastest kernel there is, which is one the
// processor runs, and so give the plain loop's bits too.
TEST(FFT, ForwardAndInverseGiveThePlainLoopsBits) {
    EXPECT_TRUE(FFT::supports(FFT::fastestKernel()));
    for (int order : {11, 12, 13, 14, 15}) {
        const FFT fft(order);
        const Signal input = randomSignal(fft.getSize(), 77u + order);
        const std::size_t bytes = sizeof(Complex) * input.size();
        for (bool inverse : {false, true}) {
            Signal expected = input;
            fft.transform(expected.data(), inverse, FFT::Kernel::Scalar);
            Signal actual = input;
            inverse ? fft.inverse(actual.data()) : fft.forward(actual.data());
            EXPECT_EQ(std::memcmp(actual.data(), expected.data(), bytes), 0)
                << order << (inverse ? " inverse" : " forward");
        }
    }
}

} // namespace
} // namespace tonvela
