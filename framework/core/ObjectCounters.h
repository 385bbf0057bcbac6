#pragma once
// Live counts of what the framework makes and has not yet let go: its objects (every
// TObject), the GDI objects and device contexts its handle owners hold, and the
// windows and menus it makes (USER objects). A long random-input run reads them from
// outside to find leaks, which the system's own counts cannot show under Wine.
//
// Only a build that defines ELV_OBJECT_COUNTERS (the test tree) keeps the counts;
// there the program answers CountQueryMessage() (wParam: a TCounted, result: its
// count) through the application window, and at exit writes every count to the file
// named by the environment variable ELV_OBJECT_REPORT ("objects 0", one per line).
// In any other build every call below is empty and the counting unit is not linked.
#include <cstdint>

enum class TCounted { Objects, GdiObjects, UserObjects };
constexpr int CountedKinds = 3;
// The registered message's name, for the programs that ask.
constexpr const char* CountQueryMessageName = "ElvarineObjectCountQuery";

#ifdef ELV_OBJECT_COUNTERS
namespace ObjectCounters {
void Add(TCounted Kind, long Delta) noexcept;
long Live(TCounted Kind) noexcept;
// The registered window message that asks for a count.
unsigned CountQueryMessage() noexcept;
} // namespace ObjectCounters

inline void CountMade(TCounted Kind) noexcept { ObjectCounters::Add(Kind, 1); }
inline void CountReleased(TCounted Kind) noexcept { ObjectCounters::Add(Kind, -1); }
// Answers a count query; false for any other message.
inline bool AnswerCountQuery(unsigned Msg, std::uintptr_t WParam, long& Count) noexcept
{
    if (Msg != ObjectCounters::CountQueryMessage() || WParam >= CountedKinds)
        return false;
    Count = ObjectCounters::Live(static_cast<TCounted>(WParam));
    return true;
}
#else
inline void CountMade(TCounted) noexcept {}
inline void CountReleased(TCounted) noexcept {}
inline bool AnswerCountQuery(unsigned, std::uintptr_t, long&) noexcept { return false; }
#endif
