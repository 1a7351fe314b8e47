#pragma once

#include <string>
#include <vector>

namespace tonvela {

// The most recently opened or saved documents, newest first, kept in the
// settings section "Recent File List" as "File1".."FileN".
class RecentFileList {
public:
    explicit RecentFileList(int size) : size(size) {}

    void load();
    void save() const;

    // Puts path at the top; an entry for the same file moves up instead of
    // appearing twice, and the oldest entry drops out when the list is full.
    void add(const std::string& path);
    void remove(const std::string& path);

    const std::vector<std::string>& entries() const { return files; }
    int capacity() const { return size; }

private:
    int size;
    std::vector<std::string> files;
};

} // namespace tonvela
