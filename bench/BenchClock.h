#pragma once
// Timing for the benchmarks that set a piece of ours against the bare system calls
// doing the same work in the same run: the best elapsed time of several runs, and
// the mean time the thread itself ran, which other programs on the machine do not
// stretch.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include <windows.h>

inline double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

inline double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct TCost {
    double Best = 1e9;
    double ThreadTotal = 0;
    int Runs = 0;

    template <class F>
    void Measure(F&& work)
    {
        const double thread = ThreadSeconds(), start = Seconds();
        work();
        GdiFlush(); // drawing batched by the system counts where it was asked for
        Best = std::min(Best, Seconds() - start);
        ThreadTotal += ThreadSeconds() - thread;
        ++Runs;
    }
    double ThreadMean() const { return ThreadTotal / Runs; }
};

inline void PrintHeader()
{
    std::printf("%-32s %12s  %12s\n", "", "best elapsed", "thread time");
}

// Ours, the bare calls, and the ratio of the two against its goal.
inline void Report(const char* what, const TCost& ours, const TCost& bare, const char* goal)
{
    std::printf("%-32s %9.3f ms  %9.3f ms\n", what, ours.Best * 1e3, ours.ThreadMean() * 1e3);
    std::printf("%-32s %9.3f ms  %9.3f ms\n", "  bare system calls", bare.Best * 1e3, bare.ThreadMean() * 1e3);
    std::printf("%-32s %9.3f     %9.3f     (goal: at most %s)\n", "  ratio", ours.Best / bare.Best,
                ours.ThreadMean() / bare.ThreadMean(), goal);
}
