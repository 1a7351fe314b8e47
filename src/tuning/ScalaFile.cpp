#include "tuning/ScalaFile.h"

#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"
#include "runtime/Utf16.h"
#include "tuning/FullToneScale.h"
#include "tuning/ScaleLimits.h"
#include "tuning/TemperamentName.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace tonvela {

namespace {

constexpr int NOTES = 12;
constexpr std::int64_t MAX_TERM = 2147483647;

struct Line {
    int number;
    std::string_view text;
};

// The lines of the file without their ends (LF or CRLF), comments left out.
std::vector<Line> contentLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() == '!')
            continue;
        lines.push_back({number, line});
    }
    return lines;
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// A whole number of digits, at most 2^31 - 1; nothing for anything else.
std::optional<std::int64_t> term(std::string_view digits) {
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > MAX_TERM)
        return std::nullopt;
    return value;
}

enum class PitchProblem { None, NotAPitch, BadRatio };

// One pitch line as cents above 1/1: the value at the start of the line
// (after blanks), whatever follows it ignored.
PitchProblem parsePitch(std::string_view line, double& cents) {
    const std::string_view text = skipBlanks(line);
    std::size_t length = 0;
    while (length < text.size() &&
           std::string_view("0123456789+-./").find(text[length]) != std::string_view::npos)
        ++length;
    const std::string_view value = text.substr(0, length);
    if (value.find('.') != std::string_view::npos) {
        const std::optional<double> parsed = NumberText::parseReal(value);
        if (!parsed)
            return PitchProblem::NotAPitch;
        cents = *parsed;
        return PitchProblem::None;
    }
    if (value.empty() || value.find_first_of("0123456789") == std::string_view::npos)
        return PitchProblem::NotAPitch;
    const std::size_t slash = value.find('/');
    const std::optional<std::int64_t> numerator = term(value.substr(0, slash));
    const std::optional<std::int64_t> denominator = slash == std::string_view::npos
                                                        ? std::optional<std::int64_t>(1)
                                                        : term(value.substr(slash + 1));
    // Signs, a second slash, zero and terms beyond 2^31 - 1 all land here.
    if (!numerator || !denominator || *numerator == 0 || *denominator == 0)
        return PitchProblem::BadRatio;
    cents = 1200.0 * std::log2(static_cast<double>(*numerator) / static_cast<double>(*denominator));
    return PitchProblem::None;
}

ScalaImport failure(int line, int messageId, std::string argument1 = {},
                    std::string argument2 = {}) {
    ScalaImport result;
    result.line = line;
    result.messageId = messageId;
    result.argument1 = std::move(argument1);
    result.argument2 = std::move(argument2);
    return result;
}

bool validUtf8(std::string_view text) {
    const std::string back = Utf16::toUtf8(Utf16::fromUtf8(text));
    return back == text;
}

// Cents as the file gets them: five decimals, no exponent, a point always.
std::string centsText(double cents) {
    std::string text = NumberText::fixed(cents, 5);
    if (text == "-0.00000")
        text = "0.00000";
    return text;
}

} // namespace

std::string ScalaFile::nameFromDescription(std::string_view description) {
    std::string name =
        validUtf8(description) ? std::string(description) : Utf16::fromAnsi(description);
    for (char& c : name)
        if (c == ';')
            c = ',';
    name = trimTemperamentName(name);
    std::u16string wide = Utf16::fromUtf8(name);
    if (wide.size() > static_cast<std::size_t>(MAX_TEMPERAMENT_NAME)) {
        wide.resize(MAX_TEMPERAMENT_NAME);
        // Never half a surrogate pair.
        if (!wide.empty() && wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
            wide.pop_back();
        name = trimTemperamentName(Utf16::toUtf8(wide));
    }
    return name;
}

ScalaImport ScalaFile::parse(std::string_view text) {
    const std::vector<Line> lines = contentLines(text);
    if (lines.size() < 2)
        return failure(lines.empty() ? 1 : lines[0].number + 1, IDS_SCALA_NO_COUNT);
    const Line& countLine = lines[1];
    const std::optional<int> count = NumberText::parseInt(countLine.text);
    if (!count)
        return failure(countLine.number, IDS_SCALA_NO_COUNT);
    if (*count != NOTES)
        return failure(countLine.number, IDS_SCALA_NOT_TWELVE, NumberText::integer(*count));
    // Each line read is checked before a short file is reported, so a bad
    // value is named where it stands.
    const int available = static_cast<int>(std::min<std::size_t>(lines.size() - 2, NOTES));
    double pitches[NOTES];
    for (int i = 0; i < available; ++i) {
        const Line& line = lines[2 + i];
        switch (parsePitch(line.text, pitches[i])) {
        case PitchProblem::None:
            break;
        case PitchProblem::NotAPitch:
            return failure(line.number, IDS_SCALA_BAD_PITCH);
        case PitchProblem::BadRatio:
            return failure(line.number, IDS_SCALA_BAD_RATIO);
        }
    }
    if (available < NOTES)
        return failure(countLine.number, IDS_SCALA_TOO_FEW, NumberText::integer(available),
                       NumberText::integer(NOTES));
    // The last pitch is the octave; a stretched one becomes the stretch.
    const double octave = pitches[NOTES - 1];
    const double stretch = octave - 1200.0;
    if (!(std::fabs(stretch) <= MAX_SIMPLE_CENTS))
        return failure(lines[2 + NOTES - 1].number, IDS_SCALA_BAD_OCTAVE);

    ScalaImport result;
    result.description = std::string(lines[0].text);
    result.scale.setNames(nameFromDescription(lines[0].text));
    result.scale.setOctaveStretch(static_cast<float>(stretch));
    result.scale.setCents(0, 0.0f);
    for (int i = 1; i < NOTES; ++i) {
        // Against the equal temperament whose octave is the file's octave.
        const double deviation = pitches[i - 1] - i * octave / NOTES;
        if (!(std::fabs(deviation) <= MAX_SIMPLE_CENTS))
            return failure(lines[2 + i - 1].number, IDS_SCALA_OUT_OF_RANGE);
        result.scale.setCents(i, static_cast<float>(deviation));
    }
    result.ok = true;
    return result;
}

std::string ScalaFile::errorMessage(const ScalaImport& result) {
    std::string message = loadString(result.messageId);
    const auto replace = [&message](std::string_view marker, const std::string& by) {
        const std::size_t at = message.find(marker);
        if (at != std::string::npos)
            message.replace(at, marker.size(), by);
    };
    replace("%1", result.argument1);
    replace("%2", result.argument2);
    std::string line = loadString(IDS_SCALA_LINE);
    const std::size_t at = line.find("%1");
    if (at != std::string::npos)
        line.replace(at, 2, NumberText::integer(result.line));
    return line + message;
}

std::string ScalaFile::format(const ToneScale& scale, const std::string& fileName) {
    // Notes C to C of one octave, in cents against equal temperament, and
    // that octave's size.
    double values[NOTES + 1];
    double octave;
    std::string origin;
    if (scale.isSimple()) {
        octave = 1200.0 + scale.getOctaveStretch();
        for (int i = 0; i < NOTES; ++i)
            values[i] = scale.getCents(i);
        values[NOTES] = values[0];
    } else {
        constexpr int c4 = 48;
        for (int i = 0; i <= NOTES; ++i)
            values[i] = scale.getCents(c4 + i);
        octave = 1200.0;
        origin = "! The notes C4 to C5 of a full temperament.\n";
    }
    std::string text = "! " + fileName + "\n!\n";
    text += origin;
    text += scale.getEnglishName() + "\n " + NumberText::integer(NOTES) + "\n!\n";
    for (int i = 1; i <= NOTES; ++i) {
        const double cents = i * octave / NOTES + values[i] - values[0];
        text += ' ';
        text += (i == NOTES && cents == 1200.0) ? std::string("2/1") : centsText(cents);
        text += '\n';
    }
    return text;
}

} // namespace tonvela
