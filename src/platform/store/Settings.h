#pragma once

#include <memory>
#include <string>

namespace tonvela {

class SettingsSection;

// Typed access to one section of the per-user settings tree, held for one
// load or one save. Section names compare without regard to case; value names
// keep their case. Without a root, or when the settings file cannot be read,
// reads give their defaults and writes do nothing. Writes reach the file when
// the object goes at the latest. User-interface thread only.
class Settings {
public:
    // Fixes the tree for the process, Korvex/<productKey>.ini below
    // $TONVELA_CONFIG_DIR (else $XDG_CONFIG_HOME, else ~/.config), and creates
    // its directory; 0 on success, else an errno value and no root. The place
    // is looked up at every call: a test sets TONVELA_CONFIG_DIR to a fresh
    // directory and calls openRoot again.
    static int openRoot(const std::string& productKey);

    explicit Settings(const std::string& section);
    virtual ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Each read gives defaultValue when the value is missing or unusable.
    // Integers are decimal texts read as "%d" reads them.
    int readInt(const std::string& name, int defaultValue) const;
    // Read as "%f" reads it; NaN, infinities and numbers beyond float refused.
    float readFloat(const std::string& name, float defaultValue) const;
    // UTF-8 texts round-trip exactly; one longer than 10000 bytes in UTF-16 (the
    // terminating NUL included), i.e. over 4999 code units, gives the default.
    std::string readString(const std::string& name, const std::string& defaultValue) const;

    void writeInt(const std::string& name, int value);
    // Stored as "%f" text with a point, whatever the locale: -3.5 is
    // "-3.500000".
    void writeFloat(const std::string& name, float value);
    void writeString(const std::string& name, const std::string& value);

private:
    std::unique_ptr<SettingsSection> key;
};

// The application's profile operations: section and entry over the same tree
// with the same rules as Settings; each write reaches the file at once.
int getProfileInt(const std::string& section, const std::string& entry, int defaultValue);
void writeProfileInt(const std::string& section, const std::string& entry, int value);
// A missing value gives defaultValue (empty when none is given).
std::string getProfileString(const std::string& section, const std::string& entry,
                             const std::string& defaultValue = std::string());
void writeProfileString(const std::string& section, const std::string& entry,
                        const std::string& value);

} // namespace tonvela
