#include "tuning/CustomScaleManager.h"

#include "runtime/NumberText.h"
#include "runtime/Random.h"
#include "runtime/Utf16.h"
#include "state/Settings.h"
#include "tuning/StringTokenizer.h"
#include "tuning/ToneScaleCollection.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tonvela {

namespace {

// A stored text beyond this is not one the program wrote; names longer than
// any editor buffer still fit easily.
constexpr std::size_t maxTextLength = 65536;
// No temperament lies an octave away from equal temperament; a larger value is
// a damaged entry and would give infinite target frequencies.
constexpr double maxCents = 1200.0;

// The store gives an empty text both for a missing value and for one too long
// to read, so an empty entry is skipped like a damaged one and the entries after
// it still load. So many in a row mean the list has ended: an absurd count then
// costs nothing.
constexpr int maxMissingInARow = 64;

constexpr int simpleFieldCount = 2 + 12 + 1;
constexpr int fullFieldCount = 2 + FullToneScale::NOTE_COUNT;

// A cent value as "%f" reads it, refused when it is no finite number within
// one octave.
std::optional<float> parseCents(const std::string& token) {
    const std::optional<double> value = NumberText::parseReal(token);
    if (!value || std::fabs(*value) > maxCents)
        return std::nullopt;
    return static_cast<float>(*value);
}

// "inf", "nan" and their kin, which the number conversion refuses like any
// other text but which mark a damaged entry rather than a missing value.
bool namesNonFinite(const std::string& token) {
    std::size_t i = token.find_first_not_of(" \t\n\v\f\r");
    if (i != std::string::npos && (token[i] == '+' || token[i] == '-'))
        ++i;
    if (i == std::string::npos || token.size() < i + 3)
        return false;
    std::string head = token.substr(i, 3);
    for (char& c : head)
        c = static_cast<char>(c | 0x20);
    return head == "inf" || head == "nan";
}

// A semicolon in a name splits the text into more fields than its format has.
int fieldCount(const std::string& text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), ';'));
}

// Key and names from the first two fields; the id must start with an integer.
bool parseHead(StringTokenizer& tokens, std::string& id, std::string& name) {
    id = tokens.nextToken();
    if (id.empty() || !NumberText::parseInt(id))
        return false;
    name = tokens.nextToken();
    return !name.empty();
}

// Reads up to `count` cent values into the scale; an empty token ends them
// (the rest stay 0). False for a value that is not a number. The number read.
template <typename Scale>
std::optional<int> parseValues(StringTokenizer& tokens, int count, Scale& scale) {
    int taken = 0;
    for (; taken < count; ++taken) {
        const std::string token = tokens.nextToken();
        if (token.empty())
            break;
        const std::optional<float> value = parseCents(token);
        if (!value)
            return std::nullopt;
        scale.setCents(taken, *value);
    }
    return taken;
}

// Case-sensitive and without locale: names compare as 16-bit code units.
template <typename Scale> void sortByEnglishName(std::vector<Scale>& list) {
    std::stable_sort(list.begin(), list.end(), [](const Scale& a, const Scale& b) {
        return Utf16::fromUtf8(a.getEnglishName()) < Utf16::fromUtf8(b.getEnglishName());
    });
}

} // namespace

CustomScaleManager::CustomScaleManager(ToneScaleCollection& scales) : toneScales(scales) {
    load();
}

CustomScaleManager::~CustomScaleManager() = default;

void CustomScaleManager::load() {
    srandFromTime();
    simpleScales.clear();
    fullScales.clear();
    Settings settings("Tempr");
    const int count = settings.readInt("count", 0);
    int missing = 0;
    for (int i = 0; i < count && missing < maxMissingInARow; ++i) {
        const std::string text = settings.readString("tempr_" + NumberText::integer(i), "");
        missing = text.empty() ? missing + 1 : 0;
        DefaultToneScale scale("c_", std::string(), std::string(), 0.0f);
        if (!text.empty() && parseSimpleScale(text, scale))
            simpleScales.push_back(scale);
    }
    const int fullCount = settings.readInt("fullCount", 0);
    missing = 0;
    for (int i = 0; i < fullCount && missing < maxMissingInARow; ++i) {
        const std::string text = settings.readString("ftempr_" + NumberText::integer(i), "");
        missing = text.empty() ? missing + 1 : 0;
        FullToneScale scale("f_", std::string(), std::string());
        if (!text.empty() && parseFullScale(text, scale))
            fullScales.push_back(scale);
    }
}

void CustomScaleManager::save() const {
    Settings settings("Tempr");
    settings.writeInt("count", static_cast<int>(simpleScales.size()));
    for (std::size_t i = 0; i < simpleScales.size(); ++i)
        settings.writeString("tempr_" + NumberText::integer(static_cast<long long>(i)),
                             formatSimpleScale(simpleScales[i]));
    settings.writeInt("fullCount", static_cast<int>(fullScales.size()));
    for (std::size_t i = 0; i < fullScales.size(); ++i)
        settings.writeString("ftempr_" + NumberText::integer(static_cast<long long>(i)),
                             formatFullScale(fullScales[i]));
}

void CustomScaleManager::setTemperaments(const std::vector<DefaultToneScale>& simple,
                                         const std::vector<FullToneScale>& full) {
    simpleScales = simple;
    fullScales = full;
    sortByEnglishName(simpleScales);
    sortByEnglishName(fullScales);
    toneScales.setCustomScales(simpleScales, fullScales);
}

std::string CustomScaleManager::formatSimpleScale(const DefaultToneScale& scale) {
    std::string text = scale.getKey().substr(std::min<std::size_t>(2, scale.getKey().size()));
    text += ';';
    text += scale.getEnglishName();
    for (int i = 0; i < 12; ++i) {
        text += ';';
        text += NumberText::fixed(scale.getCents(i), 3);
    }
    text += ';';
    text += NumberText::fixed(scale.getOctaveStretch(), 3);
    return text;
}

std::string CustomScaleManager::formatFullScale(const FullToneScale& scale) {
    std::string text = scale.getKey().substr(std::min<std::size_t>(2, scale.getKey().size()));
    text += ';';
    text += scale.getEnglishName();
    for (int i = 0; i < FullToneScale::NOTE_COUNT; ++i) {
        text += ';';
        text += NumberText::fixed(scale.getCents(i), 2);
    }
    return text;
}

bool CustomScaleManager::parseSimpleScale(const std::string& text, DefaultToneScale& scale) {
    if (text.size() > maxTextLength || fieldCount(text) > simpleFieldCount)
        return false;
    StringTokenizer tokens(text, ";");
    std::string id, name;
    if (!parseHead(tokens, id, name))
        return false;
    // Fields a shorter text lacks stay 0.
    DefaultToneScale parsed("c_" + id, name, name, 0.0f);
    const std::optional<int> taken = parseValues(tokens, 12, parsed);
    if (!taken)
        return false;
    if (*taken == 12) {
        const std::string token = tokens.nextToken();
        if (!token.empty()) {
            // An unreadable stretch counts as none; a number beyond reason marks
            // the entry as damaged.
            const std::optional<double> stretch = NumberText::parseReal(token);
            if ((stretch && std::fabs(*stretch) > maxCents) || namesNonFinite(token))
                return false;
            parsed.setOctaveStretch(stretch ? static_cast<float>(*stretch) : 0.0f);
        }
    }
    scale = parsed;
    return true;
}

bool CustomScaleManager::parseFullScale(const std::string& text, FullToneScale& scale) {
    if (text.size() > maxTextLength || fieldCount(text) > fullFieldCount)
        return false;
    StringTokenizer tokens(text, ";");
    std::string id, name;
    if (!parseHead(tokens, id, name))
        return false;
    FullToneScale parsed("f_" + id, name, name);
    if (!parseValues(tokens, FullToneScale::NOTE_COUNT, parsed))
        return false;
    scale = parsed;
    return true;
}

} // namespace tonvela
