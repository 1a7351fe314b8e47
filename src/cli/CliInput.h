#pragma once

#include "platform/audio/VirtualAudioBackend.h"

#include <memory>
#include <string>

namespace tonvela::cli {

// A recording set up as the one input device of a virtual backend, for the
// commands that treat a file as a sound card.
struct CliInput {
    // Played from disk as it is needed, so its length costs no memory.
    std::shared_ptr<const RecordingFile> recording;
    // Owned by the installed backend; valid until another one is installed.
    VirtualAudioBackend* backend = nullptr;
    int device = -1;
};

// Checks the recording at path and installs a virtual audio backend whose one
// input device plays it, paced as given. False, with a message in error
// (nothing installed), when the file cannot be read or holds no sound.
bool installRecordingInput(const std::string& path, VirtualInputDevice::Pacing pacing,
                           CliInput& input, std::string& error);

} // namespace tonvela::cli
