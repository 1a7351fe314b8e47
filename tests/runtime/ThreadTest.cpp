#include "runtime/Thread.h"
#include "runtime/Event.h"
#include "runtime/Tick.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace tonvela;

namespace {

class CountingThread : public Thread {
public:
    ~CountingThread() override { join(); }
    std::atomic<int> runs{0};
    Event started;

protected:
    void run() override {
        ++runs;
        started.set();
    }
};

} // namespace

TEST(Thread, RunsOnlyAfterResume) {
    CountingThread thread;
    EXPECT_FALSE(thread.started.wait(50));
    EXPECT_EQ(thread.runs, 0);
    thread.resume();
    EXPECT_TRUE(thread.started.wait(5000));
    thread.join();
    EXPECT_EQ(thread.runs, 1);
    thread.join(); // a second join returns at once
}

TEST(Thread, NeverResumedThreadEndsWithoutRunning) {
    std::atomic<int>* runs;
    {
        CountingThread thread;
        runs = &thread.runs;
        EXPECT_EQ(*runs, 0);
    } // destruction must not hang or run the body
    SUCCEED();
}

TEST(Thread, LoweringPriorityWorks) {
    CountingThread thread;
    EXPECT_EQ(thread.getPriority(), 0);
    EXPECT_TRUE(thread.setPriority(-2));
    EXPECT_EQ(thread.getPriority(), -2);
    thread.resume();
    thread.join();
}

namespace {

// Records its own nice value when it runs.
class NiceProbe : public Thread {
public:
    ~NiceProbe() override { join(); }
    int nice = 99;

protected:
    void run() override { nice = getpriority(PRIO_PROCESS, 0); }
};

// A lowered thread that creates another one, as the analysis thread creates
// the capture thread.
class LoweredCreator : public Thread {
public:
    ~LoweredCreator() override { join(); }
    int ownNice = 99;
    int childNice = 99;

protected:
    void run() override {
        ownNice = getpriority(PRIO_PROCESS, 0);
        NiceProbe child;
        child.resume();
        child.join();
        childNice = child.nice;
    }
};

} // namespace

TEST(Thread, ThreadsStartAtTheProcessPriorityWhoeverCreatesThem) {
    const int base = getpriority(PRIO_PROCESS, 0);
    LoweredCreator creator;
    ASSERT_TRUE(creator.setPriority(-2));
    creator.resume();
    creator.join();
    EXPECT_EQ(creator.ownNice, std::min(base + 10, 19));
    EXPECT_EQ(creator.childNice, base);
}

namespace {

// An owner that forgets to stop and join its thread.
class Forgotten : public Thread {
public:
    std::atomic<bool> started{false};

protected:
    void run() override {
        started = true;
        while (true)
            Thread::sleep(1);
    }
};

} // namespace

TEST(ThreadDeathTest, DestroyedWhileRunningStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            Forgotten thread;
            thread.resume();
            while (!thread.started)
                Thread::sleep(1);
        },
        "destroyed while its thread still runs");
}

TEST(Thread, SleepAndTickClock) {
    const std::uint32_t before = tickCount();
    Thread::sleep(30);
    EXPECT_GE(static_cast<std::uint32_t>(tickCount() - before), 30u);
}

TEST(Event, AutoResets) {
    Event event;
    event.set();
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(10));
    event.set();
    event.wait(); // returns at once: it was signalled before the wait
}
