#include "framework/text/DateUtils.h"

#include "framework/core/Exceptions.h"
#include "framework/text/SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Day numbers relative to 1 January 1970 in the proleptic Gregorian calendar,
// counted in 400-year eras so that no year needs a loop.
long DaysFromCivil(long y, long m, long d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& year, int& month, int& day)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const long OriginFrom1970 = DaysFromCivil(1899, 12, 30);
const long FirstDay = DaysFromCivil(1, 1, 1) - OriginFrom1970;
const long LastDay = DaysFromCivil(9999, 12, 31) - OriginFrom1970;

// The whole days of Value; the fraction is a time of day on either side of day 0.
long DayNumber(TDateTime Value)
{
    if (!std::isfinite(Value) || std::trunc(Value) < FirstDay || std::trunc(Value) > LastDay)
        throw EConvertError(Exception::Fmt("Invalid date value (%s)", FloatToStr(Value).c_str()));
    return static_cast<long>(std::trunc(Value));
}

std::string Padded(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// One run of d or m of length 1 to 4: number, two digits, short name, long name.
std::string DayOrMonthField(int number, int width, const std::string* shortNames, const std::string* longNames,
                            int nameIndex)
{
    switch (width) {
    case 1: return std::to_string(number);
    case 2: return Padded(number, 2);
    case 3: return shortNames[nameIndex];
    default: return longNames[nameIndex];
    }
}

} // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInMonth(int Year, int Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Value = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) - OriginFrom1970);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime value = 0;
    if (!TryEncodeDate(Year, Month, Day, value))
        throw EConvertError("Invalid argument to date encode");
    return value;
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day)
{
    CivilFromDays(DayNumber(Value) + OriginFrom1970, Year, Month, Day);
}

int DayOfWeek(TDateTime Value)
{
    // Day 0 is a Saturday, the 7th day of the week.
    const long n = DayNumber(Value);
    return static_cast<int>(((n % 7) + 7 + 6) % 7) + 1;
}

TDateTime Date()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

std::string FormatDateTime(const std::string& Format, TDateTime Value)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Value, year, month, day);
    const int weekday = DayOfWeek(Value) - 1;

    std::string result;
    size_t i = 0;
    while (i < Format.size()) {
        const char c = Format[i];
        if (c == '\'' || c == '"') {
            const size_t close = Format.find(c, i + 1);
            const size_t end = close == std::string::npos ? Format.size() : close;
            result.append(Format, i + 1, end - i - 1);
            i = close == std::string::npos ? end : close + 1;
            continue;
        }
        const char letter = LowerAscii(c);
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            result += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < Format.size() && LowerAscii(Format[i + run]) == letter)
            ++run;
        i += run;
        if (letter == 'y') {
            result += run <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
            continue;
        }
        for (; run > 0; run -= std::min<size_t>(run, 4)) {
            const int width = static_cast<int>(std::min<size_t>(run, 4));
            if (letter == 'd')
                result += DayOrMonthField(day, width, FormatSettings.ShortDayNames, FormatSettings.LongDayNames,
                                          weekday);
            else
                result += DayOrMonthField(month, width, FormatSettings.ShortMonthNames,
                                          FormatSettings.LongMonthNames, month - 1);
        }
    }
    return result;
}
