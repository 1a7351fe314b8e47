#pragma once

#include <memory>
#include <optional>
#include <string>

namespace tonvela {

// The per-user settings file: one INI file of sections holding named texts,
// <config>/<company>/<product>.ini, where <config> is $TONVELA_CONFIG_DIR when
// set, else $XDG_CONFIG_HOME, else ~/.config. Section names are kept in lower
// case, so they compare without regard to case; value names keep their case.
//
// An object opens the file for one load or one save and writes what changed
// when it goes. Writes are atomic: the new file is written beside the old one
// and renamed over it.
//
// A file that cannot be read (no permission, a directory in its place, a
// broken link) is left untouched: the object is not open, reads give nothing
// and writes are skipped. A file that is corrupt (a line that is no section
// header, value or comment, or text that is not UTF-8) is renamed to
// "<product>.ini.corrupt" (".corrupt.2" ... ".corrupt.100" when that exists)
// so the user can recover it, and the store starts afresh; when every backup
// name is taken, the file is treated as unreadable.
//
// No lock: the user-interface thread owns the store. Objects used on other
// threads at the same time do not crash, but their writes may interleave.
class SettingsFile {
public:
    // Fixes the file for the process and creates its directory; 0 on
    // success, else an errno value, and the store then has no file. The
    // location is looked up again at every call, so a test points the store
    // at a fresh directory by setting TONVELA_CONFIG_DIR and calling this.
    static int openRoot(const std::string& company, const std::string& product);
    // The file in use, or empty before openRoot and after a failed one.
    static std::string path();

    SettingsFile();
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    bool isOpen() const;
    // The stored text; nothing when the value is missing or not a text.
    std::optional<std::string> read(const std::string& section, const std::string& name) const;
    void write(const std::string& section, const std::string& name, const std::string& text);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace tonvela
