// The windows' tests run offscreen in one application object, with their own
// settings and runtime directories and the locale ctest names.
#include "support/TestProcess.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    tonvela::test::TestProcess process(argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
