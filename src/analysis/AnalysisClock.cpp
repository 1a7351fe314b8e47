#include "analysis/AnalysisClock.h"

#include "runtime/Thread.h"
#include "runtime/Tick.h"

#include <utility>

namespace tonvela {

std::uint32_t RealClock::now() {
    return tickCount();
}

void RealClock::sleep(int milliseconds) {
    Thread::sleep(milliseconds);
}

SimulatedClock::SimulatedClock(int periodMs, std::function<void()> onPeriod)
    : periodMs(periodMs), nextPeriod(static_cast<std::uint32_t>(periodMs)),
      onPeriod(std::move(onPeriod)) {}

void SimulatedClock::sleep(int milliseconds) {
    if (milliseconds <= 0)
        return;
    time += static_cast<std::uint32_t>(milliseconds);
    if (periodMs <= 0 || !onPeriod)
        return;
    while (time >= nextPeriod) {
        nextPeriod += static_cast<std::uint32_t>(periodMs);
        onPeriod();
    }
}

bool SimulatedClock::holdsInput(int milliseconds) const {
    if (periodMs <= 0 || !onPeriod || milliseconds <= 0)
        return true;
    return static_cast<std::uint64_t>(time) + static_cast<std::uint64_t>(milliseconds) < nextPeriod;
}

} // namespace tonvela
