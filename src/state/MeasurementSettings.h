#pragma once

namespace tonvela {

// The user's measurement settings, a copyable value.
class MeasurementSettings {
public:
    virtual ~MeasurementSettings() = default;

    // Bit i for harmonics[i]; bits 6 and above are ignored on the way in.
    int harmonicsMask() const;
    void setHarmonicsMask(int mask);

    // Ratios of a partial to the fundamental folded onto it, in the order
    // 1.0, 1.5, 2.0, 2.25, 3.0, 4.0.
    bool harmonics[6] = {true, true, true, true, true, true};
    // 0 Standard, 1 Accurate, 2 Most Accurate.
    int accuracy = 0;
    float calibIn = 0.0f;
    float calibOut = 0.0f;
    int autoSwap = 0;
    int autoMeasure = 1;
};

} // namespace tonvela
