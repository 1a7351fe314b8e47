#include "tuning/ScalaFile.h"

#include "resources/Language.h"
#include "resources/StringIds.h"
#include "tuning/ToneScaleCollection.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>

namespace tonvela {
namespace {

std::string fixture(const std::string& name) {
    std::ifstream file(std::string(TONVELA_TEST_DATA) + "/scala/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void expectCents(const DefaultToneScale& scale, const std::array<float, 12>& cents, float stretch,
                 float tolerance) {
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(scale.getCents(i), cents[i], tolerance) << "pitch class " << i;
    EXPECT_NEAR(scale.getOctaveStretch(), stretch, tolerance);
}

TEST(ScalaFile, ReadsRatiosCommentsAndTrailingText) {
    const ScalaImport result = ScalaFile::parse(fixture("just12.scl"));
    ASSERT_TRUE(result.ok) << result.line;
    EXPECT_EQ(result.scale.getEnglishName(), "Five-limit just intonation on C");
    EXPECT_EQ(result.scale.getGermanName(), "Five-limit just intonation on C");
    EXPECT_EQ(result.scale.getKey().substr(0, 2), "c_");
    // 1200 log2(ratio) less the equal-tempered step, worked out by hand.
    expectCents(result.scale,
                {0.0f, 11.731f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, 13.686f,
                 -15.641f, 17.596f, -11.731f},
                0.0f, 0.0005f);
}

TEST(ScalaFile, ReadsCentsCrlfAnEmptyDescriptionAndAStretchedOctave) {
    const ScalaImport result = ScalaFile::parse(fixture("stretched.scl"));
    ASSERT_TRUE(result.ok) << result.line;
    EXPECT_EQ(result.scale.getEnglishName(), "");
    // Deviations from the equal temperament of the 1202-cent octave.
    expectCents(result.scale, {0, 0, 5, 0, 0, 0, 0, -1, 0, 0, 0, 0}, 2.0f, 0.0005f);
}

TEST(ScalaFile, RefusesWhatIsNoTwelveNoteScale) {
    const std::string pitches = "100.0\n200.0\n300.0\n400.0\n500.0\n600.0\n700.0\n800.0\n"
                                "900.0\n1000.0\n1100.0\n";
    struct Case {
        std::string text;
        int line;
        int messageId;
        const char* english;
    };
    const Case cases[] = {
        {"", 1, IDS_SCALA_NO_COUNT, "Line 1: the number of notes is missing."},
        {"! only a comment\nName\n", 3, IDS_SCALA_NO_COUNT,
         "Line 3: the number of notes is missing."},
        {"Name\ntwelve\n" + pitches + "2/1\n", 2, IDS_SCALA_NO_COUNT,
         "Line 2: the number of notes is missing."},
        {"Pentatonic\n 5\n9/8\n5/4\n3/2\n5/3\n2/1\n", 2, IDS_SCALA_NOT_TWELVE,
         "Line 2: the scale has 5 notes per octave; only scales of 12 notes can be imported."},
        {"Name\n12\n100.0\n200.0\n", 2, IDS_SCALA_TOO_FEW,
         "Line 2: the file ends after 2 of 12 notes."},
        {"! c\nName\n12\n" + pitches + "abc\n", 15, IDS_SCALA_BAD_PITCH,
         "Line 15: this is neither a ratio nor a cents value."},
        {"Name\n12\n100.0\n\n300.0\n", 4, IDS_SCALA_BAD_PITCH,
         "Line 4: this is neither a ratio nor a cents value."},
        {"Name\n12\n-16/15\n", 3, IDS_SCALA_BAD_RATIO,
         "Line 3: a ratio must be a positive fraction of whole numbers."},
        {"Name\n12\n100.0\n0/8\n", 4, IDS_SCALA_BAD_RATIO,
         "Line 4: a ratio must be a positive fraction of whole numbers."},
        {"Name\n12\n100.0\n9/0\n", 4, IDS_SCALA_BAD_RATIO,
         "Line 4: a ratio must be a positive fraction of whole numbers."},
        {"Name\n12\n100.0\n9/8/7\n", 4, IDS_SCALA_BAD_RATIO,
         "Line 4: a ratio must be a positive fraction of whole numbers."},
        {"Name\n12\n100.0\n2147483648/2147483647\n", 4, IDS_SCALA_BAD_RATIO,
         "Line 4: a ratio must be a positive fraction of whole numbers."},
        {"Name\n12\n" + pitches + "3/1\n", 14, IDS_SCALA_BAD_OCTAVE,
         "Line 14: the octave must lie between 1100 and 1300 cents."},
        {"Name\n12\n250.0\n" + pitches.substr(6) + "2/1\n", 3, IDS_SCALA_OUT_OF_RANGE,
         "Line 3: this note lies more than 100 cents from equal temperament."},
    };
    overrideLanguage(Language::English);
    for (const Case& c : cases) {
        const ScalaImport result = ScalaFile::parse(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.line, c.line) << c.text;
        EXPECT_EQ(result.messageId, c.messageId) << c.text;
        EXPECT_EQ(ScalaFile::errorMessage(result), c.english) << c.text;
    }
    overrideLanguage(Language::German);
    EXPECT_EQ(ScalaFile::errorMessage(ScalaFile::parse("Name\n 7\n")),
              "Zeile 2: die Tonleiter hat 7 Töne je Oktave; nur Tonleitern mit 12 Tönen lassen "
              "sich importieren.");
    resetLanguage();
}

TEST(ScalaFile, DescriptionsBecomeNamesThatTheStoreCanKeep) {
    struct Case {
        std::string description;
        std::string name;
    };
    const Case cases[] = {
        {"  Werckmeister III; 1691  ", "Werckmeister III, 1691"},
        {"Stimmung f\xFC"
         "r Orgel",
         "Stimmung f\xC3\xBC"
         "r Orgel"}, // Latin-1 read as such
        {"Stimmung f\xC3\xBC"
         "r Orgel",
         "Stimmung f\xC3\xBC"
         "r Orgel"}, // UTF-8 kept
        {std::string(150, 'x'), std::string(100, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScalaFile::nameFromDescription(c.description), c.name);
}

TEST(ScalaFile, ExportThenImportGivesTheSameTemperament) {
    overrideLanguage(Language::English);
    ToneScaleCollection scales;
    DefaultToneScale own("c_1000", "Own; stretched", "Own; stretched", 3.25f, -12.5f, 0.125f, 7,
                         -96.0f, 0, 0, 0, 50.0005f, 0, 0, 99.99f, -1.5f);
    std::vector<const ToneScale*> all = {&own};
    for (int i = 0; i < scales.getScaleCount(); ++i)
        all.push_back(scales.getScale(i));
    for (const ToneScale* scale : all) {
        const std::string text = ScalaFile::format(*scale, "x.scl");
        const ScalaImport back = ScalaFile::parse(text);
        ASSERT_TRUE(back.ok) << scale->getKey() << "\n" << text;
        EXPECT_EQ(back.scale.getEnglishName(),
                  ScalaFile::nameFromDescription(scale->getEnglishName()));
        // The file holds the notes from C: values come back relative to C,
        // which tunes every note the same, the temperament being anchored at A.
        for (int i = 0; i < 12; ++i)
            EXPECT_NEAR(back.scale.getCents(i), scale->getCents(i) - scale->getCents(0), 0.0005f)
                << scale->getKey() << " " << i;
        EXPECT_NEAR(back.scale.getOctaveStretch(), scale->getOctaveStretch(), 0.0005f)
            << scale->getKey();
    }
    EXPECT_EQ(ScalaFile::format(*scales.find("equal"), "equal.scl"),
              "! equal.scl\n!\nEqual Tempered, Perfect Octave\n 12\n!\n 100.00000\n 200.00000\n"
              " 300.00000\n 400.00000\n 500.00000\n 600.00000\n 700.00000\n 800.00000\n"
              " 900.00000\n 1000.00000\n 1100.00000\n 2/1\n");
    resetLanguage();
}

TEST(ScalaFile, FullTemperamentsGiveTheirFourthOctave) {
    FullToneScale full("f_7", "Measured", "Measured");
    full.setCents(48, 2.0f);
    full.setCents(57, 7.85f);
    full.setCents(60, 3.0f);
    const std::string text = ScalaFile::format(full, "m.scl");
    EXPECT_NE(text.find("\n 1201.00000\n"), std::string::npos) << text; // C5 one cent wide
    EXPECT_NE(text.find("\n 905.85000\n"), std::string::npos) << text;  // A4
    // C4 to C5 spans 1201 cents: read back as an octave stretched by one cent,
    // with each note against that stretched scale.
    const ScalaImport back = ScalaFile::parse(text);
    ASSERT_TRUE(back.ok);
    std::array<float, 12> expected{};
    for (int i = 0; i < 12; ++i)
        expected[i] = full.getCents(48 + i) - 2.0f - i / 12.0f;
    expectCents(back.scale, expected, 1.0f, 0.0005f);
}

} // namespace
} // namespace tonvela
