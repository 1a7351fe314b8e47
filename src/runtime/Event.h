#pragma once

#include <condition_variable>
#include <mutex>

namespace tonvela {

// An auto-reset event: set() wakes one waiter, or the next one to wait;
// a successful wait resets it.
class Event {
public:
    void set();
    void wait();
    // Returns false when the time ran out before the event was set.
    bool wait(int milliseconds);

private:
    std::mutex mutex;
    std::condition_variable signal;
    bool signalled = false;
};

} // namespace tonvela
