#include "tuning/ToneScale.h"

#include "resources/Language.h"
#include "runtime/Random.h"

#include <cstdint>

namespace tonvela {

ToneScale::ToneScale(const std::string& key, const std::string& englishName,
                     const std::string& germanName)
    : key(key), englishName(englishName), germanName(germanName) {}

void ToneScale::setNames(const std::string& text) {
    englishName = text;
    germanName = text;
}

std::string ToneScale::getName() const {
    return isGermanLanguage() ? germanName : englishName;
}

int newScaleId() {
    for (;;) {
        const std::uint32_t r1 = static_cast<std::uint32_t>(tonvela::rand());
        const std::uint32_t r2 = static_cast<std::uint32_t>(tonvela::rand());
        const std::uint32_t r3 = static_cast<std::uint32_t>(tonvela::rand());
        const std::uint32_t r4 = static_cast<std::uint32_t>(tonvela::rand());
        std::uint32_t id = ((((r1 << 8) | r2) << 16) | r3) & 0x7FFFFFFFu;
        id |= (r4 & 0x7FFFFFu) << 8;
        if (id >= 1000)
            return static_cast<int>(id);
    }
}

} // namespace tonvela
