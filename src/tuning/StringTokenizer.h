#pragma once

#include <cstdint>
#include <string>

namespace tonvela {

// Splits a text at a delimiter, one piece per call. Empty pieces between two
// adjacent delimiters come back as empty texts; after the last piece every
// call gives the empty text.
class StringTokenizer {
public:
    StringTokenizer(const std::string& text, const std::string& delimiter);
    virtual ~StringTokenizer() = default;

    std::string nextToken();

private:
    std::string text;
    std::string delimiter;
    std::size_t position = 0;
};

} // namespace tonvela
