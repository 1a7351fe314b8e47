// The measurement settings are changed on the user-interface thread while the
// analysis thread measures with them. Run under ThreadSanitizer as well.
#include "analysis/AnalysisResultStd.h"
#include "analysis/SteppedCapture.h"
#include "analysis/UpdateThread.h"
#include "audio/CaptureDriverManager.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace tonvela {
namespace {

using test::SteppedCapture;

// Simulated time that counts the loop's steps, so the test can let the
// thread take a step between two changes.
class SteppingClock : public AnalysisClock {
public:
    SteppingClock(std::function<void()> onPeriod) : inner(200, std::move(onPeriod)) {}
    std::uint32_t now() override { return inner.now(); }
    void sleep(int milliseconds) override {
        inner.sleep(milliseconds);
        ++steps;
    }

    SimulatedClock inner;
    std::atomic<int> steps{0};
};

class Results : public ResultReceiver {
public:
    void deliver(std::unique_ptr<AnalysisResultIfc> payload) override {
        std::lock_guard<std::mutex> guard(lock);
        records.push_back(std::move(payload));
        count = static_cast<int>(records.size());
    }

    std::mutex lock;
    std::vector<std::unique_ptr<AnalysisResultIfc>> records;
    std::atomic<int> count{0};
};

MeasurementSettings settingsFor(int accuracy, float calibIn, int harmonics) {
    MeasurementSettings settings;
    settings.accuracy = accuracy;
    settings.calibIn = calibIn;
    settings.setHarmonicsMask(harmonics);
    return settings;
}

// Waits until the thread has gone on by `steps` steps (or records); false
// when it stopped moving.
bool waitFor(const std::atomic<int>& counter, int target) {
    for (int tries = 0; counter < target; ++tries) {
        if (tries > 20000)
            return false;
        Thread::sleep(1);
    }
    return true;
}

class MeasurementSettingsAcrossThreads : public ::testing::Test {
protected:
    void SetUp() override { tonvela::srand(1); }
    void TearDown() override {
        CaptureDriverManager::destroyInstance();
        DataStructure::destroyInstance();
    }

    SteppedCapture capture;
};

TEST_F(MeasurementSettingsAcrossThreads, ChangedWhileTheAnalysisThreadRuns) {
    DataStructure& state = DataStructure::getInstance();
    // 5 cents sharp of A4, a pure tone, so every harmonic set finds it.
    capture.signal = test::tone(440.0 * std::pow(2.0, 5.0 / 1200.0), {1});
    state.setMeasurementSettings(settingsFor(0, 0.0f, 0b111111));

    SteppingClock clock([&] { capture.step(0); });
    Results results;
    const TargetData a4(57, 440.0f, "A4");
    UpdateThread thread(&clock);
    thread.setReceiver(&results);
    thread.setTarget(&a4);
    thread.resume();

    // A change before every step of the thread: Standard and Accurate with
    // their own calibration and harmonics in turn, and Most Accurate now and
    // then, so that between two of those the thread finishes at least four
    // records of ten passes whatever its speed.
    const MeasurementSettings standard[] = {
        settingsFor(0, 0.0f, 0b111111),
        settingsFor(1, 30.0f, 0b000101),
        settingsFor(0, -12.5f, 0b000001),
    };
    const MeasurementSettings precise = settingsFor(2, 0.0f, 0b010101);
    const int changes = 400;
    for (int i = 0; i < changes; ++i) {
        state.setMeasurementSettings(i % 50 == 49 ? precise : standard[i % 3]);
        ASSERT_TRUE(waitFor(clock.steps, clock.steps + 1)) << "change " << i;
    }

    // The last change holds for every record begun after it.
    state.setMeasurementSettings(settingsFor(1, 20.0f, 0b000001));
    const int first = results.count + 1;
    ASSERT_TRUE(waitFor(results.count, first + 2));
    thread.stop();

    std::lock_guard<std::mutex> guard(results.lock);
    int standardRecords = 0;
    for (const auto& record : results.records) {
        const auto* result = dynamic_cast<const AnalysisResultStd*>(record.get());
        if (!result)
            continue;
        ++standardRecords;
        // Every pass of a record used the transform of the mode the record
        // was made for: the short one goes with the 1-cent grid only.
        EXPECT_EQ(result->getBinCount() == 401, result->getWindowMs() < 1100)
            << result->getBinCount() << " bins, " << result->getWindowMs() << " ms";
    }
    EXPECT_GE(standardRecords, 30);
    ASSERT_GE(static_cast<int>(results.records.size()), first + 2);
    for (int i = first; i < first + 2; ++i) {
        const AnalysisResultIfc& last = *results.records[static_cast<std::size_t>(i)];
        EXPECT_EQ(last.getBinCount(), 801) << i;
        ASSERT_TRUE(last.isValid()) << i;
        // The tone is 5 cents sharp; an input calibration of +20 cents
        // reads it 20 cents higher.
        EXPECT_NEAR(last.getCents(), 25.0f, 1.5f) << i;
    }
}

} // namespace
} // namespace tonvela
