#include "tools/CalibrationCalculation.h"
#include "tools/CentCalculation.h"
#include "tools/Metronome.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

struct CentCase {
    const char* f1;
    const char* cents;
    const char* f2;
    bool calculated;
    const char* newF1;
    const char* newCents;
    const char* newF2;
};

TEST(CentCalculation, FillsTheMissingFieldAndRewritesAll) {
    const CentCase cases[] = {
        {"440", "100", "", true, "440", "100", "466.163757"},
        {"440.000", "+100.0", "", true, "440", "100", "466.163757"},
        {"440", "", "880", true, "440", "1200", "880.000000"},
        {"", "1200", "880", true, "440", "1200", "880.000000"},
        // All three given: the first case recomputes f2.
        {"440", "100", "1000", true, "440", "100", "466.163757"},
        {"440", "-1200", "", true, "440", "-1200", "220.000000"},
        {"  442 Hz", "3.5", "", true, "442", "3.5", "442.894501"},
        // Fewer than two numbers: nothing changes.
        {"440", "", "", false, "440", "", ""},
        {"", "", "880", false, "", "", "880"},
        {"abc", "100", "", false, "abc", "100", ""},
        {"", "", "", false, "", "", ""},
        // No finite answer: a zero base frequency, an overflowing power.
        {"0", "", "880", false, "0", "", "880"},
        {"-440", "", "880", false, "-440", "", "880"},
        {"440", "1e9", "", false, "440", "1e9", ""},
    };
    for (const CentCase& c : cases) {
        SCOPED_TRACE(std::string(c.f1) + " | " + c.cents + " | " + c.f2);
        CentCalculation calculation{c.f1, c.cents, c.f2};
        EXPECT_EQ(calculation.calculate(), c.calculated);
        EXPECT_EQ(calculation.f1, c.newF1);
        EXPECT_EQ(calculation.cents, c.newCents);
        EXPECT_EQ(calculation.f2, c.newF2);
    }
}

TEST(CentCalculation, KeepsTheSinglePrecisionSteps) {
    // The interval times 1/1200 is a float product: taken in double it
    // would give 220.012711.
    CentCalculation down{"440", "-1199.9", ""};
    ASSERT_TRUE(down.calculate());
    EXPECT_EQ(down.f2, "220.012695");
    CentCalculation between{"440", "", "441"};
    ASSERT_TRUE(between.calculate());
    EXPECT_EQ(between.cents, "3.93015");
}

struct CalibrationCase {
    const char* t1;
    const char* t2;
    bool fahrenheit;
    const char* h1;
    const char* h2;
    const char* result;
};

TEST(CalibrationCalculation, TemperatureAndHumidityTerms) {
    const CalibrationCase cases[] = {
        {"20", "15", false, "", "", "14.290"},
        {"68", "59", true, "", "", "14.290"},
        {"20", "20", false, "60", "40", "1.267"},
        {"15", "20", false, "40", "60", "-15.557"},
        {"", "", false, "", "", "0.000"},
        {"", "", false, "60", "40", "1.267"},
        // One field of a pair missing: no result.
        {"20", "15", false, "60", "", ""},
        {"20", "15", false, "", "40", ""},
        {"20", "", false, "", "", ""},
        {"x", "15", false, "", "", ""},
    };
    for (const CalibrationCase& c : cases) {
        SCOPED_TRACE(std::string(c.t1) + " " + c.t2 + (c.fahrenheit ? " F " : " C ") + c.h1 + " " +
                     c.h2);
        const CalibrationCalculation calculation{c.t1, c.t2, c.fahrenheit, c.h1, c.h2};
        EXPECT_EQ(calculation.calculate(), c.result);
    }
}

TEST(Metronome, PresetTempoAcceptsMoreThanThreeUpToOneThousand) {
    const struct {
        bool checked;
        const char* text;
        float tempo;
    } cases[] = {
        {true, "60", 60.0f},     {true, "3", 0.0f},      {true, "3.5", 3.5f},
        {true, "1000", 1000.0f}, {true, "1000.5", 0.0f}, {true, "1", 0.0f},
        {true, "", 0.0f},        {true, "fast", 0.0f},   {true, " 120 bpm", 120.0f},
        {true, "-60", 0.0f},     {false, "60", 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Metronome::presetTempo({c.checked, c.text}), c.tempo);
    }
}

} // namespace
} // namespace tonvela
