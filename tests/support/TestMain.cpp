// Entry point of every test executable.
#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash must end the test process, not wait for a dialog nobody will close.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
