#pragma once
// How each kind of property value is spelled in a form resource, in both
// directions. Component references and events are plain names and are left to
// the reader and the writer, which know the form they belong to.
//
// Integer properties hold 32-bit words: decimal within the signed range, or
// hexadecimal up to 0xFFFFFFFF, which stands for the word with those bits (a
// system colour such as 0x8000000F reads the same into a signed or an unsigned
// field).
#include "framework/core/TypeInfo.h"

#include <cstdint>
#include <limits>
#include <string>

class TFormLexer;

// The range of the 32-bit words that integer properties hold.
constexpr int64_t MinWord = std::numeric_limits<int32_t>::min();
constexpr int64_t MaxWord = std::numeric_limits<uint32_t>::max();

// The type named by error messages: the enumeration's or class's own name, or the kind.
std::string PropertyTypeName(const TPropInfo& prop);

// Reads the value of Prop (any kind but Object, Component and Event) at the
// lexer's position; Path names the property in error messages.
TValue ReadPropertyValue(TFormLexer& lexer, const TPropInfo& prop, const std::string& path);

// The text of Value; the lines of a list or a bytes block are indented by Indent
// plus one level. Raises EWriteError for a value the format cannot hold.
std::string FormatPropertyValue(const TPropInfo& prop, const TValue& value, const std::string& indent);
