#include "support/TestProcess.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    tonvela::test::TestProcess process(argc, argv);
    return RUN_ALL_TESTS();
}
