#pragma once

#include "audio/CaptureDriver.h"
#include "runtime/Mutex.h"

#include <memory>

namespace tonvela {

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
    // the whole analysis pass.
    CaptureDriver* getDriver();
    // Stretches of input lost since the manager was created, over every
    // driver it had; any thread may ask, and no driver is created for it.
    int lostStretches();

private:
    CaptureDriverManager() = default;

    ThreadMutex lock;
    std::unique_ptr<CaptureDriver> driver;
    int lostBefore = 0; // by the drivers replaced
};

} // namespace tonvela
