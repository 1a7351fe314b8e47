#include "tuning/TemperamentName.h"

#include "runtime/Utf16.h"
#include "tuning/ScaleLimits.h"

namespace tonvela {

std::string trimTemperamentName(std::string_view text) {
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

NameCheck checkTemperamentName(const std::string& name, bool used) {
    if (name.empty())
        return NameCheck::Missing;
    if (used)
        return NameCheck::Used;
    if (name.find(';') != std::string::npos)
        return NameCheck::Semicolon;
    if (Utf16::fromUtf8(name).size() > static_cast<std::size_t>(MAX_TEMPERAMENT_NAME))
        return NameCheck::TooLong;
    return NameCheck::Ok;
}

} // namespace tonvela
