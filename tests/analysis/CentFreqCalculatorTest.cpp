#include "analysis/CentFreqCalculator.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(CentFreqCalculator, FrequencyOf) {
    struct Case {
        float base;
        float cents;
        float expected;
    };
    const Case cases[] = {
        {440.0f, 100.0f, 466.16376f},   {440.0f, 0.0f, 440.0f},
        {440.0f, 1200.0f, 880.0f},      {440.0f, -1200.0f, 220.0f},
        {440.0f, -5700.0f, 16.351597f}, {261.62558f, -100.0f, 246.94165f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(CentFreqCalculator::frequencyOf(c.base, c.cents), c.expected)
            << c.base << " " << c.cents;
    // The stated example holds to the last bit.
    EXPECT_EQ(CentFreqCalculator::frequencyOf(440.0f, 100.0f), 466.16376f);
}

TEST(CentFreqCalculator, CentsBetween) {
    struct Case {
        float from;
        float to;
        float expected;
    };
    const Case cases[] = {
        {440.0f, 441.0f, 3.9301548f}, {440.0f, 880.0f, 1200.0f},    {880.0f, 440.0f, -1200.0f},
        {440.0f, 440.0f, 0.0f},       {440.0f, 466.16376f, 100.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CentFreqCalculator::centsBetween(c.from, c.to), c.expected, 1e-4f)
            << c.from << " " << c.to;
    EXPECT_EQ(CentFreqCalculator::centsBetween(440.0f, 441.0f), 3.9301548f);
}

} // namespace
} // namespace tonvela
