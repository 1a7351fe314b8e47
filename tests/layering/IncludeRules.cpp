#include "layering/IncludeRules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace tonvela::test {

namespace {

// How much of Qt a file may reach: nothing, Qt Core, Qt Gui, Qt Widgets.
enum class QtLevel { None = 0, Core = 1, Gui = 2, Widgets = 3 };

struct Folder {
    const char* name;
    int rank;
    QtLevel headers;  // what a header of the folder may include
    QtLevel sources;  // what a source of the folder may include
    bool noQtReached; // not even through the project headers it includes
};

constexpr Folder FOLDERS[] = {
    {"runtime", 0, QtLevel::None, QtLevel::Core, false},
    {"platform/audio", 1, QtLevel::None, QtLevel::Core, false},
    {"platform/store", 1, QtLevel::None, QtLevel::Core, false},
    {"resources", 2, QtLevel::None, QtLevel::Core, false},
    {"tuning", 3, QtLevel::None, QtLevel::Core, false},
    {"state", 4, QtLevel::None, QtLevel::Core, false},
    {"audio", 5, QtLevel::None, QtLevel::Core, false},
    {"analysis", 6, QtLevel::None, QtLevel::Core, false},
    {"tools", 7, QtLevel::None, QtLevel::Core, false},
    {"platform/gui", 1, QtLevel::Widgets, QtLevel::Widgets, false},
    {"report", 8, QtLevel::Gui, QtLevel::Gui, false},
    {"widgets", 9, QtLevel::None, QtLevel::None, true},
    {"panel", 10, QtLevel::None, QtLevel::None, true},
    {"app", 11, QtLevel::Widgets, QtLevel::Widgets, false},
    {"cli", 12, QtLevel::Gui, QtLevel::Gui, false},
};

const char* levelName(QtLevel level) {
    switch (level) {
    case QtLevel::None:
        return "no Qt";
    case QtLevel::Core:
        return "Qt Core";
    case QtLevel::Gui:
        return "Qt Gui";
    case QtLevel::Widgets:
        return "Qt Widgets";
    }
    return "";
}

// The window message numbers: only the window layer and what is built on it
// speak in them; the core speaks in typed calls.
constexpr const char* MESSAGES_HEADER = "runtime/Messages.h";
constexpr const char* MESSAGE_FOLDERS[] = {"platform/gui", "widgets", "panel", "app"};

bool speaksInMessages(const Folder& folder) {
    return std::any_of(std::begin(MESSAGE_FOLDERS), std::end(MESSAGE_FOLDERS),
                       [&](const char* name) { return std::string(name) == folder.name; });
}

// The folder a path below the source root belongs to: its first component,
// or its first two below platform/.
const Folder* folderOf(const std::string& relative) {
    for (const Folder& folder : FOLDERS) {
        const std::string prefix = std::string(folder.name) + "/";
        if (relative.rfind(prefix, 0) == 0)
            return &folder;
    }
    return nullptr;
}

bool isHeader(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".hpp";
}

bool isSource(const fs::path& path) {
    const std::string ext = path.extension().string();
    return isHeader(path) || ext == ".cpp" || ext == ".cc";
}

struct Include {
    int line;
    std::string name;
    bool angled;
};

std::vector<Include> includesOf(const fs::path& file) {
    std::vector<Include> out;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::size_t i = text.find_first_not_of(" \t");
        if (i == std::string::npos || text[i] != '#')
            continue;
        i = text.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos || text.compare(i, 7, "include") != 0)
            continue;
        i = text.find_first_not_of(" \t", i + 7);
        if (i == std::string::npos || (text[i] != '"' && text[i] != '<'))
            continue;
        const char close = text[i] == '"' ? '"' : '>';
        const std::size_t end = text.find(close, i + 1);
        if (end == std::string::npos)
            continue;
        out.push_back({line, text.substr(i + 1, end - i - 1), close == '>'});
    }
    return out;
}

// Qt's headers are <QClass>, <QtModule/...>, <QtModule> and the lower-case
// <qglobal.h> family; the level is that of the module that holds the header.
// Without a Qt tree to look in, anything that looks like Qt counts as Qt
// Widgets.
std::optional<QtLevel> qtLevelOf(const std::string& name, const std::string& qtRoot) {
    const bool classHeader =
        name.size() > 1 && name[0] == 'Q' && ((name[1] >= 'A' && name[1] <= 'Z') || name[1] == 't');
    const bool lowerHeader = name.size() > 2 && name[0] == 'q' &&
                             name.find('/') == std::string::npos &&
                             name.compare(name.size() - 2, 2, ".h") == 0;
    if (!classHeader && !lowerHeader)
        return std::nullopt;
    std::string module;
    const std::size_t slash = name.find('/');
    if (slash != std::string::npos) {
        module = name.substr(0, slash);
        if (module.rfind("Qt", 0) != 0)
            return std::nullopt;
    } else if (qtRoot.empty() || !fs::is_directory(qtRoot + "/QtCore")) {
        return QtLevel::Widgets;
    } else if (fs::is_directory(qtRoot + "/" + name)) {
        module = name; // <QtCore>, a whole module
    } else {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(qtRoot, error)) {
            if (entry.is_directory() && fs::exists(entry.path() / name)) {
                module = entry.path().filename().string();
                break;
            }
        }
        if (module.empty())
            return std::nullopt; // not in Qt's tree: not a Qt header
    }
    if (module == "QtCore")
        return QtLevel::Core;
    if (module == "QtGui" || module == "QtSvg")
        return QtLevel::Gui;
    return QtLevel::Widgets;
}

// A quoted include names a file below the source root, or one beside the
// including file; anything else (a generated file) is not ours to check.
std::optional<std::string> resolve(const fs::path& root, const fs::path& file,
                                   const std::string& name) {
    for (const fs::path& base : {root, file.parent_path()}) {
        const fs::path candidate = (base / name).lexically_normal();
        if (fs::is_regular_file(candidate)) {
            const std::string relative = candidate.lexically_relative(root).generic_string();
            if (relative.rfind("..", 0) != 0)
                return relative;
        }
    }
    return std::nullopt;
}

class Checker {
public:
    Checker(const std::string& sourceRoot, const std::string& qtRoot)
        : root(fs::path(sourceRoot).lexically_normal()), qtRoot(qtRoot) {}

    std::vector<IncludeFinding> run() {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file() && isSource(entry.path()))
                files.push_back(entry.path().lexically_relative(root).generic_string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            checkFile(file);
        return findings;
    }

private:
    void add(const std::string& file, int line, const std::string& include,
             const std::string& reason) {
        findings.push_back({file, line, include, reason});
    }

    void checkFile(const std::string& file) {
        const Folder* folder = folderOf(file);
        if (!folder) {
            add(file, 0, "", "its folder has no place in the layering");
            return;
        }
        const bool header = isHeader(file);
        const QtLevel allowed = header ? folder->headers : folder->sources;
        for (const Include& include : includesOf(root / file)) {
            if (include.angled) {
                const std::optional<QtLevel> level = qtLevelOf(include.name, qtRoot);
                if (level && *level > allowed)
                    add(file, include.line, include.name,
                        std::string(levelName(*level)) + " in " + folder->name +
                            (header ? " headers" : " sources") + ", which allow " +
                            levelName(allowed));
                continue;
            }
            const std::optional<std::string> target = resolve(root, root / file, include.name);
            if (!target)
                continue;
            if (*target == MESSAGES_HEADER && !speaksInMessages(*folder))
                add(file, include.line, include.name,
                    std::string(folder->name) + " includes the window messages");
            const Folder* other = folderOf(*target);
            if (other && other != folder && other->rank >= folder->rank)
                add(file, include.line, include.name,
                    std::string(folder->name) + " (rank " + std::to_string(folder->rank) +
                        ") includes " + other->name + " (rank " + std::to_string(other->rank) +
                        ")");
            if (folder->noQtReached) {
                const std::string qt = qtReachedFrom(*target);
                if (!qt.empty())
                    add(file, include.line, include.name,
                        std::string(folder->name) + " reaches the Qt header <" + qt +
                            "> through it");
            }
        }
    }

    // The first Qt header a project file reaches through its includes, or "".
    std::string qtReachedFrom(const std::string& file) {
        const auto known = reached.find(file);
        if (known != reached.end())
            return known->second;
        reached[file] = ""; // an include cycle ends here
        std::string found;
        for (const Include& include : includesOf(root / file)) {
            if (include.angled) {
                if (qtLevelOf(include.name, qtRoot))
                    found = include.name;
            } else if (const auto target = resolve(root, root / file, include.name)) {
                found = qtReachedFrom(*target);
            }
            if (!found.empty())
                break;
        }
        reached[file] = found;
        return found;
    }

    const fs::path root;
    const std::string qtRoot;
    std::map<std::string, std::string> reached;
    std::vector<IncludeFinding> findings;
};

} // namespace

std::vector<IncludeFinding> checkIncludes(const std::string& sourceRoot,
                                          const std::string& qtIncludeRoot) {
    return Checker(sourceRoot, qtIncludeRoot).run();
}

} // namespace tonvela::test
