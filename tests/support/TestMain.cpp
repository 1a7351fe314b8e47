// Every test process gets its own settings directory and runtime directory,
// so no test ever reads or writes the user's real settings.
//
// TONVELA_TEST_LOCALE (set by ctest) names the locale the tests run in: every
// test starts in it, and the programs they run get it from the environment
// for every category but the messages, which would switch the interface to
// German where the tests expect English (the German texts have tests of
// their own). Without that locale the tests are skipped, as the locale tests
// themselves are.
#include "support/Locale.h"
#include "support/TempDir.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

class LocaleEnvironment : public ::testing::Environment {
public:
    explicit LocaleEnvironment(std::string name) : name(std::move(name)) {}
    void SetUp() override {
        if (!std::setlocale(LC_ALL, name.c_str()))
            GTEST_SKIP() << tonvela::test::missingLocale(name.c_str());
    }

private:
    std::string name;
};

// A test that changed the locale leaves none of that to the next one.
class LocaleListener : public ::testing::EmptyTestEventListener {
public:
    explicit LocaleListener(std::string name) : name(std::move(name)) {}
    void OnTestStart(const ::testing::TestInfo&) override { std::setlocale(LC_ALL, name.c_str()); }

private:
    std::string name;
};

} // namespace

int main(int argc, char** argv) {
    tonvela::test::TempDir processDir;
    const std::string config = processDir.file("config");
    const std::string runtime = processDir.file("runtime");
    setenv("TONVELA_CONFIG_DIR", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", processDir.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    const char* locale = std::getenv("TONVELA_TEST_LOCALE");
    if (locale && *locale) {
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "C.UTF-8", 1);
        for (const char* category :
             {"LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY"})
            setenv(category, locale, 1);
        // gtest takes ownership of both.
        ::testing::AddGlobalTestEnvironment(new LocaleEnvironment(locale));
        ::testing::UnitTest::GetInstance()->listeners().Append(new LocaleListener(locale));
    }
    return RUN_ALL_TESTS();
}
