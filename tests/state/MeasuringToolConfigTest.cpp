#include "FreshState.h"

#include "state/MeasuringToolConfig.h"

#include <gtest/gtest.h>

using namespace tonvela;

namespace {

using MeasuringToolConfigStore = tonvela::test::FreshState;

struct Flags {
    bool tuningInfo, strobe, deviation, reserved, chart, protocol, keyboard, twoRows, zoom;
};

Flags flagsOf(const MeasuringToolConfig& c) {
    return {c.showTuningInfo, c.showStrobe,   c.showDeviation,   c.reservedFlag, c.showChart,
            c.showProtocol,   c.showKeyboard, c.keyboardTwoRows, c.zoom};
}

void expectFlags(const Flags& got, const Flags& want, int mask) {
    EXPECT_EQ(got.tuningInfo, want.tuningInfo) << mask;
    EXPECT_EQ(got.strobe, want.strobe) << mask;
    EXPECT_EQ(got.deviation, want.deviation) << mask;
    EXPECT_EQ(got.reserved, want.reserved) << mask;
    EXPECT_EQ(got.chart, want.chart) << mask;
    EXPECT_EQ(got.protocol, want.protocol) << mask;
    EXPECT_EQ(got.keyboard, want.keyboard) << mask;
    EXPECT_EQ(got.twoRows, want.twoRows) << mask;
    EXPECT_EQ(got.zoom, want.zoom) << mask;
}

} // namespace

TEST(MeasuringToolConfig, ConstructionShowsAllButTwoRowsAndZoom) {
    const MeasuringToolConfig config;
    expectFlags(flagsOf(config), {true, true, true, true, true, true, true, false, false}, -1);
    EXPECT_EQ(config.margin, 4);
    EXPECT_EQ(config.spacing, 4);
}

TEST_F(MeasuringToolConfigStore, FirstStartHidesOnlyTheDeviationDisplay) {
    MeasuringToolConfig config;
    config.load();
    expectFlags(flagsOf(config), {true, true, false, false, true, true, true, false, false}, 115);
}

TEST_F(MeasuringToolConfigStore, StoredMaskSetsTheNineFlags) {
    struct Case {
        int stored;
        Flags flags;
        int written; // what save() stores again
    };
    const Case cases[] = {
        {0, {false, false, false, false, false, false, false, false, false}, 0},
        {511, {true, true, true, true, true, true, true, true, true}, 511},
        {115, {true, true, false, false, true, true, true, false, false}, 115},
        {0x108, {false, false, false, true, false, false, false, false, true}, 0x108},
        {0x280, {false, false, false, false, false, false, false, true, false}, 0x80}, // bit 9
        {-1, {true, true, true, true, true, true, true, true, true}, 511},
    };
    for (const Case& c : cases) {
        Settings("settings").writeInt("mtool", c.stored);
        MeasuringToolConfig config;
        config.load();
        expectFlags(flagsOf(config), c.flags, c.stored);
        EXPECT_EQ(config.margin, 4);
        EXPECT_EQ(config.spacing, 4);
        Settings("settings").writeInt("mtool", 12345);
        config.save();
        EXPECT_EQ(Settings("settings").readInt("mtool", -7), c.written) << c.stored;
    }
}
