#include "framework/streaming/FormLexer.h"

#include "framework/core/Exceptions.h"
#include "framework/text/SysUtils.h"

#include <cctype>
#include <utility>
#include <cstring>

namespace {
bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The escapes that stand for one character each, both ways; any other control
// byte is written \xHH.
constexpr std::pair<char, char> ShortEscapes[] = {{'"', '"'}, {'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}};

// The letter of C's short escape, or the character a letter stands for; 0 when none.
char EscapeLetter(char c)
{
    for (const auto& [plain, letter] : ShortEscapes)
        if (plain == c)
            return letter;
    return 0;
}

char Unescaped(char letter)
{
    for (const auto& [plain, l] : ShortEscapes)
        if (l == letter)
            return plain;
    return 0;
}

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A character as an error message shows it: control bytes would garble the message.
std::string Printable(char c)
{
    return IsControl(c) ? Exception::Fmt("\\x%02X", static_cast<unsigned char>(c)) : std::string(1, c);
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
    if (c == '"') {
        token.Kind = TTokenKind::String;
        token.Text = ScanString(token.Line);
    } else if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
        token.Kind = TTokenKind::Number;
        ScanNumber();
    } else if (IsIdentStart(c)) {
        token.Kind = TTokenKind::Identifier;
        while (!AtEnd() && IsIdentChar(Current()))
            Advance();
    } else if (std::strchr("{}[]=.,", c)) {
        token.Kind = TTokenKind::Symbol;
        Advance();
    } else {
        Fail(FLine, "unexpected character \"" + Printable(c) + "\"");
    }
    token.Source = std::string(FText.substr(start, FPos - start));
    if (token.Kind != TTokenKind::String)
        token.Text = token.Source;
    return token;
}

void TFormLexer::ScanNumber()
{
    // The value reader decides what the characters mean. Everything that sticks
    // to the digits belongs to the token, so that "12px" is reported whole
    // rather than as a number followed by an identifier.
    Advance(); // the leading digit or minus sign
    while (!AtEnd()) {
        const char c = Current();
        const char previous = FText[FPos - 1];
        const bool exponentSign = (c == '+' || c == '-') && (previous == 'e' || previous == 'E');
        if (!IsIdentChar(c) && c != '.' && !exponentSign)
            return;
        Advance();
    }
}

std::string TFormLexer::ScanString(int line)
{
    std::string value;
    // Strings stay on their line: a missing quote is caught where it happens.
    auto checkOpen = [&] {
        if (AtEnd() || Current() == '\n' || Current() == '\r')
            Fail(line, "unterminated string");
    };
    Advance(); // the opening quote
    for (;;) {
        checkOpen();
        const char c = Current();
        Advance();
        if (c == '"')
            return value;
        if (c != '\\') {
            value += c;
            continue;
        }
        checkOpen();
        const char escape = Current();
        Advance();
        if (escape == 'x') {
            const int high = AtEnd() ? -1 : HexDigitValue(Current());
            const int low = FPos + 1 < FText.size() ? HexDigitValue(FText[FPos + 1]) : -1;
            if (high < 0 || low < 0)
                Fail(line, "invalid escape in string: \\x needs two hex digits");
            Advance();
            Advance();
            value += static_cast<char>(high * 16 + low);
            continue;
        }
        const char plain = Unescaped(escape);
        if (!plain)
            Fail(line, "invalid escape \"\\" + Printable(escape) + "\" in string");
        value += plain;
    }
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
        const int digit = HexDigitValue(c);
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

std::string QuoteString(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (const char letter = EscapeLetter(c))
            quoted += std::string{'\\', letter};
        else
            quoted += Printable(c); // \xHH for the other control bytes
    }
    return quoted + "\"";
}
