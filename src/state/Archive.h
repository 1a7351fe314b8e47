#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tonvela {

// The document file's primitives, little-endian, written into a byte buffer.
// Texts are written as UTF-16 with the Unicode marker and the shortest length
// form.
class ArchiveWriter {
public:
    void writeBytes(const void* data, std::size_t size);
    void writeU8(std::uint8_t value);
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeU64(std::uint64_t value);
    void writeI32(std::int32_t value);
    void writeFloat(float value);
    // The length in 16-bit code units, then the units; text is UTF-8.
    void writeString(std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return buffer; }

private:
    void writeLength(std::uint64_t length);

    std::vector<std::uint8_t> buffer;
};

// Reads the same primitives from a byte buffer it borrows. Every read checks
// the bytes left and returns false, reading nothing, when they do not
// suffice, so a damaged length can never make it allocate more than the file
// holds.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes) : data(bytes) {}

    bool readBytes(void* out, std::size_t size);
    bool readU8(std::uint8_t& value);
    bool readU16(std::uint16_t& value);
    bool readU32(std::uint32_t& value);
    bool readU64(std::uint64_t& value);
    bool readI32(std::int32_t& value);
    bool readFloat(float& value);
    // A UTF-16 text after the Unicode marker, or without it 8-bit text in the
    // Western Windows code page; the result is UTF-8.
    bool readString(std::string& text);

    std::size_t remaining() const { return data.size() - position; }

private:
    bool readLength(std::uint64_t& length, bool& unicode);

    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

} // namespace tonvela
