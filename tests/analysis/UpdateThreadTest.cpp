#include "analysis/UpdateThread.h"

#include "analysis/AnalysisResultPro.h"
#include "analysis/AnalysisResultStd.h"
#include "analysis/SteppedCapture.h"
#include "audio/CaptureDriverManager.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

namespace tonvela {
namespace {

using test::SteppedCapture;

// Virtual time that logs every sleep and lets a test act inside one.
class ScriptedClock : public AnalysisClock {
public:
    // advancePerRead lets time pass on every reading, as slow analyses would.
    std::uint32_t now() override {
        time += static_cast<std::uint32_t>(advancePerRead);
        return time;
    }
    void sleep(int milliseconds) override {
        sleeps.push_back(milliseconds);
        time += static_cast<std::uint32_t>(milliseconds);
        if (onSleep)
            onSleep(static_cast<int>(sleeps.size()));
    }

    std::uint32_t time = 0;
    int advancePerRead = 0;
    std::vector<int> sleeps;
    std::function<void(int count)> onSleep;
};

// Keeps every delivered record with the time it came; stops the thread after
// limit records.
class Collector : public ResultReceiver {
public:
    void deliver(std::unique_ptr<AnalysisResultIfc> payload) override {
        times.push_back(clock->now());
        results.push_back(std::move(payload));
        if (onResult)
            onResult(static_cast<int>(results.size()));
        if (static_cast<int>(results.size()) >= limit)
            thread->requestStop();
    }

    AnalysisClock* clock = nullptr;
    UpdateThread* thread = nullptr;
    int limit = 3;
    std::function<void(int count)> onResult;
    std::vector<std::uint32_t> times;
    std::vector<std::unique_ptr<AnalysisResultIfc>> results;
};

class UpdateThreadTest : public ::testing::Test {
protected:
    void SetUp() override { tonvela::srand(1); }
    void TearDown() override {
        CaptureDriverManager::destroyInstance();
        DataStructure::destroyInstance();
    }

    void setAccuracy(int accuracy) {
        MeasurementSettings settings;
        DataStructure::getInstance().getMeasurementSettings(settings);
        settings.accuracy = accuracy;
        DataStructure::getInstance().setMeasurementSettings(settings);
    }

    // Runs the loop on the scripted clock until the collector or the clock
    // stops it.
    void run(UpdateThread& thread, const TargetData* target) {
        collector.clock = &clock;
        collector.thread = &thread;
        thread.setReceiver(&collector);
        thread.setTarget(target);
        thread.resume();
        thread.join();
    }

    SteppedCapture capture;
    ScriptedClock clock;
    Collector collector;
    const TargetData a4{57, 440.0f, "A4"};
};

TEST_F(UpdateThreadTest, CadenceByMode) {
    struct Case {
        int accuracy;
        bool precise;
        int binCount;
        std::uint32_t firstTime;
        // Standard transform length at A4 keeps the window below 1.1 s.
        bool shortWindow;
    };
    const Case cases[] = {
        {0, false, 401, 400, true},
        {1, false, 801, 400, false},
        {2, true, 0, 0, false},
        {7, false, 801, 400, true},
    };
    for (const Case& c : cases) {
        setAccuracy(c.accuracy);
        clock = ScriptedClock();
        collector = Collector();
        {
            UpdateThread thread(&clock);
            run(thread, &a4);
        }
        ASSERT_EQ(collector.results.size(), 3u) << c.accuracy;
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_NE(collector.results[i], nullptr);
            EXPECT_EQ(collector.times[i], c.firstTime + 400 * i) << c.accuracy;
            const AnalysisResultIfc& result = *collector.results[i];
            EXPECT_EQ(result.getIntervalMs(), 400);
            EXPECT_EQ(result.getTargetData()->name, "A4");
            if (c.precise) {
                EXPECT_NE(dynamic_cast<const AnalysisResultPro*>(&result), nullptr);
                EXPECT_EQ(result.getWindowMs(), 8173);
                continue;
            }
            const auto* standard = dynamic_cast<const AnalysisResultStd*>(&result);
            ASSERT_NE(standard, nullptr);
            EXPECT_EQ(standard->getPassCount(), 10) << c.accuracy;
            EXPECT_EQ(result.getBinCount(), c.binCount) << c.accuracy;
            EXPECT_FLOAT_EQ(result.getBinCents(1) - result.getBinCents(0),
                            c.binCount == 401 ? 1.0f : 0.5f);
            EXPECT_EQ(result.getWindowMs() < 1100, c.shortWindow) << c.accuracy;
        }
        if (c.precise) {
            // The sleep after the last record comes before the loop sees the stop.
            EXPECT_EQ(clock.sleeps, (std::vector<int>{400, 400, 400}));
        } else {
            // Nine sleeps spread what is left of each period over the passes
            // still to come; the tenth pass is followed by the next record.
            const std::vector<int> period = {44, 44, 44, 44, 44, 45, 45, 45, 45};
            ASSERT_GE(clock.sleeps.size(), 27u);
            for (int r = 0; r < 3; ++r)
                EXPECT_EQ(std::vector<int>(clock.sleeps.begin() + 9 * r,
                                           clock.sleeps.begin() + 9 * r + 9),
                          period)
                    << c.accuracy;
        }
    }
}

// Analyses that overrun their period start the next one at once; a wait
// beyond 9999 ms (the tick clock read backwards) is never slept either.
TEST_F(UpdateThreadTest, LateOrBackwardTimeIsNotSlept) {
    for (const int advance : {500, -100000}) {
        for (const int accuracy : {0, 2}) {
            setAccuracy(accuracy);
            clock = ScriptedClock();
            clock.advancePerRead = advance;
            collector = Collector();
            UpdateThread thread(&clock);
            run(thread, &a4);
            EXPECT_EQ(collector.results.size(), 3u) << advance << " " << accuracy;
            EXPECT_TRUE(clock.sleeps.empty()) << advance << " " << accuracy;
        }
    }
}

TEST_F(UpdateThreadTest, IdlesWhileThereIsNoTargetFrequency) {
    for (const bool noTarget : {true, false}) {
        setAccuracy(0);
        clock = ScriptedClock();
        collector = Collector();
        collector.limit = 2;
        const TargetData silentTarget(57, 0.0f, "A4");
        UpdateThread thread(&clock);
        // Three idle sleeps, then the panel hands over a real target.
        clock.onSleep = [&](int count) {
            if (count == 3)
                thread.setTarget(&a4);
        };
        run(thread, noTarget ? nullptr : &silentTarget);
        EXPECT_EQ(std::vector<int>(clock.sleeps.begin(), clock.sleeps.begin() + 3),
                  (std::vector<int>{300, 300, 300}));
        // The period began before the idle time, so the first record's ten
        // passes run at once; the next one keeps the cadence.
        ASSERT_EQ(collector.results.size(), 2u);
        EXPECT_EQ(collector.times[0], 900u);
        EXPECT_EQ(collector.times[1], 1300u);
        EXPECT_EQ(clock.sleeps.size(), 3u + 9u);
    }
}

TEST_F(UpdateThreadTest, StopDuringASleepEndsTheLoop) {
    for (const int accuracy : {0, 2}) {
        setAccuracy(accuracy);
        clock = ScriptedClock();
        collector = Collector();
        collector.limit = 100;
        UpdateThread thread(&clock);
        clock.onSleep = [&](int count) {
            if (count == 3)
                thread.requestStop();
        };
        run(thread, &a4);
        // Nothing is analysed or posted after the sleep that saw the stop.
        EXPECT_EQ(clock.sleeps.size(), 3u) << accuracy;
        EXPECT_EQ(collector.results.size(), accuracy == 2 ? 3u : 0u) << accuracy;
    }
}

TEST_F(UpdateThreadTest, StopWakesARealIdleThread) {
    UpdateThread thread;
    const TargetData silentTarget(57, 0.0f, "A4");
    thread.setTarget(&silentTarget);
    thread.resume();
    Thread::sleep(20);
    thread.stop();
    thread.stop();
}

TEST_F(UpdateThreadTest, MeasuresItsOwnCopyOfTheTarget) {
    setAccuracy(0);
    TargetData target(57, 440.0f, "A4");
    collector.limit = 3;
    collector.onResult = [&](int count) {
        // The panel rewrites its record; the thread sees it only when it is
        // handed over again.
        target.update(440.0f, 57, "La4");
        if (count == 2)
            collector.thread->setTarget(&target);
    };
    UpdateThread thread(&clock);
    run(thread, &target);
    ASSERT_EQ(collector.results.size(), 3u);
    EXPECT_EQ(collector.results[0]->getTargetData()->name, "A4");
    EXPECT_EQ(collector.results[1]->getTargetData()->name, "A4");
    EXPECT_EQ(collector.results[2]->getTargetData()->name, "La4");
}

TEST_F(UpdateThreadTest, RunsWithoutAReceiver) {
    for (const int accuracy : {0, 2}) {
        setAccuracy(accuracy);
        clock = ScriptedClock();
        UpdateThread thread(&clock);
        // Every record made here is destroyed undelivered.
        clock.onSleep = [&](int count) {
            if (count == 30)
                thread.requestStop();
        };
        thread.setTarget(&a4);
        thread.resume();
        thread.join();
        EXPECT_EQ(clock.sleeps.size(), 30u);
    }
}

// The offline set-up: simulated time steps the input device once per 200 ms,
// so a steady tone fills the ring and the results find it.
TEST_F(UpdateThreadTest, SimulatedClockFeedsTheCapture) {
    setAccuracy(0);
    capture.signal = test::tone(440.0 * std::pow(2.0, 5.0 / 1200.0), {1});
    UpdateThread* analysis = nullptr;
    int steps = 0;
    SimulatedClock simulated(200, [&] {
        EXPECT_TRUE(capture.step(0));
        ++steps;
    });
    collector.limit = 10;
    collector.clock = &simulated;
    {
        UpdateThread thread(&simulated);
        analysis = &thread;
        collector.thread = analysis;
        thread.setReceiver(&collector);
        thread.setTarget(&a4);
        thread.resume();
        thread.join();
    }
    EXPECT_EQ(steps, 20);
    ASSERT_EQ(collector.results.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(collector.times[i], 400u * (i + 1));
    // From 2 s on every window lies in the tone.
    for (std::size_t i = 4; i < 10; ++i) {
        EXPECT_TRUE(collector.results[i]->isValid()) << i;
        // Within the standard analyzer's own accuracy, which its tests hold.
        EXPECT_NEAR(collector.results[i]->getCents(), 5.0f, 1.5f) << i;
    }
}

// Simulated time whose input is never held: the loop then measures its
// passes one at a time, as it does live.
class OneByOneClock : public SimulatedClock {
public:
    using SimulatedClock::SimulatedClock;
    bool holdsInput(int) const override { return false; }
};

// Simulated time that counts the times it told the loop the input holds.
class CountingClock : public SimulatedClock {
public:
    using SimulatedClock::SimulatedClock;
    bool holdsInput(int milliseconds) const override {
        const bool held = SimulatedClock::holdsInput(milliseconds);
        held ? ++heldCount : 0;
        return held;
    }
    mutable int heldCount = 0;
};

// A reproducible noise in -0.3..0.3 by time.
double noiseAt(double t) {
    auto n = static_cast<std::uint32_t>(std::llround(t * 44100.0)) * 2654435761u;
    n ^= n >> 15;
    n *= 2246822519u;
    n ^= n >> 13;
    return 0.6 * (static_cast<double>(n) / 4294967295.0 - 0.5);
}

// Offline, the loop measures the passes that see the same sound side by side,
// and the first passes of a record with the last ones of the record before.
// Every record must come out bit for bit as with the passes one at a time:
// through silence and noise (invalid records, whose wide search reads the
// ring before the next record's passes) and a tone, and when the target or
// the mode changes as a record is delivered.
TEST_F(UpdateThreadTest, PassesSideBySideGiveTheRecordsOfPassesOneByOne) {
    capture.signal = [tone = test::tone(440.0 * std::pow(2.0, 5.0 / 1200.0), {1, 2, 3})](double t) {
        if (t < 1.0)
            return 0.0;
        if (t < 4.0)
            return tone(t);
        return t < 5.0 ? noiseAt(t) : 0.5 * tone(t) + 0.2 * noiseAt(t);
    };
    const TargetData a4Sharp{57, 442.0f, "A4"};
    const TargetData e5{64, 659.26f, "E5"};
    struct Case {
        const char* name;
        int accuracy;
        std::function<void(UpdateThread&, int count)> change;
    };
    const auto none = [](UpdateThread&, int) {};
    const Case cases[] = {
        {"Standard", 0, none},
        {"Accurate", 1, none},
        {"another target", 0,
         [&](UpdateThread& thread, int count) {
             if (count == 6)
                 thread.setTarget(&e5);
             if (count == 9)
                 thread.setTarget(&a4Sharp);
         }},
        {"another mode", 1,
         [&](UpdateThread& thread, int count) {
             MeasurementSettings settings;
             settings.accuracy = count == 7 ? 2 : count == 8 ? 0 : 1;
             if (count >= 7 && count <= 9)
                 thread.setMeasurementSettings(settings);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setAccuracy(c.accuracy);
        std::vector<std::unique_ptr<AnalysisResultIfc>> records[2];
        int held = 0;
        for (int run = 0; run < 2; ++run) {
            tonvela::srand(5);
            const auto step = [&] { EXPECT_TRUE(capture.step(0)); };
            CountingClock sideBySide(200, step);
            OneByOneClock oneByOne(200, step);
            SimulatedClock& simulated =
                run == 0 ? static_cast<SimulatedClock&>(sideBySide) : oneByOne;
            Collector results;
            results.limit = 16;
            results.clock = &simulated;
            {
                UpdateThread thread(&simulated);
                results.thread = &thread;
                results.onResult = [&](int count) { c.change(thread, count); };
                thread.setReceiver(&results);
                thread.setTarget(&a4);
                thread.resume();
                thread.join();
            }
            // The next run opens the device again, from its start.
            CaptureDriverManager::destroyInstance();
            records[run] = std::move(results.results);
            if (run == 0)
                held = sideBySide.heldCount;
        }
        EXPECT_GT(held, 0);
        ASSERT_EQ(records[0].size(), records[1].size());
        int valid = 0;
        for (std::size_t i = 0; i < records[0].size(); ++i) {
            const AnalysisResultIfc& a = *records[0][i];
            const AnalysisResultIfc& b = *records[1][i];
            SCOPED_TRACE(i);
            valid += a.isValid();
            ASSERT_EQ(a.isValid(), b.isValid());
            ASSERT_EQ(a.getTargetData()->frequency, b.getTargetData()->frequency);
            EXPECT_EQ(a.getCents(), b.getCents());
            EXPECT_EQ(a.getFrequency(), b.getFrequency());
            EXPECT_EQ(a.getWindowMs(), b.getWindowMs());
            ASSERT_EQ(a.getBinCount(), b.getBinCount());
            EXPECT_EQ(std::memcmp(a.getLevels(), b.getLevels(),
                                  sizeof(float) * static_cast<std::size_t>(a.getBinCount())),
                      0);
        }
        // Both kinds of record are there.
        EXPECT_GT(valid, 2);
        EXPECT_LT(valid, static_cast<int>(records[0].size()) - 2);
    }
}

// The input a simulated clock delivers comes only at the end of a period.
TEST(SimulatedClock, HoldsTheInputUntilThePeriodEnds) {
    struct Case {
        int sleep;
        int ahead;
        bool held;
    };
    const Case cases[] = {
        {0, 0, true},   {0, 199, true},  {0, 200, false}, {150, 49, true},
        {0, 50, false}, {50, 199, true}, {0, 0, true},    {0, -3, true},
    };
    SimulatedClock clock(200, [] {});
    for (const Case& c : cases) {
        clock.sleep(c.sleep);
        EXPECT_EQ(clock.holdsInput(c.ahead), c.held) << clock.now() << " + " << c.ahead;
    }
    // Without a callback nothing comes in at all; live time holds nothing.
    EXPECT_TRUE(SimulatedClock().holdsInput(1000000));
    EXPECT_FALSE(RealClock().holdsInput(0));
}

TEST(SimulatedClock, CallsBackOncePerPeriod) {
    struct Case {
        int sleep;
        std::uint32_t now;
        int periods;
    };
    const Case cases[] = {
        {150, 150, 0}, {49, 199, 0}, {1, 200, 1},  {0, 200, 1},     {-5, 200, 1},
        {599, 799, 3}, {1, 800, 4},  {44, 844, 4}, {1000, 1844, 9},
    };
    int periods = 0;
    SimulatedClock clock(200, [&] { ++periods; });
    EXPECT_EQ(clock.now(), 0u);
    for (const Case& c : cases) {
        clock.sleep(c.sleep);
        EXPECT_EQ(clock.now(), c.now) << c.sleep;
        EXPECT_EQ(periods, c.periods) << c.sleep;
    }
}

} // namespace
} // namespace tonvela
