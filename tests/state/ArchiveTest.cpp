#include "state/Archive.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tonvela;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes head(const Bytes& bytes, std::size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(std::min(n, bytes.size())));
}

} // namespace

TEST(Archive, NumbersAreLittleEndian) {
    ArchiveWriter writer;
    writer.writeU8(0x12);
    writer.writeU16(0x3456);
    writer.writeU32(0x789ABCDE);
    writer.writeI32(-2);
    writer.writeFloat(440.0f);
    writer.writeU64(0x0102030405060708ull);
    const Bytes expected = {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF, 0x00,
                            0x00, 0xDC, 0x43, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(writer.bytes(), expected);

    ArchiveReader reader(writer.bytes());
    std::uint8_t u8;
    std::uint16_t u16;
    std::uint32_t u32;
    std::int32_t i32;
    float f;
    std::uint64_t u64;
    ASSERT_TRUE(reader.readU8(u8) && reader.readU16(u16) && reader.readU32(u32) &&
                reader.readI32(i32) && reader.readFloat(f) && reader.readU64(u64));
    EXPECT_EQ(u8, 0x12);
    EXPECT_EQ(u16, 0x3456);
    EXPECT_EQ(u32, 0x789ABCDEu);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(f, 440.0f);
    EXPECT_EQ(u64, 0x0102030405060708ull);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_FALSE(reader.readU8(u8));
}

TEST(Archive, ShortReadsFailAndConsumeNothing) {
    const Bytes bytes = {1, 2, 3};
    ArchiveReader reader(bytes);
    std::uint32_t u32;
    EXPECT_FALSE(reader.readU32(u32));
    EXPECT_EQ(reader.remaining(), 3u);
    std::uint16_t u16;
    EXPECT_TRUE(reader.readU16(u16));
    EXPECT_EQ(u16, 0x0201);
}

TEST(Archive, TextLengthForms) {
    struct Case {
        std::size_t length;
        Bytes header; // marker and length as written
    };
    const Case cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {3, {0xFF, 0xFE, 0xFF, 0x03}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        if (c.length > 0)
            text[c.length - 1] = 'y';
        ArchiveWriter writer;
        writer.writeString(text);
        const Bytes& bytes = writer.bytes();
        ASSERT_EQ(bytes.size(), c.header.size() + 2 * c.length) << c.length;
        EXPECT_EQ(head(bytes, c.header.size()), c.header) << c.length;
        if (c.length > 0) {
            EXPECT_EQ(bytes[bytes.size() - 2], 'y');
            EXPECT_EQ(bytes[bytes.size() - 1], 0);
        }
        ArchiveReader reader(bytes);
        std::string back;
        ASSERT_TRUE(reader.readString(back)) << c.length;
        EXPECT_EQ(back, text) << c.length;
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(Archive, TextIsUtf16WithSurrogatePairs) {
    ArchiveWriter writer;
    writer.writeString("K\xC3\xB6ln \xF0\x9D\x84\x9E"); // "Köln" and a G clef outside the BMP
    const Bytes expected = {0xFF, 0xFE, 0xFF, 0x07, 'K',  0x00, 0xF6, 0x00, 'l',
                            0x00, 'n',  0x00, ' ',  0x00, 0x34, 0xD8, 0x1E, 0xDD};
    EXPECT_EQ(writer.bytes(), expected);
    ArchiveReader reader(writer.bytes());
    std::string back;
    ASSERT_TRUE(reader.readString(back));
    EXPECT_EQ(back, "K\xC3\xB6ln \xF0\x9D\x84\x9E");
}

TEST(Archive, ReadsTextsInEveryStoredForm) {
    struct Case {
        const char* what;
        Bytes bytes;
        const char* text;
    };
    const Case cases[] = {
        {"8-bit, byte length", {0x03, 'A', 'B', 'C'}, "ABC"},
        {"8-bit, empty", {0x00}, ""},
        {"8-bit, 16-bit length", {0xFF, 0x02, 0x00, 'h', 'i'}, "hi"},
        {"8-bit, 32-bit length", {0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 'z'}, "z"},
        {"8-bit, 64-bit length",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0, 'q'},
         "q"},
        {"8-bit code page 1252",
         {0x04, 0x80, 0xE4, 0xDF, 0x9C},
         "\xE2\x82\xAC\xC3\xA4\xC3\x9F\xC5\x93"},
        {"16-bit, 16-bit length", {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'A', 0x00}, "A"},
        {"16-bit, short length in long form",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 'B', 0x00},
         "B"},
        {"unpaired surrogate", {0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xD8}, "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        ArchiveReader reader(c.bytes);
        std::string text = "old";
        ASSERT_TRUE(reader.readString(text)) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_EQ(reader.remaining(), 0u) << c.what;
    }
}

TEST(Archive, RefusesLengthsBeyondTheBytesLeft) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"nothing", {}},
        {"marker cut", {0xFF, 0xFE}},
        {"marker without length", {0xFF, 0xFE, 0xFF}},
        {"one unit missing", {0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00}},
        {"half a unit", {0xFF, 0xFE, 0xFF, 0x01, 'A'}},
        {"8-bit one short", {0x04, 'A', 'B', 'C'}},
        {"16-bit length cut", {0xFF, 0xFE, 0xFF, 0xFF, 0x10}},
        {"32-bit length cut", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x00}},
        {"gigabytes", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 'A', 0}},
        {"64-bit huge", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'A',  0}},
        {"64-bit overflowing twice the length",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
          0x01, 0,    0,    0,    0,    0,    0,    0x80, 'A',  0}},
        {"8-bit gigabytes", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'A'}},
        {"marker twice", {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}},
    };
    for (const Case& c : cases) {
        ArchiveReader reader(c.bytes);
        std::string text = "kept";
        EXPECT_FALSE(reader.readString(text)) << c.what;
        EXPECT_EQ(text, "kept") << c.what;
    }
}
