#pragma once

#include <string>
#include <vector>

namespace tonvela::cli {

// Takes "--language en|de" out of args, opens the settings root and fixes the
// interface language: the option for this run only, else the start-up rule.
// false with a message on stderr for a bad value.
bool setUpLanguage(std::vector<std::string>& args);

// Pitch class 0..11 of a note name in English or German spelling ("Eb",
// "es", "B#"), or -1.
int parseKeynote(const std::string& name);
// A number written whole ("440", "-3.5", "1e2"); false for anything else.
bool parseWholeNumber(const std::string& text, double& value);

} // namespace tonvela::cli
