#include "state/RecoveryFile.h"

#include "state/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonvela {

namespace {

constexpr const char* Prefix = "recovery-";
constexpr const char* DocumentSuffix = ".tnv";
constexpr const char* PathSuffix = ".path";
constexpr const char* LockSuffix = ".lock";
constexpr std::size_t MaxRecoverySize = 64 * 1024 * 1024;

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Creates folder and its parents, the last ones private to the user.
void makeFolder(const std::string& folder) {
    for (std::size_t at = 1; at != std::string::npos;) {
        at = folder.find('/', at + 1);
        ::mkdir(folder.substr(0, at).c_str(), 0700);
    }
}

// Opens and locks path's lock file without waiting; -1 when another program
// holds it.
int lockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

std::string RecoveryFile::defaultDirectory() {
    if (const char* tree = std::getenv("TONVELA_CONFIG_DIR"); tree && *tree)
        return std::string(tree) + "/state";
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/Tonvela";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/state/Tonvela";
}

RecoveryFile::RecoveryFile(std::string folderPath) : folder(std::move(folderPath)) {
    makeFolder(folder);
    const auto started = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    base = folder + "/" + Prefix + std::to_string(::getpid()) + "-" + std::to_string(started);
    file = base + DocumentSuffix;
    lockFd = lockFile(base + LockSuffix);
}

RecoveryFile::~RecoveryFile() {
    releaseClaim(false);
    if (lockFd >= 0) {
        // Without a recovery file the lock file has no purpose any more.
        if (!exists()) {
            ::unlink((base + PathSuffix).c_str());
            ::unlink((base + LockSuffix).c_str());
        }
        ::close(lockFd);
    }
}

bool RecoveryFile::write(const std::vector<std::uint8_t>& bytes, const std::string& documentPath) {
    int error = 0;
    // The path first: a document never appears with the path of another.
    if (!pathWritten || documentPath != lastDocumentPath) {
        if (!replaceFile(base + PathSuffix, bytesOf(documentPath), error))
            return false;
        lastDocumentPath = documentPath;
        pathWritten = true;
    }
    return replaceFile(file, bytes, error);
}

void RecoveryFile::remove() {
    ::unlink(file.c_str());
    ::unlink((base + PathSuffix).c_str());
    pathWritten = false;
}

bool RecoveryFile::exists() const {
    struct stat info;
    return ::stat(file.c_str(), &info) == 0;
}

bool RecoveryFile::claimLeftBehind(LeftBehind& found) {
    releaseClaim(false);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    struct Candidate {
        std::string base;
        std::int64_t written;
    };
    std::vector<Candidate> candidates;
    std::vector<std::string> lockOnly;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(Prefix, 0) == 0 && endsWith(name, LockSuffix))
            lockOnly.push_back(folder + "/" +
                               name.substr(0, name.size() - std::string(LockSuffix).size()));
        if (name.rfind(Prefix, 0) != 0 || !endsWith(name, DocumentSuffix))
            continue;
        const std::string candidate =
            folder + "/" + name.substr(0, name.size() - std::string(DocumentSuffix).size());
        if (candidate == base)
            continue;
        struct stat info;
        if (::stat((candidate + DocumentSuffix).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            candidates.push_back({candidate, static_cast<std::int64_t>(info.st_mtime)});
    }
    ::closedir(dir);
    // Programs that ended without a recovery file leave only their lock file.
    for (const std::string& stale : lockOnly) {
        struct stat info;
        if (stale == base || ::stat((stale + DocumentSuffix).c_str(), &info) == 0)
            continue;
        const int fd = lockFile(stale + LockSuffix);
        if (fd < 0)
            continue;
        ::unlink((stale + PathSuffix).c_str());
        ::unlink((stale + LockSuffix).c_str());
        ::close(fd);
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.written > b.written; });
    for (const Candidate& candidate : candidates) {
        // A program that still runs holds its lock.
        const int fd = lockFile(candidate.base + LockSuffix);
        if (fd < 0)
            continue;
        // Another start may have restored or removed it meanwhile.
        struct stat info;
        if (::stat((candidate.base + DocumentSuffix).c_str(), &info) != 0) {
            ::unlink((candidate.base + LockSuffix).c_str());
            ::close(fd);
            continue;
        }
        std::vector<std::uint8_t> bytes;
        int error = 0;
        readWholeFile(candidate.base + PathSuffix, bytes, MaxRecoverySize, error);
        claimedBase = candidate.base;
        claimedFd = fd;
        found.file = candidate.base + DocumentSuffix;
        found.documentPath = std::string(bytes.begin(), bytes.end());
        found.written = candidate.written;
        return true;
    }
    return false;
}

void RecoveryFile::discardClaimed() {
    releaseClaim(true);
}

void RecoveryFile::releaseClaim(bool remove) {
    if (claimedFd < 0)
        return;
    if (remove) {
        ::unlink((claimedBase + DocumentSuffix).c_str());
        ::unlink((claimedBase + PathSuffix).c_str());
        ::unlink((claimedBase + LockSuffix).c_str());
    }
    ::close(claimedFd);
    claimedFd = -1;
    claimedBase.clear();
}

} // namespace tonvela
