// Every test process gets its own settings directory and runtime directory,
// so no test ever reads or writes the user's real settings.
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    tonvela::test::TempDir processDir;
    const std::string config = processDir.file("config");
    const std::string runtime = processDir.file("runtime");
    setenv("TONVELA_CONFIG_DIR", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", processDir.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
