// The user temperaments' stored texts from any bytes: never a crash, and a
// text that parses formats to one that parses to the same temperament and
// formats the same again.
#include "tuning/CustomScaleManager.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: '%s'\n", what, text.c_str());
    std::abort();
}

template <typename Scale>
void checkSame(const Scale& a, const Scale& b, int notes, const std::string& text) {
    if (a.getKey() != b.getKey() || a.getEnglishName() != b.getEnglishName() ||
        a.getGermanName() != b.getGermanName() || a.getOctaveStretch() != b.getOctaveStretch())
        fail("a formatted temperament parses with other names or stretch", text);
    for (int note = 0; note < notes; ++note)
        if (a.getCents(note) != b.getCents(note))
            fail("a formatted temperament parses with other cents", text);
}

template <typename Scale, typename Parse, typename Format>
void roundTrip(const std::string& text, Scale first, Scale second, int notes, Parse parse,
               Format format) {
    if (!parse(text, first))
        return;
    const std::string formatted = format(first);
    if (!parse(formatted, second))
        fail("a formatted temperament does not parse", formatted);
    if (second.getKey() != first.getKey() || second.getEnglishName() != first.getEnglishName())
        fail("a formatted temperament loses its id or name", formatted);
    if (format(second) != formatted)
        fail("a formatted temperament formats differently once parsed", formatted);
    Scale third = second;
    if (!parse(format(second), third))
        fail("a formatted temperament does not parse twice", formatted);
    checkSame(second, third, notes, formatted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tonvela::CustomScaleManager;
    const std::string text(reinterpret_cast<const char*>(data), size);
    roundTrip(text, tonvela::DefaultToneScale("c_", "", "", 0.0f),
              tonvela::DefaultToneScale("c_", "", "", 0.0f), 12,
              CustomScaleManager::parseSimpleScale, CustomScaleManager::formatSimpleScale);
    roundTrip(text, tonvela::FullToneScale("f_", "", ""), tonvela::FullToneScale("f_", "", ""),
              tonvela::FullToneScale::NOTE_COUNT, CustomScaleManager::parseFullScale,
              CustomScaleManager::formatFullScale);
    return 0;
}
