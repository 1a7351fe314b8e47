#include "runtime/Utf16.h"

#include <gtest/gtest.h>

using namespace tonvela;

TEST(Utf16, RoundTripsValidText) {
    const char* texts[] = {"",
                           "A",
                           "Stra\xC3\x9F"
                           "e",
                           "\xE2\x82\xAC 12",
                           "\xF0\x9D\x84\x9E clef",
                           "\xEF\xBF\xBF",
                           "\xF4\x8F\xBF\xBF"};
    for (const char* text : texts)
        EXPECT_EQ(Utf16::toUtf8(Utf16::fromUtf8(text)), text) << text;
    EXPECT_EQ(Utf16::fromUtf8("\xF0\x9D\x84\x9E"), std::u16string(u"\xD834\xDD1E"));
    EXPECT_EQ(Utf16::fromUtf8("\xC3\xA4"), std::u16string(u"\x00E4"));
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        const char* what;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"lone continuation",
         "a\x80"
         "b",
         u"a\xFFFD"
         "b"},
        {"cut sequence", "a\xE2\x82", u"a\xFFFD"},
        {"overlong", "\xC0\xAF", u"\xFFFD\xFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\xFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\xFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xFFFD"},
        {"invalid lead",
         "\xFF"
         "x",
         u"\xFFFD"
         "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf16::fromUtf8(c.utf8), c.utf16) << c.what;

    EXPECT_EQ(Utf16::toUtf8(std::u16string(u"a\xD800")), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf16::toUtf8(std::u16string(u"\xDC00z")), "\xEF\xBF\xBDz");
}

TEST(Utf16, AnsiIsWesternWindowsCodePage) {
    EXPECT_EQ(Utf16::fromAnsi("ABC"), "ABC");
    EXPECT_EQ(Utf16::fromAnsi("\x80"), "\xE2\x82\xAC");         // euro sign
    EXPECT_EQ(Utf16::fromAnsi("\x84"), "\xE2\x80\x9E");         // low double quote
    EXPECT_EQ(Utf16::fromAnsi("\xFC\xDF"), "\xC3\xBC\xC3\x9F"); // ü ß
    EXPECT_EQ(Utf16::fromAnsi("\x81"), "\xC2\x81");             // undefined byte kept
    EXPECT_EQ(Utf16::fromAnsi(std::string("\0", 1)), std::string("\0", 1));
}
