#include "audio/CaptureDriverManager.h"

#include "runtime/Tick.h"
#include "state/DataStructure.h"

#include <mutex>

namespace tonvela {

namespace {

std::unique_ptr<CaptureDriverManager>& instanceSlot() {
    static std::unique_ptr<CaptureDriverManager> instance;
    return instance;
}

std::mutex& statusLock() {
    static std::mutex lock;
    return lock;
}

InputStatus& currentStatus() {
    static InputStatus status;
    return status;
}

} // namespace

CaptureDriverManager& CaptureDriverManager::getInstance() {
    // The analysis thread and the window's status bar may come first at once.
    static std::mutex creation;
    std::lock_guard<std::mutex> guard(creation);
    std::unique_ptr<CaptureDriverManager>& slot = instanceSlot();
    if (!slot)
        slot.reset(new CaptureDriverManager());
    return *slot;
}

void CaptureDriverManager::destroyInstance() {
    instanceSlot().reset();
    std::lock_guard<std::mutex> guard(statusLock());
    currentStatus() = InputStatus{};
}

CaptureDriver* CaptureDriverManager::getDriver() {
    Guard guard(lock);
    const int id = DataStructure::getInstance().getInputDevice();
    // Compared with the requested id, so a driver that fell back to another
    // device stays in use while the selection is unchanged.
    if (driver && driver->requestedDevice() != id) {
        lostBefore += driver->lostStretches();
        driver.reset();
    }
    if (driver && (driver->isSilent() || driver->hasFailed()) && tickCount() - created >= RetryMs) {
        lostBefore += driver->lostStretches();
        driver.reset();
    }
    if (!driver) {
        driver = std::make_unique<CaptureDriver>(id);
        created = tickCount();
    }
    publish();
    return driver.get();
}

void CaptureDriverManager::publish() {
    InputStatus now;
    now.state = driver->isSilent()    ? InputStatus::NoDevice
                : driver->hasFailed() ? InputStatus::Failed
                                      : InputStatus::Delivering;
    if (now.state == InputStatus::Failed)
        now.deviceName = driver->deviceName();
    std::lock_guard<std::mutex> guard(statusLock());
    currentStatus() = now;
}

InputStatus CaptureDriverManager::status() {
    std::lock_guard<std::mutex> guard(statusLock());
    return currentStatus();
}

int CaptureDriverManager::lostStretches() {
    Guard guard(lock);
    return lostBefore + (driver ? driver->lostStretches() : 0);
}

} // namespace tonvela
