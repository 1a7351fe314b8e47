#include "app/RecentFileList.h"

#include "platform/store/Settings.h"

#include <algorithm>

namespace tonvela {

namespace {

const char* const Section = "Recent File List";

std::string entryName(int i) {
    return "File" + std::to_string(i + 1);
}

} // namespace

void RecentFileList::load() {
    files.clear();
    Settings settings(Section);
    for (int i = 0; i < size; ++i) {
        const std::string path = settings.readString(entryName(i), std::string());
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(path);
    }
}

void RecentFileList::save() const {
    Settings settings(Section);
    for (int i = 0; i < size; ++i)
        settings.writeString(entryName(i), i < int(files.size()) ? files[i] : std::string());
}

void RecentFileList::add(const std::string& path) {
    if (path.empty())
        return;
    remove(path);
    files.insert(files.begin(), path);
    if (int(files.size()) > size)
        files.resize(size);
}

void RecentFileList::remove(const std::string& path) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
}

} // namespace tonvela
