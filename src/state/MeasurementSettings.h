#pragma once

namespace tonvela {

// The user's measurement settings, a copyable value.
class MeasurementSettings {
public:
    // The measurement modes, the values of `accuracy`: "Standard (Fast)",
    // "Accurate (Slow)", "Most Accurate (Steady Tone Only)".
    enum Accuracy { Standard = 0, Accurate = 1, MostAccurate = 2 };

    // Ratios of a partial to the fundamental that the analysis folds onto the
    // fundamental: the indices of `harmonics` and the bit numbers of the
    // stored mask, in the order 1.0, 1.5, 2.0, 2.25, 3.0, 4.0.
    enum Harmonic {
        Harmonic1 = 0,
        Harmonic1_5 = 1,
        Harmonic2 = 2,
        Harmonic2_25 = 3,
        Harmonic3 = 4,
        Harmonic4 = 5,
        HarmonicCount = 6
    };
    static constexpr int harmonicBit(Harmonic harmonic) { return 1 << harmonic; }

    virtual ~MeasurementSettings() = default;

    // Bit harmonicBit(h) for harmonics[h]; bits 6 and above are ignored on the
    // way in.
    int harmonicsMask() const;
    void setHarmonicsMask(int mask);

    bool harmonics[HarmonicCount] = {true, true, true, true, true, true};
    int accuracy = Standard;
    float calibIn = 0.0f;
    float calibOut = 0.0f;
    int autoSwap = 0;
    int autoMeasure = 1;
};

} // namespace tonvela
