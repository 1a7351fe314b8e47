#include "support/Locale.h"

#include <clocale>

namespace tonvela::test {

std::string missingLocale(const char* name) {
    return std::string("locale ") + name + " is not installed (the set-up script generates it)";
}

LocaleScope::LocaleScope(const char* name) {
    const char* current = std::setlocale(LC_ALL, nullptr);
    previous = current ? current : "C";
    isActive = std::setlocale(LC_ALL, name) != nullptr;
}

LocaleScope::~LocaleScope() {
    if (isActive)
        std::setlocale(LC_ALL, previous.c_str());
}

} // namespace tonvela::test
