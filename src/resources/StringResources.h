#pragma once

#include <string>

namespace tonvela {

// String resource id in the user-interface language, UTF-8; empty for an
// unknown id.
std::string loadString(int id);
// The same text in a given language, whatever the run's language.
std::string loadString(int id, bool german);

} // namespace tonvela
