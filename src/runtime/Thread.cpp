#include "runtime/Thread.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace tonvela {

namespace {

constexpr int niceStep = 5;

// Every thread is started by one spawner thread that keeps the process's own
// priority. A thread inherits its creator's nice value, and one created by the
// lowered analysis thread (the capture thread is) could never be raised again.
class Spawner {
public:
    static Spawner& instance() {
        static Spawner spawner;
        return spawner;
    }

    // The nice value threads start with.
    int baseNice() const { return base; }

    std::thread spawn(std::function<void()> body) {
        Request request{std::move(body), std::thread(), false};
        std::unique_lock<std::mutex> guard(lock);
        queue.push_back(&request);
        wake.notify_all();
        wake.wait(guard, [&] { return request.done; });
        return std::move(request.thread);
    }

private:
    struct Request {
        std::function<void()> body;
        std::thread thread;
        bool done;
    };

    Spawner() {
        errno = 0;
        base = getpriority(PRIO_PROCESS, 0);
        if (errno != 0)
            base = 0;
        worker = std::thread([this] { serve(); });
    }

    ~Spawner() {
        {
            std::lock_guard<std::mutex> guard(lock);
            stopping = true;
        }
        wake.notify_all();
        worker.join();
    }

    void serve() {
        std::unique_lock<std::mutex> guard(lock);
        while (true) {
            wake.wait(guard, [this] { return stopping || !queue.empty(); });
            if (queue.empty())
                return;
            Request* request = queue.front();
            queue.erase(queue.begin());
            request->thread = std::thread(std::move(request->body));
            request->done = true;
            wake.notify_all();
        }
    }

    std::mutex lock;
    std::condition_variable wake;
    std::vector<Request*> queue;
    bool stopping = false;
    int base = 0;
    std::thread worker;
};

// Made while the process starts, on its main thread, at the process's priority.
Spawner& spawnerAtStart = Spawner::instance();

} // namespace

Thread::Thread() {
    std::unique_lock<std::mutex> lock(gateLock);
    thread = Spawner::instance().spawn([this] { entry(); });
    // The native id is needed before resume() to set the priority.
    gateSignal.wait(lock, [this] { return nativeId != 0; });
}

Thread::~Thread() {
    if (!thread.joinable())
        return;
    bool running;
    {
        std::lock_guard<std::mutex> lock(gateLock);
        running = gateOpen && runBody && !bodyDone;
    }
    if (running || thread.get_id() == std::this_thread::get_id()) {
        // The subclass is gone already; letting its body go on, or detaching
        // it, would run it on freed memory. An owner forgot to stop and join.
        std::fprintf(stderr, "tonvela: a thread object was destroyed while its thread still "
                             "runs; its owner must stop and join it first\n");
        std::abort();
    }
    join();
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
    std::lock_guard<std::mutex> lock(gateLock);
    bodyDone = true;
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
    const int nice = std::clamp(Spawner::instance().baseNice() - niceStep * newPriority, -20, 19);
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
