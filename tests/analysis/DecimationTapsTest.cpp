#include "analysis/DecimationTaps.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace tonvela {
namespace {

// Four samples at once must give each sample's lone result bit for bit, for
// tap counts with and without a remainder of four and for spacings as the
// filter uses them; the four positions overlap like neighbouring decimated
// samples do, and the values span many magnitudes with both signs, zeros
// and exact cancellations.
TEST(DecimationTaps, FourAtOnceBitIdenticalToOneAtATime) {
    struct Case {
        int taps;
        long long spacing;
        int step; // distance between the four positions
    };
    const Case cases[] = {{1, 1, 1}, {3, 2, 5},    {4, 1, 3},     {5, 7, 21},
                          {8, 3, 1}, {63, 33, 99}, {101, 17, 51}, {263, 33, 100}};
    std::mt19937 random(20);
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-40, 40);
    std::uniform_int_distribution<int> kind(0, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.taps << " taps, spacing " << c.spacing);
        std::vector<double> h(static_cast<std::size_t>(c.taps));
        // Taps of +-1 let huge values cancel exactly, so the order the small
        // ones join the sums in shows in the result.
        for (double& tap : h)
            tap = kind(random) < 5
                      ? (kind(random) < 5 ? 1.0 : -1.0)
                      : static_cast<double>(std::ldexp(mantissa(random), exponent(random) / 4));
        const std::size_t length = static_cast<std::size_t>((c.taps - 1) * c.spacing + 4 * c.step);
        std::vector<float> values(length);
        for (float& v : values) {
            switch (kind(random)) {
            case 0:
                v = 0.0f;
                break;
            case 1:
                v = -0.0f;
                break;
            case 2:
                v = 0x1p60f; // swallows small values, cancels against the next
                break;
            case 3:
                v = -0x1p60f;
                break;
            default:
                v = std::ldexp(mantissa(random), exponent(random));
            }
        }
        for (int offset = 0; offset < c.step; ++offset) {
            const float* at[4];
            for (int k = 0; k < 4; ++k)
                at[k] = values.data() + offset + k * c.step;
            float fast[4];
            applyDecimationTaps4(h.data(), c.taps, at, c.spacing, fast);
            for (int k = 0; k < 4; ++k) {
                const float lone = applyDecimationTaps(h.data(), c.taps, at[k], c.spacing);
                EXPECT_EQ(0, std::memcmp(&lone, &fast[k], sizeof lone))
                    << "offset " << offset << " lane " << k << ": " << lone << " vs " << fast[k];
            }
        }
    }
}

// The chains added pairwise, as a lone sample adds them: 2^60 + 1 and
// -2^60 + 1 round to +-2^60 and cancel, where adding the chains one after
// another would leave 1.
TEST(DecimationTaps, ChainsAddedPairwiseInEveryLane) {
    const double h[4] = {1.0, 1.0, 1.0, 1.0};
    const float values[7] = {0x1p60f, 1.0f, -0x1p60f, 1.0f, 0x1p60f, 1.0f, -0x1p60f};
    const float* at[4] = {values, values + 2, values, values + 2};
    float fast[4];
    applyDecimationTaps4(h, 4, at, 1, fast);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(applyDecimationTaps(h, 4, at[k], 1), fast[k]) << "lane " << k;
    EXPECT_EQ(0.0f, applyDecimationTaps(h, 4, values, 1));
}

} // namespace
} // namespace tonvela
