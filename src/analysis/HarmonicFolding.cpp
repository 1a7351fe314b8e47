#include "analysis/HarmonicFolding.h"

#include "state/DataStructure.h"

namespace tonvela {

namespace {

// A factor q = outputs / inputs: each group of `outputs` output values reads
// the group of `inputs` input values below it. For output r of a group the
// position j / q lies offset[r] inputs into the group with fraction
// numerator[r] * unit.
struct FoldPattern {
    int outputs;
    int inputs;
    float unit;
    int offset[9];
    int numerator[9];
};

constexpr float ONE_THIRD = 0.33333334f;
constexpr float ONE_NINTH = 0.11111111f;

// One pattern per harmonic, indexed by MeasurementSettings::Harmonic.
constexpr FoldPattern PATTERNS[MeasurementSettings::HarmonicCount] = {
    {1, 1, 1.0f, {0}, {0}},
    {3, 2, ONE_THIRD, {0, 0, 1}, {0, 2, 1}},
    {2, 1, 0.5f, {0, 0}, {0, 1}},
    {9, 4, ONE_NINTH, {0, 0, 0, 1, 1, 2, 2, 3, 3}, {0, 4, 8, 3, 7, 2, 6, 1, 5}},
    {3, 1, ONE_THIRD, {0, 0, 0}, {0, 1, 2}},
    {4, 1, 0.25f, {0, 0, 0, 0}, {0, 1, 2, 3}},
};

void addStretched(const Complex* in, Complex* out, int n, const FoldPattern& pattern) {
    float upper[9];
    float lower[9];
    for (int r = 0; r < pattern.outputs; ++r) {
        upper[r] = static_cast<float>(pattern.numerator[r]) * pattern.unit;
        lower[r] = 1.0f - upper[r];
    }
    int base = 0;
    for (int j0 = 0; j0 < n; j0 += pattern.outputs, base += pattern.inputs) {
        const int last = n - j0 < pattern.outputs ? n - j0 : pattern.outputs;
        for (int r = 0; r < last; ++r) {
            const int m = base + pattern.offset[r];
            // A position on the grid reads one sample only, so the last
            // output of the 1.0 copy never looks past the window.
            const float value = pattern.numerator[r] == 0
                                    ? in[m].re
                                    : lower[r] * in[m].re + upper[r] * in[m + 1].re;
            out[j0 + r].re += value;
        }
    }
}

} // namespace

void foldHarmonics(const Complex* in, Complex* out, int n,
                   const bool flags[MeasurementSettings::HarmonicCount]) {
    for (int j = 0; j < n; ++j)
        out[j] = Complex{};
    for (int f = 0; f < MeasurementSettings::HarmonicCount; ++f)
        if (flags[f])
            addStretched(in, out, n, PATTERNS[f]);
}

void foldHarmonics(const Complex* in, Complex* out, int n) {
    bool flags[MeasurementSettings::HarmonicCount];
    DataStructure::getInstance().getHarmonics(
        flags[MeasurementSettings::Harmonic1], flags[MeasurementSettings::Harmonic1_5],
        flags[MeasurementSettings::Harmonic2], flags[MeasurementSettings::Harmonic2_25],
        flags[MeasurementSettings::Harmonic3], flags[MeasurementSettings::Harmonic4]);
    foldHarmonics(in, out, n, flags);
}

} // namespace tonvela
