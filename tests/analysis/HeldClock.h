#pragma once

#include "analysis/AnalysisClock.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tonvela::test {

// Keeps an analysis thread from measuring (it waits at its first reading of
// the time) until release(), so only the records a test or a picture posts
// reach the panel.
class HeldClock : public AnalysisClock {
public:
    std::uint32_t now() override {
        hold();
        return 0;
    }
    void sleep(int) override { hold(); }
    void release() {
        std::lock_guard<std::mutex> guard(lock);
        released = true;
        changed.notify_all();
    }

private:
    void hold() {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [this] { return released; });
    }

    std::mutex lock;
    std::condition_variable changed;
    bool released = false;
};

} // namespace tonvela::test
