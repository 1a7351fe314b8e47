#pragma once

// A fresh central state for display tests, in a settings directory of the
// test's own and in the language the test asks for.

#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tonvela::test {

class PanelState {
public:
    explicit PanelState(Language language) {
        const char* own = std::getenv("TONVELA_CONFIG_DIR");
        processDir = own ? own : "";
        setenv("TONVELA_CONFIG_DIR", settingsDir.path().c_str(), 1);
        Settings::openRoot("Tonvela");
        setLanguage(language);
    }
    ~PanelState() {
        DataStructure::destroyInstance();
        overrideLanguage(Language::English);
        setenv("TONVELA_CONFIG_DIR", processDir.c_str(), 1);
        Settings::openRoot("Tonvela");
    }
    PanelState(const PanelState&) = delete;
    PanelState& operator=(const PanelState&) = delete;

    // The names of the scale settings are read when the central state is
    // made, so it is made anew in the language.
    void setLanguage(Language language) {
        DataStructure::destroyInstance();
        overrideLanguage(language);
        DataStructure::getInstance();
    }

    TempDir settingsDir;

private:
    std::string processDir;
};

} // namespace tonvela::test
