#include "runtime/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace tonvela {

namespace {

std::string toChars(double value, std::chars_format format, int precision, bool plus) {
    char buffer[400];
    char* begin = buffer;
    if (plus && !std::signbit(value))
        *begin++ = '+';
    const auto result = std::to_chars(begin, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

// Skips the blanks before a number and reads its sign, as scanf does.
std::string_view skipToNumber(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return text.substr(i);
}

} // namespace

std::string NumberText::fixed(double value, int decimals) {
    return toChars(value, std::chars_format::fixed, decimals, false);
}

std::string NumberText::signedFixed(double value, int decimals) {
    return toChars(value, std::chars_format::fixed, decimals, true);
}

std::string NumberText::general(double value) {
    return toChars(value, std::chars_format::general, 6, false);
}

std::string NumberText::integer(long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> NumberText::parseReal(std::string_view text) {
    bool negative;
    const std::string_view rest = skipToNumber(text, negative);
    if (rest.empty() || rest[0] == '+' || rest[0] == '-')
        return std::nullopt;
    double value = 0.0;
    const auto result =
        std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<float> NumberText::parseFloat(std::string_view text) {
    if (const std::optional<double> value = parseReal(text))
        if (const float number = static_cast<float>(*value); std::isfinite(number))
            return number;
    return std::nullopt;
}

std::optional<int> NumberText::parseInt(std::string_view text) {
    bool negative;
    const std::string_view rest = skipToNumber(text, negative);
    if (rest.empty() || rest[0] < '0' || rest[0] > '9')
        return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (result.ec != std::errc())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace tonvela
