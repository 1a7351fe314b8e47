#include "support/TestProcess.h"
#include "support/Locale.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tonvela::test {
namespace {

class LocaleEnvironment : public ::testing::Environment {
public:
    explicit LocaleEnvironment(std::string name) : name(std::move(name)) {}
    void SetUp() override {
        if (!std::setlocale(LC_ALL, name.c_str()))
            GTEST_SKIP() << missingLocale(name.c_str());
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

TestProcess::TestProcess(int& argc, char** argv) {
    const std::string config = processDir.file("config");
    setenv("TONVELA_CONFIG_DIR", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", processDir.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
}

} // namespace tonvela::test
