#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tonvela::test {

// Writes 16-bit PCM WAV (interleaved when channels > 1); false when the
// file cannot be written.
bool writeWav16(const std::string& path, unsigned sampleRate, int channels,
                const std::vector<std::int16_t>& samples);

// Runs a command line through the shell; its exit code, and its standard
// output and error in the strings.
int runCommand(const std::string& command, std::string& out, std::string& err);

} // namespace tonvela::test
