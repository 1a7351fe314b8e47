#include "runtime/Mutex.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using namespace tonvela;

namespace {

class CountingMutex : public Mutex {
public:
    void lock() override { ++locks; }
    void unlock() override { ++unlocks; }
    int locks = 0;
    int unlocks = 0;
};

int bodyWithEarlyReturn(CountingMutex& mutex, bool early) {
    Guard guard(mutex);
    if (early)
        return 1;
    return 2;
}

} // namespace

TEST(Guard, UnlocksOnEveryWayOut) {
    CountingMutex mutex;
    bodyWithEarlyReturn(mutex, true);
    bodyWithEarlyReturn(mutex, false);
    try {
        Guard guard(mutex);
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(mutex.locks, 3);
    EXPECT_EQ(mutex.unlocks, 3);
}

TEST(ThreadMutex, IsReentrantAndExcludesOtherThreads) {
    ThreadMutex mutex;
    std::atomic<bool> otherHasLock{false};
    std::thread other;
    {
        Guard outer(mutex);
        Guard inner(mutex); // the holder may lock again
        other = std::thread([&] {
            Guard guard(mutex);
            otherHasLock = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(otherHasLock); // it waits until both guards are gone
    }
    other.join();
    EXPECT_TRUE(otherHasLock);
}
