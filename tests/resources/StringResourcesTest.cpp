#include "resources/StringResources.h"
#include "resources/Language.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

TEST(StringResources, NoteNamesInBothLanguages) {
    const char* english[] = {"C",  "C#", "Db", "D",  "D#", "Eb", "E",  "F",  "F#", "Gb", "G", "G#",
                             "Ab", "A",  "A#", "Bb", "B",  "Cb", "Cx", "Fx", "B#", "E#", "Fb"};
    const char* german[] = {"c",   "cis", "des",   "d",     "dis", "es",  "e",   "f",
                            "fis", "ges", "g",     "gis",   "as",  "a",   "ais", "b",
                            "h",   "ces", "cisis", "fisis", "his", "eis", "fes"};
    for (int i = 0; i < 23; ++i) {
        EXPECT_EQ(loadString(300 + i, false), english[i]) << 300 + i;
        EXPECT_EQ(loadString(300 + i, true), german[i]) << 300 + i;
    }
}

TEST(StringResources, CurrentLanguageAndUnknownIds) {
    overrideLanguage(Language::German);
    EXPECT_EQ(loadString(316), "h");
    EXPECT_EQ(loadString(327), "Entfernen");
    EXPECT_EQ(loadString(329), "Protokoll L\xC3\xB6schen"); // UTF-8
    overrideLanguage(Language::English);
    const std::string first = loadString(316);
    const std::string second = loadString(327);
    EXPECT_EQ(first, "B"); // a copy: the next call leaves it alone
    EXPECT_EQ(second, "Remove");
    for (int id : {0, -1, 299, 323, 328, 100000})
        EXPECT_EQ(loadString(id), "") << id;
    resetLanguage();
}

TEST(StringResources, EveryIdExistsInBothTables) {
    for (int id = 0; id < 1000; ++id)
        EXPECT_EQ(loadString(id, false).empty(), loadString(id, true).empty()) << id;
}

} // namespace
} // namespace tonvela
