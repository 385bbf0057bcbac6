// Run once per user locale (the test runner sets LC_ALL); each test checks what the
// locale it finds itself in must give.
#include "framework/core/Exceptions.h"
#include "framework/text/DateUtils.h"
#include "framework/text/SysUtils.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct TExpected {
    LCID Locale;
    char DecimalSeparator;
    const char* ShortDateFormat;
    const char* March;    // long month name
    const char* Thursday; // long day name
    const char* FifthOfMarch2026; // in the short date format
};

const TExpected Expectations[] = {
    {0x0409, '.', "M/d/yyyy", "March", "Thursday", "3/5/2026"},
    {0x040C, ',', "dd/MM/yyyy", "mars", "jeudi", "05/03/2026"},
    {0x0C0C, ',', "yyyy-MM-dd", "mars", "jeudi", "2026-03-05"},
    {0x0407, ',', "d.M.yyyy", "M\xE4rz", "Donnerstag", "5.3.2026"}, // "März" in the Western code page
};

const TExpected& ForThisLocale()
{
    const LCID locale = GetUserDefaultLCID();
    for (const TExpected& e : Expectations)
        if (e.Locale == locale)
            return e;
    throw std::runtime_error("no expectations for locale " + std::to_string(locale));
}

} // namespace

TEST(FormatSettingsLocale, ReadFromTheUserLocale)
{
    const TExpected& expected = ForThisLocale();
    EXPECT_EQ(FormatSettings.DecimalSeparator, expected.DecimalSeparator);
    EXPECT_EQ(FormatSettings.ShortDateFormat, expected.ShortDateFormat);
    EXPECT_EQ(FormatSettings.LongMonthNames[2], expected.March);
    EXPECT_EQ(FormatSettings.LongDayNames[4], expected.Thursday);
}

TEST(ConversionLocale, FloatsUseTheLocaleSeparatorOnly)
{
    const char sep = ForThisLocale().DecimalSeparator;
    const char other = sep == '.' ? ',' : '.';
    EXPECT_DOUBLE_EQ(StrToFloat(std::string("1") + sep + "5"), 1.5);
    EXPECT_THROW(StrToFloat(std::string("1") + other + "5"), EConvertError);
    EXPECT_EQ(FloatToStr(-2.25), std::string("-2") + sep + "25");
}

TEST(DateFormatLocale, ShortDateAndMonthNames)
{
    const TExpected& expected = ForThisLocale();
    const TDateTime day = EncodeDate(2026, 3, 5);
    EXPECT_EQ(FormatDateTime(FormatSettings.ShortDateFormat, day), expected.FifthOfMarch2026);
    EXPECT_EQ(FormatDateTime("dddd d mmmm yyyy", day),
              std::string(expected.Thursday) + " 5 " + expected.March + " 2026");
}
