#pragma once

#include "audio/CaptureDriver.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"

#include <cmath>
#include <functional>
#include <memory>
#include <utility>

namespace tonvela::test {

// A virtual backend with stepped devices whose signal the test sets, so a
// capture driver's ring can be filled with exactly the sound a test needs.
// Device 0 offers every format (44100 Hz 16-bit opens), device 1 only
// 22050 Hz.
class SteppedCapture {
public:
    SteppedCapture() {
        auto owned = std::make_unique<VirtualAudioBackend>();
        backend = owned.get();
        for (unsigned formats : {MONO_FORMATS, FORMAT_2M16 | FORMAT_2M08}) {
            VirtualInputDevice device;
            device.pacing = VirtualInputDevice::Pacing::Stepped;
            device.formats = formats;
            device.generator = [this](double t) { return signal ? signal(t) : 0.0; };
            owned->addInputDevice(std::move(device));
        }
        installAudioBackend(std::move(owned));
    }
    ~SteppedCapture() { installAudioBackend(nullptr); }
    SteppedCapture(const SteppedCapture&) = delete;
    SteppedCapture& operator=(const SteppedCapture&) = delete;

    // The next buffers of the open device; the capture thread starts the
    // device on its own, so the first step may have to wait for it.
    bool step(int device, int buffers = 1) {
        for (int i = 0; i < buffers; ++i) {
            int tries = 0;
            while (!backend->step(device)) {
                if (++tries > 500)
                    return false;
                Thread::sleep(2);
            }
        }
        return true;
    }
    // Enough 200 ms buffers to cover seconds of sound.
    bool play(int device, double seconds) {
        return step(device, static_cast<int>(std::ceil(seconds / 0.2)));
    }

    // Signal in -1..1 by the device's time in seconds; set before playing.
    std::function<double(double)> signal;
    VirtualAudioBackend* backend = nullptr;
};

// A sine of amplitude 0.5 with the given partials (1 = fundamental), each
// weighted 1 / k and the sum scaled back to amplitude 0.5.
inline std::function<double(double)> tone(double frequency, std::initializer_list<int> partials) {
    double weight = 0.0;
    for (int k : partials)
        weight += 1.0 / k;
    std::vector<int> list(partials);
    return [frequency, list, weight](double t) {
        double sum = 0.0;
        for (int k : list)
            sum += std::sin(2.0 * M_PI * frequency * k * t) / k;
        return 0.5 * sum / weight;
    };
}

} // namespace tonvela::test
