#include "state/Archive.h"

#include "runtime/Utf16.h"

#include <bit>
#include <cstring>

namespace tonvela {

void ArchiveWriter::writeBytes(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    buffer.insert(buffer.end(), bytes, bytes + size);
}

void ArchiveWriter::writeU8(std::uint8_t value) {
    buffer.push_back(value);
}

void ArchiveWriter::writeU16(std::uint16_t value) {
    for (int i = 0; i < 2; ++i)
        buffer.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ArchiveWriter::writeU32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        buffer.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ArchiveWriter::writeU64(std::uint64_t value) {
    for (int i = 0; i < 8; ++i)
        buffer.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ArchiveWriter::writeI32(std::int32_t value) {
    writeU32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeFloat(float value) {
    writeU32(std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeLength(std::uint64_t length) {
    if (length < 0xFF) {
        writeU8(static_cast<std::uint8_t>(length));
        return;
    }
    writeU8(0xFF);
    if (length < 0xFFFE) {
        writeU16(static_cast<std::uint16_t>(length));
        return;
    }
    writeU16(0xFFFF);
    if (length < 0xFFFFFFFF) {
        writeU32(static_cast<std::uint32_t>(length));
        return;
    }
    writeU32(0xFFFFFFFF);
    writeU64(length);
}

void ArchiveWriter::writeString(std::string_view text) {
    const std::u16string units = Utf16::fromUtf8(text);
    writeU8(0xFF);
    writeU16(0xFFFE);
    writeLength(units.size());
    for (const char16_t unit : units)
        writeU16(unit);
}

bool ArchiveReader::readBytes(void* out, std::size_t size) {
    if (size > remaining())
        return false;
    if (size != 0)
        std::memcpy(out, data.data() + position, size);
    position += size;
    return true;
}

bool ArchiveReader::readU8(std::uint8_t& value) {
    return readBytes(&value, 1);
}

bool ArchiveReader::readU16(std::uint16_t& value) {
    std::uint8_t b[2];
    if (!readBytes(b, sizeof b))
        return false;
    value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool ArchiveReader::readU32(std::uint32_t& value) {
    std::uint8_t b[4];
    if (!readBytes(b, sizeof b))
        return false;
    value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | b[i];
    return true;
}

bool ArchiveReader::readU64(std::uint64_t& value) {
    std::uint8_t b[8];
    if (!readBytes(b, sizeof b))
        return false;
    value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | b[i];
    return true;
}

bool ArchiveReader::readI32(std::int32_t& value) {
    std::uint32_t bits;
    if (!readU32(bits))
        return false;
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool ArchiveReader::readFloat(float& value) {
    std::uint32_t bits;
    if (!readU32(bits))
        return false;
    value = std::bit_cast<float>(bits);
    return true;
}

bool ArchiveReader::readLength(std::uint64_t& length, bool& unicode) {
    unicode = false;
    for (;;) {
        std::uint8_t byteLength;
        if (!readU8(byteLength))
            return false;
        if (byteLength < 0xFF) {
            length = byteLength;
            return true;
        }
        std::uint16_t wordLength;
        if (!readU16(wordLength))
            return false;
        if (wordLength == 0xFFFE) {
            // The Unicode marker comes once, before the length.
            if (unicode)
                return false;
            unicode = true;
            continue;
        }
        if (wordLength < 0xFFFF) {
            length = wordLength;
            return true;
        }
        std::uint32_t longLength;
        if (!readU32(longLength))
            return false;
        if (longLength < 0xFFFFFFFF) {
            length = longLength;
            return true;
        }
        return readU64(length);
    }
}

bool ArchiveReader::readString(std::string& text) {
    std::uint64_t length;
    bool unicode;
    if (!readLength(length, unicode))
        return false;
    // Measured against the bytes left before anything is allocated.
    const std::uint64_t unitSize = unicode ? 2 : 1;
    if (length > remaining() / unitSize)
        return false;
    const std::size_t count = static_cast<std::size_t>(length);
    const std::uint8_t* bytes = data.data() + position;
    position += count * unitSize;
    if (!unicode) {
        text = Utf16::fromAnsi(std::string_view(reinterpret_cast<const char*>(bytes), count));
        return true;
    }
    std::u16string units(count, u'\0');
    for (std::size_t i = 0; i < count; ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    text = Utf16::toUtf8(units);
    return true;
}

} // namespace tonvela
