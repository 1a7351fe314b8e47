#include "platform/audio/AudioBackend.h"

#include "platform/audio/PortAudioBackend.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace tonvela {

namespace {

std::mutex backendLock;
std::atomic<int> openDevices{0};

// Constant-initialised, so it is destroyed at exit after every object that
// came into being later: the drivers and devices that use the backend.
std::unique_ptr<AudioBackend> installed;

std::unique_ptr<AudioBackend>& backendSlot() {
    return installed;
}

} // namespace

unsigned formatFlag(unsigned samplesPerSecond, int bitsPerSample) {
    const bool wide = bitsPerSample == 16;
    if (!wide && bitsPerSample != 8)
        return 0;
    switch (samplesPerSecond) {
    case 11025:
        return wide ? FORMAT_1M16 : FORMAT_1M08;
    case 22050:
        return wide ? FORMAT_2M16 : FORMAT_2M08;
    case 44100:
        return wide ? FORMAT_4M16 : FORMAT_4M08;
    default:
        return 0;
    }
}

AudioBackend& audioBackend() {
    std::lock_guard<std::mutex> lock(backendLock);
    std::unique_ptr<AudioBackend>& backend = backendSlot();
    if (!backend)
        backend = createPortAudioBackend();
    return *backend;
}

bool installAudioBackend(std::unique_ptr<AudioBackend> backend) {
    std::lock_guard<std::mutex> lock(backendLock);
    if (openDevices > 0) {
        std::fprintf(stderr,
                     "tonvela: the audio backend was not replaced: %d of its devices "
                     "are still open\n",
                     openDevices.load());
        return false;
    }
    backendSlot() = std::move(backend);
    return true;
}

int openAudioDevices() {
    return openDevices;
}

AudioInput::AudioInput() {
    ++openDevices;
}

AudioInput::~AudioInput() {
    --openDevices;
}

AudioOutput::AudioOutput() {
    ++openDevices;
}

AudioOutput::~AudioOutput() {
    --openDevices;
}

} // namespace tonvela
