#include "analysis/HarmonicFolding.h"

#include "state/DataStructure.h"

#include <array>
#include <utility>

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

// Every pattern repeats within this many outputs (the least common multiple
// of their group sizes), so a block of them reads each copy at fixed offsets
// with fixed weights.
constexpr int BLOCK = 36;

// Where output r of a block reads one copy: offset inputs into that copy's
// share of the block, with the weights of the two samples there (none for a
// position on the grid, which reads one sample only, so the last output of
// the 1.0 copy never looks past the window).
struct Tap {
    int offset;
    bool exact;
    float lower;
    float upper;
};

struct BlockTaps {
    int inputs[MeasurementSettings::HarmonicCount];
    Tap taps[MeasurementSettings::HarmonicCount][BLOCK];
};

constexpr BlockTaps makeBlockTaps() {
    BlockTaps table{};
    for (int f = 0; f < MeasurementSettings::HarmonicCount; ++f) {
        const FoldPattern& pattern = PATTERNS[f];
        table.inputs[f] = BLOCK / pattern.outputs * pattern.inputs;
        for (int r = 0; r < BLOCK; ++r) {
            const int group = r / pattern.outputs;
            const int within = r % pattern.outputs;
            const float upper = static_cast<float>(pattern.numerator[within]) * pattern.unit;
            table.taps[f][r] = {group * pattern.inputs + pattern.offset[within],
                                pattern.numerator[within] == 0, 1.0f - upper, upper};
        }
    }
    return table;
}

constexpr BlockTaps BLOCK_TAPS = makeBlockTaps();

template <int F, int R> inline float copyAt(const Complex* in, const int* base) {
    constexpr Tap tap = BLOCK_TAPS.taps[F][R];
    const Complex* at = in + base[F] + tap.offset;
    if constexpr (tap.exact)
        return at[0].re;
    else
        return tap.lower * at[0].re + tap.upper * at[1].re;
}

// Output R of a block: the selected copies summed in the factors' order,
// from +0, as the copies were once added one after the other.
template <unsigned Mask, int R> inline float foldedAt(const Complex* in, const int* base) {
    float sum = 0.0f;
    if constexpr ((Mask & 1u) != 0)
        sum += copyAt<0, R>(in, base);
    if constexpr ((Mask & 2u) != 0)
        sum += copyAt<1, R>(in, base);
    if constexpr ((Mask & 4u) != 0)
        sum += copyAt<2, R>(in, base);
    if constexpr ((Mask & 8u) != 0)
        sum += copyAt<3, R>(in, base);
    if constexpr ((Mask & 16u) != 0)
        sum += copyAt<4, R>(in, base);
    if constexpr ((Mask & 32u) != 0)
        sum += copyAt<5, R>(in, base);
    return sum;
}

template <unsigned Mask, int... R>
inline void foldBlock(const Complex* in, Complex* out, const int* base,
                      std::integer_sequence<int, R...>) {
    ((out[R] = Complex{foldedAt<Mask, R>(in, base), 0.0f}), ...);
}

// The whole blocks of n outputs, for one set of harmonics; base is left at
// the inputs of the first output after them.
template <unsigned Mask> int foldBlocks(const Complex* in, Complex* out, int n, int* base) {
    int j = 0;
    for (; j + BLOCK <= n; j += BLOCK) {
        foldBlock<Mask>(in, out + j, base, std::make_integer_sequence<int, BLOCK>{});
        for (int f = 0; f < MeasurementSettings::HarmonicCount; ++f)
            base[f] += BLOCK_TAPS.inputs[f];
    }
    return j;
}

using BlockFolder = int (*)(const Complex*, Complex*, int, int*);

template <unsigned... Mask>
constexpr std::array<BlockFolder, sizeof...(Mask)>
makeFolders(std::integer_sequence<unsigned, Mask...>) {
    return {&foldBlocks<Mask>...};
}

// One folder for each set of harmonics, indexed by its flags as bits.
constexpr auto FOLDERS =
    makeFolders(std::make_integer_sequence<unsigned, 1u << MeasurementSettings::HarmonicCount>{});

// The outputs of a last, partial block.
void foldPart(const Complex* in, Complex* out, int count, const int* base, const bool* flags) {
    for (int r = 0; r < count; ++r) {
        float sum = 0.0f;
        for (int f = 0; f < MeasurementSettings::HarmonicCount; ++f) {
            if (!flags[f])
                continue;
            const Tap& tap = BLOCK_TAPS.taps[f][r];
            const Complex* at = in + base[f] + tap.offset;
            sum += tap.exact ? at[0].re : tap.lower * at[0].re + tap.upper * at[1].re;
        }
        out[r] = Complex{sum, 0.0f};
    }
}

} // namespace

void foldHarmonics(const Complex* in, Complex* out, int n,
                   const bool flags[MeasurementSettings::HarmonicCount]) {
    // One pass over the output; each value reads the same samples and adds
    // the same terms in the same order as a copy-by-copy sum would.
    unsigned mask = 0;
    for (int f = 0; f < MeasurementSettings::HarmonicCount; ++f)
        mask |= flags[f] ? 1u << f : 0u;
    int base[MeasurementSettings::HarmonicCount] = {};
    const int j = FOLDERS[mask](in, out, n, base);
    foldPart(in, out + j, n - j, base, flags);
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
