#include "audio/CaptureDriverManager.h"

#include "state/DataStructure.h"

#include <mutex>

namespace tonvela {

namespace {

std::unique_ptr<CaptureDriverManager>& instanceSlot() {
    static std::unique_ptr<CaptureDriverManager> instance;
    return instance;
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
    if (!driver)
        driver = std::make_unique<CaptureDriver>(id);
    return driver.get();
}

int CaptureDriverManager::lostStretches() {
    Guard guard(lock);
    return lostBefore + (driver ? driver->lostStretches() : 0);
}

} // namespace tonvela
