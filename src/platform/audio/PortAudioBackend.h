#pragma once

#include "platform/audio/AudioBackend.h"

#include <memory>

namespace tonvela {

// The real sound devices, through PortAudio (ALSA, PulseAudio/PipeWire, JACK).
std::unique_ptr<AudioBackend> createPortAudioBackend();

} // namespace tonvela
