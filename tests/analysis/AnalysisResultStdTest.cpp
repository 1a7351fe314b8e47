#include "analysis/AnalysisResultStd.h"

#include "analysis/CentFreqCalculator.h"

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
        {200, 1.0f, 200, 0.0f, "+0.00"},     {200, 1.0f, 210, 10.0f, "+10.00"},
        {200, 1.0f, 163, -37.0f, "-37.00"},  {200, 1.0f, 0, -200.0f, "-200.00"},
        {200, 1.0f, 400, 200.0f, "+200.00"}, {400, 0.5f, 401, 0.5f, "+0.50"},
        {400, 0.5f, 420, 10.0f, "+10.00"},   {400, 0.5f, 326, -37.0f, "-37.00"},
        {400, 0.5f, 0, -200.0f, "-200.00"},  {400, 0.5f, 799, 199.5f, "+199.50"},
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
    EXPECT_EQ(sharpCents, "+10.00");
    EXPECT_EQ(sharpHz, "442.55");
    EXPECT_EQ(flatCents, "-37.00");
    EXPECT_EQ(flatHz, "430.70");

    const auto reader = [](const AnalysisResultStd* r, const char* cents, const char* hz,
                           int* wrong) {
        for (int i = 0; i < 20000; ++i)
            if (r->getCentsText() != cents || r->getFrequencyText() != hz)
                ++*wrong;
    };
    int wrongSharp = 0, wrongFlat = 0;
    std::thread a(reader, sharp.get(), "+10.00", "442.55", &wrongSharp);
    std::thread b(reader, flat.get(), "-37.00", "430.70", &wrongFlat);
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
    EXPECT_EQ(r.getCentsText(), "+0.00");
    EXPECT_EQ(r.getMeanRatio(), 1.0f);
    EXPECT_EQ(r.getRiseRatio(), 0.0f);
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
        {0.0f, 1, true, true},   {0.2f, 1, true, true},    {0.3f, 1, true, false},
        {0.34f, 1, true, false}, {0.36f, 1, false, false}, {0.0f, 5, true, true},
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
        }
    }
}

} // namespace
} // namespace tonvela
