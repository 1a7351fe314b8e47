#pragma once

#include <vector>

namespace tonvela {

// Where the frequencies of a result's grid lie between the bins of a pass's
// spectrum, with the two library values each level between bins needs. They
// depend only on the grid, the window's size, its bin width (so its stride)
// and the input calibration, and a record's passes take only a few strides,
// so each set is worked out once and kept for the passes that follow.
class GridPositions {
public:
    struct Position {
        // The bin below the frequency; -1 where the level is 0 (under 1 Hz,
        // outside the spectrum, not a number).
        int bin;
        // How far above that bin, in bins; the level is the bin's own at 0.
        double part;
        // tan(pi part / size) and sin(pi part).
        double tangent;
        double sine;
    };

    // The positions of the count grid frequencies (each times calibFactor,
    // in float, where calibrated) for a spectrum of size bins binWidth apart.
    const std::vector<Position>& of(const float* grid, int count, int size, float binWidth,
                                    bool calibrated, double calibFactor);

private:
    struct Set {
        int size;
        float binWidth;
        bool calibrated;
        double calibFactor;
        std::vector<float> grid;
        std::vector<Position> positions;
    };
    // The most recently used last. Deep notes take up to about 60 strides.
    static constexpr std::size_t KEPT = 64;
    std::vector<Set> sets;
};

} // namespace tonvela
