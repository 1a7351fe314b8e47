#include "resources/Language.h"
#include "platform/store/Settings.h"
#include "resources/StringResources.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace tonvela {
namespace {

const char* const localeVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

// A fresh settings store and the locale variables as each case sets them;
// the environment is put back afterwards.
class LanguageRule : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(localeVariables[i]);
            saved[i] = value ? std::optional<std::string>(value) : std::nullopt;
        }
        resetLanguage();
    }
    void TearDown() override {
        for (int i = 0; i < 3; ++i) {
            if (saved[i])
                setenv(localeVariables[i], saved[i]->c_str(), 1);
            else
                unsetenv(localeVariables[i]);
        }
        resetLanguage();
    }
    void freshStore() {
        dir = std::make_unique<test::TempDir>();
        setenv("TONVELA_CONFIG_DIR", dir->path().c_str(), 1);
        ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    }
    static void setLocale(const char* lcAll, const char* lcMessages, const char* lang) {
        const char* values[] = {lcAll, lcMessages, lang};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                setenv(localeVariables[i], values[i], 1);
            else
                unsetenv(localeVariables[i]);
        }
    }
    static std::string storedLanguage() {
        return Settings("settings").readString("language", "<unset>");
    }

    std::optional<std::string> saved[3];
    std::unique_ptr<test::TempDir> dir;
};

TEST_F(LanguageRule, StoredChoiceOrSystemLocale) {
    struct Case {
        const char* stored; // nullptr: never chosen
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language language;
        const char* afterwards;
    };
    const Case cases[] = {
        {"de", nullptr, nullptr, "en_US.UTF-8", Language::German, "de"},
        {"en", nullptr, nullptr, "de_DE.UTF-8", Language::English, "en"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", Language::German, "de"},
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", Language::English, "en"},
        {nullptr, nullptr, nullptr, nullptr, Language::English, "en"},
        {"fr", nullptr, nullptr, "de_AT.UTF-8", Language::German, "de"},
        {"DE", nullptr, nullptr, "C", Language::English, "en"},
        {"", nullptr, nullptr, "de_CH", Language::German, "de"},
        {nullptr, "C.UTF-8", nullptr, "de_DE.UTF-8", Language::English, "en"},
        {nullptr, "de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", Language::German, "de"},
        {nullptr, nullptr, "de_DE.UTF-8", "en_US.UTF-8", Language::German, "de"},
        {nullptr, "", "", "de_DE.UTF-8", Language::German, "de"},
        {nullptr, nullptr, nullptr, "fr_FR.UTF-8", Language::English, "en"},
    };
    for (const Case& c : cases) {
        freshStore();
        if (c.stored)
            Settings("settings").writeString("language", c.stored);
        setLocale(c.lcAll, c.lcMessages, c.lang);
        resetLanguage();
        const std::string label = std::string(c.stored ? c.stored : "<unset>") +
                                  " LC_ALL=" + (c.lcAll ? c.lcAll : "-") +
                                  " LANG=" + (c.lang ? c.lang : "-");
        EXPECT_EQ(uiLanguage(), c.language) << label;
        EXPECT_EQ(isGermanLanguage(), c.language == Language::German) << label;
        EXPECT_EQ(storedLanguage(), c.afterwards) << label;
    }
}

TEST_F(LanguageRule, DecidedOncePerRun) {
    freshStore();
    setLocale(nullptr, nullptr, "de_DE.UTF-8");
    EXPECT_EQ(uiLanguage(), Language::German);
    Settings("settings").writeString("language", "en");
    setLocale(nullptr, nullptr, "en_US.UTF-8");
    EXPECT_EQ(uiLanguage(), Language::German);
    EXPECT_EQ(loadString(300), "c");
    resetLanguage();
    EXPECT_EQ(uiLanguage(), Language::English);
    EXPECT_EQ(loadString(300), "C");
}

TEST_F(LanguageRule, OverrideWritesNothing) {
    freshStore();
    setLocale(nullptr, nullptr, "en_US.UTF-8");
    overrideLanguage(Language::German);
    EXPECT_EQ(uiLanguage(), Language::German);
    EXPECT_EQ(storedLanguage(), "<unset>");
    overrideLanguage(Language::English);
    EXPECT_EQ(uiLanguage(), Language::English);
    EXPECT_EQ(storedLanguage(), "<unset>");
}

TEST_F(LanguageRule, WithoutAStoreTheLocaleStillDecides) {
    dir = std::make_unique<test::TempDir>();
    const std::string blocked = dir->file("not-a-directory");
    FILE* file = std::fopen(blocked.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    setenv("TONVELA_CONFIG_DIR", blocked.c_str(), 1);
    Settings::openRoot("Tonvela"); // fails: a file stands where the directory should be
    setLocale(nullptr, nullptr, "de_DE.UTF-8");
    EXPECT_EQ(uiLanguage(), Language::German);
}

} // namespace
} // namespace tonvela
