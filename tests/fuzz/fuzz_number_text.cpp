// The locale-free number parser against the C library's conversions in the
// C locale: the same number wherever both read one, except for what the
// parser refuses on purpose (NaN, infinities, hexadecimal floats, numbers
// beyond double or int).
#include "runtime/NumberText.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: '%s'\n", what, text.c_str());
    std::abort();
}

bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Where strtod's number starts: after blanks and a sign.
const char* numberStart(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    if (*text == '+' || *text == '-')
        ++text;
    return text;
}

void checkReal(const std::string& text) {
    const std::optional<double> parsed = tonvela::NumberText::parseReal(text);
    char* end = nullptr;
    errno = 0;
    const double expected = std::strtod(text.c_str(), &end);
    const bool converted = end != text.c_str();
    const bool outOfRange = errno == ERANGE;
    const char* start = numberStart(text.c_str());
    const bool hex = start[0] == '0' && (start[1] == 'x' || start[1] == 'X');
    if (!converted) {
        if (parsed)
            fail("parseReal read a number strtod does not", text);
        return;
    }
    if (hex) {
        // The dialogs read decimal numbers only: "0x10" is the 0 before the x.
        if (parsed && *parsed != 0.0)
            fail("parseReal read a hexadecimal number", text);
        return;
    }
    if (!std::isfinite(expected)) {
        if (parsed)
            fail("parseReal accepted NaN or an infinity", text);
        return;
    }
    if (outOfRange) {
        // Beyond double: refused, or read as the same tiny number.
        if (parsed && !sameDouble(*parsed, expected))
            fail("parseReal differs from strtod beyond the range of double", text);
        return;
    }
    if (!parsed)
        fail("parseReal refused a number strtod reads", text);
    if (!sameDouble(*parsed, expected))
        fail("parseReal differs from strtod", text);
}

void checkInt(const std::string& text) {
    const std::optional<int> parsed = tonvela::NumberText::parseInt(text);
    char* end = nullptr;
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), &end, 10);
    const bool converted = end != text.c_str();
    if (!converted || errno == ERANGE || expected < INT_MIN || expected > INT_MAX) {
        if (parsed)
            fail("parseInt read a number strtoll does not read within int", text);
        return;
    }
    if (!parsed)
        fail("parseInt refused a number strtoll reads", text);
    if (*parsed != expected)
        fail("parseInt differs from strtoll", text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // strtod stops at a NUL byte: compare on the text before it.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text(bytes.substr(0, bytes.find('\0')));
    checkReal(text);
    checkInt(text);
    return 0;
}
