#pragma once
// The runtime reads the locale's short date format once at start; tests stand in
// for other locales by replacing it for a while.
#include "framework/text/SysUtils.h"

#include <string>

class ShortDateFormatScope {
public:
    explicit ShortDateFormatScope(const std::string& format) : FSaved(FormatSettings.ShortDateFormat)
    {
        FormatSettings.ShortDateFormat = format;
    }
    ~ShortDateFormatScope() { FormatSettings.ShortDateFormat = FSaved; }
    ShortDateFormatScope(const ShortDateFormatScope&) = delete;
    ShortDateFormatScope& operator=(const ShortDateFormatScope&) = delete;

private:
    std::string FSaved;
};
