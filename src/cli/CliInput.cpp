#include "cli/CliInput.h"

#include <utility>

namespace tonvela::cli {

bool installRecordingInput(const std::string& path, VirtualInputDevice::Pacing pacing,
                           CliInput& input, std::string& error) {
    auto recording = std::make_shared<RecordingFile>();
    if (!openRecordingFile(path, *recording, error))
        return false;
    if (recording->frames == 0 || recording->sampleRate == 0) {
        error = "'" + path + "' holds no sound";
        return false;
    }

    VirtualInputDevice device;
    device.name = path;
    device.pacing = pacing;
    device.recordingFile = recording;
    auto backend = std::make_unique<VirtualAudioBackend>();
    input.device = backend->addInputDevice(std::move(device));
    input.backend = backend.get();
    input.recording = std::move(recording);
    if (!installAudioBackend(std::move(backend))) {
        input.backend = nullptr;
        error = "the sound input is still in use";
        return false;
    }
    return true;
}

} // namespace tonvela::cli
