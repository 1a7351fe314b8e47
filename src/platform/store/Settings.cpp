#include "platform/store/Settings.h"

#include "platform/store/SettingsFile.h"
#include "runtime/NumberText.h"

#include <cfloat>
#include <cmath>
#include <optional>

namespace tonvela {

// One section of the settings file, open for the life of a Settings object.
class SettingsSection {
public:
    explicit SettingsSection(const std::string& name) : name(name) {}

    SettingsFile file;
    const std::string name;
};

namespace {

const char* const companyKey = "Korvex";

// Strings were read into a buffer of 10000 bytes in their 16-bit form, the
// terminating NUL included; a longer one gives the default.
constexpr std::size_t maxStringBytes = 10000;

std::size_t utf16Units(const std::string& text) {
    std::size_t units = 0;
    for (const unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++units; // every byte but a continuation byte starts a character
        if (c >= 0xF0)
            ++units; // four-byte characters need a surrogate pair
    }
    return units;
}

// A text that is too long reads as missing, as do reals stored as such texts.
std::optional<std::string> readText(const SettingsSection* key, const std::string& name) {
    if (!key)
        return std::nullopt;
    std::optional<std::string> text = key->file.read(key->name, name);
    if (text && (utf16Units(*text) + 1) * 2 > maxStringBytes)
        return std::nullopt;
    return text;
}

} // namespace

int Settings::openRoot(const std::string& productKey) {
    return SettingsFile::openRoot(companyKey, productKey);
}

Settings::Settings(const std::string& section) {
    auto opened = std::make_unique<SettingsSection>(section);
    if (opened->file.isOpen())
        key = std::move(opened);
}

Settings::~Settings() = default;

int Settings::readInt(const std::string& name, int defaultValue) const {
    if (!key)
        return defaultValue;
    const std::optional<std::string> text = key->file.read(key->name, name);
    if (!text)
        return defaultValue;
    return NumberText::parseInt(*text).value_or(defaultValue);
}

float Settings::readFloat(const std::string& name, float defaultValue) const {
    const std::optional<std::string> text = readText(key.get(), name);
    if (!text)
        return defaultValue;
    const std::optional<double> value = NumberText::parseReal(*text);
    // A number beyond the float range would be an infinity.
    if (!value || std::fabs(*value) > FLT_MAX)
        return defaultValue;
    return static_cast<float>(*value);
}

std::string Settings::readString(const std::string& name, const std::string& defaultValue) const {
    return readText(key.get(), name).value_or(defaultValue);
}

void Settings::writeInt(const std::string& name, int value) {
    if (key)
        key->file.write(key->name, name, NumberText::integer(value));
}

void Settings::writeFloat(const std::string& name, float value) {
    if (key)
        key->file.write(key->name, name, NumberText::fixed(value, 6));
}

void Settings::writeString(const std::string& name, const std::string& value) {
    if (key)
        key->file.write(key->name, name, value);
}

// Each profile operation opens the file for itself, so a write reaches the
// file before the call returns.
int getProfileInt(const std::string& section, const std::string& entry, int defaultValue) {
    return Settings(section).readInt(entry, defaultValue);
}

void writeProfileInt(const std::string& section, const std::string& entry, int value) {
    Settings(section).writeInt(entry, value);
}

std::string getProfileString(const std::string& section, const std::string& entry,
                             const std::string& defaultValue) {
    return Settings(section).readString(entry, defaultValue);
}

void writeProfileString(const std::string& section, const std::string& entry,
                        const std::string& value) {
    Settings(section).writeString(entry, value);
}

} // namespace tonvela
