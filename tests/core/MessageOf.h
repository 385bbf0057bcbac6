#pragma once
// The message of the exception of class E that f raises; "(no error)" when f
// returns normally. Any other exception passes through and fails the test.
#include <string>

template <class E, class F>
std::string MessageOf(F&& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no error)";
}
