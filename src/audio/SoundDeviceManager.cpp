#include "audio/SoundDeviceManager.h"

#include "platform/audio/AudioBackend.h"
#include "platform/store/Settings.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/DataStructure.h"

namespace tonvela {

namespace {

const char* const section = "settings";
const char* const entry = "device";

std::unique_ptr<SoundDeviceManager>& instanceSlot() {
    static std::unique_ptr<SoundDeviceManager> instance;
    return instance;
}

std::string reasonText(int result) {
    switch (result) {
    case AUDIO_BAD_DEVICE_ID:
        return loadString(IDS_DEVICE_BAD_ID);
    case AUDIO_NO_DRIVER:
        return loadString(IDS_DEVICE_NO_DRIVER);
    case AUDIO_NO_MEMORY:
        return loadString(IDS_DEVICE_NO_MEMORY);
    default:
        return loadString(IDS_DEVICE_UNKNOWN_REASON);
    }
}

} // namespace

SoundDeviceManager& SoundDeviceManager::getInstance() {
    // The central state is created first, so that it is destroyed after the
    // manager at process exit.
    DataStructure::getInstance();
    std::unique_ptr<SoundDeviceManager>& slot = instanceSlot();
    if (!slot)
        slot.reset(new SoundDeviceManager());
    return *slot;
}

void SoundDeviceManager::destroyInstance() {
    instanceSlot().reset();
}

SoundDeviceManager::SoundDeviceManager() {
    AudioBackend& backend = audioBackend();
    const int count = backend.inputDeviceCount();
    for (int id = 0; id < count; ++id) {
        InputCapabilities capabilities;
        const int result = backend.inputCapabilities(id, capabilities);
        if (result != AUDIO_OK)
            errorText += reasonText(result);
        else if (capabilities.formats & MONO_FORMATS)
            devices.push_back(std::make_unique<SoundDevice>(id, capabilities.name));
        else
            errorText += loadString(IDS_DEVICE_INSUFFICIENT);
    }

    if (devices.empty()) {
        selected = -1;
        errorText = loadString(IDS_NO_INPUT_DEVICE) + errorText;
    } else if (devices.size() == 1) {
        selected = 0;
    } else {
        selected = -1;
        const std::string stored = getProfileString(section, entry);
        for (std::size_t i = 0; i < devices.size() && !stored.empty() && stored != "null"; ++i) {
            if (devices[i]->getName() == stored) {
                selected = static_cast<int>(i);
                break;
            }
        }
    }
    applySelection();
}

const SoundDevice* SoundDeviceManager::getDevice(int i) const {
    if (i < 0 || i >= getDeviceCount())
        return nullptr;
    return devices[static_cast<std::size_t>(i)].get();
}

const SoundDevice* SoundDeviceManager::getSelectedDevice() const {
    return getDevice(selected);
}

void SoundDeviceManager::selectDevice(const SoundDevice* device) {
    if (device) {
        selected = -1;
        for (std::size_t i = 0; i < devices.size(); ++i)
            if (devices[i].get() == device)
                selected = static_cast<int>(i);
        if (selected == -1)
            return;
        writeProfileString(section, entry, device->getName());
    } else {
        selected = -1;
        writeProfileString(section, entry, "null");
    }
    applySelection();
}

void SoundDeviceManager::applySelection() {
    const SoundDevice* device = getSelectedDevice();
    DataStructure::getInstance().setInputDevice(device ? device->getWaveInId() : -1);
}

} // namespace tonvela
