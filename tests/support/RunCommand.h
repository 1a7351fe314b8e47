#pragma once

#include <string>

namespace tonvela::test {

// Runs a command line through the shell, with no standard input; its exit
// code, and its standard output and error in the strings.
int runCommand(const std::string& command, std::string& out, std::string& err);

} // namespace tonvela::test
