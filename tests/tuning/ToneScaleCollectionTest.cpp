#include "tuning/ToneScaleCollection.h"
#include "resources/Language.h"
#include "support/Locale.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace tonvela {
namespace {

class CountingListener : public ToneScaleListener {
public:
    void toneScaleChanged() override { ++calls; }
    int calls = 0;
};

class ScaleSettings : public ::testing::Test {
protected:
    void SetUp() override { overrideLanguage(Language::English); }
    void TearDown() override { resetLanguage(); }
};

// The same target from an independent formula: cents of the note's degree
// minus those of A's degree, plus calibration, on stretched semitones from A4.
double expectedFrequency(const ToneScale& scale, int keynote, double pitch, double calibration,
                         int note) {
    const double a = scale.getCents(((note - keynote) % 12 + 12) % 12);
    const double b = scale.getCents(((21 - keynote) % 12 + 12) % 12);
    const double semitone = (1200.0 + scale.getOctaveStretch()) / 12.0;
    return pitch * std::pow(2.0, ((note - 57) * semitone + a - b + calibration) / 1200.0);
}

// Runs a check under the C library locale given, then restores the old one;
// without that locale the test is skipped, as every locale test is.
template <typename Check> void underLocale(const char* locale, Check check) {
    const test::LocaleScope scope(locale);
    if (!scope.active())
        GTEST_SKIP() << test::missingLocale(locale);
    check();
}

double centsBetween(double from, double to) {
    return 1200.0 * std::log2(to / from);
}

TEST_F(ScaleSettings, TargetFrequencies) {
    struct Case {
        const char* key;
        int keynote;
        float pitch;
        float calibration;
        int note;
        float hz;
    };
    const Case cases[] = {
        {"equal", 0, 440.0f, 0.0f, 57, 440.0f},
        {"equal", 0, 440.0f, 0.0f, 45, 220.0f},
        {"equal", 0, 440.0f, 0.0f, 69, 880.0f},
        {"equal", 0, 440.0f, 0.0f, 48, 261.62558f},
        {"equal", 0, 440.0f, 0.0f, 0, 16.351599f},
        {"equal", 0, 440.0f, 10.0f, 57, 442.54889f},
        {"equal", 0, 415.0f, 0.0f, 57, 415.0f},
        {"pythagorean", 0, 440.0f, 0.0f, 60, 521.48151f},
        {"pythagorean", 0, 440.0f, 0.0f, 61, 556.875f},
        {"pythagorean", 0, 440.0f, 0.0f, 57, 440.0f},
        {"kirnberger3_1779", 0, 440.0f, 0.0f, 48, 263.181f},
        {"kirnberger3_1779", 2, 440.0f, 0.0f, 48, 261.552f},
        {"kirnberger3_1779", 7, 440.0f, 0.0f, 48, 262.365f},
        {"equal4", 0, 440.0f, 0.0f, 69, 877.61823f},
        {"equal4", 0, 440.0f, 0.0f, 45, 220.59706f},
    };
    ToneScaleCollection scales;
    for (const Case& c : cases) {
        scales.setScale(c.key, c.keynote, c.pitch, c.calibration);
        ASSERT_EQ(scales.getCurrentScale()->getKey(), c.key);
        // The printed targets carry three to eight digits; the exact ones must
        // match to the last bit of a float.
        EXPECT_NEAR(scales.getNoteFrequency(c.note), c.hz, 5e-4f) << c.key << " " << c.note;
    }
    scales.reset();
    EXPECT_EQ(scales.getNoteFrequency(57), 440.0f);
    EXPECT_EQ(scales.getNoteFrequency(45), 220.0f);
    EXPECT_EQ(scales.getNoteFrequency(69), 880.0f);
    EXPECT_EQ(scales.getNoteFrequency(48), 261.62558f);
    EXPECT_EQ(scales.getNoteFrequency(0), 16.351599f);
    scales.setScale("equal", 0, 440.0f, 10.0f);
    EXPECT_EQ(scales.getNoteFrequency(57), 442.54889f);
    scales.setScale("equal4", 0, 440.0f, 0.0f);
    EXPECT_EQ(scales.getNoteFrequency(69), 877.61823f);
    EXPECT_EQ(scales.getNoteFrequency(45), 220.59706f);
}

// A sweep over every catalogue row, keynote and note against the plain
// formula: a wrong degree, keynote shift or stretch shows as whole cents.
TEST_F(ScaleSettings, EveryRowKeynoteAndNoteAgreesWithTheFormula) {
    ToneScaleCollection scales;
    const float pitches[] = {440.0f, 415.0f};
    for (int index = 0; index < scales.getScaleCount(); ++index) {
        const ToneScale& scale = *scales.getScale(index);
        for (int keynote = 0; keynote < 12; ++keynote) {
            const float pitch = pitches[keynote % 2];
            const float calibration = keynote == 3 ? -7.25f : 0.0f;
            scales.setScaleAt(index, keynote, pitch, calibration);
            for (int note = 0; note < 96; ++note) {
                const double expected = expectedFrequency(scale, keynote, pitch, calibration, note);
                ASSERT_NEAR(centsBetween(expected, scales.getNoteFrequency(note)), 0.0, 2e-4)
                    << scale.getKey() << " keynote " << keynote << " note " << note;
            }
            // The temperament is anchored at A4.
            ASSERT_NEAR(centsBetween(pitch, scales.getNoteFrequency(57)), calibration, 1e-4)
                << scale.getKey() << " keynote " << keynote;
        }
    }
}

TEST_F(ScaleSettings, StretchedOctavesMakeTheirPureInterval) {
    struct Case {
        const char* key;
        int semitones;
        double ratio;
    };
    const Case cases[] = {{"equal4", 5, 4.0 / 3.0}, {"equal5", 7, 1.5}, {"equal12", 19, 3.0}};
    ToneScaleCollection scales;
    for (const Case& c : cases) {
        scales.setScale(c.key, 0, 440.0f, 0.0f);
        const double f = scales.getNoteFrequency(40);
        EXPECT_NEAR(centsBetween(f * c.ratio, scales.getNoteFrequency(40 + c.semitones)), 0.0, 1e-3)
            << c.key;
    }
    scales.setScale("equalStretch125", 0, 440.0f, 0.0f);
    EXPECT_NEAR(centsBetween(scales.getNoteFrequency(45), scales.getNoteFrequency(57)), 1201.25,
                1e-3);
}

TEST_F(ScaleSettings, FullTemperamentIgnoresKeynoteAndStretchAndMovesA4) {
    FullToneScale full("f_1234", "Mine", "Mine");
    for (int note = 0; note < FullToneScale::NOTE_COUNT; ++note)
        full.setCents(note, note == 57 ? 10.0f : static_cast<float>(note % 7) - 3.0f);
    ToneScaleCollection scales;
    scales.setCustomScales({}, {full});
    scales.setScale("f_1234", 5, 440.0f, 0.0f);
    EXPECT_EQ(scales.getNoteFrequency(57), 442.54889f);
    EXPECT_EQ(scales.getOctaveStretch(), 0.0f);
    for (int note : {0, 12, 47, 95, 107}) {
        const double expected =
            440.0 * std::pow(2.0, ((note - 57) * 100.0 + full.getCents(note)) / 1200.0);
        EXPECT_NEAR(centsBetween(expected, scales.getNoteFrequency(note)), 0.0, 2e-4) << note;
    }
    scales.setScale("f_1234", 0, 440.0f, -10.0f);
    EXPECT_EQ(scales.getNoteFrequency(57), 440.0f);
}

TEST_F(ScaleSettings, NoteNamesFollowTheKeynote) {
    struct Case {
        int keynote;
        int note;
        const char* label;
        const char* germanLabel;
    };
    const Case cases[] = {
        {0, 57, "A4", "a4"},      {0, 49, "C#4", "cis4"},   {0, 10, "Bb0", "b0"},
        {0, 59, "B4", "h4"},      {5, 10, "Bb0", "b0"},     {4, 48, "B#4", "his4"},
        {6, 50, "Cx4", "cisis4"}, {6, 55, "Fx4", "fisis4"}, {11, 55, "Fx4", "fisis4"},
        {1, 59, "Cb4", "ces4"},   {1, 52, "Fb4", "fes4"},   {9, 53, "E#4", "eis4"},
        {2, 70, "A#5", "ais5"},   {8, 54, "Gb4", "ges4"},   {7, 63, "D#5", "dis5"},
        {3, 37, "Db3", "des3"},   {10, 95, "B7", "h7"},     {0, 0, "C0", "c0"},
    };
    for (const char* locale : {"C", test::DECIMAL_COMMA_LOCALE}) {
        underLocale(locale, [&] {
            for (const Language language : {Language::English, Language::German}) {
                overrideLanguage(language);
                ToneScaleCollection scales;
                for (const Case& c : cases) {
                    scales.setScale("equal", c.keynote, 440.0f, 0.0f);
                    EXPECT_EQ(scales.getNoteLabel(c.note),
                              language == Language::German ? c.germanLabel : c.label)
                        << locale << " " << c.keynote << " " << c.note;
                }
            }
        });
    }
}

TEST_F(ScaleSettings, KeynoteNames) {
    const char* english[] = {"C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    const char* german[] = {"c", "des", "d", "es", "e", "f", "fis", "g", "as", "a", "b", "h"};
    ToneScaleCollection englishScales;
    overrideLanguage(Language::German);
    ToneScaleCollection germanScales;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(englishScales.getKeynoteName(i), english[i]);
        EXPECT_EQ(germanScales.getKeynoteName(i + 12), german[i]);
        germanScales.setScale("equal", i, 440.0f, 0.0f);
        EXPECT_EQ(germanScales.getKeynoteName(), german[i]);
    }
}

TEST_F(ScaleSettings, NumberTexts) {
    ToneScaleCollection scales;
    EXPECT_EQ(scales.formatStandardPitch(), "440.00");
    EXPECT_EQ(scales.formatCalibration(), "0.000");
    EXPECT_EQ(scales.formatOctaveStretch(), "0.000");
    scales.setScale("equal4", 0, 415.3f, -2.5f);
    EXPECT_EQ(scales.formatStandardPitch(), "415.30");
    EXPECT_EQ(scales.formatCalibration(), "-2.500");
    EXPECT_EQ(scales.formatOctaveStretch(), "-4.692");
    EXPECT_EQ(scales.formatNumber(0), "0");
    EXPECT_EQ(scales.formatNumber(7), "7");
    EXPECT_EQ(scales.formatNumber(123), "123");
}

TEST_F(ScaleSettings, DeviationTexts) {
    struct Case {
        int note;
        float frequency;
        const char* text;
    };
    const float almostA = static_cast<float>(440.0 * std::pow(2.0, -0.004 / 1200.0));
    const float barelyA = static_cast<float>(440.0 * std::pow(2.0, 0.0005 / 1200.0));
    const Case cases[] = {
        {57, 0.0f, ""},
        {57, 1.0f, ""},
        {57, 40000.0f, ""},
        {57, -440.0f, ""},
        {57, NAN, ""},
        {57, 440.0f, "0.00"},
        {57, 441.0f, "+3.93"},
        {57, 439.0f, "-3.94"},
        {57, almostA, "-0.00"},
        {57, barelyA, "0.00"},
        {45, 440.0f, "+1200.00"},
        {57, 1.0001f, "-10537.46"},
        {57, 39999.0f, "+7807.58"},
    };
    for (const char* locale : {"C", test::DECIMAL_COMMA_LOCALE}) {
        underLocale(locale, [&] {
            ToneScaleCollection scales;
            for (const Case& c : cases)
                EXPECT_EQ(scales.formatDeviation(c.note, c.frequency), c.text)
                    << locale << " " << c.frequency;
            scales.setScale("equal", 0, 442.0f, 0.5f);
            EXPECT_EQ(scales.formatStandardPitch(), "442.00") << locale;
            EXPECT_EQ(scales.formatCalibration(), "0.500") << locale;
        });
    }
}

TEST_F(ScaleSettings, FreshListAndLookup) {
    ToneScaleCollection scales;
    EXPECT_EQ(scales.getScaleCount(), 138);
    EXPECT_EQ(scales.getScale(0)->getKey(), "equal");
    EXPECT_EQ(scales.getScale(137)->getKey(), "zarlino27");
    EXPECT_EQ(scales.getCurrentIndex(), 0);
    EXPECT_EQ(scales.getCustomCount(), 0);
    EXPECT_EQ(scales.find("meantone"), scales.getScale(21));
    EXPECT_EQ(scales.find("Meantone"), scales.getScale(0));
    EXPECT_EQ(scales.find(""), scales.getScale(0));
    EXPECT_EQ(scales.getKeynote(), 0);
    EXPECT_EQ(scales.getStandardPitch(), 440.0f);
    EXPECT_EQ(scales.getCalibration(), 0.0f);
}

TEST_F(ScaleSettings, UnknownKeySelectsEqualButKeepsTheValues) {
    ToneScaleCollection scales;
    scales.setScale("c_999999", 4, 432.0f, 3.0f);
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "equal");
    EXPECT_EQ(scales.getKeynote(), 4);
    EXPECT_EQ(scales.getStandardPitch(), 432.0f);
    EXPECT_EQ(scales.getCalibration(), 3.0f);
    scales.setScaleAt(11, 2, 440.0f, 0.0f);
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "pythagorean");
    for (int index : {-1, 138, 100000}) {
        scales.setScaleAt(index, 1, 440.0f, 0.0f);
        EXPECT_EQ(scales.getCurrentScale()->getKey(), "equal") << index;
        scales.setScaleAt(11, 2, 440.0f, 0.0f);
    }
    scales.reset();
    EXPECT_EQ(scales.getCurrentIndex(), 0);
    EXPECT_EQ(scales.getKeynote(), 0);
    EXPECT_EQ(scales.getStandardPitch(), 440.0f);
    EXPECT_EQ(scales.getCalibration(), 0.0f);
}

TEST_F(ScaleSettings, UserTemperamentsGoInFront) {
    DefaultToneScale simpleA("c_1001", "A", "A", 0.0f);
    DefaultToneScale simpleB("c_1002", "B", "B", 0.0f);
    FullToneScale full("f_1003", "F", "F");
    ToneScaleCollection scales;
    CountingListener listener;
    scales.addListener(&listener);

    scales.setScale("pythagorean", 3, 430.0f, 1.0f);
    scales.setCustomScales({simpleA, simpleB}, {full});
    EXPECT_EQ(scales.getScaleCount(), 141);
    EXPECT_EQ(scales.getCustomCount(), 3);
    EXPECT_EQ(scales.getScale(0)->getKey(), "c_1001");
    EXPECT_EQ(scales.getScale(1)->getKey(), "c_1002");
    EXPECT_EQ(scales.getScale(2)->getKey(), "f_1003");
    EXPECT_FALSE(scales.getScale(2)->isSimple());
    EXPECT_EQ(scales.getScale(3)->getKey(), "equal");
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "pythagorean");
    EXPECT_EQ(scales.getCurrentIndex(), 14);

    // The current user temperament is deleted: equal takes over, the values stay.
    scales.setScale("c_1002", 3, 430.0f, 1.0f);
    const int before = listener.calls;
    scales.setCustomScales({simpleA}, {});
    EXPECT_EQ(listener.calls, before + 1);
    EXPECT_EQ(scales.getScaleCount(), 139);
    EXPECT_EQ(scales.getCurrentScale()->getKey(), "equal");
    EXPECT_EQ(scales.getCurrentIndex(), 1);
    EXPECT_EQ(scales.getKeynote(), 3);
    EXPECT_EQ(scales.getStandardPitch(), 430.0f);

    // The list holds copies: changing the originals changes nothing.
    simpleA.setCents(0, 50.0f);
    EXPECT_EQ(scales.getScale(0)->getCents(0), 0.0f);
    scales.setCustomScales({}, {});
    EXPECT_EQ(scales.getScaleCount(), 138);
    EXPECT_EQ(scales.getScale(0)->getKey(), "equal");
    scales.removeListener(&listener);
}

TEST_F(ScaleSettings, ListenersAreToldOfEveryChange) {
    ToneScaleCollection scales;
    CountingListener once, twice;
    scales.addListener(&once);
    scales.addListener(&twice);
    scales.addListener(&twice);
    scales.reset();
    EXPECT_EQ(once.calls, 1);
    EXPECT_EQ(twice.calls, 2);
    scales.setScale("equal", 0, 440.0f, 0.0f); // also when nothing changed
    scales.setScaleAt(5, 1, 440.0f, 0.0f);
    scales.setCustomScales({}, {});
    EXPECT_EQ(once.calls, 4);
    EXPECT_EQ(twice.calls, 8);
    scales.removeListener(&twice);
    scales.notifyListeners();
    EXPECT_EQ(twice.calls, 9);
    scales.removeListener(&twice);
    scales.removeListener(&twice); // not registered any more: no effect
    scales.notifyListeners();
    EXPECT_EQ(twice.calls, 9);
    EXPECT_EQ(once.calls, 6);
    scales.removeListener(&once);
}

} // namespace
} // namespace tonvela
