#pragma once

#include <string>

namespace tonvela {

// A usable sound input device: the platform's index and its product name.
class SoundDevice {
public:
    SoundDevice(int waveInId, std::string name) : waveInId(waveInId), name(std::move(name)) {}
    virtual ~SoundDevice() = default;

    int getWaveInId() const { return waveInId; }
    const std::string& getName() const { return name; }

private:
    int waveInId;
    std::string name;
};

} // namespace tonvela
