// tonvela-cli: the headless command-line tool.
#include "audio/CaptureDriverManager.h"
#include "audio/SoundDeviceManager.h"
#include "cli/CliCommand.h"
#include "state/DataStructure.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace tonvela::cli;

namespace {

void printHelp() {
    std::printf("Usage: tonvela-cli COMMAND [OPTIONS]\n\n"
                "Tonvela, a chromatic tuner for musical instruments: the headless tool.\n\n"
                "Commands:\n");
    for (const CliCommand& command : registeredCommands())
        std::printf("  %-60s %s\n", command.usage, command.summary);
    std::printf("\nOptions:\n"
                "  --help       show this help\n"
                "  --version    show the version\n");
}

// The tool's stop code, in the order the application's quit path keeps:
// whatever captures sound goes first, then the central state saves the
// measurement settings and the user temperaments and goes. Nothing is left
// to be written while the process's statics go.
void stopProgram() {
    tonvela::CaptureDriverManager::destroyInstance();
    tonvela::SoundDeviceManager::destroyInstance();
    tonvela::DataStructure::shutdown();
}

} // namespace

int main(int argc, char** argv) {
    // The user's locale, as the desktop program gets it from Qt: no number
    // the tool prints or reads may depend on it.
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp();
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::printf("tonvela-cli %s\n", TONVELA_VERSION);
        return 0;
    }
    for (const CliCommand& command : registeredCommands()) {
        if (args[0] == command.name) {
            args.erase(args.begin());
            for (const std::string& arg : args) {
                if (arg == "--help" || arg == "-h") {
                    std::printf("Usage: tonvela-cli %s\n%s\n", command.usage, command.summary);
                    return 0;
                }
            }
            const int code = command.run(args);
            stopProgram();
            return code;
        }
    }
    std::fprintf(stderr, "tonvela-cli: unknown command '%s' (see tonvela-cli --help)\n",
                 args[0].c_str());
    return 2;
}
