#pragma once
// Dates as day numbers: a TDateTime counts days from 30 December 1899 (day 0), in the
// proleptic Gregorian calendar; the fractional part is the time of day. Negative
// values are days before the origin, the fraction still counting forward from
// midnight of the day given by the integer part truncated toward zero.
#include <string>

using TDateTime = double;

// Day 0 is a Saturday; DayOfWeek counts 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime Value);

// Raises EConvertError "Invalid argument to date encode" unless 1 <= y <= 9999 and the
// month and day exist.
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value);
// Raises EConvertError for a value outside the years 1 to 9999 (or not a number).
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);

// Today, at midnight, in local time.
TDateTime Date();

// Formats the date part of Value. Letters are case-insensitive:
//   d  day            dd  day, two digits    ddd  short day name   dddd  long day name
//   m  month          mm  month, two digits  mmm  short month name mmmm  long month name
//   y, yy  year, two digits                  yyy and longer        year, four digits
// Longer runs of d or m are read four letters at a time. Text between '...' or
// "..." is copied without its quotes; every other character is copied as it is.
std::string FormatDateTime(const std::string& Format, TDateTime Value);
