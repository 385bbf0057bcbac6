// Entry point of every test executable.
#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash must end the test process, not wait for a dialog nobody will close.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // A run whose every test was skipped proved nothing: CTest shows it skipped
    // (SKIP_RETURN_CODE), neither passed nor failed.
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    constexpr int Skipped = 77;
    return result == 0 && run.skipped_test_count() > 0 && run.successful_test_count() == 0 ? Skipped : result;
}
