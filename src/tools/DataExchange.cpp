#include "tools/DataExchange.h"

#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tonvela {

namespace {

std::string_view limited(std::string_view text) {
    return text.substr(0, std::min(text.size(), ExchangeTextLimit));
}

// "%.Ng", the form the range message gives its bounds in.
std::string boundText(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

std::string rangeMessage(const std::string& min, const std::string& max) {
    std::string text = loadString(IDS_ENTER_NUMBER_BETWEEN);
    const auto replace = [&text](std::string_view marker, const std::string& by) {
        const std::size_t at = text.find(marker);
        if (at != std::string::npos)
            text.replace(at, marker.size(), by);
    };
    replace("%1", min);
    replace("%2", max);
    return text;
}

// Blanks, a sign and a digit: what "%d" takes for the start of a number.
bool startsWithDigits(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

} // namespace

FloatExchange exchangeFloat(std::string_view text) {
    if (const std::optional<float> value = NumberText::parseFloat(limited(text)))
        return {ExchangeStatus::Ok, *value};
    return {ExchangeStatus::NotANumber, 0.0f};
}

FloatExchange exchangeFloat(std::string_view text, float min, float max) {
    const std::optional<double> value = NumberText::parseReal(limited(text));
    if (!value)
        return {ExchangeStatus::NotANumber, 0.0f};
    const float narrowed = static_cast<float>(*value);
    if (!std::isfinite(narrowed) || narrowed < min || narrowed > max)
        return {ExchangeStatus::OutOfRange, 0.0f};
    return {ExchangeStatus::Ok, narrowed};
}

DoubleExchange exchangeDouble(std::string_view text) {
    const std::optional<double> value = NumberText::parseReal(limited(text));
    if (!value)
        return {ExchangeStatus::NotANumber, 0.0};
    return {ExchangeStatus::Ok, *value};
}

DoubleExchange exchangeDouble(std::string_view text, double min, double max) {
    DoubleExchange result = exchangeDouble(text);
    if (result.status == ExchangeStatus::Ok && (result.value < min || result.value > max))
        result.status = ExchangeStatus::OutOfRange;
    return result;
}

IntExchange exchangeInt(std::string_view text) {
    const std::optional<int> value = NumberText::parseInt(limited(text));
    if (!value)
        return {ExchangeStatus::NotANumber, 0};
    return {ExchangeStatus::Ok, *value};
}

IntExchange exchangeInt(std::string_view text, int min, int max) {
    const std::string_view read = limited(text);
    IntExchange result = exchangeInt(read);
    if (result.status == ExchangeStatus::NotANumber) {
        // Digits too many for an int are a number out of range, not no number.
        if (startsWithDigits(read))
            result.status = ExchangeStatus::OutOfRange;
        return result;
    }
    if (result.value < min || result.value > max)
        result.status = ExchangeStatus::OutOfRange;
    return result;
}

std::string exchangeMessage(ExchangeStatus status) {
    return status == ExchangeStatus::Ok ? std::string() : loadString(IDS_ENTER_NUMBER);
}

std::string exchangeMessage(const FloatExchange& result, float min, float max) {
    if (result.status != ExchangeStatus::OutOfRange)
        return exchangeMessage(result.status);
    return rangeMessage(boundText(min, 6), boundText(max, 6));
}

std::string exchangeMessage(const DoubleExchange& result, double min, double max) {
    if (result.status != ExchangeStatus::OutOfRange)
        return exchangeMessage(result.status);
    return rangeMessage(boundText(min, 15), boundText(max, 15));
}

std::string exchangeMessage(const IntExchange& result, int min, int max) {
    if (result.status != ExchangeStatus::OutOfRange)
        return exchangeMessage(result.status);
    return rangeMessage(NumberText::integer(min), NumberText::integer(max));
}

} // namespace tonvela
