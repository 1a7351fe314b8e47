#pragma once

namespace tonvela {

// The user-interface language, fixed for the run.
enum class Language { English, German };

// The language of this run. The first call decides it: "language" of the
// settings section "settings" when it is "de" or "en"; otherwise the system
// locale decides (German when LC_ALL, LC_MESSAGES or LANG, the first one set,
// starts with "de") and the decision is written back. Open the settings root
// before the first call.
Language uiLanguage();
bool isGermanLanguage();

// Forces the language for this run without touching the stored setting (the
// command-line tool's --language).
void overrideLanguage(Language language);
// Forgets the decision so that the next uiLanguage() decides again (tests).
void resetLanguage();

} // namespace tonvela
