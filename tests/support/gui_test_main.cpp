#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/test_run_status.h"

// The main of the GUI tests: widgets need a QApplication for the whole run.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return kreslix::testing::runStatus(RUN_ALL_TESTS());
}
