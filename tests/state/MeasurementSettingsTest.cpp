#include "state/MeasurementSettings.h"

#include <gtest/gtest.h>

using namespace tonvela;

TEST(MeasurementSettings, HarmonicsMask) {
    struct Case {
        int mask;
        bool expected[6];
    };
    const Case cases[] = {
        {0, {false, false, false, false, false, false}},
        {63, {true, true, true, true, true, true}},
        {-1, {true, true, true, true, true, true}},
        {5, {true, false, true, false, false, false}},
        {64 | 2, {false, true, false, false, false, false}}, // bits 6 and above ignored
    };
    for (const Case& c : cases) {
        MeasurementSettings settings;
        settings.setHarmonicsMask(c.mask);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(settings.harmonics[i], c.expected[i]) << "mask " << c.mask << " bit " << i;
        EXPECT_EQ(settings.harmonicsMask(), c.mask & 63);
    }
}

TEST(MeasurementSettings, Defaults) {
    const MeasurementSettings settings;
    EXPECT_EQ(settings.harmonicsMask(), 63);
    EXPECT_EQ(settings.accuracy, 0);
    EXPECT_EQ(settings.calibIn, 0.0f);
    EXPECT_EQ(settings.calibOut, 0.0f);
    EXPECT_EQ(settings.autoSwap, 0);
    EXPECT_EQ(settings.autoMeasure, 1);
}
