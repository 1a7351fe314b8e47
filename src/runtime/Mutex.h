#pragma once

#include <mutex>

namespace tonvela {

class Mutex {
public:
    virtual ~Mutex() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

// The one lock type of the system: re-entrant, so a holder may take it again.
class ThreadMutex : public Mutex {
public:
    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

private:
    std::recursive_mutex mutex;
};

// Holds a lock for the lifetime of a scope, also when the scope is left early.
class Guard {
public:
    explicit Guard(Mutex& mutex) : mutex(&mutex) { this->mutex->lock(); }
    virtual ~Guard() { mutex->unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    Mutex* mutex;
};

} // namespace tonvela
