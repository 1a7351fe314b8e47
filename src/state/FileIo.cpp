#include "state/FileIo.h"

#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tonvela {

namespace {

FileWriter& writerHook() {
    static FileWriter hook;
    return hook;
}

ssize_t writeSome(int fd, const void* data, std::size_t size) {
    if (writerHook())
        return writerHook()(fd, data, size);
    return ::write(fd, data, size);
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = writeSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC; // write(2) gives 0 only when nothing more fits
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize,
                   int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    error = 0;
    struct stat info;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = EINVAL;
    else if (static_cast<std::uint64_t>(info.st_size) > maxSize)
        error = EFBIG;
    if (error == 0) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                error = errno;
            if (n <= 0)
                break; // an error, or the file shrank: what is missing shows as truncation
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return error == 0;
}

bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, int& error) {
    namespace fs = std::filesystem;
    std::error_code failure;
    // Saving through a link replaces the file it points to, not the link.
    fs::path target = path;
    if (fs::is_symlink(target, failure)) {
        const fs::path resolved = fs::weakly_canonical(target, failure);
        if (failure) {
            error = failure.value();
            return false;
        }
        target = resolved;
    }
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        error = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }

    static std::atomic<unsigned> counter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary =
            target.string() + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    if (fd < 0) {
        error = EEXIST;
        return false;
    }
    error = 0;
    if (!writeAll(fd, bytes))
        error = errno;
    if (error == 0 && exists)
        ::fchmod(fd, old.st_mode & 07777); // keep who may read the document
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    const int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void setFileWriter(FileWriter writer) {
    writerHook() = std::move(writer);
}

std::string fileErrorReason(int error) {
    struct Reason {
        int error;
        int id;
    };
    static constexpr Reason reasons[] = {
        {ENOSPC, IDS_REASON_NO_SPACE},
        {EACCES, IDS_REASON_PERMISSION},
        {EPERM, IDS_REASON_PERMISSION},
        {ENOENT, IDS_REASON_NOT_FOUND},
        {EROFS, IDS_REASON_READ_ONLY},
        {EISDIR, IDS_REASON_IS_DIRECTORY},
        {ENOTDIR, IDS_REASON_NOT_DIRECTORY},
        {EDQUOT, IDS_REASON_QUOTA},
        {EIO, IDS_REASON_IO},
        {ENAMETOOLONG, IDS_REASON_NAME_TOO_LONG},
        {EFBIG, IDS_REASON_TOO_LARGE},
        {EINVAL, IDS_REASON_NOT_REGULAR},
        {ELOOP, IDS_REASON_LOOP},
    };
    for (const Reason& reason : reasons)
        if (reason.error == error)
            return loadString(reason.id);
    // A rare error: the system's own description, which never follows the
    // process locale.
    const char* description = ::strerrordesc_np(error);
    std::string text = loadString(IDS_REASON_OTHER);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, description ? description : std::to_string(error));
    return text;
}

std::string fileMessage(const std::string& text, const std::string& path, int error) {
    std::string message = text + "\n" + path;
    if (error != 0)
        message += "\n" + fileErrorReason(error);
    return message;
}

} // namespace tonvela
