#include "audio/CaptureDriverManager.h"

#include "state/DataStructure.h"

namespace tonvela {

namespace {

std::unique_ptr<CaptureDriverManager>& instanceSlot() {
    static std::unique_ptr<CaptureDriverManager> instance;
    return instance;
}

} // namespace

CaptureDriverManager& CaptureDriverManager::getInstance() {
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
    if (driver && driver->requestedDevice() != id)
        driver.reset();
    if (!driver)
        driver = std::make_unique<CaptureDriver>(id);
    return driver.get();
}

} // namespace tonvela
