// The writing half of the property values: kept apart from the reading half so that a
// program that only reads its forms does not carry the number formatting it never uses.
#include "framework/core/Exceptions.h"
#include "framework/streaming/FormLexer.h"
#include "framework/streaming/PropertyValues.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {
constexpr size_t HexDigitsPerLine = 64;
const char* const Indentation = "  ";

std::string FormatInteger(const TPropInfo& prop, int64_t value)
{
    if (prop.Idents)
        if (const char* name = prop.Idents->NameOf(value))
            return name;
    if (value < MinWord || value > MaxWord)
        throw EWriteError("value " + std::to_string(value) + " is out of the 32-bit range");
    const auto word = static_cast<uint32_t>(value);
    if (prop.Idents && prop.Idents->WriteHex)
        return Exception::Fmt("0x%08X", static_cast<unsigned>(word));
    // Decimal is read back within the signed range only; the bits are what count.
    return std::to_string(static_cast<int32_t>(word));
}

std::string FormatFloat(double value)
{
    if (!std::isfinite(value))
        throw EWriteError("a float that is not a finite number cannot be written");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string EnumName(const TPropInfo& prop, int64_t ordinal)
{
    const char* name = prop.Enum->NameOf(ordinal);
    if (!name)
        throw EWriteError(std::to_string(ordinal) + " is no value of " + prop.Enum->TypeName);
    return name;
}

std::string FormatSet(const TPropInfo& prop, int64_t bits)
{
    std::string text = "[";
    for (int ordinal = 0; ordinal < 64; ++ordinal)
        if (bits & (int64_t{1} << ordinal)) {
            if (text.size() > 1)
                text += ", ";
            text += EnumName(prop, ordinal);
        }
    return text + "]";
}

std::string FormatLines(const TLines& lines, const std::string& indent)
{
    if (lines.empty())
        return "[]";
    std::string text = "[\n";
    for (const std::string& line : lines)
        text += indent + Indentation + QuoteString(line) + "\n";
    return text + indent + "]";
}

std::string FormatBytes(const TBytes& bytes, const std::string& indent)
{
    static const char Digits[] = "0123456789ABCDEF";
    std::string text = "bytes {\n";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i * 2 % HexDigitsPerLine == 0)
            text += indent + Indentation;
        text += Digits[bytes[i] >> 4];
        text += Digits[bytes[i] & 0xF];
        if ((i + 1) * 2 % HexDigitsPerLine == 0 || i + 1 == bytes.size())
            text += '\n';
    }
    return text + indent + "}";
}
} // namespace

std::string FormatPropertyValue(const TPropInfo& prop, const TValue& value, const std::string& indent)
{
    switch (prop.Kind) {
    case TPropKind::Integer: return FormatInteger(prop, std::get<int64_t>(value));
    case TPropKind::Bool: return std::get<bool>(value) ? "true" : "false";
    case TPropKind::Float: return FormatFloat(std::get<double>(value));
    case TPropKind::String: return QuoteString(std::get<std::string>(value));
    case TPropKind::Enum: return EnumName(prop, std::get<int64_t>(value));
    case TPropKind::Set: return FormatSet(prop, std::get<int64_t>(value));
    case TPropKind::Lines: return FormatLines(std::get<TLines>(value), indent);
    case TPropKind::Bytes: return FormatBytes(std::get<TBytes>(value), indent);
    default: break;
    }
    throw EWriteError("a " + PropertyTypeName(prop) + " property has no value of its own");
}
