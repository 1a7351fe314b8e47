#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonvela {

// Number texts that never depend on the process locale: a German locale must
// not turn 440.00 into 440,00. Formats follow the C conversions in the names.
struct NumberText {
    // "%.Nf"; decimals 6 is "%f".
    static std::string fixed(double value, int decimals = 6);
    // "%+.Nf"
    static std::string signedFixed(double value, int decimals);
    // "%g"
    static std::string general(double value);
    // "%d"
    static std::string integer(long long value);

    // The number at the start of the text, blanks before it skipped, as "%f"
    // reads it; nothing for no number, NaN or infinity.
    static std::optional<double> parseReal(std::string_view text);
    // As parseReal, and nothing for a number beyond float's range either.
    static std::optional<float> parseFloat(std::string_view text);
    // As "%d" reads it; nothing for no number or one outside int.
    static std::optional<int> parseInt(std::string_view text);
};

} // namespace tonvela
