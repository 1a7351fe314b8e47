#include "analysis/InterpolationSums.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace tonvela {
namespace {

constexpr int SIZE = 4096;

// Bins over many magnitudes, with zeros of both signs, and positions with
// tangents from the smallest to nearly a bin's, so that every rounding and
// cancellation the sums meet shows.
struct Fixture {
    std::vector<Complex> spectrum = std::vector<Complex>(SIZE);
    double tangents[InterpolationSums::count] = {};
    std::vector<double> t;
    std::vector<int> bins;

    explicit Fixture(unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
        std::uniform_int_distribution<int> exponent(-30, 30);
        std::uniform_int_distribution<int> kind(0, 15);
        for (Complex& c : spectrum) {
            const int k = kind(random);
            c.re = k == 0 ? 0.0f : k == 1 ? -0.0f : std::ldexp(mantissa(random), exponent(random));
            c.im = k == 2 ? -0.0f : std::ldexp(mantissa(random), exponent(random));
        }
        for (int i = 0; i < InterpolationSums::count; ++i)
            tangents[i] = std::tan(M_PI * (InterpolationSums::first + i) / SIZE);
        std::uniform_real_distribution<double> fraction(0.0, 1.0);
        std::uniform_int_distribution<int> bin(-InterpolationSums::first, SIZE / 2);
        for (int i = 0; i < 64; ++i) {
            const double f = i == 0 ? 1e-9 : i == 1 ? 0.999999 : fraction(random);
            t.push_back(std::tan(M_PI * f / SIZE));
            bins.push_back(bin(random));
        }
    }
    const Complex* at(int i) const { return &spectrum[static_cast<std::size_t>(bins[i])]; }
};

// The lanes give each position's sums bit for bit as the one-position loop.
TEST(InterpolationSumsTest, LanesGiveTheSameBitsAsOnePosition) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const Fixture f(seed);
        const int positions = static_cast<int>(f.t.size());
        std::vector<double> re(positions), im(positions);
        for (int i = 0; i < positions; ++i)
            InterpolationSums::one(f.at(i), f.t[i], f.tangents, re[i], im[i]);

        std::vector<double> re2(positions), im2(positions);
        for (int i = 0; i < positions; i += 2) {
            const Complex* bins[2] = {f.at(i), f.at(i + 1)};
            InterpolationSums::two(bins, &f.t[i], f.tangents, &re2[i], &im2[i]);
        }
        EXPECT_EQ(0, std::memcmp(re.data(), re2.data(), positions * sizeof(double)));
        EXPECT_EQ(0, std::memcmp(im.data(), im2.data(), positions * sizeof(double)));

        if (!InterpolationSums::hasFour())
            continue;
        std::vector<double> re4(positions), im4(positions);
        for (int i = 0; i < positions; i += 4) {
            const Complex* bins[4] = {f.at(i), f.at(i + 1), f.at(i + 2), f.at(i + 3)};
            InterpolationSums::four(bins, &f.t[i], f.tangents, &re4[i], &im4[i]);
        }
        EXPECT_EQ(0, std::memcmp(re.data(), re4.data(), positions * sizeof(double)));
        EXPECT_EQ(0, std::memcmp(im.data(), im4.data(), positions * sizeof(double)));
    }
}

// The loop of one position is the plain sum the level is defined by.
TEST(InterpolationSumsTest, OnePositionIsThePlainSum) {
    const Fixture f(3);
    for (int i = 0; i < 8; ++i) {
        double re = 0.0, im = 0.0;
        for (int k = 0; k < InterpolationSums::count; ++k) {
            const Complex& value = f.at(i)[InterpolationSums::first + k];
            const double cot = (1.0 + f.tangents[k] * f.t[i]) / (f.tangents[k] - f.t[i]);
            re += value.re * cot + value.im;
            im += value.im * cot - value.re;
        }
        double r = 0.0, m = 0.0;
        InterpolationSums::one(f.at(i), f.t[i], f.tangents, r, m);
        EXPECT_EQ(0, std::memcmp(&re, &r, sizeof re));
        EXPECT_EQ(0, std::memcmp(&im, &m, sizeof im));
    }
}

} // namespace
} // namespace tonvela
