#pragma once
// Owners of GDI handles. Every GDI object, memory DC and window DC that the framework
// makes is held by one of these, so nothing leaks when an exception unwinds.
#include "framework/core/Exceptions.h"
#include "framework/core/ObjectCounters.h"

#include <memory>
#include <utility>

#include <windows.h>

// A move-only owner of one handle, closed by Close when the owner lets it go. A test
// build counts the handles owners hold (ObjectCounters.h): one given up with Release
// is no longer counted.
template <class H, auto Close>
class TUniqueGdi {
public:
    TUniqueGdi() = default;
    explicit TUniqueGdi(H handle) : FHandle(handle) { Counted(handle, true); }
    ~TUniqueGdi() { Reset(); }
    TUniqueGdi(TUniqueGdi&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TUniqueGdi& operator=(TUniqueGdi&& other) noexcept
    {
        if (this != &other) {
            Reset();
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }
    TUniqueGdi(const TUniqueGdi&) = delete;
    TUniqueGdi& operator=(const TUniqueGdi&) = delete;

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    H Release()
    {
        Counted(FHandle, false);
        return std::exchange(FHandle, nullptr);
    }
    void Reset(H handle = nullptr)
    {
        if (handle == FHandle)
            return;
        if (FHandle) {
            Close(FHandle);
            Counted(FHandle, false);
        }
        FHandle = handle;
        Counted(handle, true);
    }

private:
    static void Counted(H handle, bool made)
    {
        if (handle)
            made ? CountMade(TCountedKind::GdiObjects) : CountReleased(TCountedKind::GdiObjects);
    }

    H FHandle = nullptr;
};

using TGdiObject = TUniqueGdi<HGDIOBJ, DeleteObject>;
using TGdiBitmap = TUniqueGdi<HBITMAP, DeleteObject>;
using TMemoryDC = TUniqueGdi<HDC, DeleteDC>;

// A pen, brush or font that several holders share: the object that made it and each
// DC it is selected into. GDI must not delete an object while a DC still holds it,
// so the last holder to let go deletes it.
using TSharedGdiObject = std::shared_ptr<const TGdiObject>;

// The DC of a window (or of the screen, for a null window), released on destruction.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : FWindow(window), FDC(GetDC(window))
    {
        if (FDC)
            CountMade(TCountedKind::GdiObjects);
    }
    ~TWindowDC()
    {
        if (FDC) {
            ReleaseDC(FWindow, FDC);
            CountReleased(TCountedKind::GdiObjects);
        }
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// Objects selected into a DC over time, of one kind: remembers what the DC held
// before the first selection and puts it back on Restore (or destruction), so a DC
// is never released or deleted while holding an object that is not its own.
class TObjectSelection {
public:
    TObjectSelection() = default;
    TObjectSelection(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ~TObjectSelection() { Restore(); }
    TObjectSelection(const TObjectSelection&) = delete;
    TObjectSelection& operator=(const TObjectSelection&) = delete;

    void Select(HDC dc, HGDIOBJ object)
    {
        HGDIOBJ previous = SelectObject(dc, object);
        if (!FOriginal) {
            FDC = dc;
            FOriginal = previous;
        }
    }
    void Restore()
    {
        if (FOriginal)
            SelectObject(FDC, FOriginal);
        FDC = nullptr;
        FOriginal = nullptr;
    }

private:
    HDC FDC = nullptr;
    HGDIOBJ FOriginal = nullptr;
};

// A memory DC with one bitmap selected into it (or none, for a null bitmap). The
// bitmap stays its owner's; the DC's own bitmap is put back before the DC is deleted.
class TBitmapDC {
public:
    explicit TBitmapDC(HBITMAP bitmap) : FDC(CreateCompatibleDC(nullptr))
    {
        if (!FDC)
            throw EOutOfResources("Cannot create a memory device context");
        if (bitmap)
            FSelection.Select(FDC.Get(), bitmap);
    }
    HDC Get() const { return FDC.Get(); }

private:
    TMemoryDC FDC;                // declared first: deleted after the selection is undone
    TObjectSelection FSelection;
};
