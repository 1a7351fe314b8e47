#include "FreshState.h"

#include "state/Protocol.h"

#include <gtest/gtest.h>

using namespace tonvela;
using tonvela::test::FreshState;

namespace {

using DataStructureStartup = FreshState;

} // namespace

TEST_F(DataStructureStartup, FreshUserGetsTheDefaults) {
    const DataStructure& state = DataStructure::getInstance();
    MeasurementSettings m;
    state.getMeasurementSettings(m);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(m.harmonics[i]) << i;
    EXPECT_EQ(m.accuracy, 0);
    EXPECT_EQ(m.calibIn, 0.0f);
    EXPECT_EQ(m.calibOut, 0.0f);
    EXPECT_EQ(m.autoSwap, 0);
    EXPECT_EQ(m.autoMeasure, 1);
    EXPECT_EQ(state.getInputDevice(), -1);

    const ToneScaleCollection& scales = state.getToneScales();
    EXPECT_EQ(scales.getScaleCount(), 138);
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "equal");
    EXPECT_EQ(scales.getCurrentIndex(), 0);
    EXPECT_EQ(state.getCustomScales().getSimpleScales().size(), 0u);
    for (int i = 0; i < Protocol::NoteCount; ++i)
        EXPECT_EQ(state.getProtocol().getFrequency(i), 0.0f);
}

TEST_F(DataStructureStartup, StoredHarmonicsMask) {
    struct Case {
        int stored;
        bool expected[6];
    };
    const Case cases[] = {
        {0, {false, false, false, false, false, false}},
        {63, {true, true, true, true, true, true}},
        {-1, {true, true, true, true, true, true}},
        {5, {true, false, true, false, false, false}},
        {64, {false, false, false, false, false, false}}, // bit 6 and above ignored
        {0x7FFFFFE1, {true, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        DataStructure::destroyInstance();
        Settings("settings").writeInt("harmonics", c.stored);
        bool h[6];
        DataStructure::getInstance().getHarmonics(h[0], h[1], h[2], h[3], h[4], h[5]);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(h[i], c.expected[i]) << "mask " << c.stored << " bit " << i;
    }
}

TEST_F(DataStructureStartup, ReadsStoredValuesAndDefaultsForBadOnes) {
    struct Case {
        const char* name;
        const char* text; // as it stands in the store
        float calibIn, calibOut;
        int autoMeasure, accuracy, autoSwap;
    };
    const Case cases[] = {
        {"calibIn", "2.5", 2.5f, 0, 1, 0, 0}, {"calibIn", "abc", 0, 0, 1, 0, 0},
        {"calibIn", "nan", 0, 0, 1, 0, 0},    {"calibOut", "-3.500000", 0, -3.5f, 1, 0, 0},
        {"autoMeasure", "0", 0, 0, 0, 0, 0},  {"accuracy", "2", 0, 0, 1, 2, 0},
        {"accuracy", "x", 0, 0, 1, 0, 0},     {"autoSwap", "1", 0, 0, 1, 0, 1},
    };
    for (const Case& c : cases) {
        DataStructure::destroyInstance();
        for (const char* name : {"calibIn", "calibOut", "autoMeasure", "accuracy", "autoSwap"})
            Settings("settings").writeString(name, "");
        Settings("settings").writeString(c.name, c.text);
        const DataStructure& state = DataStructure::getInstance();
        EXPECT_EQ(state.getCalibIn(), c.calibIn) << c.name << "=" << c.text;
        EXPECT_EQ(state.getCalibOut(), c.calibOut) << c.name << "=" << c.text;
        EXPECT_EQ(state.getAutoMeasure(), c.autoMeasure) << c.name << "=" << c.text;
        EXPECT_EQ(state.getAccuracy(), c.accuracy) << c.name << "=" << c.text;
        EXPECT_EQ(state.getAutoSwap(), c.autoSwap) << c.name << "=" << c.text;
    }
}

TEST_F(DataStructureStartup, WritesMeasurementSettingsOnlyWhenDestroyed) {
    MeasurementSettings m;
    m.setHarmonicsMask(0x15);
    m.accuracy = 1;
    m.calibIn = -100.0f;
    m.calibOut = 2.25f;
    m.autoSwap = 1;
    m.autoMeasure = 0;
    DataStructure::getInstance().setMeasurementSettings(m);

    // Kept in memory until the state goes: an abnormal end loses the change.
    EXPECT_EQ(Settings("settings").readString("calibIn", "absent"), "absent");

    DataStructure::destroyInstance();
    const Settings settings("settings");
    EXPECT_EQ(settings.readInt("harmonics", -7), 0x15);
    EXPECT_EQ(settings.readString("calibIn", ""), "-100.000000");
    EXPECT_EQ(settings.readString("calibOut", ""), "2.250000");
    EXPECT_EQ(settings.readInt("autoMeasure", -7), 0);
    EXPECT_EQ(settings.readInt("accuracy", -7), 1);
    EXPECT_EQ(settings.readInt("autoSwap", -7), 1);

    // And the next start reads them back.
    MeasurementSettings back;
    DataStructure::getInstance().getMeasurementSettings(back);
    EXPECT_EQ(back.harmonicsMask(), 0x15);
    EXPECT_EQ(back.accuracy, 1);
    EXPECT_EQ(back.calibIn, -100.0f);
    EXPECT_EQ(back.calibOut, 2.25f);
    EXPECT_EQ(back.autoSwap, 1);
    EXPECT_EQ(back.autoMeasure, 0);
}

TEST_F(DataStructureStartup, FreshUserWritesDefaultsAtShutdown) {
    DataStructure::getInstance();
    DataStructure::destroyInstance();
    const Settings settings("settings");
    EXPECT_EQ(settings.readInt("harmonics", -7), 63);
    EXPECT_EQ(settings.readString("calibIn", ""), "0.000000");
    EXPECT_EQ(settings.readInt("autoMeasure", -7), 1);
    EXPECT_EQ(settings.readInt("accuracy", -7), 0);
    EXPECT_EQ(settings.readInt("autoSwap", -7), 0);
}

TEST_F(DataStructureStartup, UserTemperamentsGoAheadOfTheCatalogueAndAreSavedAtShutdown) {
    {
        Settings tempr("Tempr");
        tempr.writeInt("count", 1);
        tempr.writeString("tempr_0", "1000;Test;0.000;1.500;-2.250;0.000;0.000;0.000;0.000;0.000;"
                                     "0.000;0.000;0.000;0.000;0.500");
    }
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    ASSERT_EQ(scales.getScaleCount(), 139);
    EXPECT_EQ(scales.getScale(0)->getKey(), "c_1000");
    EXPECT_EQ(scales.getScale(1)->getKey(), "equal");
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "equal");

    Settings("Tempr").writeInt("count", 0); // overwritten by the save at shutdown
    DataStructure::destroyInstance();
    EXPECT_EQ(Settings("Tempr").readInt("count", -1), 1);
}
