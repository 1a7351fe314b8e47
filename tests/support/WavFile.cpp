#include "support/WavFile.h"

#include <fstream>

namespace tonvela::test {

namespace {

void put32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void put16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

} // namespace

bool writeWav16(const std::string& path, unsigned sampleRate, int channels,
                const std::vector<std::int16_t>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    put32(bytes, 36 + dataBytes);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, static_cast<std::uint16_t>(channels));
    put32(bytes, sampleRate);
    put32(bytes, sampleRate * static_cast<std::uint32_t>(channels) * 2);
    put16(bytes, static_cast<std::uint16_t>(channels * 2));
    put16(bytes, 16);
    bytes += "data";
    put32(bytes, dataBytes);
    for (std::int16_t sample : samples)
        put16(bytes, static_cast<std::uint16_t>(sample));
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace tonvela::test
