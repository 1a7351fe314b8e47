#pragma once

#include "audio/SoundDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela {

// Finds the usable input devices, remembers the user's choice by name in
// "settings"/"device" and tells the central state which device to capture
// from. The device list is fixed for the life of the process.
class SoundDeviceManager {
public:
    static SoundDeviceManager& getInstance();
    // Destroys the manager as process exit does (tests enumerate afresh).
    static void destroyInstance();

    virtual ~SoundDeviceManager() = default;

    int getDeviceCount() const { return static_cast<int>(devices.size()); }
    const SoundDevice* getDevice(int i) const;
    const SoundDevice* getSelectedDevice() const;
    // nullptr chooses no device.
    void selectDevice(const SoundDevice* device);
    // Why devices were left out, or none found, in the user-interface
    // language of the manager's construction; empty when every device is usable.
    std::string getErrorText() const { return errorText; }

private:
    SoundDeviceManager();
    void applySelection();

    int selected = -1;
    std::vector<std::unique_ptr<SoundDevice>> devices;
    std::string errorText;
};

} // namespace tonvela
