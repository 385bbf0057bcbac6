#include "framework/core/Exceptions.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

// The system's C runtime formats the messages: the compiler runtime's own C99
// formatter would add some 60 KB to every program for a few lines of text. Fmt's
// format attribute is ms_printf, so each caller is checked against what it knows.
std::string Exception::Fmt(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = _vscprintf(format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        _vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

void RaiseLastOSError(const char* operation)
{
    const DWORD code = GetLastError();
    char* buffer = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = buffer ? buffer : "";
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    throw EOSError(Exception::Fmt("%s failed: system error %lu%s%s", operation, static_cast<unsigned long>(code),
                                  text.empty() ? "" : ", ", text.c_str()));
}
