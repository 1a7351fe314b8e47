#include "analysis/GridPositions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace tonvela {
namespace {

// Each grid frequency's position worked out afresh, as a pass once did.
GridPositions::Position fresh(float x, int size, float binWidth, bool calibrated,
                              double calibFactor) {
    GridPositions::Position position{-1, 0.0, 0.0, 0.0};
    if (!(x >= 1.0f))
        return position;
    if (calibrated)
        x = static_cast<float>(x * calibFactor);
    const float p = x * (1.0f / binWidth);
    const float lo = std::floor(p);
    if (!(lo >= 0.0f) || !(lo < static_cast<float>(size / 2)))
        return position;
    position.bin = static_cast<int>(lo);
    position.part = static_cast<double>(p) - lo;
    if (position.part != 0.0) {
        position.tangent = std::tan(M_PI * position.part / size);
        position.sine = std::sin(M_PI * position.part);
    }
    return position;
}

void expectFresh(const std::vector<GridPositions::Position>& got, const std::vector<float>& grid,
                 int size, float binWidth, bool calibrated, double calibFactor, const char* what) {
    ASSERT_EQ(got.size(), grid.size()) << what;
    for (std::size_t j = 0; j < grid.size(); ++j) {
        const GridPositions::Position want =
            fresh(grid[j], size, binWidth, calibrated, calibFactor);
        EXPECT_EQ(got[j].bin, want.bin) << what << " " << j;
        EXPECT_EQ(got[j].part, want.part) << what << " " << j;
        EXPECT_EQ(got[j].tangent, want.tangent) << what << " " << j;
        EXPECT_EQ(got[j].sine, want.sine) << what << " " << j;
    }
}

// Kept positions serve only a pass of the same grid, size, bin width and
// calibration: a new target's grid, another stride or calibration, or more
// strides than are kept never get another pass's positions.
TEST(GridPositionsTest, KeptPositionsAsWorkedOutAfresh) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> a4, e4;
    for (int j = 0; j < 400; ++j) {
        a4.push_back(440.0f * std::pow(2.0f, (j - 200) / 24000.0f));
        e4.push_back(329.63f * std::pow(2.0f, (j - 200) / 24000.0f));
    }
    // Off the spectrum, under 1 Hz, not a number, and on a bin (5 * 2.5 Hz).
    const std::vector<float> edges = {0.5f, 12.5f, nan, 1.0e9f, -3.0f};
    GridPositions kept;
    for (int round = 0; round < 2; ++round) {
        for (int stride = 6; stride <= 11; ++stride) {
            const float binWidth = 44100.0f / static_cast<float>(stride) / 16384.0f;
            expectFresh(kept.of(a4.data(), 400, 16384, binWidth, false, 1.0), a4, 16384, binWidth,
                        false, 1.0, "A4");
            expectFresh(kept.of(e4.data(), 400, 16384, binWidth, false, 1.0), e4, 16384, binWidth,
                        false, 1.0, "E4");
            expectFresh(kept.of(a4.data(), 400, 16384, binWidth, true, 1.002), a4, 16384, binWidth,
                        true, 1.002, "A4 calibrated");
            expectFresh(kept.of(a4.data(), 400, 4096, binWidth, false, 1.0), a4, 4096, binWidth,
                        false, 1.0, "A4 Standard");
        }
        expectFresh(kept.of(edges.data(), 5, 2048, 2.5f, false, 1.0), edges, 2048, 2.5f, false, 1.0,
                    "edges");
    }
    // Far more strides than are kept, then the first again.
    for (int stride = 1; stride <= 200; ++stride)
        kept.of(a4.data(), 400, 16384, 44100.0f / stride / 16384.0f, false, 1.0);
    const float first = 44100.0f / 6.0f / 16384.0f;
    expectFresh(kept.of(a4.data(), 400, 16384, first, false, 1.0), a4, 16384, first, false, 1.0,
                "after many strides");
}

} // namespace
} // namespace tonvela
