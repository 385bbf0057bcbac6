#include "framework/streaming/PropertyValues.h"

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormLexer.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <string>

namespace {
constexpr int MaxSetElements = 32;

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
        if (hex)
            value = static_cast<int32_t>(static_cast<uint32_t>(value));
        if (FProp.Bounds && (value < FProp.Bounds->first || value > FProp.Bounds->second))
            FLexer.Fail(token.Line, "value " + text + " is out of the range " + std::to_string(FProp.Bounds->first) +
                                        ".." + std::to_string(FProp.Bounds->second) + " of " + PropertyTypeName(FProp) +
                                        " property " + FPath);
        return value;
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
        // The lexer admits only digits, a sign, '.' and an exponent here, and the C
        // runtime parses in the "C" locale: '.' whatever the user's locale says.
        if (token.Text.find_first_of("xX") != std::string::npos) // strtod would take hexadecimal
            Invalid(token);
        const char* last = token.Text.data() + token.Text.size();
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod(token.Text.c_str(), &end);
        if (errno == ERANGE || end != last)
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
