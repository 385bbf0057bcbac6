#include "framework/core/Exceptions.h"
#include "framework/text/DateUtils.h"
#include "framework/text/SysUtils.h"

#include "core/MessageOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <windows.h>

TEST(Dates, DayNumbersFromTheOrigin)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(DayOfWeek(0), 7);                          // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 3, 5)), 5);     // a Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(1850, 7, 14)), 1);    // a Sunday, before the origin
}

TEST(Dates, EncodeRefusesDatesThatDoNotExist)
{
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    for (auto [y, m, d] : {std::tuple{1900, 2, 29}, {2023, 2, 29}, {2026, 0, 1}, {2026, 13, 1}, {2026, 4, 31},
                           {2026, 1, 0}, {0, 1, 1}, {10000, 1, 1}})
        EXPECT_EQ(MessageOf<EConvertError>([&] { EncodeDate(y, m, d); }), "Invalid argument to date encode")
            << y << "-" << m << "-" << d;
}

TEST(Dates, DecodeAgreesWithCountingDayByDay)
{
    int y = 1600, m = 1, d = 1;
    for (TDateTime day = EncodeDate(1600, 1, 1); day <= EncodeDate(2400, 12, 31); ++day) {
        int dy, dm, dd;
        DecodeDate(day < 0 ? day - 0.75 : day + 0.75, dy, dm, dd); // 18:00 on that day
        ASSERT_TRUE(dy == y && dm == m && dd == d) << day << ": " << dy << "-" << dm << "-" << dd;
        if (++d > DaysInMonth(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
}

TEST(Dates, NegativeValuesCountTheTimeForward)
{
    int y, m, d;
    DecodeDate(-1.5, y, m, d); // noon of 29 December 1899
    EXPECT_EQ(d, 29);
    DecodeDate(-0.25, y, m, d);
    EXPECT_EQ(d, 30);
    EXPECT_THROW(DecodeDate(1e10, y, m, d), EConvertError);
    EXPECT_THROW(DecodeDate(NAN, y, m, d), EConvertError);
    EXPECT_THROW(FormatDateTime("d", -1e9), EConvertError);
}

TEST(Dates, TodayIsTheLocalDate)
{
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const TDateTime today = Date();
    GetLocalTime(&after);
    EXPECT_TRUE(today == EncodeDate(before.wYear, before.wMonth, before.wDay) ||
                today == EncodeDate(after.wYear, after.wMonth, after.wDay));
}

TEST(Dates, FormatDateTimeNumericFields)
{
    const TDateTime day = EncodeDate(2026, 3, 5);
    const std::pair<const char*, const char*> cases[] = {
        {"d/M/yy", "5/3/26"},
        {"dd/MM/yyyy", "05/03/2026"},
        {"yyyy-mm-dd", "2026-03-05"},
        {"DD.MM.YYYY", "05.03.2026"},
        {"y", "26"},
        {"yyy", "2026"},
        {"'day' d \"of\" m", "day 5 of 3"},
        {"d 'dd", "5 dd"},
        {"d.m.y h:n", "5.3.26 h:n"},
        {"", ""}};
    for (const auto& [format, text] : cases)
        EXPECT_EQ(FormatDateTime(format, day), text) << format;
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", EncodeDate(1850, 7, 14)), "14/07/1850");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", -1.5), "29/12/1899");
    EXPECT_EQ(FormatDateTime("yyyy yy", EncodeDate(5, 1, 1)), "0005 05");
}

TEST(Dates, FormatDateTimeNames)
{
    const TDateTime day = EncodeDate(2026, 3, 5); // a Thursday
    EXPECT_EQ(FormatDateTime("mmm", day), FormatSettings.ShortMonthNames[2]);
    EXPECT_EQ(FormatDateTime("MMMM", day), FormatSettings.LongMonthNames[2]);
    EXPECT_EQ(FormatDateTime("ddd", day), FormatSettings.ShortDayNames[4]);
    EXPECT_EQ(FormatDateTime("dddd", day), FormatSettings.LongDayNames[4]);
    EXPECT_EQ(FormatDateTime("ddddd", day), FormatSettings.LongDayNames[4] + "5");
}
