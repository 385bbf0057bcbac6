#include "framework/system/Handles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Closed;
void CloseCounted(int handle) { Closed.push_back(handle); }
using TCounted = TUniqueHandle<int, &CloseCounted>;

} // namespace

TEST(UniqueHandle, ClosesEachHandleOnce)
{
    Closed.clear();
    {
        TCounted a(1);
        TCounted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), 1);
        TCounted c(2);
        c = std::move(b); // closes 2, takes 1
        c = std::move(c);
        c.Reset(c.Get()); // the same handle again: kept open
        TCounted d(3);
        EXPECT_EQ(d.Release(), 3);
        TCounted e;
        EXPECT_FALSE(e);
    }
    EXPECT_EQ(Closed, (std::vector<int>{2, 1}));
}

TEST(UniqueHandle, ClosesRealKernelObjects)
{
    HANDLE raw;
    {
        THandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(event);
        raw = event.Get();
        DWORD flags;
        EXPECT_TRUE(GetHandleInformation(raw, &flags));
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));
    TFileHandle none;
    EXPECT_EQ(none.Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
}
