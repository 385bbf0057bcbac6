#include "framework/system/Clipboard.h"

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"

#include <cstring>

FW_BEGIN_CLASS(TClipboard, TPersistent)
FW_END_CLASS

namespace {

// The clipboard held open for one operation; others wait until it is closed.
class TClipboardSession {
public:
    explicit TClipboardSession(HWND owner)
    {
        // Another program may be holding it for a moment.
        for (int attempt = 0; !OpenClipboard(owner); ++attempt) {
            if (attempt == 20)
                RaiseLastOSError("Opening the clipboard");
            Sleep(10);
        }
    }
    ~TClipboardSession() { CloseClipboard(); }
    TClipboardSession(const TClipboardSession&) = delete;
    TClipboardSession& operator=(const TClipboardSession&) = delete;
};

// Moveable global memory, locked while this object lives.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL memory) : FMemory(memory), FData(static_cast<char*>(GlobalLock(memory))) {}
    ~TGlobalLock()
    {
        if (FData)
            GlobalUnlock(FMemory);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;

    char* Data() const { return FData; }
    size_t Size() const { return FData ? GlobalSize(FMemory) : 0; }

private:
    HGLOBAL FMemory;
    char* FData;
};

using TGlobalMemory = TUniqueHandle<HGLOBAL, &GlobalFree>;

} // namespace

bool TClipboard::HasFormat(UINT Format) const { return IsClipboardFormatAvailable(Format) != FALSE; }

std::string TClipboard::AsText() const
{
    if (!HasFormat(CF_TEXT))
        return std::string();
    TClipboardSession session(nullptr); // reading needs no owner
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return std::string();
    TGlobalLock lock(data);
    if (!lock.Data())
        return std::string();
    // Text placed by another program need not be terminated within its block.
    return std::string(lock.Data(), strnlen(lock.Data(), lock.Size()));
}

void TClipboard::SetAsText(const std::string& Value)
{
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, Value.size() + 1));
    if (!memory)
        RaiseLastOSError("Allocating the clipboard text");
    {
        TGlobalLock lock(memory.Get());
        if (!lock.Data())
            RaiseLastOSError("Locking the clipboard text");
        std::memcpy(lock.Data(), Value.c_str(), Value.size() + 1);
    }
    TClipboardSession session(OwnerWindow());
    if (!EmptyClipboard())
        RaiseLastOSError("Emptying the clipboard");
    if (!SetClipboardData(CF_TEXT, memory.Get()))
        RaiseLastOSError("Setting the clipboard text");
    memory.Release(); // the system owns it now
}

HWND TClipboard::OwnerWindow()
{
    if (!FOwner) {
        // A message-only window: never shown, never in the task switcher.
        FOwner.Reset(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        if (!FOwner)
            RaiseLastOSError("Creating the clipboard window");
    }
    return FOwner.Get();
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
