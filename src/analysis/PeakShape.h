#pragma once

namespace tonvela {

// The shape of a level curve around its highest value, walked from `from` to
// `to` (both included): the sum of the levels, how much the curve climbs in
// all (the first level counts as a rise from 0), and the first highest level
// with its index, -1 when no level is above 0.
struct PeakShape {
    float sum = 0.0f;
    float rises = 0.0f;
    float max = 0.0f;
    int peak = -1;

    static PeakShape of(const float* levels, int from, int to) {
        PeakShape shape;
        float prev = 0.0f;
        for (int k = from; k <= to; ++k) {
            const float level = levels[k];
            shape.sum += level;
            if (level > prev)
                shape.rises += level - prev;
            if (level > shape.max) {
                shape.max = level;
                shape.peak = k;
            }
            prev = level;
        }
        return shape;
    }
};

} // namespace tonvela
