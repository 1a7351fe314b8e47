#include "cli/CliCommand.h"

#include <algorithm>
#include <cstdio>

namespace tonvela::cli {

namespace {
std::vector<CliCommand>& commandList() {
    static std::vector<CliCommand> commands;
    return commands;
}
} // namespace

CliCommand::Registrar::Registrar(const CliCommand& command) {
    std::vector<CliCommand>& commands = commandList();
    const auto pos = std::lower_bound(
        commands.begin(), commands.end(), command,
        [](const CliCommand& a, const CliCommand& b) { return std::string(a.name) < b.name; });
    commands.insert(pos, command);
}

const std::vector<CliCommand>& registeredCommands() {
    return commandList();
}

bool takeOption(std::vector<std::string>& args, const std::string& name, std::string& value,
                bool& found) {
    found = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "tonvela-cli: option %s needs a value\n", name.c_str());
                return false;
            }
            value = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
            found = true;
            return true;
        }
        if (args[i].rfind(name + "=", 0) == 0) {
            value = args[i].substr(name.size() + 1);
            args.erase(args.begin() + static_cast<long>(i));
            found = true;
            return true;
        }
    }
    return true;
}

bool takeFlag(std::vector<std::string>& args, const std::string& name) {
    const auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

bool noArgumentsLeft(const std::vector<std::string>& args, const char* command) {
    if (args.empty())
        return true;
    std::fprintf(stderr, "tonvela-cli %s: unexpected argument '%s'\n", command, args[0].c_str());
    return false;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "tonvela-cli: %s\n", message.c_str());
    return 2;
}

} // namespace tonvela::cli
