// Entry point of every test executable.
#include "support/FaultReport.h"
#include "support/RegistrySnapshot.h"

#include "framework/graphics/ScreenDensity.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <optional>

namespace {
// Wine reads the user's screen density (LogPixels) only as a process starts: a run at
// another density than the one asked for (ELV_SCREEN_DPI, 96 when unset) sets it and
// runs itself again. A run that asked for one puts the key back as it found it,
// whatever its tests did; one that asked for none clears what a killed run left.
std::optional<int> RunAgainAtTheDensityAskedFor()
{
    const char* asked = std::getenv("ELV_SCREEN_DPI");
    const int density = asked ? std::atoi(asked) : DesignPixelsPerInch;
    if (std::getenv("ELV_SCREEN_DPI_SET") || density == ScreenPixelsPerInch())
        return std::nullopt;
    const char* const desktop = "Control Panel\\Desktop";
    std::optional<TRegistrySnapshot> saved;
    if (asked) {
        saved.emplace(HKEY_CURRENT_USER, desktop);
        WriteRegistryDword(HKEY_CURRENT_USER, desktop, "LogPixels", static_cast<DWORD>(density));
    } else {
        DeleteRegistryValue(HKEY_CURRENT_USER, desktop, "LogPixels");
    }
    SetEnvironmentVariableA("ELV_SCREEN_DPI_SET", "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // its output is this run's
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    DWORD code = 1;
    if (CreateProcessA(nullptr, GetCommandLineA(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        WaitForSingleObject(child.hProcess, INFINITE);
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    return static_cast<int>(code);
}
} // namespace

int main(int argc, char** argv)
{
    InstallFaultReport();
    if (const std::optional<int> code = RunAgainAtTheDensityAskedFor())
        return *code;
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // A run whose every test was skipped proved nothing: CTest shows it skipped
    // (SKIP_RETURN_CODE), neither passed nor failed.
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    constexpr int Skipped = 77;
    return result == 0 && run.skipped_test_count() > 0 && run.successful_test_count() == 0 ? Skipped : result;
}
