#include "analysis/AnalyzerStd.h"

#include "analysis/HarmonicFolding.h"
#include "analysis/InterpolationSums.h"
#include "analysis/PeakRefinement.h"
#include "analysis/ToneChecks.h"
#include "audio/CaptureDriverManager.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

// Strides beyond this are far longer than any ring; clamping here keeps the
// float-to-int conversion defined for the tiniest targets.
constexpr float STRIDE_LIMIT = 1.0e8f;
// How much of a pass's strongest level the partial that confirms it must have.
constexpr double CONFIRMING_SHARE = 0.1;
// ... and how far it must stand above the mean level of the bins around it,
// FLOOR_BINS to each side.
constexpr double ABOVE_FLOOR = 4.0;
constexpr int FLOOR_BINS = 32;
// The stretch of the unfolded window whose strongest partial the reading's
// series must hold: from well below the reading (where the fundamental of a
// lower note lies) to just below half the decimated rate.
constexpr double LOWEST_PARTIAL = 0.4;
constexpr double HIGHEST_PARTIAL = 0.45;

int strideFor(float sampleRate, float divisor) {
    const float steps = sampleRate / divisor;
    if (!(steps < STRIDE_LIMIT))
        return static_cast<int>(STRIDE_LIMIT);
    return std::max(1, static_cast<int>(steps));
}

} // namespace

int AnalyzerStd::octaveOf(int note) {
    return std::clamp(note / 12, 0, 7);
}

AnalyzerStd::AnalyzerStd() = default;

AnalyzerStd::~AnalyzerStd() = default;

void AnalyzerStd::analyze(AnalysisResultStd& result) {
    analyze(result, *CaptureDriverManager::getInstance().getDriver());
}

void AnalyzerStd::analyze(AnalysisResultStd& result, CaptureDriver& driver) {
    MeasurementSettings settings;
    DataStructure::getInstance().getMeasurementSettings(settings);
    analyze(result, driver, settings);
}

void AnalyzerStd::analyze(AnalysisResultStd& result, CaptureDriver& driver,
                          const MeasurementSettings& settings) {
    Pass pass;
    plan(result, driver, settings, pass);
    measure(pass);
    if (pass.measurable)
        driver.keepAsLastRead(pass.read);
    apply(pass, result);
}

void AnalyzerStd::plan(const AnalysisResultStd& result, CaptureDriver& driver,
                       const MeasurementSettings& settings, Pass& pass) {
    pass = Pass{};
    pass.record = &result;
    pass.settings = &settings;
    pass.driver = &driver;
    const TargetData* target = result.getTargetData();
    if (target == nullptr)
        return;
    const float f = target->frequency;
    if (!(f > 0.0f) || !std::isfinite(f))
        return;

    order = fftOrderByOctave[octaveOf(target->note)];
    if (settings.accuracy == MeasurementSettings::Accurate)
        order += 2;
    size = 1 << order;

    sampleRate = driver.sampleRate();
    const int maxStride = strideFor(sampleRate, 9.0f * f);
    const int minStride = strideFor(sampleRate, 15.0f * f);
    stride = maxStride - tonvela::rand() % (maxStride - minStride + 1);

    effectiveRate = sampleRate / static_cast<float>(stride);
    binWidth = effectiveRate / static_cast<float>(size);
    windowLength = static_cast<float>(size) / effectiveRate;

    const float calibIn = settings.calibIn;
    calibrated = calibIn != 0.0f;
    calibFactor = std::pow(2.0, static_cast<double>(-calibIn * 0.00083333335f));

    // A window longer than the ring, or a grid reaching the mirrored half of
    // the spectrum, cannot be measured: such a pass adds nothing.
    const long long reach =
        static_cast<long long>(size) * stride + stride + driver.getBufferBytes();
    if (reach > driver.getRingLength() && !driver.isSilent())
        return;
    const float* grid = result.getBinFrequencies();
    const float top = calibrated ? static_cast<float>(grid[result.getBinCount() - 1] * calibFactor)
                                 : grid[result.getBinCount() - 1];
    if (!(std::ceil(top * (1.0f / binWidth)) < static_cast<float>(size / 2)))
        return;

    pass.measurable = true;
    pass.order = order;
    pass.stride = stride;
    pass.effectiveRate = effectiveRate;
    pass.binWidth = binWidth;
    pass.windowLength = windowLength;
    pass.calibrated = calibrated;
    pass.calibFactor = calibFactor;
    pass.jitter = driver.drawJitter();
}

void AnalyzerStd::measure(Pass& pass) {
    if (!pass.measurable)
        return;
    const AnalysisResultStd& result = *pass.record;
    const MeasurementSettings& settings = *pass.settings;
    CaptureDriver& driver = *pass.driver;
    const float f = result.getTargetData()->frequency;
    order = pass.order;
    size = 1 << order;
    sampleRate = driver.sampleRate();
    stride = pass.stride;
    effectiveRate = pass.effectiveRate;
    binWidth = pass.binWidth;
    windowLength = pass.windowLength;
    calibrated = pass.calibrated;
    calibFactor = pass.calibFactor;
    const float* grid = result.getBinFrequencies();

    if (size > capacity) {
        spectrum.assign(size, Complex{});
        samples.assign(size, Complex{});
        capacity = size;
    }
    if (!transforms[order])
        transforms[order] = std::make_unique<FFT>(order);
    fft = transforms[order].get();
    if (tangentsSize != size) {
        for (int m = 1 - INTERPOLATION_BINS; m <= INTERPOLATION_BINS; ++m)
            binTangents[m + INTERPOLATION_BINS - 1] = std::tan(M_PI * m / size);
        tangentsSize = size;
    }

    pass.read = driver.readStrided(samples.data(), size, stride, pass.jitter);
    foldHarmonics(samples.data(), spectrum.data(), size, settings.harmonics);
    fft->forward(spectrum.data());

    const int count = result.getBinCount();
    pass.levels.resize(static_cast<std::size_t>(count));
    levelsAt(grid, count, pass.levels.data());
    int peak = -1;
    float max = 0.0f;
    for (int j = 0; j < count; ++j) {
        if (pass.levels[j] > max) {
            max = pass.levels[j];
            peak = j;
        }
    }
    // A pass whose strongest level is no steady tone of its own adds
    // nothing, as a silent pass.
    if (peak >= 0 && !passIsTone(result, peak, max, settings.harmonics))
        return;
    pass.tone = true;
    // The pass's own reading of the tone, from the bins around its top.
    if (peak >= 0) {
        const double factor = calibrated ? calibFactor : 1.0;
        const double bin =
            PeakRefinement::binTop(spectrum.data(), size, grid[peak] * factor / binWidth);
        pass.hasReading = true;
        pass.reading = 1200.0 * std::log2(bin * binWidth / factor / f);
    }
}

void AnalyzerStd::apply(const Pass& pass, AnalysisResultStd& result) {
    if (!pass.measurable)
        return;
    result.setWindowMs(static_cast<int>(pass.windowLength * 1000.0f));
    // Sound spliced across lost input is no tone that was played.
    if (pass.read.lostInput)
        result.markLostInput();
    if (!pass.tone)
        return;
    if (pass.hasReading)
        result.addPassReading(pass.reading);
    for (int j = 0; j < static_cast<int>(pass.levels.size()); ++j)
        result.addValue(j, pass.levels[j]);
    result.accumulatePass();
}

// The 1.5 and 2.25 copies also stretch partials that are not the ones they
// are meant for: the second partial of a tone folded by 2.25 lands 204 cents
// below the tone, inside the grid for a tone a few cents sharp (and at its
// edge for one in tune). The copies are summed with their phases, so in some
// windows the partials at the tone nearly cancel and that image is the
// strongest level of the pass. A level that stands for a tone has the tone's
// partial at itself or at a whole multiple in the unfolded window; such an
// image has none there.
bool AnalyzerStd::passIsTone(const AnalysisResultStd& result, int peak, float level,
                             const bool flags[6]) {
    double p = result.getBinFrequencies()[peak];
    if (calibrated)
        p *= calibFactor;
    // The spectrum of the unfolded window: the level must stand for a
    // partial there, and its series must hold the strongest one.
    fft->forward(samples.data());
    if (!peakConfirmed(result, peak, level, flags))
        return false;
    if (!ToneChecks::strongestOnSeries(samples.data(), size, binWidth, p, LOWEST_PARTIAL * p,
                                       HIGHEST_PARTIAL * effectiveRate))
        return false;
    return ToneChecks::partialEnvelopeSteady(samples.data(), size, binWidth, p,
                                             HIGHEST_PARTIAL * effectiveRate, *fft);
}

bool AnalyzerStd::peakConfirmed(const AnalysisResultStd& result, int peak, float level,
                                const bool flags[6]) {
    if (!flags[1] && !flags[3])
        return true;
    static constexpr int WHOLE_FLAGS[4] = {0, 2, 4, 5};
    static constexpr double WHOLE_FACTORS[4] = {1.0, 2.0, 3.0, 4.0};
    bool anyWhole = false;
    for (int flag : WHOLE_FLAGS)
        anyWhole = anyWhole || flags[flag];
    if (!anyWhole)
        return true;

    const float* grid = result.getBinFrequencies();
    double p = grid[peak];
    if (calibrated)
        p *= calibFactor;
    // The partial may lie anywhere within half a grid step of the level.
    const int neighbour = peak + 1 < result.getBinCount() ? peak + 1 : peak - 1;
    const double halfStep = std::sqrt(std::max(static_cast<double>(grid[neighbour]) / grid[peak],
                                               static_cast<double>(grid[peak]) / grid[neighbour])) -
                            1.0;
    const double n = size;
    const auto levelOf = [&](int k) {
        return std::hypot(static_cast<double>(samples[k].re), static_cast<double>(samples[k].im)) /
               n;
    };
    for (int i = 0; i < 4; ++i) {
        if (!flags[WHOLE_FLAGS[i]])
            continue;
        const double centre = WHOLE_FACTORS[i] * p / binWidth;
        const double reach = centre * halfStep + 1.0;
        const int from = std::max(1, static_cast<int>(std::floor(centre - reach)));
        const int to = std::min(size / 2 - 1, static_cast<int>(std::ceil(centre + reach)));
        double strongest = 0.0;
        for (int k = from; k <= to; ++k)
            strongest = std::max(strongest, levelOf(k));
        // The floor around it: in noise the strongest of a few bins is
        // about twice their mean, a partial many times more.
        const int floorFrom = std::max(1, from - FLOOR_BINS);
        const int floorTo = std::min(size / 2 - 1, to + FLOOR_BINS);
        double floorSum = 0.0;
        for (int k = floorFrom; k <= floorTo; ++k)
            floorSum += levelOf(k);
        const double floorLevel = floorSum / (floorTo - floorFrom + 1);
        // The partials of a tone that add up at its level are at most four, so
        // the strongest of them, even between two bins, has more than a tenth
        // of the level; an image has only leakage and noise there.
        if (strongest >= CONFIRMING_SHARE * level && strongest >= ABOVE_FLOOR * floorLevel)
            return true;
    }
    return false;
}

// The levels of the window's spectrum at the grid's frequencies, between
// the bins of the transform: the transform of a window of N samples
// determines its spectrum at every frequency, X(p) = sum_k X[k] D(p - k) with
// the periodic sinc D, here summed over the bins nearest p. Interpolating the
// bins' moduli linearly instead would put every pass's peak on a bin, several
// cents from the tone.
//
// With d = k - p: |X(p)| = (sin(pi fraction) / N) |sum X[k] (cot(pi d / N) - i)|,
// and the level is |X(p)| / N as at a bin. The cotangents follow from one
// tangent by the addition theorem: with m = k - bin and t = tan(pi
// fraction / N), cot(pi d / N) = (1 + tan(pi m / N) t) / (tan(pi m / N) - t).
// The sums of several positions run side by side, each as it would alone.
void AnalyzerStd::levelsAt(const float* grid, int count, float* levels) {
    const double n = size;
    const std::vector<GridPositions::Position>& positions =
        gridPositions.of(grid, count, size, binWidth, calibrated, calibFactor);
    const int lanes = InterpolationSums::hasFour() ? 4 : 2;
    int index[4] = {};
    const Complex* bins[4] = {};
    double t[4] = {}, re[4] = {}, im[4] = {};
    // The bins around a position near bin 0 wrap to the top of the spectrum.
    Complex wrapped[4][InterpolationSums::count];
    int pending = 0;
    const auto flush = [&] {
        for (int k = pending; k < lanes; ++k) {
            bins[k] = bins[0];
            t[k] = t[0];
        }
        if (lanes == 4)
            InterpolationSums::four(bins, t, binTangents, re, im);
        else
            InterpolationSums::two(bins, t, binTangents, re, im);
        for (int k = 0; k < pending; ++k)
            levels[index[k]] =
                static_cast<float>(positions[index[k]].sine * std::hypot(re[k], im[k]) / (n * n));
        pending = 0;
    };
    for (int j = 0; j < count; ++j) {
        const GridPositions::Position& at = positions[j];
        levels[j] = 0.0f;
        if (at.bin < 0)
            continue;
        const int bin = at.bin;
        if (at.part == 0.0) {
            levels[j] = static_cast<float>(std::hypot(spectrum[bin].re, spectrum[bin].im) / n);
            continue;
        }
        index[pending] = j;
        t[pending] = at.tangent;
        if (bin + InterpolationSums::first >= 0) {
            bins[pending] = &spectrum[static_cast<std::size_t>(bin)];
        } else {
            Complex* copy = wrapped[pending];
            for (int i = 0; i < InterpolationSums::count; ++i)
                copy[i] = spectrum[static_cast<std::size_t>(
                    (bin + InterpolationSums::first + i + size) % size)];
            bins[pending] = copy - InterpolationSums::first;
        }
        if (++pending == lanes)
            flush();
    }
    if (pending > 0)
        flush();
}

} // namespace tonvela
