// The windows' tests run offscreen in one application object, with their own
// settings and runtime directories.
#include "support/TempDir.h"

#include <QApplication>

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    tonvela::test::TempDir processDir;
    const std::string config = processDir.file("config");
    setenv("TONVELA_CONFIG_DIR", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", processDir.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
