// Floating-point numbers as text, in the user's decimal separator. Apart from the
// other conversions because their machinery (the C99 number formatting and parsing)
// is large, and a program that never shows a fraction should not carry it.
#include "framework/core/Exceptions.h"
#include "framework/text/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cmath>
#include <cstdio>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

bool TryStrToFloat(const std::string& S, double& Value)
{
    size_t first = 0, last = S.size();
    while (first < last && IsBlank(S[first]))
        ++first;
    while (last > first && IsBlank(S[last - 1]))
        --last;

    // Validate by hand, then hand a '.'-separated copy to the C runtime, which
    // parses in the "C" locale.
    std::string plain;
    size_t i = first;
    if (i < last && (S[i] == '+' || S[i] == '-')) {
        if (S[i] == '-')
            plain += '-';
        ++i;
    }
    int integerDigits = 0, leadingZeros = 0, mantissaDigits = 0;
    bool seenNonZero = false, inFraction = false;
    for (; i < last; ++i) {
        const char c = S[i];
        if (c >= '0' && c <= '9') {
            ++mantissaDigits;
            if (!inFraction)
                ++integerDigits;
            if (c != '0')
                seenNonZero = true;
            else if (!seenNonZero)
                ++leadingZeros;
            plain += c;
        } else if (c == FormatSettings.DecimalSeparator && !inFraction) {
            inFraction = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long exponent = 0;
    if (i < last && (S[i] == 'e' || S[i] == 'E')) {
        plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < last && (S[i] == '+' || S[i] == '-'))
            negativeExponent = S[i++] == '-';
        const size_t digitsStart = i;
        for (; i < last && S[i] >= '0' && S[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (S[i] - '0'), 100000L);
        if (i == digitsStart)
            return false;
        if (negativeExponent)
            exponent = -exponent;
        plain += std::to_string(exponent);
    }
    if (i != last)
        return false;

    char* end = nullptr;
    errno = 0;
    double value = std::strtod(plain.c_str(), &end);
    if (end != plain.data() + plain.size())
        return false;
    if (errno == ERANGE && (value == HUGE_VAL || value == -HUGE_VAL || value == 0)) {
        // Too small to represent reads as zero; too large is an error.
        const long magnitude = integerDigits - leadingZeros - 1 + exponent;
        if (magnitude >= 0)
            return false;
        value = plain[0] == '-' ? -0.0 : 0.0;
    }
    Value = value;
    return true;
}

double StrToFloat(const std::string& S)
{
    double value = 0;
    if (!TryStrToFloat(S, value))
        throw EConvertError(Exception::Fmt("'%s' is not a valid floating point value", S.c_str()));
    return value;
}

std::string FloatToStr(double Value)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value < 0 ? "-INF" : "INF";
    if (Value == 0)
        return "0"; // also for -0
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", Value);
    std::string text;
    for (const char* p = buffer; *p; ++p) {
        if (*p == '.') {
            text += FormatSettings.DecimalSeparator;
        } else if (*p == 'E') {
            // "1.5E+020" reads better as "1.5E20".
            text += 'E';
            ++p;
            if (*p == '-')
                text += '-';
            if (*p == '-' || *p == '+')
                ++p;
            while (*p == '0' && p[1])
                ++p;
            text += p;
            break;
        } else {
            text += *p;
        }
    }
    return text;
}
