#include "tuning/TemperamentName.h"

#include <gtest/gtest.h>

#include <string>

namespace tonvela {
namespace {

TEST(TemperamentName, TrimmedThenCheckedInOrder) {
    struct Case {
        std::string text;
        bool used;
        NameCheck check;
        std::string trimmed;
    };
    const Case cases[] = {
        {"  Test  ", false, NameCheck::Ok, "Test"},
        {"\t\r\nOrgan \v\f", false, NameCheck::Ok, "Organ"},
        {"   ", false, NameCheck::Missing, ""},
        {"", true, NameCheck::Missing, ""},
        {"a;b", true, NameCheck::Used, "a;b"}, // in use is told first
        {"a;b", false, NameCheck::Semicolon, "a;b"},
        {std::string(100, 'x'), false, NameCheck::Ok, std::string(100, 'x')},
        {std::string(101, 'x'), false, NameCheck::TooLong, std::string(101, 'x')},
        // 100 characters of two bytes each in UTF-8 are still 100.
        {[] {
             std::string s;
             for (int i = 0; i < 100; ++i)
                 s += "\xC3\xBC";
             return s;
         }(),
         false, NameCheck::Ok, ""},
    };
    for (const Case& c : cases) {
        const std::string trimmed = trimTemperamentName(c.text);
        if (!c.trimmed.empty()) {
            EXPECT_EQ(trimmed, c.trimmed);
        }
        EXPECT_EQ(checkTemperamentName(trimmed, c.used), c.check) << c.text;
    }
}

} // namespace
} // namespace tonvela
