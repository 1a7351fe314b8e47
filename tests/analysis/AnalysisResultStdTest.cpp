#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerStd.h"

#include "analysis/CentFreqCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tonvela {
namespace {

const TargetData A4(57, 440.0f, "A4");

// One pass with the given levels, then the evaluation.
void runPass(AnalysisResultStd& r, const std::vector<float>& levels) {
    for (int j = 0; j < static_cast<int>(levels.size()); ++j)
        r.addValue(j, levels[j]);
    r.accumulatePass();
}

TEST(AnalysisResultStd, TheTwoShapes) {
    struct Case {
        int halfWidth;
        float step;
        int count;
    };
    const Case cases[] = {{200, 1.0f, 401}, {400, 0.5f, 801}};
    for (const Case& c : cases) {
        AnalysisResultStd r(A4, c.halfWidth, c.step);
        ASSERT_EQ(r.getBinCount(), c.count);
        EXPECT_EQ(r.getBinCents(0), -200.0f);
        EXPECT_EQ(r.getBinCents(c.count / 2), 0.0f);
        EXPECT_EQ(r.getBinCents(c.count - 1), 200.0f);
        EXPECT_EQ(r.getBinCents(c.count / 2 + 1), c.step);
        const float* f = r.getBinFrequencies();
        EXPECT_EQ(f[c.count / 2], 440.0f);
        EXPECT_EQ(f[c.count / 2 + static_cast<int>(100 / c.step)], 466.16376f);
        EXPECT_EQ(f[0], CentFreqCalculator::frequencyOf(440.0f, -200.0f));
        for (int j = 1; j < c.count; ++j)
            ASSERT_GT(f[j], f[j - 1]) << j;
        // Fresh records: nothing measured yet.
        EXPECT_EQ(r.getPeakIndex(), -1);
        EXPECT_FALSE(r.isValid());
        EXPECT_EQ(r.getPassCount(), 0);
        EXPECT_EQ(r.getWindowMs(), 0);
        EXPECT_EQ(r.getIntervalMs(), 0);
        EXPECT_EQ(r.getFrequency(), 440.0f);
        for (int j = 0; j < c.count; ++j)
            ASSERT_EQ(r.getLevels()[j], 0.0f);
    }
}

TEST(AnalysisResultStd, TheRecordKeepsItsOwnTarget) {
    TargetData target(57, 440.0f, "A4");
    AnalysisResultStd r(target, 200, 1.0f);
    target.update(442.0f, 57, "A4");
    EXPECT_TRUE(r.getTargetData()->equals(A4));
}

TEST(AnalysisResultStd, EachPassIsNormalisedToItsMaximum) {
    AnalysisResultStd r(A4, 2, 1.0f);
    runPass(r, {1, 2, 4, 2, 1});
    runPass(r, {0, 0, 0, 0, 0}); // silent: adds nothing
    runPass(r, {10, 5, 0, 0, 0});
    const float expected[5] = {1.25f, 1.0f, 1.0f, 0.5f, 0.25f};
    for (int j = 0; j < 5; ++j)
        EXPECT_FLOAT_EQ(r.getLevels()[j], expected[j]) << j;
    r.evaluate();
    EXPECT_EQ(r.getPeakIndex(), 0);
    EXPECT_FLOAT_EQ(r.getPeakLevel(), 1.25f);
}

TEST(AnalysisResultStd, PeakPlacementGivesTheDeviation) {
    struct Case {
        int halfWidth;
        float step;
        int peak;
        float cents;
        const char* text;
    };
    const Case cases[] = {
        {200, 1.0f, 200, 0.0f, "+0.0"},     {200, 1.0f, 210, 10.0f, "+10.0"},
        {200, 1.0f, 163, -37.0f, "-37.0"},  {200, 1.0f, 0, -200.0f, "-200.0"},
        {200, 1.0f, 400, 200.0f, "+200.0"}, {400, 0.5f, 401, 0.5f, "+0.50"},
        {400, 0.5f, 420, 10.0f, "+10.00"},  {400, 0.5f, 326, -37.0f, "-37.00"},
        {400, 0.5f, 0, -200.0f, "-200.00"}, {400, 0.5f, 799, 199.5f, "+199.50"},
    };
    for (const Case& c : cases) {
        AnalysisResultStd r(A4, c.halfWidth, c.step);
        std::vector<float> levels(r.getBinCount(), 0.0f);
        levels[c.peak] = 1.0f;
        for (int pass = 0; pass < 10; ++pass)
            runPass(r, levels);
        r.evaluate();
        EXPECT_EQ(r.getPeakIndex(), c.peak);
        EXPECT_EQ(r.getPeakLevel(), 10.0f);
        EXPECT_NEAR(r.getCents(), c.cents, 2e-4f) << c.peak;
        EXPECT_EQ(r.getCentsText(), c.text) << c.peak;
        EXPECT_EQ(r.getFrequency(), r.getBinFrequencies()[c.peak]);
        EXPECT_TRUE(r.isValid()) << c.peak;
    }
}

TEST(AnalysisResultStd, FrequencyText) {
    struct Case {
        float target;
        int peak;
        const char* text;
    };
    const Case cases[] = {{440.0f, 200, "440.00"},
                          {440.0f, 300, "466.16"},
                          {440.0f, 100, "415.30"},
                          {16.351597f, 200, "16.35"},
                          {3951.0664f, 200, "3951.07"}};
    for (const Case& c : cases) {
        AnalysisResultStd r(TargetData(57, c.target, "x"), 200, 1.0f);
        std::vector<float> levels(401, 0.0f);
        levels[c.peak] = 1.0f;
        runPass(r, levels);
        r.evaluate();
        EXPECT_EQ(r.getFrequencyText(), c.text) << c.target << " " << c.peak;
    }
}

std::unique_ptr<AnalysisResultStd> measuredAt(int peak) {
    auto r = std::make_unique<AnalysisResultStd>(A4, 200, 1.0f);
    std::vector<float> levels(401, 0.0f);
    levels[peak] = 1.0f;
    runPass(*r, levels);
    r->evaluate();
    return r;
}

// Each record's texts are its own: one kept while another is read stays as
// it was, and two threads reading two records never see each other's.
TEST(AnalysisResultStd, TextsBelongToTheirRecord) {
    const auto sharp = measuredAt(210);
    const auto flat = measuredAt(163);
    const std::string& sharpCents = sharp->getCentsText();
    const std::string& sharpHz = sharp->getFrequencyText();
    const std::string& flatCents = flat->getCentsText();
    const std::string& flatHz = flat->getFrequencyText();
    EXPECT_EQ(sharpCents, "+10.0");
    EXPECT_EQ(sharpHz, "442.55");
    EXPECT_EQ(flatCents, "-37.0");
    EXPECT_EQ(flatHz, "430.70");

    const auto reader = [](const AnalysisResultStd* r, const char* cents, const char* hz,
                           int* wrong) {
        for (int i = 0; i < 20000; ++i)
            if (r->getCentsText() != cents || r->getFrequencyText() != hz)
                ++*wrong;
    };
    int wrongSharp = 0, wrongFlat = 0;
    std::thread a(reader, sharp.get(), "+10.0", "442.55", &wrongSharp);
    std::thread b(reader, flat.get(), "-37.0", "430.70", &wrongFlat);
    a.join();
    b.join();
    EXPECT_EQ(wrongSharp, 0);
    EXPECT_EQ(wrongFlat, 0);
}

TEST(AnalysisResultStd, SilenceIsInvalidAtTheTarget) {
    AnalysisResultStd r(A4, 200, 1.0f);
    for (int pass = 0; pass < 10; ++pass)
        runPass(r, std::vector<float>(401, 0.0f));
    r.evaluate();
    EXPECT_EQ(r.getPeakIndex(), 200);
    EXPECT_FALSE(r.isValid());
    EXPECT_EQ(r.getCents(), 0.0f);
    EXPECT_EQ(r.getCentsText(), "+0.0");
    EXPECT_EQ(r.getMeanRatio(), 1.0f);
    EXPECT_EQ(r.getRiseRatio(), 0.0f);
}

// Levels of a Gaussian peak of height 1 with its top at cents and the given
// width (cents at which it falls to 1/e), on the record's grid, over floor.
std::vector<float> gaussianLevels(const AnalysisResultStd& r, double cents, double width,
                                  double floor = 0.0) {
    std::vector<float> levels(r.getBinCount());
    for (int j = 0; j < r.getBinCount(); ++j) {
        const double d = (r.getBinCents(j) - cents) / width;
        levels[j] = static_cast<float>(floor + std::exp(-d * d));
    }
    return levels;
}

// Near its top the summed peak is close to a Gaussian, whose logarithm the
// refinement fits exactly: the reading lies between the grid points, where
// the top is, in both grids, and the frequency with it. The texts show a
// tenth of a cent on the whole-cent grid, hundredths on the finer one.
TEST(AnalysisResultStd, TheReadingLiesWhereTheTopIs) {
    struct Case {
        int halfWidth;
        float step;
        double cents;
        double width;
        const char* text;
    };
    const Case cases[] = {
        {200, 1.0f, 3.37, 4.0, "+3.4"},     {200, 1.0f, -7.62, 6.0, "-7.6"},
        {200, 1.0f, 0.49, 3.0, "+0.5"},     {200, 1.0f, -0.51, 20.0, "-0.5"},
        {200, 1.0f, 197.3, 4.0, "+197.3"},  {400, 0.5f, 3.37, 1.2, "+3.37"},
        {400, 0.5f, -7.62, 1.5, "-7.62"},   {400, 0.5f, 0.24, 1.0, "+0.24"},
        {400, 0.5f, -41.13, 8.0, "-41.13"}, {400, 0.5f, -198.9, 1.2, "-198.90"},
    };
    for (const Case& c : cases) {
        AnalysisResultStd r(A4, c.halfWidth, c.step);
        runPass(r, gaussianLevels(r, c.cents, c.width));
        r.evaluate();
        const int grid = static_cast<int>(std::lround(c.cents / c.step)) + c.halfWidth;
        EXPECT_EQ(r.getPeakIndex(), grid) << c.cents;
        EXPECT_NEAR(r.getCents(), c.cents, 2e-3) << c.cents;
        EXPECT_NEAR(r.getFrequency(), 440.0 * std::pow(2.0, c.cents / 1200.0), 1e-3) << c.cents;
        EXPECT_EQ(r.getCentsText(), c.text) << c.cents;
        EXPECT_TRUE(r.isValid()) << c.cents;
    }
}

// Where the levels show no one smooth peak, the reading is the grid value.
TEST(AnalysisResultStd, TheGridValueWhereTheTopCannotBeTrusted) {
    struct Case {
        const char* what;
        int peak;
        std::vector<float> (*levels)(const AnalysisResultStd&);
    };
    const Case cases[] = {
        // The top at the grid's edge, or one step inside it.
        {"lowest", 0, [](const AnalysisResultStd& r) { return gaussianLevels(r, -200.3, 4.0); }},
        {"second", 1, [](const AnalysisResultStd& r) { return gaussianLevels(r, -198.8, 4.0); }},
        {"highest", 400, [](const AnalysisResultStd& r) { return gaussianLevels(r, 200.4, 4.0); }},
        // Two equal tones just too close to be told apart: a top flat
        // over several cents.
        {"flat top", 0,
         [](const AnalysisResultStd& r) {
             std::vector<float> a = gaussianLevels(r, -1.65, 7.0);
             const std::vector<float> b = gaussianLevels(r, 8.25, 7.0);
             for (std::size_t j = 0; j < a.size(); ++j)
                 a[j] += 0.999f * b[j];
             return a;
         }},
        // Two tones 30 cents apart: the tails of each pull the other's top.
        {"two tones", 197,
         [](const AnalysisResultStd& r) {
             std::vector<float> a = gaussianLevels(r, -3.3, 7.0);
             const std::vector<float> b = gaussianLevels(r, 26.7, 7.0);
             for (std::size_t j = 0; j < a.size(); ++j)
                 a[j] += 0.6f * b[j];
             return a;
         }},
        // Equal levels beside the peak.
        {"plateau", 203,
         [](const AnalysisResultStd& r) {
             std::vector<float> a = gaussianLevels(r, 3.5, 4.0);
             a[204] = a[203];
             return a;
         }},
        // A peak standing hardly above a high floor.
        {"noise", 205, [](const AnalysisResultStd& r) { return gaussianLevels(r, 5.3, 4.0, 0.5); }},
        // A lone grid value: nothing beside it.
        {"spike", 210,
         [](const AnalysisResultStd& r) {
             std::vector<float> a(r.getBinCount(), 0.0f);
             a[210] = 1.0f;
             return a;
         }},
    };
    for (const Case& c : cases) {
        AnalysisResultStd r(A4, 200, 1.0f);
        runPass(r, c.levels(r));
        r.evaluate();
        if (c.peak > 0) {
            EXPECT_EQ(r.getPeakIndex(), c.peak) << c.what;
        }
        EXPECT_EQ(r.getPeakOffset(), 0.0f) << c.what;
        EXPECT_EQ(r.getFrequency(), r.getBinFrequencies()[r.getPeakIndex()]) << c.what;
    }
}

// Each pass reads the tone from the bins around its own top; where those
// readings agree, the reading is their mean, however far the images beside
// the tone pull the top of the summed levels. A pass whose reading an image
// right beside the tone moved does not count. Where noise scatters them so
// that their mean is less certain than that top, or they lie half a step
// from it or more, the reading is the top of the levels.
TEST(AnalysisResultStd, TheReadingFromThePassesWhereTheyAgree) {
    struct Case {
        const char* what;
        int halfWidth;
        float step;
        double levelsTop;
        std::vector<double> passes;
        double reading;
    };
    const Case cases[] = {
        {"agreeing",
         200,
         1.0f,
         3.55,
         {3.371, 3.369, 3.370, 3.372, 3.368, 3.370, 3.371, 3.369},
         3.370},
        {"one image",
         200,
         1.0f,
         3.55,
         {3.371, 3.369, 3.370, 3.72, 3.368, 3.370, 3.05, 3.369},
         3.3695},
        {"one pass", 200, 1.0f, -7.45, {-7.62}, -7.62},
        {"finer grid", 400, 0.5f, -7.60, {-7.621, -7.619, -7.620, -7.620, -7.45}, -7.620},
        {"noise",
         200,
         1.0f,
         3.45,
         {3.07, 3.62, 3.27, 3.77, 3.02, 3.52, 3.42, 3.17, 3.67, 2.92},
         3.45},
        {"far from the top", 200, 1.0f, 3.45, {4.10, 4.11, 4.09, 4.10}, 3.45},
    };
    for (const Case& c : cases) {
        AnalysisResultStd r(A4, c.halfWidth, c.step);
        runPass(r, gaussianLevels(r, c.levelsTop, 4.0 * c.step));
        for (double cents : c.passes)
            r.addPassReading(cents);
        r.addPassReading(NAN); // a pass that found no top
        r.evaluate();
        EXPECT_NEAR(r.getCents(), c.reading, 2e-3) << c.what;
        EXPECT_TRUE(r.isValid()) << c.what;
    }
}

// Where the levels show no one smooth peak, the passes' readings do not
// count either: the reading is the grid value.
TEST(AnalysisResultStd, NoPassReadingWhereTheTopCannotBeTrusted) {
    AnalysisResultStd r(A4, 200, 1.0f);
    std::vector<float> a = gaussianLevels(r, -1.65, 7.0);
    const std::vector<float> b = gaussianLevels(r, 8.25, 7.0);
    for (std::size_t j = 0; j < a.size(); ++j)
        a[j] += 0.999f * b[j];
    runPass(r, a);
    for (int pass = 0; pass < 10; ++pass)
        r.addPassReading(0.37);
    r.evaluate();
    EXPECT_EQ(r.getPeakOffset(), 0.0f);
    EXPECT_EQ(r.getFrequency(), r.getBinFrequencies()[r.getPeakIndex()]);
}

TEST(AnalysisResultStd, EqualMaximaTheLowerFrequencyWins) {
    AnalysisResultStd r(A4, 200, 1.0f);
    std::vector<float> levels(401, 0.0f);
    levels[150] = levels[250] = 1.0f;
    runPass(r, levels);
    r.evaluate();
    EXPECT_EQ(r.getPeakIndex(), 150);
}

// A flat floor under one peak: the mean ratio is about the floor; each
// separate peak adds one to the rise ratio.
TEST(AnalysisResultStd, ValidityLimitsPerOctave) {
    struct Case {
        float floor;
        int peaks;
        bool validLow;
        bool validHigh;
    };
    const Case cases[] = {
        {0.0f, 1, true, true},
        {0.2f, 1, true, true},
        {0.3f, 1, true, false},
        {0.34f, 1, true, false},
        {0.36f, 1, false, false},
        // Five equal peaks stay inside the rise limit, six do not; but equal
        // peaks within a quarter of the grid of each other are several tones.
        {0.0f, 5, false, false},
        {0.0f, 6, false, false},
    };
    for (const Case& c : cases) {
        for (int octave = 0; octave < 8; ++octave) {
            AnalysisResultStd r(TargetData(12 * octave + 9, 440.0f, "x"), 200, 1.0f);
            std::vector<float> levels(401, c.floor);
            for (int p = 0; p < c.peaks; ++p)
                levels[20 + 60 * p] = 1.0f;
            runPass(r, levels);
            r.evaluate();
            const bool expected = octave < 2 ? c.validLow : c.validHigh;
            EXPECT_EQ(r.isValid(), expected)
                << "floor " << c.floor << " peaks " << c.peaks << " octave " << octave;
            const float mean = (c.floor * (401 - c.peaks) + c.peaks) / 401.0f;
            EXPECT_NEAR(r.getMeanRatio(), mean, 1e-5f);
            EXPECT_NEAR(r.getRiseRatio(), c.floor + c.peaks * (1.0f - c.floor), 1e-4f);
            if (c.peaks > 1) {
                EXPECT_EQ(r.getRiseRatio() < AnalyzerStd::riseRatioLimit[octave], c.peaks <= 5);
            }
        }
    }
}

} // namespace
} // namespace tonvela
