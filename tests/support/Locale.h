#pragma once

#include <string>

namespace tonvela::test {

// The locale with a decimal comma that number texts are proven against; the
// set-up script generates it. Where it is missing, the tests that need it are
// skipped with missingLocale() as the reason.
constexpr const char* DECIMAL_COMMA_LOCALE = "de_DE.UTF-8";

std::string missingLocale(const char* name);

// Sets the C library's locale while it lives and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const char* name);
    ~LocaleScope();
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    // False when the locale is not installed (the old one then stays).
    bool active() const { return isActive; }

private:
    std::string previous;
    bool isActive = false;
};

} // namespace tonvela::test
