#include "resources/Language.h"

#include "platform/store/Settings.h"

#include <cstdlib>
#include <mutex>
#include <string>

namespace tonvela {

namespace {

std::mutex languageLock;
bool decided = false;
Language current = Language::English;

// The locale the environment names for messages, as the C library resolves
// it: LC_ALL, then LC_MESSAGES, then LANG; an empty variable counts as unset.
bool systemLocaleIsGerman() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::string(value).rfind("de", 0) == 0;
    }
    return false;
}

Language decide() {
    Settings settings("settings");
    const std::string stored = settings.readString("language", "xx");
    if (stored == "de")
        return Language::German;
    if (stored == "en")
        return Language::English;
    const bool german = systemLocaleIsGerman();
    settings.writeString("language", german ? "de" : "en");
    return german ? Language::German : Language::English;
}

} // namespace

Language uiLanguage() {
    std::lock_guard<std::mutex> guard(languageLock);
    if (!decided) {
        current = decide();
        decided = true;
    }
    return current;
}

bool isGermanLanguage() {
    return uiLanguage() == Language::German;
}

void overrideLanguage(Language language) {
    std::lock_guard<std::mutex> guard(languageLock);
    current = language;
    decided = true;
}

void resetLanguage() {
    std::lock_guard<std::mutex> guard(languageLock);
    decided = false;
    current = Language::English;
}

} // namespace tonvela
