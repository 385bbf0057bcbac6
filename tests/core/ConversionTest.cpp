// Locale-neutral behaviour of the text helpers; the separator comes from
// FormatSettings so that these hold in any locale.
#include "framework/core/Exceptions.h"
#include "framework/text/SysUtils.h"

#include "core/MessageOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::string Sep(const std::string& text)
{
    std::string s = text;
    for (char& c : s)
        if (c == '.')
            c = FormatSettings.DecimalSeparator;
    return s;
}

std::string Invalid(const std::string& text, const char* kind)
{
    return std::string("'").append(text).append("' is not a valid ").append(kind);
}

} // namespace

TEST(Conversion, StrToIntAcceptsDecimalAndHex)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0},           {"  42", 42},    {"\t7", 7},       {"-17", -17},       {"+5", 5},
        {"$FF", 255},       {"0x1f", 31},    {"0XFF", 255},    {"-$10", -16},      {"007", 7},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"$FFFFFFFF", -1}, {"$80000000", INT_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(Conversion, StrToIntRejectsEverythingElse)
{
    for (const char* text : {"", " ", "12 ", "1 2", "12a", "abc", "2147483648", "-2147483649", "$", "0x", "+", "- 1",
                             "$100000000", "-$80000001", "99999999999999999999", "1.0", "0x-1", "$G"}) {
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToInt(text); }), Invalid(text, "integer value"));
        EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
    }
}

TEST(Conversion, StrToFloatSyntaxInAnyLocale)
{
    const std::pair<std::string, double> cases[] = {
        {"1.5", 1.5},   {" -2.25 ", -2.25}, {"1e3", 1000},    {"1.5E-2", 0.015}, {".5", 0.5},
        {"5.", 5},      {"+3", 3},          {"1e-400", 0},    {"0e999", 0},      {"2.5e+1", 25}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(StrToFloat(Sep(text)), value) << text;
    for (const std::string text : {"", "  ", "1.2.3", "1e", "e5", "+", ".", "1 2", "abc", "0x10", "1e400", "1e+",
                                   "-.e1", "1..", "--1", "1e5.5"})
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToFloat(Sep(text)); }), Invalid(Sep(text), "floating point value"));
}

TEST(Conversion, FloatToStrIsShortAndReadsBack)
{
    EXPECT_EQ(FloatToStr(1.5), Sep("1.5"));
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-1.5e-7), Sep("-1.5E-7"));
    EXPECT_EQ(FloatToStr(1.0 / 3), Sep("0.333333333333333"));
    EXPECT_EQ(FloatToStr(INFINITY), "INF");
    for (double x : {0.1, 123456.789, -9.87654321e-100, 1.5e308, 4.9e-324})
        EXPECT_NEAR(StrToFloat(FloatToStr(x)), x, std::fabs(x) * 1e-14) << x;
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(Conversion, CaseAndBlanks)
{
    EXPECT_EQ(AnsiUpperCase("yes \xE9t\xE9"), "YES \xC9T\xC9"); // "été" in the Western code page
    EXPECT_EQ(AnsiLowerCase("OUI"), "oui");
    EXPECT_EQ(AnsiCompareText("apple", "BANANA"), -1);
    EXPECT_EQ(AnsiCompareText("BANANA", "apple"), 1);
    EXPECT_EQ(AnsiCompareText("Bordeaux", "bORDEAUX"), 0);
    EXPECT_TRUE(SameText("\xE9lan", "\xC9LAN"));
    EXPECT_FALSE(SameText("a", "a "));
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(" \t "), "");
}

TEST(Conversion, FileNames)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\dir\\Setup.exe", "C:\\dir\\", "Setup.exe"},
        {"C:Setup.exe", "C:", "Setup.exe"},
        {"Setup.exe", "", "Setup.exe"},
        {"\\\\server\\share\\", "\\\\server\\share\\", ""},
        {"dir/file", "", "dir/file"}};
    for (const auto& [name, path, file] : cases) {
        EXPECT_EQ(ExtractFilePath(name), path) << name;
        EXPECT_EQ(ExtractFileName(name), file) << name;
    }

    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "elv", 0, file);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir));
    DeleteFileA(file);
    EXPECT_FALSE(FileExists(file));
}

TEST(Conversion, FileExistsBeyondMaxPath)
{
    // A folder whose path alone is longer than MAX_PATH, holding one file.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = temp;
    std::vector<std::string> made;
    while (folder.size() < MAX_PATH + 20) {
        folder += "a folder of the medium " + std::to_string(made.size()) + "\\";
        const std::wstring wide = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
        ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        made.push_back(folder);
    }
    const std::string file = folder + "mdac_typ.exe";
    const std::wstring wideFile = L"\\\\?\\" + std::wstring(file.begin(), file.end());
    HANDLE created = CreateFileW(wideFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder + "Setup.exe"));
    EXPECT_FALSE(FileExists(folder)); // a folder is no file

    DeleteFileW(wideFile.c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryW((L"\\\\?\\" + std::wstring(it->begin(), it->end())).c_str());
}
