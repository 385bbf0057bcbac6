// The standard library reports its own errors (an index past the end of a string, a
// length too large) through the std::__throw_ functions. Defined here, they raise the
// framework's exceptions instead of the library's logic and runtime error classes,
// whose text machinery (a second string implementation kept for compatibility) would
// otherwise come with every program: about 45 KB of the 32-bit launcher. The
// application's handler reports them like any other error.
#include "framework/core/Exceptions.h"

#include <cstdarg>
#include <new>
#include <string>
#include <typeinfo>

namespace {
[[noreturn]] void Raise(const char* what) { throw Exception(std::string("Internal error: ") + (what ? what : "")); }
} // namespace

namespace std {
void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* what) { Raise(what); }
void __throw_domain_error(const char* what) { Raise(what); }
void __throw_invalid_argument(const char* what) { Raise(what); }
void __throw_length_error(const char* what) { Raise(what); }
void __throw_out_of_range(const char* what) { Raise(what); }
void __throw_runtime_error(const char* what) { Raise(what); }
void __throw_range_error(const char* what) { Raise(what); }
void __throw_overflow_error(const char* what) { Raise(what); }
void __throw_underflow_error(const char* what) { Raise(what); }
void __throw_out_of_range_fmt(const char* format, ...)
{
    // The library's formats use only %s and %zu, which the system C runtime's
    // printf does not all know: they are spelled out here.
    std::string text;
    va_list args;
    va_start(args, format);
    for (const char* p = format; p && *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            text += va_arg(args, const char*);
            ++p;
        } else if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
            text += std::to_string(va_arg(args, size_t));
            p += 2;
        } else {
            text += *p;
        }
    }
    va_end(args);
    Raise(text.c_str());
}
} // namespace std
