#include "analysis/FFT.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <vector>

namespace tonvela {
namespace {

using Signal = std::vector<Complex>;

// Reference transform in double precision.
std::vector<std::complex<double>> dft(const Signal& x, double sign) {
    const std::size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const double angle = sign * 2.0 * M_PI * static_cast<double>((k * j) % n) / n;
            sum += std::complex<double>(x[j].re, x[j].im) *
                   std::complex<double>(std::cos(angle), std::sin(angle));
        }
        out[k] = sum;
    }
    return out;
}

Signal pseudoNoise(int n, unsigned seed) {
    Signal x(n);
    for (Complex& c : x) {
        seed = seed * 1103515245u + 12345u;
        c.re = static_cast<float>((seed >> 8) % 2001) / 1000.0f - 1.0f;
        seed = seed * 1103515245u + 12345u;
        c.im = static_cast<float>((seed >> 8) % 2001) / 1000.0f - 1.0f;
    }
    return x;
}

TEST(FFT, BitReversalOfOrderThree) {
    const FFT fft(3);
    const std::uint16_t expected[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    ASSERT_EQ(fft.getSize(), 8);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(fft.getBitReversal()[j], expected[j]) << j;
}

TEST(FFT, TablesOfEveryOrder) {
    for (int order = 3; order <= 16; ++order) {
        const FFT fft(order);
        const int n = 1 << order;
        ASSERT_EQ(fft.getOrder(), order);
        ASSERT_EQ(fft.getSize(), n);
        for (int j = 0; j < n; j += 1 + n / 64) {
            const int r = fft.getBitReversal()[j];
            EXPECT_EQ(fft.getBitReversal()[r], j) << order << " " << j;
        }
        EXPECT_EQ(fft.getBitReversal()[1], n / 2) << order;
        // Entry k: the float angle k * 6.2831855 * (1/N).
        for (int k : {0, 1, n / 8, n / 4, n / 2 - 1}) {
            const float angle = static_cast<float>(k) * 6.2831855f * (1.0f / static_cast<float>(n));
            EXPECT_EQ(fft.getTwiddles()[k].re, std::cos(angle)) << order << " " << k;
            EXPECT_EQ(fft.getTwiddles()[k].im, -std::sin(angle)) << order << " " << k;
        }
    }
}

TEST(FFT, ImpulseGivesOneInEveryBin) {
    for (int order : {3, 4, 11, 15}) {
        const FFT fft(order);
        for (bool inverse : {false, true}) {
            Signal x(fft.getSize());
            x[0].re = 1.0f;
            inverse ? fft.inverse(x.data()) : fft.forward(x.data());
            for (int k = 0; k < fft.getSize(); ++k) {
                ASSERT_EQ(x[k].re, 1.0f) << order << " " << k;
                ASSERT_EQ(x[k].im, 0.0f) << order << " " << k;
            }
        }
    }
}

TEST(FFT, ComplexExponentialLandsInItsBin) {
    struct Case {
        int order;
        int k0;
        bool inverse;
    };
    const Case cases[] = {{3, 1, false},   {3, 3, false},  {3, 5, true},      {4, 7, false},
                          {10, 37, false}, {10, 37, true}, {12, 1000, false}, {14, 8191, false}};
    for (const Case& c : cases) {
        const FFT fft(c.order);
        const int n = fft.getSize();
        // e^(+2 pi i k0 n / N) peaks at k0 forward; its conjugate inverse.
        const double sign = c.inverse ? -1.0 : 1.0;
        Signal x(n);
        for (int j = 0; j < n; ++j) {
            const double angle =
                sign * 2.0 * M_PI * static_cast<double>((static_cast<long long>(c.k0) * j) % n) / n;
            x[j] =
                Complex{static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
        }
        c.inverse ? fft.inverse(x.data()) : fft.forward(x.data());
        const double tolerance = 2e-4 * n;
        for (int k = 0; k < n; ++k) {
            const double expected = k == c.k0 ? n : 0.0;
            ASSERT_NEAR(x[k].re, expected, tolerance) << c.order << " bin " << k;
            ASSERT_NEAR(x[k].im, 0.0, tolerance) << c.order << " bin " << k;
        }
    }
}

TEST(FFT, MatchesTheDirectSumInBothDirections) {
    for (int order : {3, 4, 5, 6, 9}) {
        const FFT fft(order);
        const Signal input = pseudoNoise(fft.getSize(), 7u + order);
        for (bool inverse : {false, true}) {
            Signal x = input;
            inverse ? fft.inverse(x.data()) : fft.forward(x.data());
            const auto expected = dft(input, inverse ? 1.0 : -1.0);
            for (int k = 0; k < fft.getSize(); ++k) {
                EXPECT_NEAR(x[k].re, expected[k].real(), 1e-4 * fft.getSize())
                    << order << " " << inverse << " " << k;
                EXPECT_NEAR(x[k].im, expected[k].imag(), 1e-4 * fft.getSize())
                    << order << " " << inverse << " " << k;
            }
        }
    }
}

TEST(FFT, InverseAfterForwardMultipliesByN) {
    for (int order : {3, 8, 13, 15}) {
        const FFT fft(order);
        const int n = fft.getSize();
        const Signal input = pseudoNoise(n, 99u);
        Signal x = input;
        fft.forward(x.data());
        fft.inverse(x.data());
        for (int j = 0; j < n; ++j) {
            ASSERT_NEAR(x[j].re / n, input[j].re, 2e-5 * order) << order << " " << j;
            ASSERT_NEAR(x[j].im / n, input[j].im, 2e-5 * order) << order << " " << j;
        }
    }
}

} // namespace
} // namespace tonvela
