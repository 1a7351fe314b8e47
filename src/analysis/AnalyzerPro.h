#pragma once

#include "analysis/AnalysisResultPro.h"
#include "analysis/FFT.h"
#include "analysis/TargetData.h"
#include "runtime/Complex.h"
#include "state/MeasurementSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace tonvela {

class CaptureDriver;

// The analyzer of the Most Accurate mode. It isolates a band of +-5 cents
// around the spectral peak near the target, transforms it back and times the
// zero crossings of that signal. Because only a few bins survive the band
// limit, the raw estimate clusters near a bin frequency; a table measured on
// test tones at known positions within one bin maps it back to the tone. The
// table is rebuilt whenever the target or the driver's sample rate changes.
class AnalyzerPro {
public:
    // Positions of the calibration tones within one bin; the first and the
    // last are not measured.
    static constexpr float calibrationFractions[11] = {0.0f, 0.22f, 0.33f, 0.4f,  0.48f, 0.535f,
                                                       0.6f, 0.66f, 0.77f, 0.88f, 1.0f};

    AnalyzerPro();
    virtual ~AnalyzerPro();
    AnalyzerPro(const AnalyzerPro&) = delete;
    AnalyzerPro& operator=(const AnalyzerPro&) = delete;

    // One measurement of captured sound on driver against target, with the
    // harmonics and input calibration of settings, recalibrating first when
    // the target or the sample rate changed. Never null; the caller owns the
    // record.
    std::unique_ptr<AnalysisResultPro> analyze(const TargetData& target, CaptureDriver& driver,
                                               const MeasurementSettings& settings);
    // The same with the central state's settings, so only on the thread that
    // owns it; the analysis thread passes its own copy. Without a driver, the
    // current capture driver.
    std::unique_ptr<AnalysisResultPro> analyze(const TargetData& target);
    std::unique_ptr<AnalysisResultPro> analyze(const TargetData& target, CaptureDriver& driver);

    // The steps of one analysis, for tests and benchmarks; they work on the
    // target, driver and settings of the last analyze().
    void calibrate();
    // testFrequency > 0 analyses a test tone of the driver (uncorrected);
    // otherwise captured sound (corrected through the table).
    std::unique_ptr<AnalysisResultPro> analyzeWindow(float testFrequency, float startPhase);
    // Mean offset from gridFrequency that the estimator reports for a test
    // tone at frequency, over four start phases.
    float measureOffset(float frequency);
    // Maps a raw estimate through the table from measured to true offsets.
    float correctFrequency(float raw) const;

    // The parameters of the current calibration.
    bool isMeasurable() const { return measurable; }
    int getOrder() const { return order; }
    int getSize() const { return size; }
    int getStride() const { return stride; }
    float getSampleRate() const { return sampleRate; }
    float getEffectiveRate() const { return effectiveRate; }
    float getBinWidth() const { return binWidth; }
    float getGridFrequency() const { return gridFrequency; }
    float getWindowLength() const { return windowLength; }
    float getResolutionCents() const { return resolutionCents; }
    const float* getTrueOffsets() const { return trueOffsets; }
    const float* getMeasuredOffsets() const { return measuredOffsets; }

    // The display resolution in cents for a transform order: 0.1 for 13,
    // 0.05 for 14, 0.02 for 15.
    static float resolutionFor(int order);
    // The transform order for a target frequency.
    static int orderFor(float frequency);
    // cents rounded to the nearest multiple of resolution; a deviation that
    // rounds to zero is +0, never -0.
    static float roundToResolution(float cents, float resolution);

private:
    // A record for a target this analyzer cannot measure: no levels, nothing
    // timed.
    std::unique_ptr<AnalysisResultPro> unmeasuredRecord() const;
    // Whether the peak at transform bin peakBin stands for a partial of the
    // captured sound rather than an image of the folding.
    bool peakConfirmed(int peakBin, float level, const bool flags[6]);
    // The low-pass that keeps partials above half the decimated rate from
    // folding back into the band of the target; made with the calibration.
    void designDecimationFilter();
    // N samples of captured sound at every stride-th position, low-passed
    // before the decimation, into the sample buffer.
    void readDecimated();

    std::unique_ptr<TargetData> target;
    CaptureDriver* driver = nullptr;
    MeasurementSettings settings;
    int order = 13;
    int size = 1 << 13;
    int capacity = 0;
    float binWidth = 0.0f;
    float sampleRate = 0.0f;
    int stride = 1;
    float effectiveRate = 0.0f;
    float gridFrequency = 0.0f;
    float windowLength = 0.0f;
    float resolutionCents = 0.1f;
    float trueOffsets[11] = {};
    float measuredOffsets[11] = {};
    // False when the window would reach back further than the ring holds, or
    // the band around the target reaches half the decimated rate.
    bool measurable = false;
    std::vector<Complex> spectrum;
    std::vector<Complex> samples;
    // The decimation low-pass: a moving average of boxLength samples taken
    // three times, then decimationTaps applied boxLength samples apart.
    // Nothing when the stride is 1.
    int boxLength = 1;
    // Single-precision taps, held widened for the double sums.
    std::vector<double> decimationTaps;
    // Samples the filter reads beyond the window's own (N - 1) * stride + 1.
    long long filterSpan = 0;
    // The moving sums by sample number, at number & (size - 1), for the
    // numbers boxFirst .. boxEnd - 1 of the driver whose serial is
    // boxDriver (0: none): kept between windows, which overlap. Up to the
    // next power of two over a window's samples: 2 MB for A4 at 44100 Hz,
    // 16 MB at most for the deepest targets.
    std::vector<float> boxValues;
    // The decimated samples whose taps start at those numbers, as far as
    // windows have read them (NaN elsewhere): as much again.
    std::vector<float> decimatedValues;
    std::int64_t boxFirst = 0;
    std::int64_t boxEnd = 0;
    std::uint64_t boxDriver = 0;
    // The running totals of the last 3 * boxLength samples.
    std::vector<std::uint64_t> boxTotals;
    // The sums for one decimated sample whose span wraps round boxValues.
    std::vector<float> tapValues;
    std::array<std::unique_ptr<FFT>, 20> transforms;
    FFT* fft = nullptr;
};

} // namespace tonvela
