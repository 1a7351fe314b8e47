#include "runtime/Random.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace tonvela {

namespace {
std::atomic<std::uint32_t> state{1};
}

int rand() {
    std::uint32_t current = state.load(std::memory_order_relaxed);
    std::uint32_t next;
    do {
        next = current * 214013u + 2531011u;
    } while (!state.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

void srand(unsigned int seed) {
    state.store(seed, std::memory_order_relaxed);
}

unsigned int randState() {
    return state.load(std::memory_order_relaxed);
}

void srandFromTime() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    srand(static_cast<unsigned int>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}

} // namespace tonvela
