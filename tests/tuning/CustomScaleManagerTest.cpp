#include "tuning/CustomScaleManager.h"
#include "resources/Language.h"
#include "state/Settings.h"
#include "support/TempDir.h"
#include "tuning/ToneScaleCollection.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tonvela {
namespace {

// English names from the start, before the scale settings load them.
struct EnglishNames {
    EnglishNames() { overrideLanguage(Language::English); }
};

// Every test starts from an empty settings store of its own.
class UserTemperaments : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::make_unique<test::TempDir>();
        setenv("TONVELA_CONFIG_DIR", dir->path().c_str(), 1);
        ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    }
    void TearDown() override { resetLanguage(); }

    static void store(const std::string& name, const std::string& text) {
        Settings("Tempr").writeString(name, text);
    }
    static void storeCount(const std::string& name, int count) {
        Settings("Tempr").writeInt(name, count);
    }
    static std::string stored(const std::string& name) {
        return Settings("Tempr").readString(name, "<missing>");
    }

    std::unique_ptr<test::TempDir> dir;
    EnglishNames english;
    ToneScaleCollection scales;
};

// Twelve zero values and the stretch.
std::string zeroValues(const std::string& stretch = "0.000") {
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += ";0.000";
    return text + ";" + stretch;
}

TEST_F(UserTemperaments, SimpleTextFormat) {
    DefaultToneScale scale("c_1000", "Test", "Test", 0.5f);
    scale.setCents(1, 1.5f);
    scale.setCents(2, -2.25f);
    EXPECT_EQ(CustomScaleManager::formatSimpleScale(scale),
              "1000;Test;0.000;1.500;-2.250;0.000;0.000;0.000;0.000;0.000;0.000;0.000;0.000;"
              "0.000;0.500");
}

TEST_F(UserTemperaments, FullTextFormat) {
    FullToneScale scale("f_77", "Piano", "Piano");
    scale.setCents(0, -1.234f);
    scale.setCents(107, 12.5f);
    const std::string text = CustomScaleManager::formatFullScale(scale);
    EXPECT_EQ(text.rfind("77;Piano;-1.23;0.00;", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 11), ";0.00;12.50");
    EXPECT_EQ(std::count(text.begin(), text.end(), ';'), 109);
}

TEST_F(UserTemperaments, SaveAndLoadRoundTrip) {
    DefaultToneScale simple("c_48213577", "Werck-like", "Werck-like", -1.25f);
    for (int pc = 0; pc < 12; ++pc)
        simple.setCents(pc, static_cast<float>(pc) * 1.125f - 6.0f);
    FullToneScale full("f_2000", "Measured piano", "Measured piano");
    for (int note = 0; note < FullToneScale::NOTE_COUNT; ++note)
        full.setCents(note, static_cast<float>(note % 13) * 0.75f - 4.0f);
    const std::string longName(3000, 'n'); // longer than any fixed text buffer
    DefaultToneScale named("c_3000", longName, longName, 0.0f);
    {
        CustomScaleManager manager(scales);
        EXPECT_TRUE(manager.getSimpleScales().empty());
        manager.setTemperaments({simple, named}, {full});
        manager.save();
    }
    EXPECT_EQ(stored("count"), "2");
    EXPECT_EQ(stored("tempr_0").rfind("48213577;Werck-like;-6.000;-4.875;", 0), 0u);

    ToneScaleCollection fresh;
    CustomScaleManager manager(fresh);
    ASSERT_EQ(manager.getSimpleScales().size(), 2u);
    ASSERT_EQ(manager.getFullScales().size(), 1u);
    const DefaultToneScale& back = manager.getSimpleScales()[0];
    EXPECT_EQ(back.getKey(), "c_48213577");
    EXPECT_EQ(back.getEnglishName(), "Werck-like");
    EXPECT_EQ(back.getGermanName(), "Werck-like");
    for (int pc = 0; pc < 12; ++pc)
        EXPECT_EQ(back.getCents(pc), simple.getCents(pc)) << pc;
    EXPECT_EQ(back.getOctaveStretch(), -1.25f);
    EXPECT_TRUE(manager.getSimpleScales()[1].getEnglishName() == longName);
    const FullToneScale& fullBack = manager.getFullScales()[0];
    EXPECT_EQ(fullBack.getKey(), "f_2000");
    EXPECT_EQ(fullBack.getEnglishName(), "Measured piano");
    for (int note = 0; note < FullToneScale::NOTE_COUNT; ++note)
        EXPECT_EQ(fullBack.getCents(note), full.getCents(note)) << note;
}

TEST_F(UserTemperaments, StoredTextsOneByOne) {
    struct Case {
        std::string text;
        bool accepted;
        std::string key;
        float c, cis, b, stretch;
    };
    const std::string twelve = ";1;2;3;4;5;6;7;8;9;10;11;12";
    const Case cases[] = {
        {"1000;Name;1.5;2.5", true, "c_1000", 1.5f, 2.5f, 0.0f, 0.0f},
        {"1000;Name" + twelve + ";x", true, "c_1000", 1.0f, 2.0f, 12.0f, 0.0f},
        {"1000;Name" + twelve + ";-0.75", true, "c_1000", 1.0f, 2.0f, 12.0f, -0.75f},
        {"1000;Name" + twelve, true, "c_1000", 1.0f, 2.0f, 12.0f, 0.0f},
        {"1000;Name", true, "c_1000", 0.0f, 0.0f, 0.0f, 0.0f},
        {"12abc;Name;1", true, "c_12abc", 1.0f, 0.0f, 0.0f, 0.0f},
        {" 7;Name;  2.5e0", true, "c_ 7", 2.5f, 0.0f, 0.0f, 0.0f},
        {"abc;Name;1;2", false, "", 0, 0, 0, 0},
        {";Name;1;2", false, "", 0, 0, 0, 0},
        {"1000;;0.000;1.000", false, "", 0, 0, 0, 0},
        {"1000", false, "", 0, 0, 0, 0},
        {"99999999999;Name;1", false, "", 0, 0, 0, 0},
        {"1000;Name;abc", false, "", 0, 0, 0, 0},
        {"1000;Name;1;nan;3", false, "", 0, 0, 0, 0},
        {"1000;Name;inf", false, "", 0, 0, 0, 0},
        {"1000;Name;-infinity", false, "", 0, 0, 0, 0},
        {"1000;Name;1e300", false, "", 0, 0, 0, 0},
        {"1000;Name;5000", false, "", 0, 0, 0, 0},
        {"1000;Name" + twelve + ";nan", false, "", 0, 0, 0, 0},
        {"1000;Name" + twelve + ";1e39", false, "", 0, 0, 0, 0},
        {"1000;Or;gan" + twelve + ";0.000", false, "", 0, 0, 0, 0},
        {"1000;Organ" + twelve + ";0.000;", false, "", 0, 0, 0, 0},
        {"1000;" + std::string(200000, 'x') + twelve, false, "", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        DefaultToneScale scale("c_untouched", "Old", "Old", 9.0f);
        EXPECT_EQ(CustomScaleManager::parseSimpleScale(c.text, scale), c.accepted)
            << c.text.substr(0, 60);
        if (c.accepted) {
            EXPECT_EQ(scale.getKey(), c.key) << c.text;
            EXPECT_EQ(scale.getEnglishName(), "Name");
            EXPECT_EQ(scale.getGermanName(), "Name");
            EXPECT_EQ(scale.getCents(0), c.c) << c.text;
            EXPECT_EQ(scale.getCents(1), c.cis) << c.text;
            EXPECT_EQ(scale.getCents(11), c.b) << c.text;
            EXPECT_EQ(scale.getOctaveStretch(), c.stretch) << c.text;
        } else {
            EXPECT_EQ(scale.getKey(), "c_untouched");
            EXPECT_EQ(scale.getOctaveStretch(), 9.0f);
        }

        // Stored between two sound entries, it never disturbs them.
        store("tempr_0", "1;First" + zeroValues());
        store("tempr_1", c.text);
        store("tempr_2", "2;Last" + zeroValues("0.250"));
        storeCount("count", 3);
        CustomScaleManager manager(scales);
        const auto& loaded = manager.getSimpleScales();
        ASSERT_EQ(loaded.size(), c.accepted ? 3u : 2u) << c.text.substr(0, 60);
        EXPECT_EQ(loaded.front().getEnglishName(), "First");
        EXPECT_EQ(loaded.back().getEnglishName(), "Last");
        EXPECT_EQ(loaded.back().getOctaveStretch(), 0.25f);
    }
}

TEST_F(UserTemperaments, FullTexts) {
    std::string all = "5;Full";
    for (int note = 0; note < FullToneScale::NOTE_COUNT; ++note)
        all += ";" + std::to_string(note % 10) + ".25";
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {all, true},
        {"5;Full;1.5;-2", true},
        {"5;Full", true},
        {"x;Full;1", false},
        {"5;;1", false},
        {"5;Full;1;zz;2", false},
        {"5;Full;nan", false},
        {"5;Full;-1e40", false},
        {all + ";1.00", false},
        {"5;" + std::string(100000, 'y') + ";1", false},
    };
    for (const Case& c : cases) {
        FullToneScale scale("f_untouched", "Old", "Old");
        EXPECT_EQ(CustomScaleManager::parseFullScale(c.text, scale), c.accepted)
            << c.text.substr(0, 60);
        EXPECT_EQ(scale.getKey(), c.accepted ? "f_5" : "f_untouched");
    }
    FullToneScale scale("f_untouched", "Old", "Old");
    scale.setCents(50, 3.0f);
    ASSERT_TRUE(CustomScaleManager::parseFullScale("5;Full;1.5;-2", scale));
    EXPECT_EQ(scale.getCents(0), 1.5f);
    EXPECT_EQ(scale.getCents(1), -2.0f);
    EXPECT_EQ(scale.getCents(50), 0.0f); // fields the text lacks are 0
    ASSERT_TRUE(CustomScaleManager::parseFullScale(all, scale));
    EXPECT_EQ(scale.getCents(107), 7.25f);
    EXPECT_EQ(scale.getOctaveStretch(), 0.0f);
}

// Only save() writes: a store that goes, as at the end of a process, leaves
// the section as it was.
TEST_F(UserTemperaments, DestructionWritesNothing) {
    {
        CustomScaleManager manager(scales);
        manager.setTemperaments({DefaultToneScale("c_7", "Unsaved", "Unsaved", 0.0f)}, {});
    }
    EXPECT_EQ(stored("count"), "<missing>");
    EXPECT_EQ(stored("tempr_0"), "<missing>");
}

TEST_F(UserTemperaments, MissingAndUnreadableEntries) {
    store("tempr_0", "1;One" + zeroValues());
    storeCount("count", 2);
    store("ftempr_0", "4;Full;1");
    storeCount("fullCount", 2);
    {
        CustomScaleManager manager(scales);
        ASSERT_EQ(manager.getSimpleScales().size(), 1u);
        EXPECT_EQ(manager.getSimpleScales()[0].getKey(), "c_1");
        ASSERT_EQ(manager.getFullScales().size(), 1u);
        EXPECT_EQ(manager.getFullScales()[0].getKey(), "f_4");
    }
    // A gap or a text too long for the store costs that entry only.
    store("tempr_0", "1;One" + zeroValues());
    store("tempr_1", "");
    store("tempr_2", "2;" + std::string(20000, 'x') + zeroValues());
    store("tempr_3", "3;Three" + zeroValues());
    storeCount("count", 4);
    CustomScaleManager manager(scales);
    ASSERT_EQ(manager.getSimpleScales().size(), 2u);
    EXPECT_EQ(manager.getSimpleScales()[1].getKey(), "c_3");
}

TEST_F(UserTemperaments, AbsurdCountsAndAnEmptyStore) {
    storeCount("count", 2147483647);
    storeCount("fullCount", -5);
    store("tempr_0", "1;One");
    store("tempr_40", "41;Forty-one");
    store("tempr_200", "201;Too far");
    CustomScaleManager manager(scales);
    ASSERT_EQ(manager.getSimpleScales().size(), 2u);
    EXPECT_EQ(manager.getSimpleScales()[1].getKey(), "c_41");
    EXPECT_TRUE(manager.getFullScales().empty());
}

TEST_F(UserTemperaments, FewerTemperamentsLeaveOldEntriesUnread) {
    {
        CustomScaleManager manager(scales);
        std::vector<DefaultToneScale> five;
        for (int i = 0; i < 5; ++i)
            five.emplace_back("c_" + std::to_string(1000 + i), "T" + std::to_string(i),
                              "T" + std::to_string(i), 0.0f);
        manager.setTemperaments(five, {});
        manager.save();
    }
    {
        CustomScaleManager manager(scales);
        ASSERT_EQ(manager.getSimpleScales().size(), 5u);
        std::vector<DefaultToneScale> three(manager.getSimpleScales().begin() + 2,
                                            manager.getSimpleScales().end());
        manager.setTemperaments(three, {});
        manager.save();
    }
    EXPECT_EQ(stored("count"), "3");
    EXPECT_EQ(stored("tempr_3").rfind("1003;T3;", 0), 0u);
    EXPECT_EQ(stored("tempr_4").rfind("1004;T4;", 0), 0u);
    CustomScaleManager manager(scales);
    ASSERT_EQ(manager.getSimpleScales().size(), 3u);
    EXPECT_EQ(manager.getSimpleScales()[0].getEnglishName(), "T2");
}

TEST_F(UserTemperaments, SetTemperamentsSortsAndHandsOver) {
    CustomScaleManager manager(scales);
    const std::string fullwidthA = "\xEF\xBC\xA1"; // U+FF21
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, a surrogate pair
    std::vector<DefaultToneScale> simple;
    for (const std::string name : {"b", "B", "a", fullwidthA.c_str(), emoji.c_str()})
        simple.emplace_back("c_" + std::to_string(simple.size() + 1000), name, name, 0.0f);
    // Two equal names keep their order.
    simple.emplace_back("c_2000", "a", "a", 0.0f);
    FullToneScale full("f_9", "z", "z");
    manager.setTemperaments(simple, {full});

    const char* expected[] = {"B", "a", "a", "b"};
    const auto& sorted = manager.getSimpleScales();
    ASSERT_EQ(sorted.size(), 6u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(sorted[i].getEnglishName(), expected[i]) << i;
    EXPECT_EQ(sorted[1].getKey(), "c_1002");
    EXPECT_EQ(sorted[2].getKey(), "c_2000");
    // By 16-bit code units the surrogate pair sorts before U+FF21.
    EXPECT_EQ(sorted[4].getEnglishName(), emoji);
    EXPECT_EQ(sorted[5].getEnglishName(), fullwidthA);

    EXPECT_EQ(scales.getScaleCount(), 138 + 7);
    EXPECT_EQ(scales.getScale(0)->getEnglishName(), "B");
    EXPECT_EQ(scales.getScale(6)->getKey(), "f_9");
    EXPECT_EQ(scales.getScale(7)->getKey(), "equal");
}

} // namespace
} // namespace tonvela
