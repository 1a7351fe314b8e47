#include "runtime/Event.h"

#include <chrono>

namespace tonvela {

void Event::set() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        signalled = true;
    }
    signal.notify_one();
}

void Event::wait() {
    std::unique_lock<std::mutex> lock(mutex);
    signal.wait(lock, [this] { return signalled; });
    signalled = false;
}

bool Event::wait(int milliseconds) {
    std::unique_lock<std::mutex> lock(mutex);
    if (!signal.wait_for(lock, std::chrono::milliseconds(milliseconds),
                         [this] { return signalled; }))
        return false;
    signalled = false;
    return true;
}

} // namespace tonvela
