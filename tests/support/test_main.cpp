#include <gtest/gtest.h>

#include "tests/support/test_run_status.h"

// The main of tests without widgets.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    return kreslix::testing::runStatus(RUN_ALL_TESTS());
}
