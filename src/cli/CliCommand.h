#pragma once

#include <string>
#include <vector>

namespace tonvela::cli {

// One subcommand of tonvela-cli. Each command file registers itself with a
// static CliCommand::Registrar, so adding a command touches no other file.
struct CliCommand {
    using Run = int (*)(const std::vector<std::string>& args);

    const char* name;
    const char* usage;   // "devices [--input-file FILE]"
    const char* summary; // one line for --help
    Run run;             // exit code: 0 success, 1 failure, 2 bad usage

    struct Registrar {
        explicit Registrar(const CliCommand& command);
    };
};

const std::vector<CliCommand>& registeredCommands();

// Small helpers shared by the commands.
// Takes "--name VALUE" out of args; false with a message on stderr when the
// value is missing.
bool takeOption(std::vector<std::string>& args, const std::string& name, std::string& value,
                bool& found);
bool takeFlag(std::vector<std::string>& args, const std::string& name);
// Reports leftover arguments as an error on stderr; true when there were none.
bool noArgumentsLeft(const std::vector<std::string>& args, const char* command);
int usageError(const std::string& message);

} // namespace tonvela::cli
