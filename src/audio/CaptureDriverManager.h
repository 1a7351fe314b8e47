#pragma once

#include "audio/CaptureDriver.h"
#include "runtime/Mutex.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tonvela {

// What the sound input does, for the user to see.
struct InputStatus {
    enum State {
        NotStarted, // no driver yet: the analysis has not read any samples
        Delivering,
        NoDevice, // no device could be opened: the analysis hears silence
        Failed,   // the device in use stopped delivering (unplugged)
    } state = NotStarted;
    std::string deviceName; // the device that failed
};

// Owner of the one current capture driver. Created on first use; the driver
// is created by the first getDriver() and replaced when the selected input
// device changes.
class CaptureDriverManager {
public:
    static CaptureDriverManager& getInstance();
    // Deletes the driver and the manager as process exit does.
    static void destroyInstance();

    virtual ~CaptureDriverManager() = default;

    // Never null. The caller uses the driver without holding the manager's
    // lock; only the analysis thread calls this, so the driver stays valid for
    // the whole analysis pass. A driver without a device, or whose device
    // failed, is replaced by a fresh one every RetryMs, so measuring resumes
    // once a device is there again.
    CaptureDriver* getDriver();
    // Stretches of input lost since the manager was created, over every
    // driver it had; any thread may ask, and no driver is created for it.
    int lostStretches();

    // The state of the current driver as the last getDriver() found it; any
    // thread, also while no manager exists.
    static InputStatus status();

    static constexpr std::uint32_t RetryMs = 2000;

private:
    CaptureDriverManager() = default;
    void publish();

    ThreadMutex lock;
    std::unique_ptr<CaptureDriver> driver;
    std::uint32_t created = 0;
    int lostBefore = 0; // by the drivers replaced
};

} // namespace tonvela
