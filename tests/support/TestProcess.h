#pragma once

#include "support/TempDir.h"

namespace tonvela::test {

// Every test process gets its own settings directory and runtime directory,
// so no test ever reads or writes the user's real settings.
//
// TONVELA_TEST_LOCALE (set by ctest) names the locale the tests run in: every
// test starts in it, and the programs they run get it from the environment
// for every category but the messages, which would switch the interface to
// German where the tests expect English (the German texts have tests of
// their own). Without that locale the tests are skipped, as the locale tests
// themselves are.
//
// Made first in main, before gtest and Qt read the arguments and environment.
class TestProcess {
public:
    TestProcess(int& argc, char** argv);

private:
    TempDir processDir;
};

} // namespace tonvela::test
