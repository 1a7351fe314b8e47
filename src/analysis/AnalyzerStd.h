#pragma once

#include "analysis/AnalysisResultStd.h"
#include "analysis/FFT.h"
#include "analysis/GridPositions.h"
#include "audio/CaptureDriver.h"
#include "runtime/Complex.h"
#include "state/MeasurementSettings.h"

#include <array>
#include <memory>
#include <vector>

namespace tonvela {

// The analyzer of the Standard and Accurate modes. One pass reads a decimated
// window from the ring at a random rate between about 9 and 15 times the
// target frequency, folds the harmonics onto the fundamental, transforms it,
// and samples the spectrum on the grid of the result.
class AnalyzerStd {
public:
    // By the octave of the target note (note / 12).
    static constexpr int fftOrderByOctave[8] = {11, 11, 11, 12, 12, 12, 12, 12};
    static constexpr float meanRatioLimit[8] = {0.35f, 0.35f, 0.25f, 0.25f,
                                                0.25f, 0.25f, 0.25f, 0.25f};
    static constexpr float riseRatioLimit[8] = {6.0f, 6.0f, 6.0f, 6.0f, 6.0f, 6.0f, 6.0f, 6.0f};

    // The octave whose tables a note uses; notes outside C0..B7 use the
    // nearest octave.
    static int octaveOf(int note);

    AnalyzerStd();
    virtual ~AnalyzerStd();
    AnalyzerStd(const AnalyzerStd&) = delete;
    AnalyzerStd& operator=(const AnalyzerStd&) = delete;

    // One pass on the record, reading the given driver, with the accuracy,
    // harmonics and input calibration of settings. A target that cannot be
    // measured (its window would reach back further than the ring holds, or
    // its grid lies at or above half the decimated rate) adds nothing, as a
    // silent pass does, so its record stays invalid.
    void analyze(AnalysisResultStd& result, CaptureDriver& driver,
                 const MeasurementSettings& settings);
    // The same with the central state's settings, so only on the thread that
    // owns it; the analysis thread passes its own copy. Without a driver, the
    // current capture driver.
    void analyze(AnalysisResultStd& result);
    void analyze(AnalysisResultStd& result, CaptureDriver& driver);

    // A pass in three steps, for passes that see the same sound and are
    // measured side by side: plan() takes the pass's random draws (its
    // stride and its read's jitter) and must be called for the passes in
    // the order they are added; measure() may then run on any analyzer and
    // thread, reading only the record's grid and target; apply() adds the
    // pass to the record, again in order. Each pass comes out exactly as
    // analyze() would give it. The record, settings and driver must stay
    // until the pass is applied.
    struct Pass {
        const AnalysisResultStd* record = nullptr;
        const MeasurementSettings* settings = nullptr;
        CaptureDriver* driver = nullptr;
        // Whether the target could be measured: if not, the pass adds nothing.
        bool measurable = false;
        int order = 0;
        int stride = 0;
        int jitter = 0;
        float effectiveRate = 0.0f;
        float binWidth = 0.0f;
        float windowLength = 0.0f;
        bool calibrated = false;
        double calibFactor = 1.0;
        // What measure() found.
        CaptureDriver::StridedRead read;
        // Its levels stand for a steady tone, or are all silent: they count.
        bool tone = false;
        bool hasReading = false;
        double reading = 0.0;
        std::vector<float> levels;
    };
    void plan(const AnalysisResultStd& result, CaptureDriver& driver,
              const MeasurementSettings& settings, Pass& pass);
    void measure(Pass& pass);
    static void apply(const Pass& pass, AnalysisResultStd& result);

    // The parameters of the last pass.
    int getOrder() const { return order; }
    int getSize() const { return size; }
    int getStride() const { return stride; }
    float getBinWidth() const { return binWidth; }
    float getEffectiveRate() const { return effectiveRate; }
    float getWindowLength() const { return windowLength; }

private:
    // The levels of the spectrum at the grid's count frequencies.
    void levelsAt(const float* grid, int count, float* levels);
    // Whether the strongest level of a pass, at grid value peak, stands for
    // one steady tone: a partial that is there, the series of the level
    // holding the strongest partial, and a steady envelope. Uses up the
    // sample buffer.
    bool passIsTone(const AnalysisResultStd& result, int peak, float level, const bool flags[6]);
    // Whether that level stands for sound that is there rather than an image
    // of the folding; reads the unfolded spectrum in the sample buffer.
    bool peakConfirmed(const AnalysisResultStd& result, int peak, float level, const bool flags[6]);

    int order = 0;
    int size = 0;
    int capacity = 0;
    float binWidth = 0.0f;
    float sampleRate = 0.0f;
    int stride = 0;
    float effectiveRate = 0.0f;
    float windowLength = 0.0f;
    std::vector<Complex> spectrum;
    std::vector<Complex> samples;
    std::array<std::unique_ptr<FFT>, 20> transforms;
    FFT* fft = nullptr;
    // 2^(-calibIn / 1200) of the pass in progress.
    double calibFactor = 1.0;
    bool calibrated = false;
    // tan(pi m / N) for the bin offsets m = 1 - INTERPOLATION_BINS ..
    // INTERPOLATION_BINS around a level, for the size they were made for.
    static constexpr int INTERPOLATION_BINS = 16;
    double binTangents[2 * INTERPOLATION_BINS] = {};
    int tangentsSize = 0;
    GridPositions gridPositions;
};

} // namespace tonvela
