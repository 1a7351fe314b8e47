#include "state/DataStructure.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tonvela;

namespace {

struct RecordingListener : DataStructureListener {
    explicit RecordingListener(std::vector<std::pair<int, int>>& log, int id) : log(log), id(id) {}
    void dataChanged(int event) override { log.emplace_back(id, event); }
    std::vector<std::pair<int, int>>& log;
    int id;
};

class DataStructureEvents : public ::testing::Test {
protected:
    void SetUp() override { DataStructure::destroyInstance(); }
    void TearDown() override { DataStructure::destroyInstance(); }
    std::vector<std::pair<int, int>> log;
};

} // namespace

TEST_F(DataStructureEvents, InputDeviceChangeRaisedOnlyOnChange) {
    DataStructure& state = DataStructure::getInstance();
    RecordingListener listener(log, 1);
    state.addListener(&listener);
    EXPECT_EQ(state.getInputDevice(), -1);
    state.setInputDevice(-1);
    EXPECT_TRUE(log.empty());
    state.setInputDevice(3);
    state.setInputDevice(3);
    EXPECT_EQ(log,
              (std::vector<std::pair<int, int>>{{1, DataStructureListener::InputDeviceChanged}}));
    EXPECT_EQ(state.getInputDevice(), 3);
    state.removeListener(&listener);
}

TEST_F(DataStructureEvents, SettingsChangeAlwaysRaisedInRegistrationOrder) {
    DataStructure& state = DataStructure::getInstance();
    RecordingListener first(log, 1), second(log, 2);
    state.addListener(&first);
    state.addListener(&second);
    state.addListener(&first); // twice: notified twice
    MeasurementSettings same;
    state.getMeasurementSettings(same);
    state.setMeasurementSettings(same);
    const int changed = DataStructureListener::MeasurementSettingsChanged;
    EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, changed}, {2, changed}, {1, changed}}));

    log.clear();
    state.removeListener(&first); // removes one registration only
    state.setMeasurementSettings(same);
    EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{2, changed}, {1, changed}}));
    state.removeListener(&first);
    state.removeListener(&second);
    state.removeListener(&second); // not registered: nothing happens
}

TEST_F(DataStructureEvents, SettingsRoundTripAndFieldAccess) {
    DataStructure& state = DataStructure::getInstance();
    MeasurementSettings in;
    in.setHarmonicsMask(5);
    in.accuracy = 2;
    in.calibIn = -3.5f;
    in.calibOut = 1.25f;
    in.autoSwap = 1;
    in.autoMeasure = 0;
    state.setMeasurementSettings(in);

    MeasurementSettings out;
    state.getMeasurementSettings(out);
    EXPECT_EQ(out.harmonicsMask(), 5);
    EXPECT_EQ(state.getAccuracy(), 2);
    EXPECT_EQ(state.getCalibIn(), -3.5f);
    EXPECT_EQ(state.getCalibOut(), 1.25f);
    EXPECT_EQ(state.getAutoSwap(), 1);
    EXPECT_EQ(state.getAutoMeasure(), 0);
    bool h[6];
    state.getHarmonics(h[0], h[1], h[2], h[3], h[4], h[5]);
    EXPECT_TRUE(h[0] && !h[1] && h[2] && !h[3] && !h[4] && !h[5]);
}
