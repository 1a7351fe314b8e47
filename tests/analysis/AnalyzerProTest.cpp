#include "analysis/AnalyzerPro.h"

#include "analysis/CentFreqCalculator.h"
#include "analysis/SteppedCapture.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace tonvela {
namespace {

using test::SteppedCapture;
using test::tone;

float equalTempered(int note) {
    return static_cast<float>(440.0 * std::pow(2.0, (note - 57) / 12.0));
}

class AnalyzerProTest : public ::testing::Test {
protected:
    void SetUp() override {
        tonvela::srand(1);
        driver = std::make_unique<CaptureDriver>(0);
    }
    void TearDown() override {
        driver.reset();
        DataStructure::destroyInstance();
    }

    void setMeasurement(float calibIn, const bool harmonics[6] = nullptr) {
        MeasurementSettings settings;
        DataStructure::getInstance().getMeasurementSettings(settings);
        settings.accuracy = 2;
        settings.calibIn = calibIn;
        if (harmonics)
            std::copy(harmonics, harmonics + 6, settings.harmonics);
        DataStructure::getInstance().setMeasurementSettings(settings);
    }

    // Calibrates for target, then fills the ring with one window of the
    // current signal (plus the read's jitter) and measures it.
    std::unique_ptr<AnalysisResultPro> measure(const TargetData& target) {
        analyzer.analyze(target, *driver);
        EXPECT_TRUE(capture.play(0, analyzer.getWindowLength() + 0.8));
        return analyzer.analyze(target, *driver);
    }

    SteppedCapture capture;
    std::unique_ptr<CaptureDriver> driver;
    AnalyzerPro analyzer;
};

TEST_F(AnalyzerProTest, ParametersFollowTheTarget) {
    struct Case {
        float frequency;
        int order;
        int stride;
        int windowMs;
        float resolution;
        int frequencyDecimals;
    };
    const Case cases[] = {
        {440.0f, 15, 11, 8173, 0.02f, 3},   {110.0f, 14, 44, 16346, 0.05f, 3},
        {41.2f, 13, 118, 21919, 0.1f, 3},   {16.351599f, 13, 299, 55542, 0.1f, 4},
        {3951.0664f, 15, 1, 743, 0.02f, 2}, {1000.0f, 15, 4, 2972, 0.02f, 2},
        {240.0f, 15, 20, 14860, 0.02f, 3},  {239.99f, 14, 20, 7430, 0.05f, 3},
        {60.0f, 14, 81, 30093, 0.05f, 3},   {59.99f, 13, 81, 15046, 0.1f, 3},
    };
    for (const Case& c : cases) {
        const TargetData target(57, c.frequency, "X");
        const std::unique_ptr<AnalysisResultPro> result = analyzer.analyze(target, *driver);
        EXPECT_TRUE(analyzer.isMeasurable()) << c.frequency;
        EXPECT_EQ(analyzer.getOrder(), c.order) << c.frequency;
        EXPECT_EQ(analyzer.getSize(), 1 << c.order) << c.frequency;
        EXPECT_EQ(analyzer.getStride(), c.stride) << c.frequency;
        EXPECT_EQ(result->getWindowMs(), c.windowMs) << c.frequency;
        EXPECT_EQ(analyzer.getResolutionCents(), c.resolution) << c.frequency;
        EXPECT_EQ(result->getFrequencyDecimals(), c.frequencyDecimals) << c.frequency;
        const float binWidth = analyzer.getBinWidth();
        EXPECT_FLOAT_EQ(binWidth, 44100.0f / c.stride / (1 << c.order)) << c.frequency;
        EXPECT_FLOAT_EQ(analyzer.getGridFrequency(), std::round(c.frequency / binWidth) * binWidth)
            << c.frequency;
    }
}

TEST_F(AnalyzerProTest, FiftyFiveHertzExample) {
    const TargetData target(33, 55.0f, "A1");
    capture.signal = tone(55.0, {1});
    const std::unique_ptr<AnalysisResultPro> result = measure(target);
    EXPECT_EQ(analyzer.getStride(), 89);
    EXPECT_NEAR(analyzer.getBinWidth(), 0.0605f, 0.0001f);
    ASSERT_TRUE(result->isTimed());
    EXPECT_TRUE(result->isValid());
    // About 54.9996 Hz; within 0.05 cent, which reads +0.00 at W = 0.1.
    EXPECT_NEAR(result->getCalibratedFrequency(), 54.9996f, 0.0016f);
    EXPECT_EQ(result->getCents(), 0.0f);
    EXPECT_FALSE(std::signbit(result->getCents()));
    EXPECT_EQ(result->getCentsText(), "+0.00");
    EXPECT_EQ(result->getFrequencyText(), "55.000");

    // The estimator alone, on the driver's own test tone, is pulled towards
    // the bin frequency below the tone (54.9836 Hz); the table moves it back.
    const std::unique_ptr<AnalysisResultPro> raw = analyzer.analyzeWindow(55.0f, 0.0f);
    EXPECT_GT(raw->getRawFrequency(), analyzer.getGridFrequency());
    EXPECT_LT(raw->getRawFrequency(), 54.998f);
    EXPECT_NEAR(analyzer.correctFrequency(raw->getRawFrequency()), 55.0f, 0.0016f);

    capture.signal = tone(55.0 * std::pow(2.0, -2.0 / 1200.0), {1});
    const std::unique_ptr<AnalysisResultPro> flat = measure(target);
    EXPECT_TRUE(flat->isValid());
    EXPECT_NEAR(flat->getCents(), -2.0f, 1e-4f);
    EXPECT_EQ(flat->getCentsText(), "-2.00");
    // Each record keeps its own texts while the other's are read.
    const std::string& first = result->getCentsText();
    const std::string& second = flat->getCentsText();
    EXPECT_EQ(first, "+0.00");
    EXPECT_EQ(second, "-2.00");
}

TEST_F(AnalyzerProTest, CorrectionMapsMeasuredToTrueOffsets) {
    for (const float frequency : {55.0f, 130.81f, 440.0f, 3520.0f}) {
        analyzer.analyze(TargetData(57, frequency, "X"), *driver);
        const float bin = analyzer.getBinWidth();
        const float* measured = analyzer.getMeasuredOffsets();
        const float* truth = analyzer.getTrueOffsets();
        // The estimate follows the tone through the bin, close to it.
        EXPECT_GT(measured[1], 0.0f) << frequency;
        for (int i = 0; i < 11; ++i) {
            EXPECT_FLOAT_EQ(truth[i], AnalyzerPro::calibrationFractions[i] * bin);
            if (i > 0) {
                EXPECT_GT(measured[i], measured[i - 1]) << frequency << " " << i;
            }
            EXPECT_NEAR(measured[i], truth[i], 0.3f * bin) << frequency << " " << i;
        }
        // Within the first bin the position is the estimate itself, so the
        // mapping shows exactly: measured points onto true ones, linear between.
        for (int i = 0; i < 11; ++i) {
            if (i < 10 && !(measured[i] < measured[i + 1]))
                continue;
            EXPECT_NEAR(analyzer.correctFrequency(measured[i]), truth[i], 1e-6f * bin)
                << frequency << " " << i;
            if (i == 10)
                continue;
            for (const float t : {0.25f, 0.5f, 0.75f}) {
                const float m = measured[i] + t * (measured[i + 1] - measured[i]);
                EXPECT_NEAR(analyzer.correctFrequency(m), truth[i] + t * (truth[i + 1] - truth[i]),
                            1e-4f * bin)
                    << frequency << " " << i << " " << t;
            }
        }
        // An estimate on a bin frequency stays there.
        for (const int k : {0, 1, 2, 7})
            EXPECT_FLOAT_EQ(analyzer.correctFrequency(k * bin), k * bin) << frequency << " " << k;
        EXPECT_NEAR(analyzer.correctFrequency(analyzer.getGridFrequency()),
                    analyzer.getGridFrequency(), 0.06f * bin);
    }
}

TEST(AnalyzerProRounding, RoundsToTheResolution) {
    struct Case {
        float cents;
        float resolution;
        float rounded;
    };
    const Case cases[] = {
        {0.031f, 0.02f, 0.04f},   {-0.031f, 0.02f, -0.04f}, {0.029f, 0.02f, 0.02f},
        {-0.029f, 0.02f, -0.02f}, {0.009f, 0.02f, 0.0f},    {-0.009f, 0.02f, 0.0f},
        {-0.04f, 0.1f, 0.0f},     {0.26f, 0.05f, 0.25f},    {-12.34f, 0.1f, -12.3f},
    };
    for (const Case& c : cases) {
        const float rounded = AnalyzerPro::roundToResolution(c.cents, c.resolution);
        EXPECT_NEAR(rounded, c.rounded, 1e-6f) << c.cents;
        // A deviation that rounds to zero reads +0.00, never -0.00.
        if (c.rounded == 0.0f) {
            EXPECT_FALSE(std::signbit(rounded)) << c.cents;
        }
    }
    EXPECT_EQ(AnalyzerPro::resolutionFor(13), 0.1f);
    EXPECT_EQ(AnalyzerPro::resolutionFor(14), 0.05f);
    EXPECT_EQ(AnalyzerPro::resolutionFor(15), 0.02f);
}

// Clean steady tones across the keyboard, on the target and off it, pure
// and with partials 2 to 4: each read within 0.05 cent, the mean of five
// within 0.02 cent, whatever the phase at which the window starts.
TEST_F(AnalyzerProTest, SteadyTonesAcrossTheRange) {
    struct Case {
        int note;
        double offsetCents;
        bool harmonic;
    };
    const Case cases[] = {
        {0, 0.0, false},   {0, 7.3, true},    {5, -3.1, false},  {9, -13.1, true},
        {14, 0.0, true},   {17, 4.9, false},  {21, 2.6, true},   {26, 0.0, false},
        {33, -0.7, false}, {38, 0.0, true},   {41, -9.8, false}, {45, 31.0, true},
        {50, 0.0, false},  {52, -4.4, false}, {57, 0.37, true},  {60, -48.0, false},
        {64, 0.0, true},   {69, 12.2, true},  {72, 0.0, false},  {76, -0.9, false},
        {83, 0.0, true},   {88, 19.5, true},  {91, -2.2, false}, {95, -6.1, true},
    };
    tonvela::srand(11);
    for (const Case& c : cases) {
        const float target = equalTempered(c.note);
        const TargetData targetData(c.note, target, "X");
        const double played = target * std::pow(2.0, c.offsetCents / 1200.0);
        capture.signal = c.harmonic ? tone(played, {1, 2, 3, 4}) : tone(played, {1});
        std::unique_ptr<AnalysisResultPro> result = measure(targetData);
        double sum = 0.0;
        const int reads = 5;
        for (int read = 0; read < reads; ++read) {
            if (read > 0)
                result = analyzer.analyze(targetData, *driver);
            const float cents =
                CentFreqCalculator::centsBetween(target, result->getCalibratedFrequency());
            sum += cents;
            EXPECT_TRUE(result->isValid()) << c.note << " " << c.offsetCents;
            EXPECT_NEAR(cents, c.offsetCents, 0.05) << c.note << " " << c.offsetCents;
            EXPECT_NEAR(result->getCents(), cents, analyzer.getResolutionCents() / 2 + 1e-4f)
                << c.note;
            EXPECT_FLOAT_EQ(result->getFrequency(),
                            CentFreqCalculator::frequencyOf(target, result->getCents()));
        }
        EXPECT_NEAR(sum / reads, c.offsetCents, 0.02) << c.note << " " << c.offsetCents;
    }
}

TEST_F(AnalyzerProTest, InputCalibrationShiftsTheReport) {
    for (const float calibIn : {5.0f, -12.5f, 10000.0f, -10000.0f}) {
        setMeasurement(calibIn);
        capture.signal = tone(440.0, {1});
        const std::unique_ptr<AnalysisResultPro> result = measure(TargetData(57, 440.0f, "A4"));
        EXPECT_NEAR(result->getCents(), calibIn, 0.05f) << calibIn;
        EXPECT_TRUE(result->isTimed());
    }
}

TEST_F(AnalyzerProTest, SilenceIsNotTimed) {
    capture.signal = [](double) { return 0.0; };
    for (const float frequency : {16.351599f, 440.0f, 3951.0664f}) {
        const std::unique_ptr<AnalysisResultPro> result = measure(TargetData(57, frequency, "X"));
        EXPECT_FALSE(result->isTimed()) << frequency;
        EXPECT_FALSE(result->isValid()) << frequency;
        EXPECT_EQ(result->getFrequency(), 0.0f);
        EXPECT_EQ(result->getCalibratedFrequency(), 0.0f);
        EXPECT_EQ(result->getCents(), 0.0f);
        EXPECT_GT(result->getBinCount(), 0);
        EXPECT_EQ(result->getPeakLevel(), 0.0f);
    }
}

TEST_F(AnalyzerProTest, AllHarmonicFlagsClearGiveSilence) {
    const bool none[6] = {false, false, false, false, false, false};
    setMeasurement(0.0f, none);
    capture.signal = tone(440.0, {1});
    const std::unique_ptr<AnalysisResultPro> result = measure(TargetData(57, 440.0f, "A4"));
    EXPECT_FALSE(result->isValid());
    EXPECT_EQ(result->getFrequency(), 0.0f);
}

TEST_F(AnalyzerProTest, RecalibratesOnTargetOrRateChange) {
    const TargetData a4(57, 440.0f, "A4");
    analyzer.analyze(a4, *driver);
    EXPECT_EQ(analyzer.getStride(), 11);
    EXPECT_EQ(analyzer.getSampleRate(), 44100.0f);

    // Only the name changes: the record carries the new copy.
    const TargetData renamed(57, 440.0f, "La4");
    EXPECT_EQ(analyzer.analyze(renamed, *driver)->getTargetData()->name, "La4");

    // Another input device at another rate.
    driver.reset();
    driver = std::make_unique<CaptureDriver>(1);
    ASSERT_EQ(driver->sampleRate(), 22050.0f);
    capture.signal = tone(440.0 * std::pow(2.0, 3.0 / 1200.0), {1});
    analyzer.analyze(renamed, *driver);
    EXPECT_EQ(analyzer.getSampleRate(), 22050.0f);
    EXPECT_EQ(analyzer.getStride(), 5);
    EXPECT_FLOAT_EQ(analyzer.getBinWidth(), 22050.0f / 5 / 32768);
    ASSERT_TRUE(capture.play(1, analyzer.getWindowLength() + 0.8));
    const std::unique_ptr<AnalysisResultPro> result = analyzer.analyze(renamed, *driver);
    EXPECT_TRUE(result->isValid());
    EXPECT_NEAR(result->getCents(), 3.0f, 0.05f);
}

// The decimation's sums are kept between windows by sample number: every
// reading equals that of an analyzer that works the whole window out afresh,
// as windows move on, stand still or step back, as the kept sums wrap round
// their buffer, and when another driver numbers its samples from 0 again.
TEST_F(AnalyzerProTest, KeptSumsGiveTheReadingsOfAFreshAnalyzer) {
    const TargetData a4(57, 440.0f, "A4");
    // A gliding harmonic tone, so that every window holds other sound.
    const auto glide = [](double cents) {
        return [cents](double t) {
            const double phase = 440.0 * t + 0.8 * std::sin(2.0 * M_PI * 0.3 * t);
            const double f = std::pow(2.0, cents / 1200.0);
            return 0.3 * std::sin(2.0 * M_PI * f * phase) +
                   0.15 * std::sin(4.0 * M_PI * f * phase + 0.5);
        };
    };
    capture.signal = glide(2.0);
    analyzer.analyze(a4, *driver);
    double played = analyzer.getWindowLength() + 0.8;
    ASSERT_TRUE(capture.play(0, played));
    AnalyzerPro fresh;
    fresh.analyze(a4, *driver);

    const auto compare = [&](unsigned seed, const char* what) {
        tonvela::srand(seed);
        const std::unique_ptr<AnalysisResultPro> kept = analyzer.analyze(a4, *driver);
        // On the current driver; calibrating again forgets whatever the
        // fresh analyzer kept.
        fresh.analyze(a4, *driver);
        fresh.calibrate();
        tonvela::srand(seed);
        const std::unique_ptr<AnalysisResultPro> whole = fresh.analyzeWindow(-1.0f, 1.0f);
        ASSERT_TRUE(whole->isTimed()) << what << " " << seed;
        EXPECT_EQ(kept->isTimed(), whole->isTimed()) << what << " " << seed;
        EXPECT_EQ(kept->getRawFrequency(), whole->getRawFrequency()) << what << " " << seed;
        EXPECT_EQ(kept->getCents(), whole->getCents()) << what << " " << seed;
        EXPECT_EQ(kept->getPeakLevel(), whole->getPeakLevel()) << what << " " << seed;
    };
    // Past the end of the kept sums' buffer (2^19 sums, 11.9 s) and on.
    for (unsigned cycle = 0; cycle < 16; ++cycle) {
        // Every fourth window on the same ring: it may lie wholly among the
        // kept sums.
        if (cycle % 4 != 3) {
            ASSERT_TRUE(capture.play(0, 0.8));
            played += 0.8;
        }
        compare(100 + cycle, "cycle");
    }

    // Another driver, played as far: its sample numbers are those the kept
    // sums were made for, its sound is not.
    driver.reset();
    driver = std::make_unique<CaptureDriver>(0);
    capture.signal = glide(-7.0);
    ASSERT_TRUE(capture.play(0, played));
    compare(200, "another driver");
    ASSERT_TRUE(capture.play(0, 0.4));
    compare(201, "another driver");
}

// Targets that the scale settings can produce at their extremes, and worse:
// never a read outside the buffers or the ring, only an unmeasured record.
TEST_F(AnalyzerProTest, RunawayTargetsGiveInvalidRecords) {
    const float cases[] = {
        0.037162725f, // C0 at a standard pitch of 1 Hz
        1.0f,         // A4 at 1 Hz
        179593.0f,    // B7 at 20000 Hz
        20000.0f,     // A4 at 20000 Hz
        1.3641739f,   // A4 calibrated by -10000 cents
        141917.6f,    // A4 calibrated by +10000 cents
        0.0f,
        -440.0f,
        1e-30f,
        3e38f,
        std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(),
    };
    capture.signal = tone(440.0, {1});
    ASSERT_TRUE(capture.play(0, 2.0));
    for (const float frequency : cases) {
        const TargetData target(57, frequency, "X");
        const std::unique_ptr<AnalysisResultPro> result = analyzer.analyze(target, *driver);
        ASSERT_NE(result, nullptr);
        EXPECT_FALSE(analyzer.isMeasurable()) << frequency;
        EXPECT_FALSE(result->isValid()) << frequency;
        EXPECT_EQ(result->getBinCount(), 0) << frequency;
        EXPECT_EQ(result->getFrequency(), 0.0f) << frequency;
        EXPECT_EQ(result->getTargetData()->note, 57);
    }
    // The highest target that still fits below half the sample rate.
    const std::unique_ptr<AnalysisResultPro> high =
        analyzer.analyze(TargetData(57, 19000.0f, "X"), *driver);
    EXPECT_TRUE(analyzer.isMeasurable());
    EXPECT_GT(high->getBinCount(), 0);
}

} // namespace
} // namespace tonvela
