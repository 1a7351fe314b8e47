#include "analysis/AnalyzerPro.h"

#include "analysis/CentFreqCalculator.h"
#include "analysis/DecimationTaps.h"
#include "analysis/HarmonicFolding.h"
#include "analysis/PeakShape.h"
#include "analysis/ToneChecks.h"
#include "audio/CaptureDriverManager.h"
#include "runtime/Bessel.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tonvela {

namespace {

constexpr float TWO_PI = 6.2831855f;
// Strides beyond this are far longer than any ring; stopping here keeps the
// float-to-int conversion defined for the tiniest targets.
constexpr float STRIDE_LIMIT = 1.0e8f;

// The interval factors, as powers in double rounded to float.
const float sixthOctave = static_cast<float>(std::pow(2.0, 1.0 / 6.0));    // 200 cents
const float twelfthOctave = static_cast<float>(std::pow(2.0, 1.0 / 12.0)); // 100 cents
const float fiveCents = static_cast<float>(std::pow(2.0, 5.0 / 1200.0));

int floorToInt(float value) {
    return static_cast<int>(std::floor(value));
}

// The decimation low-pass, as fractions of the decimated rate: flat to 0.35,
// half amplitude at 0.44 (so the fourth partial of a tone decimated at nine
// times its frequency still counts), at least 50 dB down from 0.53. A partial
// just above half the rate would otherwise come back mirrored below it, and
// one of the folding factors carries that mirror image to within a few tens
// of cents of the target, where it can outweigh the tone.
constexpr double CUTOFF = 0.44;
constexpr double TRANSITION = 0.18;
constexpr double STOP_ATTENUATION_DB = 50.0;
// How much of the peak's level the partial that confirms it must have: the
// partials that add up at a tone are at most four.
constexpr float CONFIRMING_SHARE = 0.1f;
// The stretch of the unfolded window whose strongest partial the reading's
// series must hold: from well below the reading (where the fundamental of a
// lower note lies) to the top of the low-pass's flat band.
constexpr float LOWEST_PARTIAL = 0.4f;
constexpr float HIGHEST_PARTIAL = 0.44f;

} // namespace

AnalyzerPro::AnalyzerPro() = default;

AnalyzerPro::~AnalyzerPro() = default;

float AnalyzerPro::resolutionFor(int order) {
    static constexpr float steps[3] = {2.0f, 1.0f, 0.5f};
    const int u = order - 9;
    float divisor = 1.0f;
    for (int i = 0; i < u / 3; ++i)
        divisor *= 10.0f;
    return steps[u % 3] / divisor;
}

int AnalyzerPro::orderFor(float frequency) {
    if (frequency < 60.0f)
        return 13;
    if (frequency < 240.0f)
        return 14;
    return 15;
}

float AnalyzerPro::roundToResolution(float cents, float resolution) {
    float steps = std::round(cents / resolution);
    if (steps == 0.0f)
        steps = 0.0f;
    return steps * resolution;
}

std::unique_ptr<AnalysisResultPro> AnalyzerPro::analyze(const TargetData& newTarget) {
    return analyze(newTarget, *CaptureDriverManager::getInstance().getDriver());
}

std::unique_ptr<AnalysisResultPro> AnalyzerPro::analyze(const TargetData& newTarget,
                                                        CaptureDriver& newDriver) {
    MeasurementSettings current;
    DataStructure::getInstance().getMeasurementSettings(current);
    return analyze(newTarget, newDriver, current);
}

std::unique_ptr<AnalysisResultPro> AnalyzerPro::analyze(const TargetData& newTarget,
                                                        CaptureDriver& newDriver,
                                                        const MeasurementSettings& newSettings) {
    driver = &newDriver;
    settings = newSettings;
    // Another input device may run at another rate; the whole table depends
    // on it, so it counts as a change of target.
    if (!target || !target->equals(newTarget) || driver->sampleRate() != sampleRate) {
        target = newTarget.clone();
        calibrate();
    }
    return analyzeWindow(-1.0f, 1.0f);
}

void AnalyzerPro::calibrate() {
    measurable = false;
    if (!target || !driver)
        return;
    const float f = target->frequency;
    order = orderFor(f);
    size = 1 << order;
    resolutionCents = resolutionFor(order);
    sampleRate = driver->sampleRate();
    stride = 1;
    effectiveRate = 0.0f;
    binWidth = 0.0f;
    gridFrequency = 0.0f;
    windowLength = 0.0f;
    std::fill(std::begin(trueOffsets), std::end(trueOffsets), 0.0f);
    std::fill(std::begin(measuredOffsets), std::end(measuredOffsets), 0.0f);
    if (!(f > 0.0f) || !std::isfinite(f) || !(sampleRate > 0.0f))
        return;

    const float steps = sampleRate / (9.0f * f);
    if (!(steps < STRIDE_LIMIT))
        return;
    stride = std::max(1, static_cast<int>(steps));
    effectiveRate = sampleRate / static_cast<float>(stride);
    binWidth = effectiveRate / static_cast<float>(size);
    gridFrequency = std::trunc(f / binWidth + 0.5f) * binWidth;
    windowLength = static_cast<float>(size) / effectiveRate;
    designDecimationFilter();

    // The window, with the read's jitter and the low-pass's reach, must lie
    // within the ring, and the levels around the target below half the
    // decimated rate, or a reading would mix old and new sound or reach
    // beyond the transform.
    const long long reach =
        static_cast<long long>(size) * stride + stride + filterSpan + driver->getBufferBytes();
    if (reach > driver->getRingLength() && !driver->isSilent())
        return;
    const float lowest = f / sixthOctave / binWidth;
    const float highest = f * sixthOctave / binWidth;
    if (!(lowest >= 1.0f) || !(highest + 3.0f < static_cast<float>(size / 2)))
        return;
    measurable = true;

    if (size > capacity) {
        spectrum.assign(static_cast<std::size_t>(size), Complex{});
        samples.assign(static_cast<std::size_t>(size), Complex{});
        capacity = size;
    }
    if (!transforms[order])
        transforms[order] = std::make_unique<FFT>(order);
    fft = transforms[order].get();

    for (int i = 1; i <= 9; ++i)
        trueOffsets[i] = calibrationFractions[i] * binWidth;
    trueOffsets[0] = 0.0f;
    trueOffsets[10] = binWidth;
    measuredOffsets[0] = 0.0f;
    measuredOffsets[10] = binWidth;
    for (int i = 1; i <= 9; ++i)
        measuredOffsets[i] = measureOffset(gridFrequency + trueOffsets[i]);
}

float AnalyzerPro::measureOffset(float frequency) {
    float sum = 0.0f;
    for (int k = 0; k < 4; ++k) {
        const std::unique_ptr<AnalysisResultPro> record =
            analyzeWindow(frequency, static_cast<float>(k) * TWO_PI * 0.25f);
        // A tone that could not be timed leaves that point of the table true.
        const float raw = record->isTimed() ? record->getRawFrequency() : frequency;
        sum += raw - gridFrequency;
    }
    return sum * 0.25f;
}

float AnalyzerPro::correctFrequency(float raw) const {
    const float base = std::trunc(raw / binWidth) * binWidth;
    const float m = raw - base;
    for (int i = 1; i <= 10; ++i) {
        if (m < measuredOffsets[i]) {
            const float measuredStep = measuredOffsets[i] - measuredOffsets[i - 1];
            // Only a table measured out of order could get here with no step.
            if (!(measuredStep > 0.0f))
                return base + trueOffsets[i - 1];
            return base + trueOffsets[i - 1] +
                   (trueOffsets[i] - trueOffsets[i - 1]) * (m - measuredOffsets[i - 1]) /
                       measuredStep;
        }
    }
    return base + binWidth;
}

void AnalyzerPro::designDecimationFilter() {
    decimationTaps.clear();
    // Sums of another length or for other taps.
    boxDriver = 0;
    boxLength = 1;
    filterSpan = 0;
    if (stride <= 1)
        return;
    // The moving averages thin the signal to about three times the decimated
    // rate cheaply (their zeros sit on the multiples of that rate, where the
    // taps' response repeats); the taps then give the sharp edge.
    boxLength = std::max(1, stride / 3);
    const double ratio = static_cast<double>(stride) / boxLength;
    const double cutoff = CUTOFF / ratio;
    const double transition = TRANSITION / ratio;
    const double beta = 0.1102 * (STOP_ATTENUATION_DB - 8.7);
    const int half = static_cast<int>(
        std::ceil((STOP_ATTENUATION_DB - 8.0) / (2.285 * 2.0 * M_PI * transition) / 2.0));
    const int count = 2 * half + 1;
    std::vector<double> taps(static_cast<std::size_t>(count));
    double sum = 0.0;
    for (int j = 0; j < count; ++j) {
        const double t = j - half;
        const double sinc =
            t == 0.0 ? 2.0 * cutoff : std::sin(2.0 * M_PI * cutoff * t) / (M_PI * t);
        const double r = t / half;
        taps[j] = sinc * besselI0(beta * std::sqrt(1.0 - r * r)) / besselI0(beta);
        sum += taps[j];
    }
    // Unit gain at 0 Hz, with the three unscaled moving sums and the ring's
    // 256 steps per unit divided out.
    const double box = boxLength > 1 ? static_cast<double>(boxLength) : 1.0;
    const double scale = 1.0 / (sum * box * box * box * 256.0);
    decimationTaps.resize(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j)
        decimationTaps[j] = static_cast<double>(static_cast<float>(taps[j] * scale));
    filterSpan = static_cast<long long>(count - 1) * boxLength + 3LL * boxLength;
}

namespace {

// A place for a decimated sample not worked out yet; the taps over finite
// sums never give it.
const float NOT_YET = std::numeric_limits<float>::quiet_NaN();

} // namespace

void AnalyzerPro::readDecimated() {
    if (decimationTaps.empty()) {
        driver->readStrided(samples.data(), size, stride);
        return;
    }
    if (driver->isSilent()) {
        // Its window is all zeros, and every sum of taps over zeros is +0.
        std::fill(samples.begin(), samples.begin() + size, Complex{});
        return;
    }
    const int taps = static_cast<int>(decimationTaps.size());
    const int box = boxLength;
    // A moving sum's value depends on the lead samples before its position
    // too; the taps of one decimated sample reach over reach positions.
    const long long lead = 3LL * box;
    const long long reach = static_cast<long long>(taps - 1) * box;
    const long long length = static_cast<long long>(size - 1) * stride + filterSpan + 1;

    // The three moving sums of boxLength samples at a position depend only on
    // the samples up to it, so each is worked out once, when a window first
    // reaches it, and kept by its sample number while later windows still
    // read it: successive windows overlap in all but their newest 400 ms or
    // so. The sums come from three running totals of whole numbers (the ring
    // holds multiples of 1/256), differenced over boxLength, 2 and 3
    // boxLength samples: exact, with wrap-around in the totals cancelling
    // out, and without a chain of slow floating additions.
    std::size_t capacity = 1;
    while (capacity < static_cast<std::size_t>(length - lead))
        capacity *= 2;
    if (boxValues.size() != capacity) {
        boxValues.assign(capacity, 0.0f);
        decimatedValues.assign(capacity, NOT_YET);
        boxDriver = 0;
    }
    std::size_t totalsSize = 1;
    while (totalsSize < static_cast<std::size_t>(lead) + 1)
        totalsSize *= 2;
    if (boxTotals.size() != totalsSize)
        boxTotals.assign(totalsSize, 0);
    if (tapValues.size() != static_cast<std::size_t>(taps))
        tapValues.assign(static_cast<std::size_t>(taps), 0.0f);
    const std::int64_t mask = static_cast<std::int64_t>(capacity) - 1;
    const long long totalsMask = static_cast<long long>(totalsSize) - 1;
    float* values = boxValues.data();
    std::uint64_t* totals = boxTotals.data();

    std::int64_t origin = 0;
    // The first position, counted from the window's start, whose sums are
    // not kept yet; the totals start lead samples before it.
    long long from = 0;
    long long i = 0;
    std::uint64_t t1 = 0, t2 = 0, t3 = 0;
    driver->readRuns(static_cast<int>(length), [&](const float* run, int count) {
        if (i == 0) {
            // The driver notes the read's span before it hands over a run.
            origin = driver->lastReadSpan().first;
            const std::int64_t first = origin + lead;
            if (boxDriver == driver->getSerial() && first >= boxFirst && first <= boxEnd) {
                from = std::max<std::int64_t>(boxEnd, first) - origin;
            } else {
                from = lead;
                boxFirst = first;
                boxEnd = first;
                boxDriver = driver->getSerial();
                std::fill(decimatedValues.begin(), decimatedValues.end(), NOT_YET);
            }
        }
        // The totals live in locals here: stores through totals could
        // otherwise alias them and keep them out of registers.
        std::uint64_t s1 = t1, s2 = t2, s3 = t3;
        const int skipped = static_cast<int>(std::clamp<long long>(from - lead - i, 0, count));
        long long at = i + skipped;
        for (int k = skipped; k < count; ++k, ++at) {
            s1 += static_cast<std::uint64_t>(
                static_cast<std::int64_t>(static_cast<std::int32_t>(run[k] * 256.0f)));
            s2 += s1;
            s3 += s2;
            totals[at & totalsMask] = s3;
            if (at >= from) {
                const std::uint64_t sum = s3 - 3 * totals[(at - box) & totalsMask] +
                                          3 * totals[(at - 2LL * box) & totalsMask] -
                                          totals[(at - lead) & totalsMask];
                values[(origin + at) & mask] = static_cast<float>(static_cast<std::int64_t>(sum));
            }
        }
        t1 = s1;
        t2 = s2;
        t3 = s3;
        i += count;
    });
    if (i > 0 && origin + i > boxEnd)
        boxEnd = origin + i;
    // Positions that drop out of the kept ones give their places to new
    // ones, which have no decimated sample yet.
    const std::int64_t kept =
        std::max<std::int64_t>(boxFirst, boxEnd - static_cast<std::int64_t>(capacity));
    if (kept - boxFirst >= static_cast<std::int64_t>(capacity)) {
        std::fill(decimatedValues.begin(), decimatedValues.end(), NOT_YET);
    } else {
        for (std::int64_t at = boxFirst; at < kept; ++at)
            decimatedValues[static_cast<std::size_t>(at & mask)] = NOT_YET;
    }
    boxFirst = kept;

    // Each decimated sample from the taps over its sums, boxLength apart,
    // unless an earlier window had one at the same position (windows start
    // at random positions, so about half of them are there already); a span
    // that wraps round the kept sums is gathered first. Four at a time where
    // they can be, which keeps more additions in flight.
    const double* h = decimationTaps.data();
    float* column = tapValues.data();
    float* decimated = decimatedValues.data();
    constexpr int lanes = 4;
    const float* laneValues[lanes];
    float* laneOut[lanes];
    int pending = 0;
    int n = 0;
    for (; n < size; ++n) {
        const long long start = lead + static_cast<long long>(n) * stride;
        // A driver that handed over fewer samples than asked for leaves the
        // rest of the window silent rather than stale.
        if (start + reach >= i)
            break;
        const std::int64_t index = (origin + start) & mask;
        float& sample = decimated[index];
        if (!std::isnan(sample))
            continue;
        if (index + reach < static_cast<std::int64_t>(capacity)) {
            laneValues[pending] = values + index;
            laneOut[pending] = &sample;
            if (++pending == lanes) {
                float results[lanes];
                applyDecimationTaps4(h, taps, laneValues, box, results);
                for (int lane = 0; lane < lanes; ++lane)
                    *laneOut[lane] = results[lane];
                pending = 0;
            }
        } else {
            for (int j = 0; j < taps; ++j)
                column[j] = values[(index + static_cast<std::int64_t>(j) * box) & mask];
            sample = applyDecimationTaps(h, taps, column, 1);
        }
    }
    for (int lane = 0; lane < pending; ++lane)
        *laneOut[lane] = applyDecimationTaps(h, taps, laneValues[lane], box);
    const int filled = n;
    for (n = 0; n < filled; ++n)
        samples[n] =
            Complex{decimated[(origin + lead + static_cast<long long>(n) * stride) & mask], 0.0f};
    for (; n < size; ++n)
        samples[n] = Complex{};
}

// The 1.5 and 2.25 copies stretch the window by linear interpolation, which
// leaves faint images of the partials they stretch: with the decimated rate
// near nine times the tone, the 1.5 copy puts one of the third partial a few
// cents from the tone. The copies are summed with their phases, so in some
// windows the partials at the tone nearly cancel and that image is the peak,
// or shares the band around it. The peak stands for the tone only when the
// unfolded window has a partial at itself or at a whole multiple of it: the
// strongest level within +-5 cents there lies on that multiple and is not
// negligible beside the peak. Reads the spectrum of the unfolded window in
// the sample buffer.
bool AnalyzerPro::peakConfirmed(int peakBin, float level, const bool flags[6]) {
    if (!flags[1] && !flags[3])
        return true;
    static constexpr int WHOLE_FLAGS[4] = {0, 2, 4, 5};
    static constexpr int WHOLE_FACTORS[4] = {1, 2, 3, 4};
    bool anyWhole = false;
    for (int flag : WHOLE_FLAGS)
        anyWhole = anyWhole || flags[flag];
    if (!anyWhole)
        return true;
    const float n = static_cast<float>(size);
    for (int i = 0; i < 4; ++i) {
        if (!flags[WHOLE_FLAGS[i]])
            continue;
        const int k = WHOLE_FACTORS[i];
        const double centre = static_cast<double>(k) * peakBin;
        const double band = std::max(k + 1.0, centre * (fiveCents - 1.0));
        const int from = std::max(1, static_cast<int>(std::floor(centre - band)));
        const int to = std::min(size / 2 - 1, static_cast<int>(std::ceil(centre + band)));
        int strongest = from;
        float strongestLevel = 0.0f;
        for (int b = from; b <= to; ++b) {
            const float m =
                std::sqrt(samples[b].re * samples[b].re + samples[b].im * samples[b].im);
            if (m > strongestLevel) {
                strongestLevel = m;
                strongest = b;
            }
        }
        // The peak bin is the one nearest the tone, so the partial lies
        // within k / 2 bins of k times it; one more for a peak pushed aside.
        if (std::fabs(strongest - centre) <= 0.5 * k + 1.0 &&
            strongestLevel / n >= CONFIRMING_SHARE * level)
            return true;
    }
    return false;
}

std::unique_ptr<AnalysisResultPro> AnalyzerPro::unmeasuredRecord() const {
    auto record = std::make_unique<AnalysisResultPro>(target ? *target : TargetData());
    return record;
}

std::unique_ptr<AnalysisResultPro> AnalyzerPro::analyzeWindow(float testFrequency,
                                                              float startPhase) {
    if (!target || !driver || !measurable)
        return unmeasuredRecord();
    const float f = target->frequency;
    Complex* x = spectrum.data();
    bool flags[6] = {true, false, false, false, false, false};

    if (testFrequency > 0.0f) {
        driver->makeTestTone(x, size, stride, testFrequency, startPhase);
    } else {
        readDecimated();
        std::copy(std::begin(settings.harmonics), std::end(settings.harmonics), flags);
        foldHarmonics(samples.data(), x, size, flags);
    }
    fft->forward(x);

    // Levels of the bins within about +-200 cents, for the displays.
    const float n = static_cast<float>(size);
    const int lo = floorToInt(f / sixthOctave / binWidth);
    const int hi = floorToInt(f * sixthOctave / binWidth);
    const int count = hi - lo + 2;
    std::vector<float> levels(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const Complex& bin = x[lo + k];
        levels[k] = std::sqrt(bin.re * bin.re + bin.im * bin.im) / n;
    }

    // The peak within +-100 cents, and the shape of the curve there.
    const int a = floorToInt(f / twelfthOctave / binWidth) - lo;
    const int b = floorToInt(f * twelfthOctave / binWidth) + 1 - lo;
    const PeakShape shape = PeakShape::of(levels.data(), a, b);
    const int peak = shape.peak >= 0 ? shape.peak : (a + b) / 2;
    float meanRatio = 0.0f;
    float riseRatio = 0.0f;
    if (shape.max > 0.0f) {
        meanRatio = (shape.sum / static_cast<float>(b - a + 1)) / shape.max;
        riseRatio = shape.rises / shape.max;
    }

    const float peakFrequency = static_cast<float>(lo + peak) * binWidth;
    bool confirmed = true;
    bool onSeries = true;
    bool steady = true;
    if (!(testFrequency > 0.0f)) {
        // The spectrum of the unfolded window: the peak must stand for a
        // partial there, and its series must hold the strongest one.
        fft->forward(samples.data());
        confirmed = peakConfirmed(lo + peak, levels[peak], flags);
        onSeries = ToneChecks::strongestOnSeries(samples.data(), size, binWidth, peakFrequency,
                                                 LOWEST_PARTIAL * peakFrequency,
                                                 HIGHEST_PARTIAL * effectiveRate);
        // The crossings time the window as one tone: its strength must hold.
        steady = ToneChecks::partialEnvelopeSteady(samples.data(), size, binWidth, peakFrequency,
                                                   HIGHEST_PARTIAL * effectiveRate, *fft);
    }

    // Keep only the positive-frequency bins within +-5 cents of the peak.
    const int kLo = std::min(floorToInt(peakFrequency / fiveCents / binWidth), size - 1);
    const int kHi = std::max(floorToInt(peakFrequency * fiveCents / binWidth) + 1, 0);
    for (int i = 0; i <= kLo; ++i)
        x[i] = Complex{};
    for (int i = kHi; i < size; ++i)
        x[i] = Complex{};
    fft->inverse(x);

    // Time the crossings of the real part in one direction: falls when the
    // signal starts at or above zero, rises otherwise. The band limit smears
    // the window's ends (the transform sees the window as periodic, with a
    // jump where it wraps), which bends the phase near both ends by an amount
    // that depends on the tone's phase; the correction table cannot undo
    // that, so the sixteenth of the window at each end is not timed.
    const int edge = size / 16;
    const bool falls = x[edge].re >= 0.0f;
    int first = -1;
    for (int i = edge + 1; i < size - edge; ++i) {
        if (falls ? x[i].re < 0.0f : x[i].re >= 0.0f) {
            first = i;
            break;
        }
    }
    int periods = 0;
    int last = first;
    if (first > 0) {
        for (int i = first + 1; i < size - edge; ++i) {
            const bool crossed = falls ? (x[i - 1].re >= 0.0f && x[i].re < 0.0f)
                                       : (x[i - 1].re < 0.0f && x[i].re >= 0.0f);
            if (crossed) {
                ++periods;
                last = i;
            }
        }
    }

    auto record = std::make_unique<AnalysisResultPro>(*target);
    // Sound spliced across lost input is no tone that was played.
    record->lostInput = !(testFrequency > 0.0f) && driver->lastReadLostInput();
    record->confirmed = confirmed;
    record->onSeries = onSeries;
    record->steady = steady;
    if (periods > 0) {
        const float before = std::fabs(x[first - 1].re);
        const float after = std::fabs(x[first].re);
        const float firstFraction = after / (before + after);
        const float lastBefore = std::fabs(x[last - 1].re);
        const float lastAfter = std::fabs(x[last].re);
        const float lastFraction = lastBefore / (lastBefore + lastAfter);
        const float span =
            (static_cast<float>(last - first - 1) + firstFraction + lastFraction) / effectiveRate;
        float raw = static_cast<float>(periods) / span;
        if (!(testFrequency > 0.0f))
            raw = correctFrequency(raw);
        record->rawFrequency = raw;

        const float calibrated = CentFreqCalculator::frequencyOf(raw, settings.calibIn);
        const float deviation = CentFreqCalculator::centsBetween(f, calibrated);
        if (std::isfinite(deviation)) {
            record->timed = true;
            record->calibratedFrequency = calibrated;
            record->roundedDeviation = roundToResolution(deviation, resolutionCents);
            record->roundedFrequency = CentFreqCalculator::frequencyOf(f, record->roundedDeviation);
        }
    }

    record->count = count;
    record->peakLevel = levels[peak];
    record->cents.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        record->cents[k] =
            CentFreqCalculator::centsBetween(f, static_cast<float>(lo + k) * binWidth);
    record->levels = std::move(levels);
    record->meanRatio = meanRatio;
    record->riseRatio = riseRatio;

    const double step = static_cast<double>(f) *
                        (std::pow(2.0, static_cast<double>(resolutionCents) / 1200.0) - 1.0);
    record->frequencyDecimals = std::max(0, 1 - static_cast<int>(std::trunc(std::log10(step))));
    record->windowMs = static_cast<int>(windowLength * 1000.0f);
    return record;
}

} // namespace tonvela
