// Entry point of every test executable.
#include "support/FaultReport.h"

#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    InstallFaultReport();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // A run whose every test was skipped proved nothing: CTest shows it skipped
    // (SKIP_RETURN_CODE), neither passed nor failed.
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    constexpr int Skipped = 77;
    return result == 0 && run.skipped_test_count() > 0 && run.successful_test_count() == 0 ? Skipped : result;
}
