#pragma once
// Text conversions, comparisons and file-name helpers, in the Windows ANSI code
// page and the user's locale. Conversions from text raise EConvertError naming the
// text that failed.
#include <cstdint>
#include <string>

// The user's locale as it was when the program started. Read once, because the
// controls format and parse with it and must agree with each other for the whole
// run, whatever the user changes in the control panel meanwhile.
struct TFormatSettings {
    char DecimalSeparator = '.';
    std::string ShortDateFormat;
    std::string ShortMonthNames[12]; // [0] is January
    std::string LongMonthNames[12];
    std::string ShortDayNames[7];    // [0] is Sunday
    std::string LongDayNames[7];

    // The settings of the user's default locale.
    static TFormatSettings FromUserLocale();
};

extern TFormatSettings FormatSettings;

std::string IntToStr(int64_t Value);
// Optional leading blanks, an optional sign, then decimal digits or hexadecimal ones
// after "$" or "0x". Unsigned hexadecimal may use all 32 bits ("$FFFFFFFF" is -1).
int StrToInt(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);

// Optional blanks around an optional sign, digits with at most one
// FormatSettings.DecimalSeparator, and an optional exponent ("1,5E3" in French).
double StrToFloat(const std::string& S);
bool TryStrToFloat(const std::string& S, double& Value);
// Up to 15 significant digits with FormatSettings.DecimalSeparator, no trailing
// zeros; an exponent only for very large or very small magnitudes.
std::string FloatToStr(double Value);

// The value of a hexadecimal digit (either case), -1 for any other character.
int HexDigitValue(char c);

std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);
// -1, 0 or 1, ignoring case by the rules of the user's locale.
int AnsiCompareText(const std::string& S1, const std::string& S2);
bool SameText(const std::string& S1, const std::string& S2);
// Without the leading and trailing blanks and control characters.
std::string Trim(const std::string& S);

// Everything up to and including the last '\' or ':'; "" when there is neither.
std::string ExtractFilePath(const std::string& FileName);
// Everything after the last '\' or ':'.
std::string ExtractFileName(const std::string& FileName);
// True for an existing file; false for a directory or nothing.
bool FileExists(const std::string& FileName);
