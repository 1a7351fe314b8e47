#pragma once

#include "platform/store/Settings.h"
#include "state/DataStructure.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tonvela::test {

// Each test starts with an empty settings directory and no central state; the
// central state of the test is destroyed (and so writes its settings) while
// that directory still exists, and the process's own directory comes back.
class FreshState : public ::testing::Test {
protected:
    void SetUp() override {
        DataStructure::destroyInstance();
        const char* own = std::getenv("TONVELA_CONFIG_DIR");
        processDir = own ? own : "";
        setenv("TONVELA_CONFIG_DIR", settingsDir.path().c_str(), 1);
        ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    }
    void TearDown() override {
        DataStructure::destroyInstance();
        setenv("TONVELA_CONFIG_DIR", processDir.c_str(), 1);
        Settings::openRoot("Tonvela");
    }

    TempDir settingsDir;
    std::string processDir;
};

} // namespace tonvela::test
