// The central state is saved by the program's stop code, not by destructors
// of statics: however a program's statics go after it, or whether they go at
// all, what the user changed is in the file. Each case runs in a child
// process of this test program.
#include "platform/store/Settings.h"
#include "state/DataStructure.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

using namespace tonvela;
using tonvela::test::TempDir;

namespace {

const char* const DIR_VARIABLE = "TONVELA_SHUTDOWN_TEST_DIR";
const char* const END_VARIABLE = "TONVELA_SHUTDOWN_TEST_END";
const char* const EARLY_VARIABLE = "TONVELA_SHUTDOWN_TEST_EARLY";

// With the variable set, the central state comes into being while the
// statics of the program are initialised, before the settings store's own,
// and so goes after them at exit.
const bool stateMadeEarly = [] {
    if (std::getenv(EARLY_VARIABLE))
        DataStructure::getInstance();
    return true;
}();

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(ShutdownChild, ChangeSaveAndEnd) {
    const char* dir = std::getenv(DIR_VARIABLE);
    if (!dir)
        GTEST_SKIP() << "runs only as the child of ProgramShutdown";
    ASSERT_TRUE(stateMadeEarly);
    setenv("TONVELA_CONFIG_DIR", dir, 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);

    DataStructure& state = DataStructure::getInstance();
    MeasurementSettings settings;
    state.getMeasurementSettings(settings);
    settings.calibIn = 7.25f;
    settings.accuracy = 2;
    state.setMeasurementSettings(settings);
    DefaultToneScale kept("c_4321", "Kept", "Kept", 0.5f);
    kept.setCents(1, -3.0f);
    state.getCustomScales().setTemperaments({kept}, {});

    // The program's stop code.
    DataStructure::shutdown();

    const std::string end = std::getenv(END_VARIABLE) ? std::getenv(END_VARIABLE) : "";
    if (end == "exit")
        std::exit(0);
    if (end == "_Exit")
        std::_Exit(0); // no static is destroyed at all
}

TEST(ProgramShutdown, SavesWhateverWayTheStaticsGo) {
    struct Case {
        const char* end; // "return": the statics go in their order after main
        bool early;
    };
    const Case cases[] = {
        {"return", false}, {"exit", false}, {"_Exit", false}, {"return", true}, {"_Exit", true},
    };
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    for (const Case& c : cases) {
        const TempDir dir;
        std::string command =
            std::string(DIR_VARIABLE) + "='" + dir.path() + "' " + END_VARIABLE + "=" + c.end + " ";
        if (c.early)
            command += std::string(EARLY_VARIABLE) + "=1 ";
        command += "'" + self + "' --gtest_filter=ShutdownChild.ChangeSaveAndEnd >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.end << " the child crashed, status " << status;
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.end << " " << c.early;
        const std::string text = readAll(dir.path() + "/Korvex/Tonvela.ini");
        EXPECT_NE(text.find("\ncalibIn=7.250000\n"), std::string::npos)
            << c.end << " " << c.early << "\n"
            << text;
        EXPECT_NE(text.find("\naccuracy=2\n"), std::string::npos) << c.end << " " << c.early;
        EXPECT_NE(text.find("\ncount=1\n"), std::string::npos) << c.end << " " << c.early;
        EXPECT_NE(text.find("\ntempr_0=\"4321;Kept;0.000;-3.000;"), std::string::npos)
            << c.end << " " << c.early << "\n"
            << text;
    }
}
