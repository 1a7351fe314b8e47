#pragma once

#include <cstdint>
#include <functional>

namespace tonvela {

// The time base of the analysis thread's cadence. Live it is the tick clock
// with real sleeps; when a recording is measured offline, time passes only
// when the loop sleeps, so the analysis runs as fast as the processor allows
// and sees exactly the sound it would have seen live.
class AnalysisClock {
public:
    virtual ~AnalysisClock() = default;
    // Milliseconds, wrapping like a 32-bit tick.
    virtual std::uint32_t now() = 0;
    virtual void sleep(int milliseconds) = 0;
    // Whether sleeping this many milliseconds in all from now brings no new
    // input, so that analyses on both sides see the same sound. Live, sound
    // comes in all the time.
    virtual bool holdsInput(int) const { return false; }
};

// tickCount() and Thread::sleep.
class RealClock : public AnalysisClock {
public:
    std::uint32_t now() override;
    void sleep(int milliseconds) override;
};

// Virtual time that starts at 0 and advances only in sleep(). Each time it
// reaches the end of another period, onPeriod runs on the sleeping thread
// (the offline measuring delivers one input buffer there).
class SimulatedClock : public AnalysisClock {
public:
    SimulatedClock() = default;
    SimulatedClock(int periodMs, std::function<void()> onPeriod);

    std::uint32_t now() override { return time; }
    void sleep(int milliseconds) override;
    // Input comes only at the ends of periods.
    bool holdsInput(int milliseconds) const override;

private:
    std::uint32_t time = 0;
    int periodMs = 0;
    std::uint32_t nextPeriod = 0;
    std::function<void()> onPeriod;
};

} // namespace tonvela
