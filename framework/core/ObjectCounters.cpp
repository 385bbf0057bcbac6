#include "framework/core/ObjectCounters.h"

#ifdef ELV_OBJECT_COUNTERS
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace {
// Constant-initialised: counting works from the first static object on, and the
// counts outlive every object that is destroyed during the program's exit.
constinit std::atomic<long> gCounts[CountedKinds]{};

// Made by the first count, so destroyed after every static made later: the
// application, its forms and windows, the statics of other units.
struct TExitReport {
    ~TExitReport()
    {
        const char* path = std::getenv("ELV_OBJECT_REPORT");
        if (!path || !*path)
            return;
        if (FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "objects %ld\ngdi %ld\nuser %ld\n", gCounts[0].load(), gCounts[1].load(),
                         gCounts[2].load());
            std::fclose(file);
        }
    }
};
} // namespace

void ObjectCounters::Add(TCountedKind Kind, long Delta) noexcept
{
    static TExitReport report;
    gCounts[static_cast<int>(Kind)] += Delta;
}

long ObjectCounters::Live(TCountedKind Kind) noexcept { return gCounts[static_cast<int>(Kind)].load(); }

unsigned ObjectCounters::CountQueryMessage() noexcept
{
    static const UINT message = RegisterWindowMessageA(CountQueryMessageName);
    return message;
}
#endif
