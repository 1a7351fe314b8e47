#include "resources/Language.h"
#include "tuning/ToneScaleCollection.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tonvela {
namespace {

// The catalogue as published: number|key|English name|German name where it
// differs. Double spaces in names are part of them.
const char* const publishedRows =
    R"(1|equal|Equal Tempered, Perfect Octave|Gleichstufige Stimmung, Reine Oktave
2|equal4|Equal Tempered, Perfect Fourth|Gleichstufige Stimmung, Reine Quarte
3|equal5|Equal Tempered, Perfect Fifth|Gleichstufige Stimmung, Reine Quinte
4|equal12|Equal Tempered, Perfect Octave+Fifth|Gleichstufige Stimmung, Reine Oktave+Quinte
5|equalStretch100|Equal Tempered, Streched (1.0 Cent)|Gleichstufig gestreckte Stimmung (1.0 Cent)
6|equalStretch125|Equal Tempered, Streched (1.25 Cent)|Gleichstufig gestreckte Stimmung (1.25 Cent)
7|equalStretch150|Equal Tempered, Streched (1.5 Cent)|Gleichstufig gestreckte Stimmung (1.5 Cent)
8|justSchugk|Just Tempered (Schugk)|Reine Stimmung (Schugk)
9|justBarbour|Just Tempered (Barbour)|Reine Stimmung (Barbour)
10|naturallyHarmoniousThirds|Naturally harmonious (Thirds)|Natürlich Harmonisch (Terzen)
11|naturallyHarmonious|Naturally harmonious|Natürlich Harmonisch
12|pythagorean|Pythagorean|Pythagoreisch
13|pythagoreanPerfect|Pythagorean (Perfect)|Pythagoreisch (Rein)
14|pythagoreanCesE|Pythagorean (Fifth chain Cb - E)|Pythagoreisch (Quintkette ces - e)
15|pythagoreanDesFis|Pythagorean (Fifth chain Db - F#)|Pythagoreisch (Quintkette des - fis)
16|pythagoreanEsEsG|Pythagorean (Fifth chain Ebb - G)|Pythagoreisch (Quintkette eses - g)
17|pythagoreanFesA|Pythagorean (Fifth chain Fb - A)|Pythagoreisch (Quintkette fes - a)
18|pythagoreanFAis|Pythagorean (Fifth chain F - A#)|Pythagoreisch (Quintkette f - ais)
19|pythagoreanGesH|Pythagorean (Fifth chain Gb - B)|Pythagoreisch (Quintkette ges - h)
20|pythagoreanAsCis|Pythagorean (Fifth chain Ab - C#)|Pythagoreisch (Quintkette as - cis)
21|pythagoreanBDis|Pythagorean (Fifth chain Bb - D#)|Pythagoreisch (Quintkette b - dis)
22|meantone|Meantone|Mitteltönig
23|meantoneSharp|Meantone # (-1/4)|Mitteltönig # (-1/4)
24|meantoneFlat|Meantone b (-1/4)|Mitteltönig b (-1/4)
25|meantoneLargeThird|Meantone (-1/4) (LargeThird)|Mitteltönig (-1/4) (Grossterz)
26|meantoneSmallThird|Meantone (Small third)|Mitteltönig (Kleinterz)
27|meantoneHomo|Meantone (Homogeneous)|Mitteltönig (Homogen)
28|meantoneHomoThird|Meantone (Homogeneous third)|Mitteltönig (Homogene Terz)
29|meantoneHomoGradated|Meantone (Homogeneous gradated)|Mitteltönig (Homogen abgestuft)
30|comma17|Comma - Temperament  (1/7)|Komma - Temperatur  (1/7)
31|comma18|Comma - Temperament  (1/8)|Komma - Temperatur  (1/8)
32|comma19|Comma - Temperament  (1/9)|Komma - Temperatur  (1/9)
33|comma29|Comma - Temperament  (2/9)|Komma - Temperatur  (2/9)
34|comma110|Comma - Temperament (1/10)|Komma - Temperatur (1/10)
35|comma311|Comma - Temperament  (3/11)|Komma - Temperatur  (3/11)
36|pComma3|Pythagorei comma (3-Split)|Pythagoreisches Komma (3-Teilung)
37|pComma4|Pythagorei comma (4-Split)|Pythagoreisches Komma (4-Teilung)
38|pComma5|Pythagorei comma (5-Split)|Pythagoreisches Komma (5-Teilung)
39|pComma6|Pythagorei comma (6-Split)|Pythagoreisches Komma (6-Teilung)
40|pComma612|Pythagorei comma (6 & 12-Split)|Pythagoreisches Komma (6 & 12-Teilung)
41|sComma2|Syntonic comma (2-Split)|Syntonisches Komma (2-Teilung)
42|sComma4|Syntonic comma (4-Split)|Syntonisches Komma (4-Teilung)
43|sComma5|Syntonic comma (5-Split)|Syntonisches Komma (5-Teilung)
44|diatonic|Diatonic (Chromatic addition)|Diatonisch (Chromatische Ergänzung)
45|organFreiberg1985|Organ of Freiberg (Silbermann-Orgel, 1985)|Orgel von Freiberg (Silbermann-Orgel, 1985)
46|organFribourg1640|Organ of Fribourg (Manderscheidt-Orgel, 1640)|Orgel von Fribourg (Manderscheidt-Orgel, 1640)
47|organHamburg1993|Organ of Hamburg (Schnitger-Orgel, 1993)|Orgel von Hamburg (Schnitger-Orgel, 1993)
48|organMaihingen1737|Organ of Maihingen (Baumeister-Orgel, 1737)|Orgel von Maihingen (Baumeister-Orgel, 1737)
49|organMuri|Organ of Muri (Evangelien-Orgel)|Orgel von Muri (Evangelien-Orgel)
50|organNiederbobritzsch|Organ of Niederbobritzsch (Göthel-Orgel)|Orgel von Niederbobritzsch (Göthel-Orgel)
51|organWeingarten1750|Organ of Weingarten (Gabler-Orgel, 1750)|Orgel von Weingarten (Gabler-Orgel, 1750)
52|organWeingarten1983|Organ of Weingarten (Gabler-Orgel, 1983)|Orgel von Weingarten (Gabler-Orgel, 1983)
53|agricolaMartin|Agricola (Martin, 1539, 1543, 1545)|
54|ammerbach1571|Ammerbach (1571)|
55|ammerbach1571_1|Ammerbach (1583, Interpretation 1)|
56|ammerbach1571_2|Ammerbach (1583, Interpretation 2)|
57|bachBilleterWell|Bach (Billeter, Well-Tempered)|Bach (Billeter, Wohltemperiert)
58|bachKelletats1966|Bach (Kelletats, 1966)|
59|bachKellnerWell|Bach (Kellner, Well-Tempered)|Bach (Kellner, Wohltemperiert)
60|bachKellner1977|Bach (Kellner, 1977)|
61|bachKlais|Bach (Klais)|
62|barnes1971|Barnes (1971)|
63|barnes1977|Barnes (1977)|
64|bendelerFractions|Bendeler (Fractions)|Bendeler (Brüche)
65|bendeler3|Bendeler III|
66|bermudo1555|Bermudo (1555)|
67|bossart1|Bossart I|
68|bossart2|Bossart II|
69|bossart3|Bossart III|
70|bruder1829|Bruder (1829)|
71|ganassi1543|Ganassi (1543)|
72|goebel1967|Goebel (1967)|
73|grammateus1518|Grammateus (1518)|
74|kelletat1960|Kelletat (1960)|
75|kelletat1966|Kelletat (1966)|
76|kellner|Kellner|
77|kircher|Kircher|
78|kirnberger1_1766|Kirnberger I (1766)|Kirnberger (1766)
79|kirnberger2_1771|Kirnberger II (1771)|
80|kirnberger2_1776|Kirnberger II (1776)|
81|kirnberger3_1779|Kirnberger III (1779)|
82|lambert1774|Lambert (1774)|
83|lublin1540|Lublin (1540)|
84|malcolm1721|Malcolm (Alexander, 1721)|
85|marpurg1|Marpurg I|
86|marpurg2|Marpurg II|
87|marpurg3|Marpurg III|
88|marpurg4|Marpurg IV|
89|marpurg5|Marpurg V|
90|marpurg6|Marpurg VI|
91|marpurg7|Marpurg VII|
92|marpurg8|Marpurg VIII|
93|marpurg9|Marpurg IX|
94|marpurg10|Marpurg X|
95|marpurg11|Marpurg XI|
96|marpurg12|Marpurg XII|
97|meister|Meister|
98|mersenneFractions|Mersenne (Fractions)|Mersenne (Brüche)
99|mersenne1636|Mersenne (Marin, 1636)|
100|neidhardt1724|Neidhardt (1724, Grosse Stadt)|
101|neidhardt1732|Neidhardt (1732, Dorf)|
102|neidthardt1|Neidthardt I|
103|neidthardt2|Neidthardt II|
104|neidthardt3|Neidthardt III|
105|rameau|Rameau|
106|rameau14|Rameau (-1/4)|
107|ramis1482|Ramis de Pareia (1482)|
108|reinhard1604|Reinhard (Andreas, 1604)|
109|rossi15|Rossi (-1/5)|
110|rossi29|Rossi (-2/9)|
111|salinas13|Salinas (-1/3)|
112|schlickBarbour|Schlick (Barbour)|
113|schlickDupont|Schlick (Dupont)|
114|schlickLange|Schlick (Lange)|
115|schlickRatte|Schlick (Ratte)|
116|schlickSchugk|Schlick (Schugk)|
117|schlickTessmer|Schlick (Tessmer)|
118|schlickVogel|Schlick (Vogel)|
119|schneegass1|Schneegass I (1590)|
120|schneegass2|Schneegass II (1590)|
121|schneegass3|Schneegass III (1590)|
122|silbermann-16|Silbermann (-1/6)|
123|silbermann16|Silbermann (1/6)|
124|sorge|Sorge|
125|stanhope1801|Stanhope (1801)|
126|trost1677|Trost (Johann Caspar, 1677)|
127|valotti1754|Valotti (1754)|
128|vanZwolle|Van Zwolle|
129|veroliOrdinaire|Veroli (Ordinaire)|
130|werckmeister1|Werckmeister I|
131|werckmeister2|Werckmeister II|
132|werckmeister3|Werckmeister III|
133|werckmeister4|Werckmeister IV|
134|wiegleb|Wiegleb|
135|wiegleb1790|Wiegleb (1790)|
136|young1|Young I|
137|young2|Young II|
138|zarlino27|Zarlino (-2/7)|)";

struct Row {
    int number;
    std::string key, english, german;
};

std::vector<Row> rows() {
    std::vector<Row> result;
    std::istringstream in(publishedRows);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0, bar;
        while ((bar = line.find('|', start)) != std::string::npos) {
            fields.push_back(line.substr(start, bar - start));
            start = bar + 1;
        }
        fields.push_back(line.substr(start));
        result.push_back({std::stoi(fields[0]), fields[1], fields[2],
                          fields[3].empty() ? fields[2] : fields[3]});
    }
    return result;
}

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { overrideLanguage(Language::English); }
    void TearDown() override { resetLanguage(); }
};

TEST_F(Catalogue, RowsKeysAndNamesInOrder) {
    ToneScaleCollection scales;
    const std::vector<Row> published = rows();
    ASSERT_EQ(published.size(), 138u);
    ASSERT_EQ(scales.getScaleCount(), 138);
    for (const Row& row : published) {
        const ToneScale& scale = *scales.getScale(row.number - 1);
        EXPECT_EQ(scale.getKey(), row.key) << row.number;
        EXPECT_EQ(scale.getEnglishName(), row.english) << row.key;
        EXPECT_EQ(scale.getGermanName(), row.german) << row.key;
    }
}

TEST_F(Catalogue, FactsOfEveryRow) {
    ToneScaleCollection scales;
    std::set<std::string> keys;
    for (int i = 0; i < scales.getScaleCount(); ++i) {
        const ToneScale& scale = *scales.getScale(i);
        const std::string& key = scale.getKey();
        EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
        EXPECT_TRUE(scale.isSimple()) << key;
        EXPECT_NE(key.rfind("c_", 0), 0u) << key;
        EXPECT_NE(key.rfind("f_", 0), 0u) << key;
        EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                        "0123456789_-"),
                  std::string::npos)
            << key;
        EXPECT_EQ(scale.getCents(0), 0.0f) << key;
        for (int pc = 0; pc < 12; ++pc) {
            const float v = scale.getCents(pc);
            EXPECT_GE(v, -41.712f) << key << " " << pc;
            EXPECT_LE(v, 20.529f) << key << " " << pc;
            // Three decimals.
            EXPECT_NEAR(v * 1000.0f, std::round(v * 1000.0f), 2e-3f) << key << " " << pc;
            if (i < 7) {
                EXPECT_EQ(v, 0.0f) << key;
            }
        }
        if (i >= 7) {
            EXPECT_EQ(scale.getOctaveStretch(), 0.0f) << key;
        }
    }
    const float stretches[7] = {0.0f, -4.692002f, 3.35143f, 1.234737f, 1.0f, 1.25f, 1.5f};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(scales.getScale(i)->getOctaveStretch(), stretches[i]) << i;
}

TEST_F(Catalogue, PublishedValues) {
    struct Case {
        const char* key;
        float cents[12];
    };
    const Case cases[] = {
        {"justSchugk",
         {0.000f, -29.327f, 3.910f, 15.641f, -13.686f, -1.955f, -9.777f, 1.955f, 13.686f, -15.641f,
          17.596f, -11.731f}},
        {"pythagorean",
         {0.000f, 13.685f, 3.910f, -5.865f, 7.820f, -1.955f, 11.730f, 1.955f, 15.640f, 5.865f,
          -3.910f, 9.775f}},
        {"meantoneSharp",
         {0.000f, -23.951f, -6.843f, -30.794f, -13.686f, 3.421f, -20.530f, -3.422f, -27.373f,
          -10.265f, -34.216f, -17.108f}},
        {"kirnberger3_1779",
         {0.000f, -9.775f, -6.843f, -5.865f, -13.686f, -1.955f, -9.776f, -3.422f, -7.820f, -10.264f,
          -3.910f, -11.731f}},
        {"valotti1754",
         {0.000f, -5.865f, -3.910f, -1.955f, -7.820f, 1.955f, -7.820f, -1.955f, -3.910f, -5.865f,
          0.000f, -9.775f}},
        {"werckmeister1",
         {0.000f, -9.775f, -7.820f, -5.865f, -9.775f, -1.955f, -11.730f, -3.910f, -7.820f, -11.730f,
          -3.910f, -7.820f}},
        {"werckmeister3",
         {0.000f, -3.910f, 3.910f, 0.000f, -3.910f, 3.910f, 0.000f, 1.955f, -7.820f, 0.000f, 1.955f,
          -1.955f}},
        {"marpurg10",
         {0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f, 0.000f, -1.955f,
          0.000f, -1.955f}},
    };
    ToneScaleCollection scales;
    for (const Case& c : cases) {
        const ToneScale* scale = scales.find(c.key);
        ASSERT_EQ(scale->getKey(), c.key);
        for (int pc = 0; pc < 12; ++pc)
            EXPECT_EQ(scale->getCents(pc), c.cents[pc]) << c.key << " " << pc;
    }
}

// Deviation of the fifth from pitch class pc, in cents beyond an equal fifth.
float fifthDeviation(const ToneScale& scale, int pc) {
    return scale.getCents((pc + 7) % 12) - scale.getCents(pc);
}

// A Pythagorean tuning over a chain of fifths has eleven pure fifths
// (1.955 cents wide of equal) and the wolf from the chain's last note.
TEST_F(Catalogue, PythagoreanChainsHaveElevenPureFifths) {
    struct Case {
        const char* key;
        int wolfFrom; // pitch class of the chain's last note
    };
    const Case cases[] = {
        {"pythagorean", 8},      {"pythagoreanCesE", 4},  {"pythagoreanDesFis", 6},
        {"pythagoreanEsEsG", 7}, {"pythagoreanFesA", 9},  {"pythagoreanFAis", 10},
        {"pythagoreanGesH", 11}, {"pythagoreanAsCis", 1}, {"pythagoreanBDis", 3},
    };
    ToneScaleCollection scales;
    for (const Case& c : cases) {
        const ToneScale& scale = *scales.find(c.key);
        ASSERT_EQ(scale.getKey(), c.key);
        for (int pc = 0; pc < 12; ++pc) {
            if (pc == c.wolfFrom)
                EXPECT_NEAR(fifthDeviation(scale, pc), 1.955f - 23.460f, 2e-3f) << c.key;
            else
                EXPECT_NEAR(fifthDeviation(scale, pc), 1.955f, 2e-3f) << c.key << " " << pc;
        }
    }
}

// Regular meantones: every fifth but the wolf narrowed by the same fraction
// of the syntonic comma (21.506 cents).
TEST_F(Catalogue, RegularMeantonesTemperEveryFifthAlike) {
    struct Case {
        const char* key;
        double fraction;
    };
    const Case cases[] = {
        {"meantoneSharp", 1.0 / 4}, {"meantoneFlat", 1.0 / 4}, {"meantoneSmallThird", 1.0 / 3},
        {"comma17", 1.0 / 7},       {"comma29", 2.0 / 9},      {"zarlino27", 2.0 / 7},
        {"salinas13", 1.0 / 3},     {"rossi15", 1.0 / 5},
    };
    ToneScaleCollection scales;
    for (const Case& c : cases) {
        const ToneScale& scale = *scales.find(c.key);
        ASSERT_EQ(scale.getKey(), c.key);
        const double tempered = 1.955 - c.fraction * 21.506;
        int matching = 0;
        for (int pc = 0; pc < 12; ++pc)
            if (std::fabs(fifthDeviation(scale, pc) - tempered) < 3e-3)
                ++matching;
        EXPECT_EQ(matching, 11) << c.key;
    }
}

} // namespace
} // namespace tonvela
