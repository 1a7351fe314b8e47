#include "analysis/GridPositions.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

const std::vector<GridPositions::Position>& GridPositions::of(const float* grid, int count,
                                                              int size, float binWidth,
                                                              bool calibrated, double calibFactor) {
    const auto same = [&](const Set& set) {
        return set.size == size && set.binWidth == binWidth && set.calibrated == calibrated &&
               (!calibrated || set.calibFactor == calibFactor) &&
               std::equal(set.grid.begin(), set.grid.end(), grid, grid + count);
    };
    const auto found = std::find_if(sets.begin(), sets.end(), same);
    if (found != sets.end()) {
        std::rotate(found, found + 1, sets.end());
        return sets.back().positions;
    }
    if (sets.size() == KEPT)
        sets.erase(sets.begin());
    Set set{size, binWidth, calibrated, calibFactor, std::vector<float>(grid, grid + count), {}};
    set.positions.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        float x = grid[j];
        Position position{-1, 0.0, 0.0, 0.0};
        if (x >= 1.0f) {
            if (calibrated)
                x = static_cast<float>(x * calibFactor);
            const float p = x * (1.0f / binWidth);
            const float lo = std::floor(p);
            // The pass checked the top of the grid; this keeps a NaN or a
            // shifted position inside the spectrum all the same.
            if (lo >= 0.0f && lo < static_cast<float>(size / 2)) {
                position.bin = static_cast<int>(lo);
                position.part = static_cast<double>(p) - lo;
                if (position.part != 0.0) {
                    position.tangent = std::tan(M_PI * position.part / size);
                    position.sine = std::sin(M_PI * position.part);
                }
            }
        }
        set.positions.push_back(position);
    }
    sets.push_back(std::move(set));
    return sets.back().positions;
}

} // namespace tonvela
