#include "framework/text/SysUtils.h"

#include "framework/core/Exceptions.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// GetLocaleInfoA in the program's ANSI code page (not the locale's own), so that
// month names reach the screen with the code page every other string is in.
std::string LocaleInfo(LCTYPE type, const char* fallback)
{
    const LCTYPE query = type | LOCALE_USE_CP_ACP;
    const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, query, nullptr, 0);
    if (size > 1) {
        std::string text(static_cast<size_t>(size), '\0');
        const int got = GetLocaleInfoA(LOCALE_USER_DEFAULT, query, text.data(), size);
        if (got > 1) {
            text.resize(static_cast<size_t>(got - 1));
            return text;
        }
    }
    return fallback;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

TFormatSettings TFormatSettings::FromUserLocale()
{
    static const char* const englishShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const englishLongMonths[12] = {"January", "February", "March",     "April",
                                                      "May",     "June",     "July",      "August",
                                                      "September", "October", "November", "December"};
    static const char* const englishShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const englishLongDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};
    TFormatSettings s;
    s.DecimalSeparator = LocaleInfo(LOCALE_SDECIMAL, ".")[0];
    s.ShortDateFormat = LocaleInfo(LOCALE_SSHORTDATE, "M/d/yyyy");
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = LocaleInfo(LOCALE_SABBREVMONTHNAME1 + i, englishShortMonths[i]);
        s.LongMonthNames[i] = LocaleInfo(LOCALE_SMONTHNAME1 + i, englishLongMonths[i]);
    }
    // The locale numbers its days from Monday; the date functions count from Sunday.
    for (int i = 0; i < 7; ++i) {
        const int fromMonday = (i + 6) % 7;
        s.ShortDayNames[i] = LocaleInfo(LOCALE_SABBREVDAYNAME1 + fromMonday, englishShortDays[i]);
        s.LongDayNames[i] = LocaleInfo(LOCALE_SDAYNAME1 + fromMonday, englishLongDays[i]);
    }
    return s;
}

TFormatSettings FormatSettings = TFormatSettings::FromUserLocale();

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

bool TryStrToInt(const std::string& S, int& Value)
{
    size_t i = 0;
    const size_t n = S.size();
    while (i < n && IsBlank(S[i]))
        ++i;
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-'))
        negative = S[i++] == '-';
    int base = 10;
    if (i < n && S[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false;
    uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = HexDigitValue(S[i]);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > UINT32_MAX)
            return false;
    }
    // Hexadecimal without a sign is a bit pattern (colours, masks) and may fill all
    // 32 bits; anything signed or decimal must fit the signed range.
    const uint64_t limit = negative ? uint64_t{1} << 31 : base == 16 ? UINT32_MAX : INT32_MAX;
    if (magnitude > limit)
        return false;
    const uint32_t bits = negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(magnitude))
                                   : static_cast<uint32_t>(magnitude);
    Value = static_cast<int>(bits);
    return true;
}

int StrToInt(const std::string& S)
{
    int value = 0;
    if (!TryStrToInt(S, value))
        throw EConvertError(Exception::Fmt("'%s' is not a valid integer value", S.c_str()));
    return value;
}

int StrToIntDef(const std::string& S, int Default)
{
    int value = 0;
    return TryStrToInt(S, value) ? value : Default;
}

std::string AnsiUpperCase(const std::string& S)
{
    std::string result = S;
    if (!result.empty())
        CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

std::string AnsiLowerCase(const std::string& S)
{
    std::string result = S;
    if (!result.empty())
        CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

int AnsiCompareText(const std::string& S1, const std::string& S2)
{
    if (S1.size() <= INT_MAX && S2.size() <= INT_MAX) {
        const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, S1.data(),
                                          static_cast<int>(S1.size()), S2.data(), static_cast<int>(S2.size()));
        if (result != 0)
            return result - CSTR_EQUAL;
    }
    // The locale refused: still give an order, so that sorting stays consistent.
    const int bytes = AnsiUpperCase(S1).compare(AnsiUpperCase(S2));
    return (bytes > 0) - (bytes < 0);
}

bool SameText(const std::string& S1, const std::string& S2) { return AnsiCompareText(S1, S2) == 0; }

std::string Trim(const std::string& S)
{
    auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0, last = S.size();
    while (first < last && isSpace(S[first]))
        ++first;
    while (last > first && isSpace(S[last - 1]))
        --last;
    return S.substr(first, last - first);
}

std::string ExtractFilePath(const std::string& FileName)
{
    const size_t pos = FileName.find_last_of("\\:");
    return pos == std::string::npos ? std::string() : FileName.substr(0, pos + 1);
}

std::string ExtractFileName(const std::string& FileName)
{
    const size_t pos = FileName.find_last_of("\\:");
    return pos == std::string::npos ? FileName : FileName.substr(pos + 1);
}

namespace {
// A path's attributes however long it is: the ANSI call stops at MAX_PATH
// characters, the wide one does not once the path is absolute and carries the
// "\\?\" prefix.
DWORD FileAttributes(const std::string& path)
{
    if (path.size() < MAX_PATH)
        return GetFileAttributesA(path.c_str());
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    const DWORD size = GetFullPathNameW(wide.data(), 0, nullptr, nullptr);
    if (size == 0)
        return INVALID_FILE_ATTRIBUTES;
    // Room before the full path for the prefix: "\\?\" before "C:\...", "\\?\UNC"
    // in place of the first backslash of "\\server\share".
    constexpr size_t room = 6;
    std::vector<wchar_t> buffer(room + size);
    wchar_t* const full = buffer.data() + room;
    if (GetFullPathNameW(wide.data(), size, full, nullptr) == 0)
        return INVALID_FILE_ATTRIBUTES;
    const wchar_t* prefixed = full;
    if (full[0] == L'\\' && full[1] == L'\\') {
        if (full[2] != L'?' && full[2] != L'.')
            prefixed = std::copy_n(L"\\\\?\\UNC", 7, full + 1 - 7) - 7;
    } else {
        prefixed = std::copy_n(L"\\\\?\\", 4, full - 4) - 4;
    }
    return GetFileAttributesW(prefixed);
}
} // namespace

bool FileExists(const std::string& FileName)
{
    const DWORD attributes = FileAttributes(FileName);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
