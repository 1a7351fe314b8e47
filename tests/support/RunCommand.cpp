#include "support/RunCommand.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace tonvela::test {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int runCommand(const std::string& command, std::string& out, std::string& err) {
    TempDir dir;
    const std::string outPath = dir.file("out"), errPath = dir.file("err");
    const int status =
        std::system((command + " >" + outPath + " 2>" + errPath + " </dev/null").c_str());
    out = readAll(outPath);
    err = readAll(errPath);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tonvela::test
