#include "tuning/StringTokenizer.h"

namespace tonvela {

StringTokenizer::StringTokenizer(const std::string& text, const std::string& delimiter)
    : text(text), delimiter(delimiter) {}

std::string StringTokenizer::nextToken() {
    if (position > text.size())
        return std::string();
    std::size_t place = text.find(delimiter, position);
    if (place == std::string::npos)
        place = text.size();
    std::string token = text.substr(position, place - position);
    // A delimiter of several characters is skipped whole.
    position = place + (delimiter.empty() ? 1 : delimiter.size());
    return token;
}

} // namespace tonvela
