#pragma once

#include <string>
#include <string_view>

namespace tonvela {

// The checks a temperament's name passes in the editors, in their order.
enum class NameCheck { Ok, Missing, Used, Semicolon, TooLong };

// The name with the blanks at both ends removed (space, tab, line feed,
// vertical tab, form feed, carriage return).
std::string trimTemperamentName(std::string_view text);

// name: trimmed; used: whether another temperament already has it. A name
// with ";" would split its stored text, one too long would not fit it.
NameCheck checkTemperamentName(const std::string& name, bool used);

} // namespace tonvela
