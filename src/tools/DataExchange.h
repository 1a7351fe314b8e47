#pragma once

#include <string>
#include <string_view>

namespace tonvela {

// Number parsing the dialogs use: the number at the start of the text
// (leading blanks skipped, sign taken, anything after it ignored, at most
// 400 characters read), through the project's locale-free number helper.
enum class ExchangeStatus { Ok, NotANumber, OutOfRange };
struct FloatExchange {
    ExchangeStatus status;
    float value;
};
struct DoubleExchange {
    ExchangeStatus status;
    double value;
};
struct IntExchange {
    ExchangeStatus status;
    int value;
};

// The most characters of a control's text the exchange reads.
inline constexpr std::size_t ExchangeTextLimit = 400;

FloatExchange exchangeFloat(std::string_view text);                       // "%f"
FloatExchange exchangeFloat(std::string_view text, float min, float max); // inclusive range
DoubleExchange exchangeDouble(std::string_view text);                     // "%lf"
DoubleExchange exchangeDouble(std::string_view text, double min, double max);
IntExchange exchangeInt(std::string_view text); // "%d"
IntExchange exchangeInt(std::string_view text, int min, int max);

// The message for a failed exchange, in the current language:
// "Enter a number." / "Enter a number between %1 and %2." with the bounds
// formatted as the validation always did ("%.6g" for float, "%.15g" for
// double, "%d" for int; never the process locale). Empty for Ok.
std::string exchangeMessage(const FloatExchange& result, float min, float max);
std::string exchangeMessage(const DoubleExchange& result, double min, double max);
std::string exchangeMessage(const IntExchange& result, int min, int max);
// Without a range: "Enter a number." for a failure, empty for Ok.
std::string exchangeMessage(ExchangeStatus status);

} // namespace tonvela
