#pragma once
// Live counts of what the framework makes and has not yet let go: its objects (every
// TObject), the GDI objects and device contexts its handle owners hold, and the
// windows and menus it makes (USER objects). A long random-input run reads them from
// outside to find leaks, which the system's own counts cannot show under Wine.
//
// Only a build that defines ELV_OBJECT_COUNTERS (the test tree) keeps the counts;
// there the program answers CountQueryMessage() (wParam: a TCountedKind, result: its
// count) through the application window, and at exit writes every count to the file
// named by the environment variable ELV_OBJECT_REPORT ("objects 0", one per line).
// In any other build every call below is empty and the counting unit is not linked.
#include <cstdint>

enum class TCountedKind { Objects, GdiObjects, UserObjects };
constexpr int CountedKinds = 3;
// The registered message's name, for the programs that ask.
constexpr const char* CountQueryMessageName = "ElvarineObjectCountQuery";

#ifdef ELV_OBJECT_COUNTERS
namespace ObjectCounters {
void Add(TCountedKind Kind, long Delta) noexcept;
long Live(TCountedKind Kind) noexcept;
// The registered window message that asks for a count.
unsigned CountQueryMessage() noexcept;
} // namespace ObjectCounters

inline void CountMade(TCountedKind Kind) noexcept { ObjectCounters::Add(Kind, 1); }
inline void CountReleased(TCountedKind Kind) noexcept { ObjectCounters::Add(Kind, -1); }
// Answers a count query; false for any other message.
inline bool AnswerCountQuery(unsigned Msg, std::uintptr_t WParam, long& Count) noexcept
{
    if (Msg != ObjectCounters::CountQueryMessage() || WParam >= CountedKinds)
        return false;
    Count = ObjectCounters::Live(static_cast<TCountedKind>(WParam));
    return true;
}
#else
inline void CountMade(TCountedKind) noexcept {}
inline void CountReleased(TCountedKind) noexcept {}
inline bool AnswerCountQuery(unsigned, std::uintptr_t, long&) noexcept { return false; }
#endif
