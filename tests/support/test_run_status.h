#pragma once

#include <gtest/gtest.h>

namespace kreslix::testing {

// The exit code by which a test program tells ctest that it was skipped (SKIP_RETURN_CODE).
inline constexpr int kSkippedExitCode = 77;

// The exit code of a finished run: a failure fails it; a run in which every test that ran passed
// but some were skipped reports the skip, so that ctest never counts a skipped test as passed.
inline int runStatus(int allTestsResult) {
    if (allTestsResult != 0)
        return allTestsResult;
    return ::testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? kSkippedExitCode : 0;
}

}  // namespace kreslix::testing
