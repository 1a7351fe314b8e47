#include "tuning/TemperamentName.h"

#include "platform/store/Settings.h"
#include "runtime/Utf16.h"
#include "support/TempDir.h"
#include "tuning/CustomScaleManager.h"
#include "tuning/ScaleLimits.h"
#include "tuning/ToneScaleCollection.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// The longest name the editors take, with the widest values they take, makes
// texts the store writes and reads back whole: the simple one fits the 1023
// characters it is formatted into.
TEST(TemperamentName, LongestNamesAndValuesComeBackFromTheStore) {
    test::TempDir dir;
    setenv("TONVELA_CONFIG_DIR", dir.path().c_str(), 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    // 49 G clefs of two UTF-16 units each and two euro signs: 100 units.
    std::string name;
    for (int i = 0; i < 49; ++i)
        name += "\xF0\x9D\x84\x9E";
    name += "\xE2\x82\xAC\xE2\x82\xAC";
    ASSERT_EQ(Utf16::fromUtf8(name).size(), std::size_t(MAX_TEMPERAMENT_NAME));
    ASSERT_EQ(checkTemperamentName(name, false), NameCheck::Ok);

    DefaultToneScale simple("c_2147483647", name, name, -MAX_SIMPLE_CENTS);
    for (int i = 0; i < 12; ++i)
        simple.setCents(i, -MAX_SIMPLE_CENTS);
    FullToneScale full("f_2147483647", name, name);
    for (int n = 0; n < FullToneScale::NOTE_COUNT; ++n)
        full.setCents(n, -MAX_FULL_CENTS);
    EXPECT_LE(Utf16::fromUtf8(CustomScaleManager::formatSimpleScale(simple)).size(), 1023u);
    {
        ToneScaleCollection scales;
        CustomScaleManager store(scales);
        store.setTemperaments({simple}, {full});
        store.save();
    }
    ToneScaleCollection scales;
    CustomScaleManager store(scales);
    ASSERT_EQ(store.getSimpleScales().size(), 1u);
    ASSERT_EQ(store.getFullScales().size(), 1u);
    EXPECT_EQ(store.getSimpleScales()[0].getEnglishName(), name);
    EXPECT_EQ(store.getSimpleScales()[0].getCents(11), -MAX_SIMPLE_CENTS);
    EXPECT_EQ(store.getSimpleScales()[0].getOctaveStretch(), -MAX_SIMPLE_CENTS);
    EXPECT_EQ(store.getFullScales()[0].getEnglishName(), name);
    EXPECT_EQ(store.getFullScales()[0].getCents(107), -MAX_FULL_CENTS);
}

} // namespace
} // namespace tonvela
