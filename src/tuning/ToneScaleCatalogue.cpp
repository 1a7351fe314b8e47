#include "tuning/ToneScaleCollection.h"

#include <iterator>

namespace tonvela {

namespace {

// The predefined temperaments in list order: key, English name, German name,
// cents of C..B as deviations from equal temperament, octave stretch.
struct CatalogueRow {
    const char* key;
    const char* englishName;
    const char* germanName;
    float cents[12];
    float octaveStretch;
};

// The first seven rows are equal temperaments that differ only in stretch.
constexpr int equalRowCount = 7;

// clang-format off
const CatalogueRow catalogue[] = {
    {"equal", "Equal Tempered, Perfect Octave", "Gleichstufige Stimmung, Reine Oktave", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 0.0f},
    {"equal4", "Equal Tempered, Perfect Fourth", "Gleichstufige Stimmung, Reine Quarte", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, -4.692002f},
    {"equal5", "Equal Tempered, Perfect Fifth", "Gleichstufige Stimmung, Reine Quinte", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 3.35143f},
    {"equal12", "Equal Tempered, Perfect Octave+Fifth", "Gleichstufige Stimmung, Reine Oktave+Quinte", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 1.234737f},
    {"equalStretch100", "Equal Tempered, Streched (1.0 Cent)", "Gleichstufig gestreckte Stimmung (1.0 Cent)", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 1.0f},
    {"equalStretch125", "Equal Tempered, Streched (1.25 Cent)", "Gleichstufig gestreckte Stimmung (1.25 Cent)", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 1.25f},
    {"equalStretch150", "Equal Tempered, Streched (1.5 Cent)", "Gleichstufig gestreckte Stimmung (1.5 Cent)", {0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f, 0.000f}, 1.5f},
    {"justSchugk", "Just Tempered (Schugk)", "Reine Stimmung (Schugk)", {0.000f, -29.327f, 3.910f, 15.641f, -13.686f, -1.955f, -9.777f, 1.955f, 13.686f, -15.641f, 17.596f, -11.731f}, 0.0f},
    {"justBarbour", "Just Tempered (Barbour)", "Reine Stimmung (Barbour)", {0.000f, 11.731f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, 13.686f, -15.641f, 17.596f, -11.731f}, 0.0f},
    {"naturallyHarmoniousThirds", "Naturally harmonious (Thirds)", "Natürlich Harmonisch (Terzen)", {0.000f, 11.731f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, 13.686f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"naturallyHarmonious", "Naturally harmonious", "Natürlich Harmonisch", {0.000f, -29.328f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, -27.373f, -15.641f, 17.596f, -11.731f}, 0.0f},
    {"pythagorean", "Pythagorean", "Pythagoreisch", {0.000f, 13.685f, 3.910f, -5.865f, 7.820f, -1.955f, 11.730f, 1.955f, 15.640f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"pythagoreanPerfect", "Pythagorean (Perfect)", "Pythagoreisch (Rein)", {0.000f, -7.821f, 3.910f, -3.911f, -13.686f, -1.955f, -9.776f, 1.955f, -5.866f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"pythagoreanCesE", "Pythagorean (Fifth chain Cb - E)", "Pythagoreisch (Quintkette ces - e)", {0.000f, -9.775f, 3.910f, -5.865f, 7.820f, -1.955f, -11.730f, 1.955f, -7.820f, 5.865f, -3.910f, -13.685f}, 0.0f},
    {"pythagoreanDesFis", "Pythagorean (Fifth chain Db - F#)", "Pythagoreisch (Quintkette des - fis)", {0.000f, -9.775f, 3.910f, -5.865f, 7.820f, -1.955f, 11.730f, 1.955f, -7.820f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"pythagoreanEsEsG", "Pythagorean (Fifth chain Ebb - G)", "Pythagoreisch (Quintkette eses - g)", {0.000f, -9.775f, -19.550f, -5.865f, -15.640f, -1.955f, -11.730f, 1.955f, -7.820f, -17.595f, -3.910f, -13.685f}, 0.0f},
    {"pythagoreanFesA", "Pythagorean (Fifth chain Fb - A)", "Pythagoreisch (Quintkette fes - a)", {0.000f, -9.775f, 3.910f, -5.865f, -15.640f, -1.955f, -11.730f, 1.955f, -7.820f, 5.865f, -3.910f, -13.685f}, 0.0f},
    {"pythagoreanFAis", "Pythagorean (Fifth chain F - A#)", "Pythagoreisch (Quintkette f - ais)", {0.000f, 13.685f, 3.910f, 17.595f, 7.820f, -1.955f, 11.730f, 1.955f, 15.640f, 5.865f, 19.550f, 9.775f}, 0.0f},
    {"pythagoreanGesH", "Pythagorean (Fifth chain Gb - B)", "Pythagoreisch (Quintkette ges - h)", {0.000f, -9.775f, 3.910f, -5.865f, 7.820f, -1.955f, -11.730f, 1.955f, -7.820f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"pythagoreanAsCis", "Pythagorean (Fifth chain Ab - C#)", "Pythagoreisch (Quintkette as - cis)", {0.000f, 13.685f, 3.910f, -5.865f, 7.820f, -1.955f, 11.730f, 1.955f, -7.820f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"pythagoreanBDis", "Pythagorean (Fifth chain Bb - D#)", "Pythagoreisch (Quintkette b - dis)", {0.000f, 13.685f, 3.910f, 17.595f, 7.820f, -1.955f, 11.730f, 1.955f, 15.640f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"meantone", "Meantone", "Mitteltönig", {0.000f, -23.951f, -6.843f, 10.265f, -13.686f, 3.422f, -20.529f, -3.422f, -27.373f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"meantoneSharp", "Meantone # (-1/4)", "Mitteltönig # (-1/4)", {0.000f, -23.951f, -6.843f, -30.794f, -13.686f, 3.421f, -20.530f, -3.422f, -27.373f, -10.265f, -34.216f, -17.108f}, 0.0f},
    {"meantoneFlat", "Meantone b (-1/4)", "Mitteltönig b (-1/4)", {0.000f, 17.108f, -6.843f, 10.265f, -13.686f, 3.422f, 20.529f, -3.422f, 13.686f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"meantoneLargeThird", "Meantone (-1/4) (LargeThird)", "Mitteltönig (-1/4) (Grossterz)", {0.000f, -23.951f, -6.843f, 10.265f, -13.686f, 3.422f, -20.529f, -3.422f, -27.373f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"meantoneSmallThird", "Meantone (Small third)", "Mitteltönig (Kleinterz)", {0.000f, -36.496f, -10.428f, 15.641f, -20.855f, 5.214f, -31.283f, -5.214f, -41.710f, -15.641f, 10.428f, -26.069f}, 0.0f},
    {"meantoneHomo", "Meantone (Homogeneous)", "Mitteltönig (Homogen)", {0.000f, -16.424f, -4.693f, 7.039f, -9.385f, 2.346f, -14.078f, -2.346f, -18.770f, -7.039f, 4.693f, -11.731f}, 0.0f},
    {"meantoneHomoThird", "Meantone (Homogeneous third)", "Mitteltönig (Homogene Terz)", {0.000f, -29.328f, -8.379f, 12.569f, -16.759f, 4.190f, -25.138f, -4.190f, -33.517f, -12.569f, 8.379f, -20.948f}, 0.0f},
    {"meantoneHomoGradated", "Meantone (Homogeneous gradated)", "Mitteltönig (Homogen abgestuft)", {0.000f, -11.406f, -3.259f, 4.888f, -6.518f, 1.629f, -9.776f, -1.629f, -13.035f, -4.888f, 3.259f, -8.147f}, 0.0f},
    {"comma17", "Comma - Temperament  (1/7)", "Komma - Temperatur  (1/7)", {0.000f, -7.821f, -2.235f, 3.352f, -4.469f, 1.117f, -6.704f, -1.117f, -8.939f, -3.352f, 2.235f, -5.587f}, 0.0f},
    {"comma18", "Comma - Temperament  (1/8)", "Komma - Temperatur  (1/8)", {0.000f, -5.133f, -1.467f, 2.200f, -2.933f, 0.733f, -4.400f, -0.733f, -5.866f, -2.200f, 1.467f, -3.666f}, 0.0f},
    {"comma19", "Comma - Temperament  (1/9)", "Komma - Temperatur  (1/9)", {0.000f, -3.042f, -0.869f, 1.304f, -1.738f, 0.435f, -2.608f, -0.435f, -3.477f, -1.304f, 0.869f, -2.173f}, 0.0f},
    {"comma29", "Comma - Temperament  (2/9)", "Komma - Temperatur  (2/9)", {0.000f, -19.769f, -5.648f, 8.473f, -11.297f, 2.824f, -16.945f, -2.824f, -22.593f, -8.473f, 5.648f, -14.121f}, 0.0f},
    {"comma110", "Comma - Temperament (1/10)", "Komma - Temperatur (1/10)", {0.000f, -1.369f, -0.391f, 0.587f, -0.783f, 0.196f, -1.174f, -0.196f, -1.565f, -0.587f, 0.391f, -0.978f}, 0.0f},
    {"comma311", "Comma - Temperament  (3/11)", "Komma - Temperatur  (3/11)", {0.000f, -27.372f, -7.821f, 11.731f, -15.641f, 3.910f, -23.462f, -3.910f, -31.283f, -11.731f, 7.821f, -19.552f}, 0.0f},
    {"pComma3", "Pythagorei comma (3-Split)", "Pythagoreisches Komma (3-Teilung)", {0.000f, -9.775f, -11.730f, -5.865f, -15.640f, -1.955f, -11.730f, -5.865f, -7.820f, -17.595f, -3.910f, -13.685f}, 0.0f},
    {"pComma4", "Pythagorei comma (4-Split)", "Pythagoreisches Komma (4-Teilung)", {0.000f, -9.775f, -7.820f, -5.865f, -9.775f, -1.955f, -11.730f, -3.910f, -7.820f, -11.730f, -3.910f, -7.820f}, 0.0f},
    {"pComma5", "Pythagorei comma (5-Split)", "Pythagoreisches Komma (5-Teilung)", {0.000f, -9.775f, -5.474f, -5.865f, -10.948f, -1.955f, -11.730f, -2.737f, -7.820f, -8.211f, -3.910f, -13.685f}, 0.0f},
    {"pComma6", "Pythagorei comma (6-Split)", "Pythagoreisches Komma (6-Teilung)", {0.000f, -9.775f, -3.910f, -5.865f, -7.820f, -1.955f, -11.730f, -1.955f, -7.820f, -5.865f, -3.910f, -9.775f}, 0.0f},
    {"pComma612", "Pythagorei comma (6 & 12-Split)", "Pythagoreisches Komma (6 & 12-Teilung)", {0.000f, -9.775f, -3.910f, 1.955f, -7.820f, 1.955f, -9.775f, -1.955f, -9.775f, -5.865f, 1.955f, -9.775f}, 0.0f},
    {"sComma2", "Syntonic comma (2-Split)", "Syntonisches Komma (2-Teilung)", {0.000f, -29.328f, -6.843f, 15.641f, -13.686f, -1.955f, -20.529f, 1.955f, -27.373f, -15.641f, 6.843f, -11.731f}, 0.0f},
    {"sComma4", "Syntonic comma (4-Split)", "Syntonisches Komma (4-Teilung)", {0.000f, -14.175f, -6.843f, -5.865f, -13.686f, -1.955f, -20.529f, -3.422f, -7.820f, -10.265f, -3.910f, -17.108f}, 0.0f},
    {"sComma5", "Syntonic comma (5-Split)", "Syntonisches Komma (5-Teilung)", {0.000f, -5.866f, -4.693f, -3.519f, -9.385f, -1.173f, -7.039f, -2.346f, -4.693f, -7.039f, -2.346f, -8.212f}, 0.0f},
    {"diatonic", "Diatonic (Chromatic addition)", "Diatonisch (Chromatische Ergänzung)", {0.000f, -29.328f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, -27.373f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"organFreiberg1985", "Organ of Freiberg (Silbermann-Orgel, 1985)", "Orgel von Freiberg (Silbermann-Orgel, 1985)", {0.000f, -9.775f, -3.910f, -1.955f, -5.865f, 0.000f, -9.775f, -1.955f, -9.775f, -3.910f, 0.000f, -7.820f}, 0.0f},
    {"organFribourg1640", "Organ of Fribourg (Manderscheidt-Orgel, 1640)", "Orgel von Fribourg (Manderscheidt-Orgel, 1640)", {0.000f, -8.797f, -4.887f, 6.842f, -12.708f, 0.978f, -10.753f, -1.955f, -18.573f, -7.820f, 4.888f, -12.708f}, 0.0f},
    {"organHamburg1993", "Organ of Hamburg (Schnitger-Orgel, 1993)", "Orgel von Hamburg (Schnitger-Orgel, 1993)", {0.000f, -12.123f, -4.693f, -3.911f, -9.385f, 2.346f, -14.078f, -2.346f, -10.168f, -7.039f, 0.391f, -11.731f}, 0.0f},
    {"organMaihingen1737", "Organ of Maihingen (Baumeister-Orgel, 1737)", "Orgel von Maihingen (Baumeister-Orgel, 1737)", {0.000f, -14.663f, -0.977f, 5.865f, -12.708f, 0.978f, -16.618f, 1.955f, -18.573f, -3.910f, -5.865f, -13.685f}, 0.0f},
    {"organMuri", "Organ of Muri (Evangelien-Orgel)", "Orgel von Muri (Evangelien-Orgel)", {0.000f, -20.000f, -5.000f, 6.000f, -12.000f, 2.000f, -18.000f, -1.000f, -21.000f, -9.000f, 1.000f, -15.000f}, 0.0f},
    {"organNiederbobritzsch", "Organ of Niederbobritzsch (Göthel-Orgel)", "Orgel von Niederbobritzsch (Göthel-Orgel)", {0.000f, -1.955f, 2.444f, -1.955f, -0.978f, 3.421f, 0.489f, -0.977f, -1.955f, 0.000f, 1.466f, -5.865f}, 0.0f},
    {"organWeingarten1750", "Organ of Weingarten (Gabler-Orgel, 1750)", "Orgel von Weingarten (Gabler-Orgel, 1750)", {0.000f, -14.930f, -4.266f, 6.399f, -8.531f, 2.133f, -12.797f, -2.133f, -17.063f, -6.399f, 4.266f, -10.664f}, 0.0f},
    {"organWeingarten1983", "Organ of Weingarten (Gabler-Orgel, 1983)", "Orgel von Weingarten (Gabler-Orgel, 1983)", {0.000f, -4.888f, -3.910f, 1.466f, -5.865f, -0.978f, -8.798f, -1.955f, -1.955f, -4.888f, 1.466f, -8.797f}, 0.0f},
    {"agricolaMartin", "Agricola (Martin, 1539, 1543, 1545)", "Agricola (Martin, 1539, 1543, 1545)", {0.000f, -7.821f, 3.910f, -3.911f, 7.820f, -1.955f, -9.776f, 1.955f, -5.866f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"ammerbach1571", "Ammerbach (1571)", "Ammerbach (1571)", {0.000f, -13.685f, -1.955f, 2.933f, -7.820f, -1.955f, -9.775f, 1.955f, -15.640f, -5.865f, -0.977f, -7.820f}, 0.0f},
    {"ammerbach1571_1", "Ammerbach (1583, Interpretation 1)", "Ammerbach (1583, Interpretation 1)", {0.000f, -10.315f, -2.090f, 0.135f, -4.180f, -1.955f, -6.270f, 1.955f, -8.360f, -6.135f, 2.090f, -2.225f}, 0.0f},
    {"ammerbach1571_2", "Ammerbach (1583, Interpretation 2)", "Ammerbach (1583, Interpretation 2)", {0.000f, -14.315f, -2.090f, 3.135f, -8.180f, -1.955f, -10.270f, 1.955f, -16.360f, -6.135f, -0.910f, -8.225f}, 0.0f},
    {"bachBilleterWell", "Bach (Billeter, Well-Tempered)", "Bach (Billeter, Wohltemperiert)", {0.000f, -7.820f, 0.000f, -3.910f, -9.775f, 0.000f, -9.775f, 0.000f, -5.865f, -4.888f, -1.955f, -9.775f}, 0.0f},
    {"bachKelletats1966", "Bach (Kelletats, 1966)", "Bach (Kelletats, 1966)", {0.000f, -9.775f, -3.910f, -5.865f, -11.730f, -1.955f, -11.730f, 0.000f, -7.820f, -7.820f, -3.910f, -13.685f}, 0.0f},
    {"bachKellnerWell", "Bach (Kellner, Well-Tempered)", "Bach (Kellner, Wohltemperiert)", {0.000f, -9.775f, -5.474f, -5.865f, -10.948f, -1.955f, -11.730f, -2.737f, -7.820f, -8.211f, -3.910f, -8.993f}, 0.0f},
    {"bachKellner1977", "Bach (Kellner, 1977)", "Bach (Kellner, 1977)", {0.000f, -9.775f, -5.443f, -5.865f, -10.886f, -1.955f, -11.730f, -2.722f, -7.820f, -8.165f, -3.910f, -8.931f}, 0.0f},
    {"bachKlais", "Bach (Klais)", "Bach (Klais)", {0.000f, -9.775f, -3.910f, -5.865f, -12.708f, -1.955f, -11.730f, 0.000f, -7.820f, -7.820f, -3.910f, -13.685f}, 0.0f},
    {"barnes1971", "Barnes (1971)", "Barnes (1971)", {0.000f, -3.910f, -1.955f, -2.933f, -3.910f, 0.978f, -5.865f, -0.977f, -1.955f, -2.933f, -0.977f, -4.888f}, 0.0f},
    {"barnes1977", "Barnes (1977)", "Barnes (1977)", {0.000f, -5.865f, -3.910f, -1.955f, -7.820f, 1.955f, -7.820f, -1.955f, -3.910f, -5.865f, 0.000f, -5.865f}, 0.0f},
    {"bendelerFractions", "Bendeler (Fractions)", "Bendeler (Brüche)", {0.000f, -9.775f, -12.411f, -5.865f, -8.501f, -1.955f, -11.730f, -7.227f, -7.820f, -10.456f, -3.910f, -6.546f}, 0.0f},
    {"bendeler3", "Bendeler III", "Bendeler III", {0.000f, -3.910f, -7.820f, -5.865f, -3.910f, -1.955f, -5.865f, -3.910f, -1.955f, -5.865f, -3.910f, -7.820f}, 0.0f},
    {"bermudo1555", "Bermudo (1555)", "Bermudo (1555)", {0.000f, 0.103f, 0.206f, -5.865f, 0.412f, -1.955f, -1.852f, 1.955f, 2.058f, 2.161f, -3.910f, 2.367f}, 0.0f},
    {"bossart1", "Bossart I", "Bossart I", {0.000f, -9.775f, -1.955f, 8.798f, -9.775f, 3.910f, -11.730f, -0.977f, -5.865f, -5.865f, 7.820f, -10.753f}, 0.0f},
    {"bossart2", "Bossart II", "Bossart II", {0.000f, -5.865f, -4.887f, 8.798f, -5.865f, 3.910f, -7.820f, -0.977f, -3.910f, -5.865f, 4.888f, -3.910f}, 0.0f},
    {"bossart3", "Bossart III", "Bossart III", {0.000f, -6.843f, -1.955f, 5.865f, -9.775f, 3.910f, -8.798f, -0.977f, -2.933f, -5.865f, 4.888f, -10.753f}, 0.0f},
    {"bruder1829", "Bruder (1829)", "Bruder (1829)", {0.000f, -4.888f, 2.933f, -2.933f, -8.798f, -0.978f, -6.354f, 1.466f, -3.910f, -2.933f, -1.955f, -7.820f}, 0.0f},
    {"ganassi1543", "Ganassi (1543)", "Ganassi (1543)", {0.000f, -11.199f, -17.596f, -18.642f, -13.686f, -1.955f, -3.000f, 1.955f, -9.244f, -15.641f, -16.687f, -11.731f}, 0.0f},
    {"goebel1967", "Goebel (1967)", "Goebel (1967)", {0.000f, 0.278f, 0.377f, 0.297f, 0.287f, 0.029f, 0.195f, 0.189f, 0.150f, 0.169f, 0.118f, 0.052f}, 0.0f},
    {"grammateus1518", "Grammateus (1518)", "Grammateus (1518)", {0.000f, 1.955f, 3.910f, 5.865f, 7.820f, -1.955f, 0.000f, 1.955f, 3.910f, 5.865f, 7.820f, 9.775f}, 0.0f},
    {"kelletat1960", "Kelletat (1960)", "Kelletat (1960)", {0.000f, -7.820f, -7.820f, -3.910f, -13.685f, 0.000f, -9.775f, -3.910f, -5.865f, -11.730f, -1.955f, -11.730f}, 0.0f},
    {"kelletat1966", "Kelletat (1966)", "Kelletat (1966)", {0.000f, -9.775f, -3.910f, -5.865f, -11.730f, -1.955f, -11.730f, 0.000f, -7.820f, -7.820f, -3.910f, -13.685f}, 0.0f},
    {"kellner", "Kellner", "Kellner", {0.000f, -9.775f, -5.474f, -5.865f, -10.948f, -1.955f, -11.730f, -2.737f, -7.820f, -8.211f, -3.910f, -8.993f}, 0.0f},
    {"kircher", "Kircher", "Kircher", {0.000f, -23.951f, -6.843f, 10.265f, -13.686f, 3.422f, -20.529f, -3.422f, -27.373f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"kirnberger1_1766", "Kirnberger I (1766)", "Kirnberger (1766)", {0.000f, -9.775f, 3.910f, -5.865f, -13.686f, -1.955f, -9.776f, 1.955f, -7.820f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"kirnberger2_1771", "Kirnberger II (1771)", "Kirnberger II (1771)", {0.000f, -9.775f, 3.910f, -5.865f, -13.686f, -1.955f, -9.776f, 1.955f, -7.820f, -4.888f, -3.910f, -11.731f}, 0.0f},
    {"kirnberger2_1776", "Kirnberger II (1776)", "Kirnberger II (1776)", {0.000f, -9.775f, 3.910f, -5.865f, -15.640f, -1.955f, -11.730f, 1.955f, -7.820f, -5.865f, -3.910f, -13.685f}, 0.0f},
    {"kirnberger3_1779", "Kirnberger III (1779)", "Kirnberger III (1779)", {0.000f, -9.775f, -6.843f, -5.865f, -13.686f, -1.955f, -9.776f, -3.422f, -7.820f, -10.264f, -3.910f, -11.731f}, 0.0f},
    {"lambert1774", "Lambert (1774)", "Lambert (1774)", {0.000f, -6.424f, -2.793f, -2.514f, -5.586f, 1.396f, -8.379f, -1.396f, -4.469f, -4.189f, -0.559f, -6.982f}, 0.0f},
    {"lublin1540", "Lublin (1540)", "Lublin (1540)", {0.000f, -14.776f, -3.045f, 1.090f, 0.865f, 5.000f, 4.775f, 1.955f, -12.821f, -1.090f, 3.045f, 2.820f}, 0.0f},
    {"malcolm1721", "Malcolm (Alexander, 1721)", "Malcolm (Alexander, 1721)", {0.000f, 11.731f, 3.910f, 15.641f, -13.686f, -1.955f, -9.776f, 1.955f, 13.686f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"marpurg1", "Marpurg I", "Marpurg I", {0.000f, -9.775f, 3.910f, -5.865f, -13.685f, -1.955f, -9.775f, 1.955f, -7.820f, -15.640f, -3.910f, -11.730f}, 0.0f},
    {"marpurg2", "Marpurg II", "Marpurg II", {0.000f, 9.775f, 3.910f, 13.685f, 7.820f, -1.955f, 7.820f, 1.955f, 11.730f, 5.865f, 15.640f, 5.865f}, 0.0f},
    {"marpurg3", "Marpurg III", "Marpurg III", {0.000f, -3.910f, 3.910f, 0.000f, 7.820f, -1.955f, -5.865f, 1.955f, -1.955f, 5.865f, -3.910f, -7.820f}, 0.0f},
    {"marpurg4", "Marpurg IV", "Marpurg IV", {0.000f, -1.955f, 3.910f, -5.865f, 7.820f, -1.955f, -3.910f, 1.955f, 0.000f, 5.865f, -3.910f, -5.865f}, 0.0f},
    {"marpurg5", "Marpurg V", "Marpurg V", {0.000f, 3.910f, 3.910f, 7.820f, 7.820f, -1.955f, 1.955f, 1.955f, 5.865f, 5.865f, 9.775f, 0.000f}, 0.0f},
    {"marpurg6", "Marpurg VI", "Marpurg VI", {0.000f, 1.955f, 3.910f, 5.865f, 7.820f, -1.955f, 0.000f, 1.955f, 3.910f, 5.865f, 7.820f, 9.775f}, 0.0f},
    {"marpurg7", "Marpurg VII", "Marpurg VII", {0.000f, -1.955f, -3.910f, -5.865f, 0.000f, -1.955f, -3.910f, -5.865f, 0.000f, -1.955f, -3.910f, -5.865f}, 0.0f},
    {"marpurg8", "Marpurg VIII", "Marpurg VIII", {0.000f, 1.955f, -1.955f, 0.000f, 1.955f, -1.955f, 0.000f, -3.910f, -1.955f, 0.000f, 1.955f, -1.955f}, 0.0f},
    {"marpurg9", "Marpurg IX", "Marpurg IX", {0.000f, 1.955f, 3.910f, 5.865f, 7.820f, 3.910f, 5.865f, 1.955f, 3.910f, 5.865f, 7.820f, 9.775f}, 0.0f},
    {"marpurg10", "Marpurg X", "Marpurg X", {0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f}, 0.0f},
    {"marpurg11", "Marpurg XI", "Marpurg XI", {0.000f, 5.865f, 3.910f, 1.955f, 7.820f, -1.955f, 7.820f, 1.955f, 3.910f, 5.865f, 0.000f, 9.775f}, 0.0f},
    {"marpurg12", "Marpurg XII", "Marpurg XII", {0.000f, 11.731f, 5.865f, -3.911f, 5.866f, -0.001f, 9.776f, 3.910f, 13.686f, 7.820f, -1.955f, 7.821f}, 0.0f},
    {"meister", "Meister", "Meister", {0.000f, 11.731f, -1.467f, 15.641f, -8.310f, -1.955f, 9.776f, 1.955f, 13.686f, -4.888f, -3.910f, -11.731f}, 0.0f},
    {"mersenneFractions", "Mersenne (Fractions)", "Mersenne (Brüche)", {0.000f, 11.731f, -17.596f, 15.641f, -13.686f, -1.955f, 9.776f, 1.955f, 13.686f, -15.641f, 17.596f, -11.731f}, 0.0f},
    {"mersenne1636", "Mersenne (Marin, 1636)", "Mersenne (Marin, 1636)", {0.000f, -3.422f, -6.843f, -10.265f, -13.686f, -11.976f, -10.265f, -8.554f, -6.843f, -5.132f, -3.422f, -1.711f}, 0.0f},
    {"neidhardt1724", "Neidhardt (1724, Grosse Stadt)", "Neidhardt (1724, Grosse Stadt)", {0.000f, -3.910f, -3.910f, -1.955f, -5.865f, -1.955f, -3.910f, -1.955f, -3.910f, -5.865f, -1.955f, -3.910f}, 0.0f},
    {"neidhardt1732", "Neidhardt (1732, Dorf)", "Neidhardt (1732, Dorf)", {0.000f, -5.865f, -5.865f, -1.955f, -7.820f, 0.000f, -5.865f, -1.955f, -3.910f, -9.775f, -1.955f, -7.820f}, 0.0f},
    {"neidthardt1", "Neidthardt I", "Neidthardt I", {0.000f, -5.865f, -3.910f, -3.910f, -7.820f, -1.955f, -7.820f, -1.955f, -3.910f, -5.865f, -3.910f, -7.820f}, 0.0f},
    {"neidthardt2", "Neidthardt II", "Neidthardt II", {0.000f, -3.910f, -3.910f, -1.955f, -5.865f, 0.000f, -3.910f, -1.955f, -3.910f, -5.865f, 0.000f, -3.910f}, 0.0f},
    {"neidthardt3", "Neidthardt III", "Neidthardt III", {0.000f, -3.910f, -3.910f, -1.955f, -5.865f, -1.955f, -3.910f, -1.955f, -3.910f, -5.865f, -1.955f, -3.910f}, 0.0f},
    {"rameau", "Rameau", "Rameau", {0.000f, -13.198f, -6.843f, -2.200f, -13.686f, 3.422f, -15.153f, -3.422f, -11.243f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"rameau14", "Rameau (-1/4)", "Rameau (-1/4)", {0.000f, -23.951f, -6.843f, 10.265f, -13.686f, 3.422f, -20.529f, -3.422f, -27.373f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"ramis1482", "Ramis de Pareia (1482)", "Ramis de Pareia (1482)", {0.000f, -7.821f, -17.596f, -5.865f, -13.686f, -1.955f, -9.776f, 1.955f, -7.820f, -15.641f, -3.910f, -11.731f}, 0.0f},
    {"reinhard1604", "Reinhard (Andreas, 1604)", "Reinhard (Andreas, 1604)", {0.000f, -1.045f, 3.910f, -7.289f, -13.686f, -1.955f, -3.000f, 1.955f, -9.244f, -15.641f, -16.687f, -11.731f}, 0.0f},
    {"rossi15", "Rossi (-1/5)", "Rossi (-1/5)", {0.000f, -16.424f, -4.693f, 7.039f, -9.385f, 2.346f, -14.078f, -2.346f, -18.770f, -7.039f, 4.693f, -11.731f}, 0.0f},
    {"rossi29", "Rossi (-2/9)", "Rossi (-2/9)", {0.000f, -19.769f, -5.648f, 8.473f, -11.297f, 2.824f, -16.945f, -2.824f, -22.593f, -8.473f, 5.648f, -14.121f}, 0.0f},
    {"salinas13", "Salinas (-1/3)", "Salinas (-1/3)", {0.000f, -36.496f, -10.428f, 15.641f, -20.855f, 5.214f, -31.283f, -5.214f, -41.710f, -15.641f, 10.428f, -26.069f}, 0.0f},
    {"schlickBarbour", "Schlick (Barbour)", "Schlick (Barbour)", {0.000f, -9.775f, -3.910f, 1.955f, -7.820f, 1.955f, -9.775f, -1.955f, -3.910f, -5.865f, 1.955f, -9.775f}, 0.0f},
    {"schlickDupont", "Schlick (Dupont)", "Schlick (Dupont)", {0.000f, -23.951f, -6.843f, 10.265f, -13.686f, 3.422f, -20.529f, -3.422f, -6.843f, -10.265f, 6.843f, -17.108f}, 0.0f},
    {"schlickLange", "Schlick (Lange)", "Schlick (Lange)", {0.000f, -14.542f, -4.155f, 6.232f, -8.310f, 2.077f, -12.465f, -2.077f, 0.245f, -6.232f, 4.155f, -10.387f}, 0.0f},
    {"schlickRatte", "Schlick (Ratte)", "Schlick (Ratte)", {0.000f, -11.730f, -3.910f, 3.910f, -7.820f, 1.955f, -9.775f, -1.955f, 0.000f, -5.865f, 1.955f, -9.775f}, 0.0f},
    {"schlickSchugk", "Schlick (Schugk)", "Schlick (Schugk)", {0.000f, -19.159f, -5.474f, 8.211f, -10.948f, 2.737f, -16.422f, -2.737f, -21.896f, -8.211f, 5.474f, -13.685f}, 0.0f},
    {"schlickTessmer", "Schlick (Tessmer)", "Schlick (Tessmer)", {0.000f, -12.219f, -4.887f, 2.444f, -9.775f, 2.444f, -12.219f, -2.444f, -1.466f, -7.331f, 2.444f, -12.219f}, 0.0f},
    {"schlickVogel", "Schlick (Vogel)", "Schlick (Vogel)", {0.000f, -11.826f, -3.914f, 3.950f, -7.820f, 1.952f, -10.775f, -1.955f, 0.224f, -5.865f, 2.953f, -9.775f}, 0.0f},
    {"schneegass1", "Schneegass I (1590)", "Schneegass I (1590)", {0.000f, -24.127f, -6.893f, 10.340f, -13.787f, 3.447f, -20.680f, -3.447f, -27.573f, -10.340f, 6.893f, -17.233f}, 0.0f},
    {"schneegass2", "Schneegass II (1590)", "Schneegass II (1590)", {0.000f, -20.995f, -6.893f, 10.340f, -10.655f, 3.447f, -17.548f, -3.447f, -24.442f, -10.340f, 6.893f, -14.102f}, 0.0f},
    {"schneegass3", "Schneegass III (1590)", "Schneegass III (1590)", {0.000f, -19.218f, -5.928f, 8.108f, -11.647f, 0.907f, -18.774f, -4.040f, -24.661f, -10.198f, 5.458f, -14.517f}, 0.0f},
    {"silbermann-16", "Silbermann (-1/6)", "Silbermann (-1/6)", {0.000f, -11.406f, -3.259f, 4.888f, -6.518f, 1.629f, -9.776f, -1.629f, -13.035f, -4.888f, 3.259f, -8.147f}, 0.0f},
    {"silbermann16", "Silbermann (1/6)", "Silbermann (1/6)", {0.000f, -13.685f, -3.910f, 5.865f, -7.820f, 1.955f, -11.730f, -1.955f, -15.640f, -5.865f, 3.910f, -9.775f}, 0.0f},
    {"sorge", "Sorge", "Sorge", {0.000f, -3.910f, -3.910f, -1.955f, -5.865f, -1.955f, -3.910f, -1.955f, -1.955f, -5.865f, -1.955f, -3.910f}, 0.0f},
    {"stanhope1801", "Stanhope (1801)", "Stanhope (1801)", {0.000f, -9.775f, -3.910f, -5.865f, -15.640f, -1.955f, -11.730f, 1.955f, -7.820f, -9.775f, -3.910f, -13.685f}, 0.0f},
    {"trost1677", "Trost (Johann Caspar, 1677)", "Trost (Johann Caspar, 1677)", {0.000f, -3.421f, 6.843f, -3.421f, 0.000f, 3.421f, 0.000f, -3.421f, -6.842f, 3.421f, 6.842f, -10.264f}, 0.0f},
    {"valotti1754", "Valotti (1754)", "Valotti (1754)", {0.000f, -5.865f, -3.910f, -1.955f, -7.820f, 1.955f, -7.820f, -1.955f, -3.910f, -5.865f, 0.000f, -9.775f}, 0.0f},
    {"vanZwolle", "Van Zwolle", "Van Zwolle", {0.000f, -9.775f, 3.910f, -5.865f, 7.820f, -1.955f, -11.730f, 1.955f, -7.820f, 5.865f, -3.910f, 9.775f}, 0.0f},
    {"veroliOrdinaire", "Veroli (Ordinaire)", "Veroli (Ordinaire)", {0.000f, -19.065f, -6.843f, -11.730f, -13.686f, -1.955f, -19.065f, -3.422f, -17.110f, -10.265f, -5.865f, -17.108f}, 0.0f},
    {"werckmeister1", "Werckmeister I", "Werckmeister I", {0.000f, -9.775f, -7.820f, -5.865f, -9.775f, -1.955f, -11.730f, -3.910f, -7.820f, -11.730f, -3.910f, -7.820f}, 0.0f},
    {"werckmeister2", "Werckmeister II", "Werckmeister II", {0.000f, -17.595f, -3.910f, -5.865f, -7.820f, -1.955f, -11.730f, -5.865f, -15.640f, -9.775f, 3.910f, -13.685f}, 0.0f},
    {"werckmeister3", "Werckmeister III", "Werckmeister III", {0.000f, -3.910f, 3.910f, 0.000f, -3.910f, 3.910f, 0.000f, 1.955f, -7.820f, 0.000f, 1.955f, -1.955f}, 0.0f},
    {"werckmeister4", "Werckmeister IV", "Werckmeister IV", {0.000f, -9.339f, -13.666f, -1.935f, -4.831f, -1.955f, -5.077f, -2.456f, -7.384f, -6.786f, 0.020f, -2.876f}, 0.0f},
    {"wiegleb", "Wiegleb", "Wiegleb", {0.000f, -7.820f, -3.910f, -3.910f, -5.865f, 0.000f, -9.775f, -1.955f, -5.865f, -5.865f, -1.955f, -7.820f}, 0.0f},
    {"wiegleb1790", "Wiegleb (1790)", "Wiegleb (1790)", {0.000f, -8.797f, -5.865f, -4.887f, -8.798f, -0.978f, -10.753f, -2.933f, -6.842f, -8.798f, -2.933f, -9.775f}, 0.0f},
    {"young1", "Young I", "Young I", {0.000f, -6.144f, -4.156f, -2.209f, -8.311f, -0.130f, -8.069f, -2.074f, -4.171f, -6.267f, -0.244f, -8.179f}, 0.0f},
    {"young2", "Young II", "Young II", {0.000f, -5.865f, -3.910f, -1.955f, -7.820f, 0.000f, -7.820f, -1.955f, -3.910f, -5.865f, 0.000f, -7.820f}, 0.0f},
    {"zarlino27", "Zarlino (-2/7)", "Zarlino (-2/7)", {0.000f, -29.328f, -8.379f, 12.569f, -16.759f, 4.190f, -25.138f, -4.190f, -33.517f, -12.569f, 8.379f, -20.948f}, 0.0f},
};
// clang-format on

} // namespace

void ToneScaleCollection::addPredefinedScales() {
    for (std::size_t i = 0; i < std::size(catalogue); ++i) {
        const CatalogueRow& row = catalogue[i];
        if (i < equalRowCount) {
            scales.push_back(std::make_unique<DefaultToneScale>(row.key, row.englishName,
                                                                row.germanName, row.octaveStretch));
            continue;
        }
        const float* v = row.cents;
        scales.push_back(std::make_unique<DefaultToneScale>(
            row.key, row.englishName, row.germanName, v[0], v[1], v[2], v[3], v[4], v[5], v[6],
            v[7], v[8], v[9], v[10], v[11], row.octaveStretch));
    }
}

} // namespace tonvela
