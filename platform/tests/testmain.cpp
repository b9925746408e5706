// main() of the tests without widgets.
#include <gtest/gtest.h>

#include "platform/tests/testenvironment.h"

int main(int argc, char** argv) {
    prepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
