#include "framework/streaming/PropertyValues.h"

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormLexer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr int64_t MinWord = std::numeric_limits<int32_t>::min();
constexpr int64_t MaxWord = std::numeric_limits<uint32_t>::max();
constexpr int MaxSetElements = 32;
constexpr size_t HexDigitsPerLine = 64;
const char* const Indentation = "  ";

const char* KindName(TPropKind kind)
{
    switch (kind) {
    case TPropKind::Integer: return "Integer";
    case TPropKind::Bool: return "Bool";
    case TPropKind::Float: return "Float";
    case TPropKind::String: return "String";
    case TPropKind::Enum: return "Enum";
    case TPropKind::Set: return "Set";
    case TPropKind::Object: return "Object";
    case TPropKind::Component: return "Component";
    case TPropKind::Event: return "Event";
    case TPropKind::Lines: return "Lines";
    case TPropKind::Bytes: return "Bytes";
    case TPropKind::Collection: return "Collection";
    }
    return "?";
}

// Reads the value of one property; every failure names the token, the type and the property.
class TValueReader {
public:
    TValueReader(TFormLexer& lexer, const TPropInfo& prop, const std::string& path)
        : FLexer(lexer), FProp(prop), FPath(path)
    {
    }

    TValue Read()
    {
        switch (FProp.Kind) {
        case TPropKind::Integer: return ReadInteger();
        case TPropKind::Bool: return ReadBool();
        case TPropKind::Float: return ReadFloat();
        case TPropKind::String: return ReadString();
        case TPropKind::Enum: return ReadEnum();
        case TPropKind::Set: return ReadSet();
        case TPropKind::Lines: return ReadLines();
        case TPropKind::Bytes: return ReadBytes();
        default: break;
        }
        FLexer.Fail(FLexer.Peek().Line, "property " + FPath + " has no value of its own");
    }

private:
    [[noreturn]] void Invalid(const TFormToken& token) const
    {
        FLexer.Fail(token.Line, "invalid value " + token.Describe() + " for " + PropertyTypeName(FProp) +
                                    " property " + FPath);
    }

    TValue ReadInteger()
    {
        const TFormToken token = FLexer.Next();
        if (token.Kind == TTokenKind::Identifier && FProp.Idents)
            if (auto value = FProp.Idents->ValueOf(token.Text))
                return *value;
        if (token.Kind != TTokenKind::Number)
            Invalid(token);
        const std::string& text = token.Text;
        const bool hex = text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        const char* first = text.data() + (hex ? 2 : 0);
        const char* last = text.data() + text.size();
        int64_t value = 0;
        const auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
        if (first == last || (error != std::errc() && error != std::errc::result_out_of_range) || end != last)
            Invalid(token);
        if (error == std::errc::result_out_of_range || value < (hex ? 0 : MinWord) ||
            value > (hex ? MaxWord : std::numeric_limits<int32_t>::max()))
            FLexer.Fail(token.Line, "value " + text + " is out of the 32-bit range for " + PropertyTypeName(FProp) +
                                        " property " + FPath);
        return hex ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(value))) : value;
    }

    TValue ReadBool()
    {
        const TFormToken token = FLexer.Next();
        if (token.IsIdentifier("true"))
            return true;
        if (token.IsIdentifier("false"))
            return false;
        Invalid(token);
    }

    TValue ReadFloat()
    {
        const TFormToken token = FLexer.Next();
        if (token.Kind != TTokenKind::Number)
            Invalid(token);
        const char* last = token.Text.data() + token.Text.size();
        double value = 0;
        const auto [end, error] = std::from_chars(token.Text.data(), last, value, std::chars_format::general);
        if (error != std::errc() || end != last)
            Invalid(token);
        return value;
    }

    TValue ReadString()
    {
        const TFormToken token = FLexer.Next();
        if (token.Kind != TTokenKind::String)
            Invalid(token);
        return token.Text;
    }

    int64_t Ordinal(const TFormToken& token) const
    {
        const int ordinal = token.Kind == TTokenKind::Identifier ? FProp.Enum->ValueOf(token.Text) : -1;
        if (ordinal < 0 || (FProp.Kind == TPropKind::Set && ordinal >= MaxSetElements))
            Invalid(token);
        return ordinal;
    }

    TValue ReadEnum() { return Ordinal(FLexer.Next()); }

    TValue ReadSet()
    {
        const TFormToken open = FLexer.Next();
        if (!open.Is('['))
            Invalid(open);
        int64_t bits = 0;
        if (FLexer.Peek().Is(']')) {
            FLexer.Next();
            return bits;
        }
        for (;;) {
            bits |= int64_t{1} << Ordinal(FLexer.Next());
            const TFormToken separator = FLexer.Next();
            if (separator.Is(']'))
                return bits;
            if (!separator.Is(','))
                FLexer.Fail(separator.Line, "expected \",\" or \"]\" in the set of " + FPath + ", found " +
                                                separator.Describe());
        }
    }

    TValue ReadLines()
    {
        const TFormToken open = FLexer.Next();
        if (!open.Is('['))
            Invalid(open);
        TLines lines;
        for (;;) {
            TFormToken token = FLexer.Next();
            if (token.Is(']'))
                return lines;
            if (token.Kind != TTokenKind::String)
                FLexer.Fail(token.Line, "expected a string or \"]\" in the lines of " + FPath + ", found " +
                                            token.Describe());
            lines.push_back(std::move(token.Text));
        }
    }

    TValue ReadBytes()
    {
        const TFormToken keyword = FLexer.Next();
        if (!keyword.IsIdentifier("bytes"))
            Invalid(keyword);
        const TFormToken open = FLexer.Expect('{', "after bytes");
        return FLexer.ReadHexBlock(open.Line);
    }

    TFormLexer& FLexer;
    const TPropInfo& FProp;
    const std::string& FPath;
};

std::string FormatInteger(const TPropInfo& prop, int64_t value)
{
    if (prop.Idents)
        if (const char* name = prop.Idents->NameOf(value))
            return name;
    if (value < MinWord || value > MaxWord)
        throw EWriteError(Exception::Fmt("value %lld is out of the 32-bit range", static_cast<long long>(value)));
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
        throw EWriteError(Exception::Fmt("%lld is no value of %s", static_cast<long long>(ordinal), prop.Enum->TypeName));
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

std::string PropertyTypeName(const TPropInfo& prop)
{
    if (prop.Enum)
        return prop.Enum->TypeName;
    if (prop.RefClass)
        return prop.RefClass->Name;
    return KindName(prop.Kind);
}

TValue ReadPropertyValue(TFormLexer& lexer, const TPropInfo& prop, const std::string& path)
{
    return TValueReader(lexer, prop, path).Read();
}

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
    throw EWriteError(Exception::Fmt("a %s property has no value of its own", KindName(prop.Kind)));
}
