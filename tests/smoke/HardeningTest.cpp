// Proves that this tree is hardened: undefined behaviour and an out-of-range index stop
// the process where they happen, with the call chain, instead of passing silently.
// Each fault runs in a child: this executable again, on one disabled test.
#include "framework/system/Handles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

namespace {
// Kept from the optimiser: the faults below must happen at run time.
volatile int Large = INT_MAX;
volatile size_t Beyond = 3;

struct TFaultRun {
    DWORD ExitCode;
    std::string Output;
};

TFaultRun RunFault(const std::string& test)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    GetTempFileNameA(folder, "flt", 0, name);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    TFileHandle output(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = start.hStdError = output.Get();
    std::string command = std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_catch_exceptions=0 " +
                          "--gtest_filter=HardenedFaults.DISABLED_" + test;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process))
        return {GetLastError(), "the child did not start"};
    THandle child(process.hProcess), thread(process.hThread);
    WaitForSingleObject(child.Get(), 60000);
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    output.Reset();
    std::ostringstream text;
    text << std::ifstream(name).rdbuf();
    DeleteFileA(name);
    return {code, text.str()};
}
} // namespace

TEST(HardenedFaults, DISABLED_SignedOverflow)
{
    const int sum = Large + 1;
    std::printf("survived with %d\n", sum);
}

TEST(HardenedFaults, DISABLED_IndexOutOfRange)
{
    std::vector<int> three(3);
    std::printf("survived with %d\n", three[Beyond]);
}

TEST(Hardening, FaultsStopTheProcessWhereTheyHappen)
{
    const TFaultRun overflow = RunFault("SignedOverflow");
    EXPECT_EQ(overflow.ExitCode, static_cast<DWORD>(EXCEPTION_ILLEGAL_INSTRUCTION)) << overflow.Output;
    EXPECT_NE(overflow.Output.find("illegal instruction"), std::string::npos) << overflow.Output;
    EXPECT_NE(overflow.Output.find("#1 "), std::string::npos) << "no call chain: " << overflow.Output;
    EXPECT_EQ(overflow.Output.find("survived"), std::string::npos) << overflow.Output;

    const TFaultRun index = RunFault("IndexOutOfRange");
    EXPECT_NE(index.ExitCode, 0u) << index.Output;
    EXPECT_NE(index.Output.find("Assertion"), std::string::npos) << index.Output;
    EXPECT_EQ(index.Output.find("survived"), std::string::npos) << index.Output;
}
