#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tonvela {

// Reads a whole regular file of at most maxSize bytes. False with the
// system's error number in error (EISDIR or EFBIG for a file that is no
// regular file or too large).
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize,
                   int& error);

// Writes bytes to a fresh file beside path, puts it on disk and renames it
// over path only when all of it was written, so a failed write leaves the
// old file intact. A link is followed and the file it points to replaced; an
// existing file keeps its permissions. False with the system's error number.
bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, int& error);

// The write(2) that replaceFile uses; tests put a failing one in its place
// (a full disk). An empty function restores the system's.
using FileWriter = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
void setFileWriter(FileWriter writer);

// The reason for a system error number in the user-interface language
// ("No space left on device"), never taken from the process locale.
std::string fileErrorReason(int error);

// A message about a file: the text, the file's path on the next line and,
// when error is not 0, the reason on the line after it.
std::string fileMessage(const std::string& text, const std::string& path, int error);

} // namespace tonvela
