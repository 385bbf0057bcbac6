#pragma once
// Sole ownership of a Win32 handle: the handle is closed exactly once, when its
// owner goes away or takes another, and ownership can only move, never be copied.
//
//   TRegKey key(opened);            // RegCloseKey on scope exit
//   HKEY raw = key.Get();           // borrowed, still owned
//   HKEY mine = key.Release();      // the caller closes it now
//
// Close is any callable taking the handle (RegCloseKey, CloseHandle, DeleteObject).
// NoHandle returns the value that means "no handle": most APIs use null, file APIs
// use INVALID_HANDLE_VALUE, which is no constant expression and so comes through a
// function.
#include "framework/core/ObjectCounters.h"

#include <type_traits>
#include <utility>

#include <windows.h>

template <class H>
constexpr H NullHandle() noexcept
{
    return H{};
}

template <class H, auto Close, H (*NoHandle)() noexcept = &NullHandle<H>>
class TUniqueHandle {
public:
    TUniqueHandle() noexcept = default;
    explicit TUniqueHandle(H handle) noexcept : FHandle(handle) { Counted(handle, true); }
    ~TUniqueHandle() { Reset(); }

    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, NoHandle())) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            FHandle = std::exchange(other.FHandle, NoHandle());
        }
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    H Get() const noexcept { return FHandle; }
    explicit operator bool() const noexcept { return FHandle != NoHandle(); }

    // Gives up ownership without closing.
    H Release() noexcept
    {
        Counted(FHandle, false);
        return std::exchange(FHandle, NoHandle());
    }

    // Closes the current handle (if any) and takes ownership of handle.
    void Reset(H handle = NoHandle()) noexcept
    {
        const H old = std::exchange(FHandle, handle);
        if (old == handle)
            return;
        if (old != NoHandle()) {
            Close(old);
            Counted(old, false);
        }
        Counted(handle, true);
    }

private:
    // Windows and menus are USER objects: a test build counts those its owners hold
    // (ObjectCounters.h); one given up with Release is no longer counted.
    static void Counted(H handle, bool made) noexcept
    {
        if constexpr (std::is_same_v<H, HWND> || std::is_same_v<H, HMENU>)
            if (handle != NoHandle())
                made ? CountMade(TCountedKind::UserObjects) : CountReleased(TCountedKind::UserObjects);
    }

    H FHandle = NoHandle();
};

inline HANDLE InvalidFileHandle() noexcept
{
    return INVALID_HANDLE_VALUE;
}

using TRegKey = TUniqueHandle<HKEY, &RegCloseKey>;
// Kernel objects that report failure as null: processes, threads, events, mutexes.
using THandle = TUniqueHandle<HANDLE, &CloseHandle>;
// Kernel objects that report failure as INVALID_HANDLE_VALUE: files, pipes, snapshots.
using TFileHandle = TUniqueHandle<HANDLE, &CloseHandle, &InvalidFileHandle>;
using TWindowHandle = TUniqueHandle<HWND, &DestroyWindow>;
