#include "runtime/Thread.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tonvela {

namespace {
constexpr int niceStep = 5;
}

Thread::Thread() {
    std::unique_lock<std::mutex> lock(gateLock);
    thread = std::thread([this] { entry(); });
    // The native id is needed before resume() to set the priority.
    gateSignal.wait(lock, [this] { return nativeId != 0; });
}

Thread::~Thread() {
    if (!thread.joinable())
        return;
    bool started;
    {
        std::lock_guard<std::mutex> lock(gateLock);
        started = gateOpen && runBody;
    }
    if (!started) {
        join();
    } else if (thread.get_id() == std::this_thread::get_id()) {
        thread.detach();
    } else {
        // Owners join before destruction; never take the process down if one
        // did not.
        thread.detach();
    }
}

void Thread::entry() {
    {
        std::unique_lock<std::mutex> lock(gateLock);
        nativeId = static_cast<long>(syscall(SYS_gettid));
        gateSignal.notify_all();
        gateSignal.wait(lock, [this] { return gateOpen; });
        if (!runBody)
            return;
    }
    run();
}

void Thread::openGate(bool body) {
    std::lock_guard<std::mutex> lock(gateLock);
    if (gateOpen)
        return;
    gateOpen = true;
    runBody = body;
    gateSignal.notify_all();
}

void Thread::resume() {
    openGate(true);
}

bool Thread::setPriority(int newPriority) {
    newPriority = std::clamp(newPriority, -2, 2);
    errno = 0;
    int processNice = getpriority(PRIO_PROCESS, 0);
    if (errno != 0)
        processNice = 0;
    const int nice = std::clamp(processNice - niceStep * newPriority, -20, 19);
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(nativeId), nice) != 0)
        return false;
    priority = newPriority;
    return true;
}

int Thread::getPriority() const {
    return priority;
}

void Thread::join() {
    if (!thread.joinable() || thread.get_id() == std::this_thread::get_id())
        return;
    openGate(false);
    thread.join();
}

void Thread::sleep(int milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace tonvela
