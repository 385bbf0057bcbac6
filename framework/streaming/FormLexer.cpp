#include "framework/streaming/FormLexer.h"

#include "framework/core/Exceptions.h"

#include <cctype>
#include <cstring>

namespace {
bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A character as an error message shows it: control bytes would garble the message.
std::string Printable(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
        return Exception::Fmt("\\x%02X", byte);
    return std::string(1, c);
}
} // namespace

std::string TFormToken::Describe() const
{
    switch (Kind) {
    case TTokenKind::End:
        return "end of text";
    case TTokenKind::String:
        return Source;
    default:
        return "\"" + Text + "\"";
    }
}

TFormLexer::TFormLexer(std::string_view text, std::string resourceName)
    : FText(text), FResourceName(std::move(resourceName))
{
}

void TFormLexer::Fail(int line, const std::string& message) const
{
    throw EReadError(Exception::Fmt("%s line %d: %s", FResourceName.c_str(), line, message.c_str()));
}

const TFormToken& TFormLexer::Peek()
{
    if (!FPeeked)
        FPeeked = Scan();
    return *FPeeked;
}

TFormToken TFormLexer::Next()
{
    if (FPeeked) {
        TFormToken token = std::move(*FPeeked);
        FPeeked.reset();
        return token;
    }
    return Scan();
}

TFormToken TFormLexer::Expect(char symbol, const std::string& where)
{
    TFormToken token = Next();
    if (!token.Is(symbol))
        Fail(token.Line, Exception::Fmt("expected \"%c\" %s, found %s", symbol, where.c_str(), token.Describe().c_str()));
    return token;
}

void TFormLexer::Advance()
{
    if (Current() == '\n')
        ++FLine;
    ++FPos;
}

void TFormLexer::SkipBlanks()
{
    while (!AtEnd()) {
        if (Current() == '#') {
            while (!AtEnd() && Current() != '\n')
                Advance();
        } else if (std::isspace(static_cast<unsigned char>(Current()))) {
            Advance();
        } else {
            return;
        }
    }
}

TFormToken TFormLexer::Scan()
{
    SkipBlanks();
    TFormToken token;
    token.Line = FLine;
    if (AtEnd())
        return token;
    const size_t start = FPos;
    const char c = Current();
    if (c == '"')
        return ScanString();
    if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1])))
        return ScanNumber();
    if (IsIdentStart(c)) {
        while (!AtEnd() && IsIdentChar(Current()))
            Advance();
        token.Kind = TTokenKind::Identifier;
    } else if (std::strchr("{}[]=.,", c)) {
        Advance();
        token.Kind = TTokenKind::Symbol;
    } else {
        Fail(FLine, "unexpected character \"" + Printable(c) + "\"");
    }
    token.Text = token.Source = std::string(FText.substr(start, FPos - start));
    return token;
}

TFormToken TFormLexer::ScanNumber()
{
    TFormToken token;
    token.Kind = TTokenKind::Number;
    token.Line = FLine;
    const size_t start = FPos;
    if (Current() == '-')
        Advance();
    if (Current() == '0' && FPos + 1 < FText.size() && (FText[FPos + 1] == 'x' || FText[FPos + 1] == 'X')) {
        Advance();
        Advance();
        while (!AtEnd() && HexDigit(Current()) >= 0)
            Advance();
    } else {
        while (!AtEnd() && IsDigit(Current()))
            Advance();
        if (!AtEnd() && Current() == '.') {
            Advance();
            while (!AtEnd() && IsDigit(Current()))
                Advance();
        }
        if (!AtEnd() && (Current() == 'e' || Current() == 'E')) {
            Advance();
            if (!AtEnd() && (Current() == '+' || Current() == '-'))
                Advance();
            while (!AtEnd() && IsDigit(Current()))
                Advance();
        }
    }
    // Whatever sticks to the digits belongs to the token, so that "12px" is
    // reported whole instead of as a number followed by an identifier.
    while (!AtEnd() && (IsIdentChar(Current()) || Current() == '.'))
        Advance();
    token.Text = token.Source = std::string(FText.substr(start, FPos - start));
    return token;
}

TFormToken TFormLexer::ScanString()
{
    TFormToken token;
    token.Kind = TTokenKind::String;
    token.Line = FLine;
    const size_t start = FPos;
    Advance(); // the opening quote
    for (;;) {
        if (AtEnd() || Current() == '\n' || Current() == '\r')
            Fail(token.Line, "unterminated string");
        const char c = Current();
        Advance();
        if (c == '"')
            break;
        if (c != '\\') {
            token.Text += c;
            continue;
        }
        if (AtEnd())
            Fail(token.Line, "unterminated string");
        const char escape = Current();
        Advance();
        switch (escape) {
        case '"': token.Text += '"'; break;
        case '\\': token.Text += '\\'; break;
        case 'n': token.Text += '\n'; break;
        case 'r': token.Text += '\r'; break;
        case 't': token.Text += '\t'; break;
        case 'x': {
            const int high = AtEnd() ? -1 : HexDigit(Current());
            const int low = FPos + 1 < FText.size() ? HexDigit(FText[FPos + 1]) : -1;
            if (high < 0 || low < 0)
                Fail(token.Line, "invalid escape in string: \\x needs two hex digits");
            Advance();
            Advance();
            token.Text += static_cast<char>(high * 16 + low);
            break;
        }
        default:
            Fail(token.Line, "invalid escape \"\\" + Printable(escape) + "\" in string");
        }
    }
    token.Source = std::string(FText.substr(start, FPos - start));
    return token;
}

TBytes TFormLexer::ReadHexBlock(int line)
{
    TBytes bytes;
    int pending = -1; // the high nibble of a byte whose low nibble is still to come
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail(line, "expected \"}\" to close the bytes block, found end of text");
        const char c = Current();
        if (c == '}') {
            Advance();
            break;
        }
        const int digit = HexDigit(c);
        if (digit < 0)
            Fail(FLine, "bad hex digit \"" + Printable(c) + "\" in bytes");
        Advance();
        if (pending < 0) {
            pending = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(pending * 16 + digit));
            pending = -1;
        }
    }
    if (pending >= 0)
        Fail(line, "odd number of hex digits in bytes");
    return bytes;
}
