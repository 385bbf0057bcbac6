#pragma once
// The tokens of a form resource: identifiers, numbers, quoted strings and the
// punctuation { } [ ] = . , with '#' comments to the end of the line. Every token
// knows its line, and every error names the resource and the line.
#include "framework/core/TypeInfo.h"

#include <optional>
#include <string>
#include <string_view>

enum class TTokenKind { Identifier, Number, String, Symbol, End };

struct TFormToken {
    TTokenKind Kind = TTokenKind::End;
    std::string Text;   // a string's value with its escapes resolved; otherwise as written
    std::string Source; // as written, quotes included
    int Line = 1;

    bool Is(char symbol) const { return Kind == TTokenKind::Symbol && Text.size() == 1 && Text[0] == symbol; }
    bool IsIdentifier(std::string_view name) const { return Kind == TTokenKind::Identifier && Text == name; }
    // The token as an error message shows it: "bsFoo", "Elvarine", end of text.
    std::string Describe() const;
};

// The string token for Text: double quotes, with escapes for the quote, the
// backslash and control bytes; bytes of 0x80 and above are ANSI text and stay.
std::string QuoteString(const std::string& text);

class TFormLexer {
public:
    TFormLexer(std::string_view text, std::string resourceName);

    const TFormToken& Peek();
    TFormToken Next();
    // Consumes the symbol or fails with "expected "=" after Font.Name, found ...".
    TFormToken Expect(char symbol, const std::string& where);
    // The hex digits of a bytes block up to its closing brace, the opening brace
    // having been consumed by Next (the block is not made of tokens).
    TBytes ReadHexBlock(int line);

    // Raises EReadError "<resource> line <n>: <message>".
    [[noreturn]] void Fail(int line, const std::string& message) const;

private:
    TFormToken Scan();
    void SkipBlanks();
    std::string ScanString(int line); // the value, escapes resolved
    void ScanNumber();
    bool AtEnd() const { return FPos >= FText.size(); }
    char Current() const { return FText[FPos]; }
    void Advance();

    std::string_view FText;
    std::string FResourceName;
    size_t FPos = 0;
    int FLine = 1;
    std::optional<TFormToken> FPeeked;
};
