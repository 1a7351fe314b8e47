#include "widgets/ResourceManager.h"
#include "platform/gui/Font.h"
#include "resources/Language.h"

#include <gtest/gtest.h>

#include <set>

namespace tonvela {
namespace {

TEST(ResourceManager, MemberFonts) {
    const ResourceManager rm;
    struct Case {
        FontHandle font;
        int height;
        int weight;
    };
    for (const Case c : {Case{rm.largeFont, 32, FW_BOLD}, Case{rm.mediumFont, 18, FW_BOLD},
                         Case{rm.normalFont, 16, FW_NORMAL}, Case{rm.smallFont, 12, FW_NORMAL}}) {
        ASSERT_NE(c.font, nullptr);
        EXPECT_EQ(fontHeight(c.font), c.height);
        EXPECT_EQ(fontWeight(c.font), c.weight);
    }
    EXPECT_EQ(rm.backgroundBrush, Brush::solid(rgb(142, 147, 245)));
}

TEST(ResourceManager, NamedFontsByExactName) {
    const ResourceManager rm;
    std::set<FontHandle> distinct;
    for (int size : {10, 12, 14, 15, 16, 18, 20, 22, 24}) {
        for (const char* style : {"PLAIN", "BOLD"}) {
            const std::string name = "Arial," + std::to_string(size) + "," + style;
            FontHandle font = rm.getFont(name);
            EXPECT_NE(font, rm.normalFont) << name;
            EXPECT_EQ(fontHeight(font), size) << name;
            EXPECT_EQ(fontWeight(font), std::string(style) == "BOLD" ? FW_BOLD : FW_NORMAL);
            distinct.insert(font);
        }
    }
    EXPECT_EQ(distinct.size(), 18u);
    EXPECT_NE(rm.getFont("Arial,15,BOLD"), rm.getFont("Arial,15,PLAIN"));
    for (const char* unknown :
         {"Arial,11,PLAIN", "arial,15,plain", "Arial,15,Bold", "Arial,15", "", "Arial,15,PLAIN "}) {
        EXPECT_EQ(rm.getFont(unknown), rm.normalFont) << unknown;
    }
}

TEST(ResourceManager, StringsInTheLanguageOfTheRun) {
    const ResourceManager rm;
    overrideLanguage(Language::German);
    const std::string record = rm.loadString(326);
    const std::string remove = rm.loadString(327);
    EXPECT_EQ(record, "Protokollieren"); // a copy: the next load leaves it alone
    EXPECT_EQ(remove, "Entfernen");
    overrideLanguage(Language::English);
    EXPECT_EQ(rm.loadString(325), "Automatic");
    EXPECT_EQ(rm.loadString(1), "");
    resetLanguage();
}

} // namespace
} // namespace tonvela
