// Whether this machine runs 32-bit Windows programs at all, as scripts/lib.sh asked it
// once per build folder (ELV_WINE32, ELV_WINE32_SAYS). Where it cannot, a test of a
// 32-bit program reports itself skipped with the reason; where nobody asked, it runs.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

inline const char* Why32BitCannotRun()
{
    const char* answer = std::getenv("ELV_WINE32");
    if (!answer || std::string_view(answer) != "no")
        return nullptr;
    const char* says = std::getenv("ELV_WINE32_SAYS");
    return says ? says : "32-bit Windows programs cannot run on this machine.";
}

#define SKIP_UNLESS_32_BIT_RUNS()                   \
    if (const char* why = Why32BitCannotRun())      \
    GTEST_SKIP() << why
