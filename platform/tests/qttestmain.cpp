// main() of the tests that need widgets: one QApplication for the whole test program, created
// before the first test and destroyed after the last, while Qt's own state still exists.
#include <gtest/gtest.h>

#include "platform/guardedapplication.h"
#include "platform/tests/testenvironment.h"

int main(int argc, char** argv) {
    prepareTestEnvironment();
    // Test discovery runs the program outside CTest's environment; no test wants a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The programs' own application object, so handlers fail in tests as they do in the programs.
    GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
