#pragma once

#include <memory>
#include <string>

namespace tonvela {

class SettingsSection;

// Typed access to one section of the per-user settings tree, held for one
// load or one save. Without a root, or when the store refuses, reads give
// their defaults and writes do nothing.
class Settings {
public:
    // Opens (creating where missing) Korvex/<productKey>; 0 on success.
    static int openRoot(const std::string& productKey);

    explicit Settings(const std::string& section);
    virtual ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    int readInt(const std::string& name, int defaultValue) const;
    float readFloat(const std::string& name, float defaultValue) const;
    std::string readString(const std::string& name, const std::string& defaultValue) const;

    void writeInt(const std::string& name, int value);
    // Stored as "%f" text with a point, whatever the locale.
    void writeFloat(const std::string& name, float value);
    void writeString(const std::string& name, const std::string& value);

private:
    std::unique_ptr<SettingsSection> key;
};

// The application's profile operations: section and entry over the same tree.
int getProfileInt(const std::string& section, const std::string& entry, int defaultValue);
void writeProfileInt(const std::string& section, const std::string& entry, int value);
// A missing value gives defaultValue (empty when none is given).
std::string getProfileString(const std::string& section, const std::string& entry,
                             const std::string& defaultValue = std::string());
void writeProfileString(const std::string& section, const std::string& entry,
                        const std::string& value);

} // namespace tonvela
