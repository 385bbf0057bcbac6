#include "framework/core/Exceptions.h"
#include "framework/system/Process.h"
#include "framework/text/SysUtils.h"

#include <gtest/gtest.h>

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace {

using TArgs = std::vector<std::string>;

// The system's own splitter, for ASCII command lines.
TArgs SystemSplit(const std::string& line)
{
    const std::wstring wide(line.begin(), line.end());
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(wide.c_str(), &count);
    TArgs args;
    for (int i = 0; i < count; ++i)
        args.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
    LocalFree(argv);
    return args;
}

} // namespace

TEST(CommandLine, SplitsLikeTheSystem)
{
    for (const char* line : {"prog.exe", "prog.exe a", "prog.exe  a\tb  ", "\"C:\\My Dir\\prog.exe\" /x",
                             "prog.exe \"two words\" three", "prog.exe \"\"", "prog.exe a\\\\b \\\"c\\\"",
                             "prog.exe \"a\\\\\" b", "prog.exe a\"b c\"d", "prog.exe \"unterminated arg",
                             "prog.exe \\\\\\\"x"})
        EXPECT_EQ(SplitCommandLine(line), SystemSplit(line)) << line;
    EXPECT_EQ(SplitCommandLine("p \"say \"\"hi\"\"\""), (TArgs{"p", "say \"hi\""}));
    EXPECT_EQ(SplitCommandLine(""), (TArgs{""}));
}

TEST(CommandLine, ParamsOfThisProcess)
{
    const TArgs system = SystemSplit(GetCommandLineA());
    ASSERT_EQ(ParamCount(), static_cast<int>(system.size()) - 1);
    for (int i = 1; i <= ParamCount(); ++i)
        EXPECT_EQ(ParamStr(i), system[static_cast<size_t>(i)]);
    EXPECT_EQ(ParamStr(ParamCount() + 1), "");
    EXPECT_EQ(ParamStr(-1), "");
    EXPECT_TRUE(FileExists(ParamStr(0)));
    EXPECT_TRUE(SameText(ExtractFileName(ParamStr(0)), "core_tests.exe"));
}

TEST(CommandLine, AModulePathTheSystemCannotTellIsAnErrorNotAnEmptyPath)
{
    EXPECT_EQ(ModuleFileName(nullptr), ParamStr(0));
    EXPECT_TRUE(SameText(ExtractFileName(ModuleFileName(GetModuleHandleA("kernel32.dll"))), "kernel32.dll"));
    // No module is loaded at this address.
    const HMODULE none = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x10000));
    try {
        ModuleFileName(none);
        FAIL() << "no error";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message().rfind("GetModuleFileName failed: system error ", 0), 0u) << e.Message();
    }
}
