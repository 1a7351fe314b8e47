#pragma once

namespace tonvela {

// The conversions between cents and frequencies every part shares, with the
// single/double rounding that makes their results reproducible.
class CentFreqCalculator {
public:
    // baseFrequency * 2^(cents / 1200); frequencyOf(440, 100) = 466.16376.
    static float frequencyOf(float baseFrequency, float cents);
    // 1200 * log2(toFrequency / fromFrequency), positive when toFrequency is
    // higher; centsBetween(440, 441) = 3.9301548.
    static float centsBetween(float fromFrequency, float toFrequency);
};

} // namespace tonvela
