#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tonvela::test {

// Writes 16-bit PCM WAV (interleaved when channels > 1); false when the
// file cannot be written.
bool writeWav16(const std::string& path, unsigned sampleRate, int channels,
                const std::vector<std::int16_t>& samples);

} // namespace tonvela::test
