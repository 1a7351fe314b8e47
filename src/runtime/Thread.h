#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tonvela {

// Base of every worker thread. The thread exists from construction on but
// waits at a start gate until resume(), so run() never sees a half-built
// subclass. Owners stop a thread by clearing the subclass's running flag,
// waking it and calling join(), before the object goes: destroying a thread
// object whose body still runs aborts the program with a message, as a
// joinable std::thread does, rather than let the body run on a freed object.
class Thread {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    void resume();
    // Priorities -2 (lowest) .. 2 (highest) map to nice values of this thread.
    // Lowering always works; raising may be refused without privileges.
    bool setPriority(int priority);
    int getPriority() const;
    // Blocks until the thread has ended. A thread that was never resumed
    // ends without running.
    void join();
    static void sleep(int milliseconds);

protected:
    virtual void run() = 0;

private:
    void entry();
    void openGate(bool runBody);

    std::mutex gateLock;
    std::condition_variable gateSignal;
    bool gateOpen = false;
    bool runBody = false;
    bool bodyDone = false;
    long nativeId = 0;
    int priority = 0;
    std::thread thread;
};

} // namespace tonvela
