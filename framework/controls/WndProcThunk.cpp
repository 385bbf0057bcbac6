#include "framework/controls/WndProcThunk.h"

#include "framework/core/Exceptions.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Each thunk is a few bytes of machine code that replaces the window handle
// argument by the thunk object and jumps to TWndProcThunk::Entry.
constexpr size_t SlotSize = 32;

// Executable slots carved out of pages that are never returned to the system:
// a program makes a handful of controls, and reuse keeps the footprint flat.
class TThunkPool {
public:
    void* Allocate()
    {
        if (FFree.empty()) {
            constexpr size_t page = 4096;
            auto* block = static_cast<uint8_t*>(VirtualAlloc(nullptr, page, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
            if (!block)
                throw EOutOfResources("Cannot allocate a window procedure");
            for (size_t offset = 0; offset + SlotSize <= page; offset += SlotSize)
                FFree.push_back(block + offset);
        }
        void* slot = FFree.back();
        FFree.pop_back();
        return slot;
    }
    void Release(void* slot) { FFree.push_back(slot); }

private:
    std::vector<void*> FFree;
};

TThunkPool& Pool()
{
    static TThunkPool pool;
    return pool;
}

} // namespace

TWndProcThunk::TWndProcThunk(Method method) : FMethod(std::move(method))
{
    auto* code = static_cast<uint8_t*>(Pool().Allocate());
    const auto self = reinterpret_cast<uintptr_t>(this);
    const auto entry = reinterpret_cast<uintptr_t>(&TWndProcThunk::Entry);
#if defined(__x86_64__)
    // mov rcx, self ; mov rax, entry ; jmp rax   (first argument in rcx)
    uint8_t bytes[] = {0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0, 0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
    std::memcpy(bytes + 2, &self, 8);
    std::memcpy(bytes + 12, &entry, 8);
#elif defined(__i386__)
    // mov dword [esp+4], self ; jmp entry   (first stdcall argument on the stack)
    uint8_t bytes[] = {0xC7, 0x44, 0x24, 0x04, 0, 0, 0, 0, 0xE9, 0, 0, 0, 0};
    const auto self32 = static_cast<uint32_t>(self);
    const auto rel = static_cast<uint32_t>(entry - (reinterpret_cast<uintptr_t>(code) + sizeof(bytes)));
    std::memcpy(bytes + 4, &self32, 4);
    std::memcpy(bytes + 9, &rel, 4);
#else
#error "window procedure thunks are written for x86 and x86-64 only"
#endif
    std::memcpy(code, bytes, sizeof(bytes));
    FlushInstructionCache(GetCurrentProcess(), code, sizeof(bytes));
    FProc = reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(code));
}

TWndProcThunk::~TWndProcThunk() { Pool().Release(reinterpret_cast<void*>(FProc)); }

std::function<void()>& ControlExceptionHandler()
{
    static std::function<void()> handler = [] {
        try {
            throw;
        } catch (const std::exception& e) {
            MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        } catch (...) {
            MessageBoxA(nullptr, "An unexpected error occurred", "Error", MB_OK | MB_ICONSTOP);
        }
    };
    return handler;
}

void HandleControlException() noexcept
{
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    try {
        if (ControlExceptionHandler())
            ControlExceptionHandler()();
    } catch (...) {
        // Nowhere left to report to.
    }
    reporting = false;
}

LRESULT CALLBACK TWndProcThunk::Entry(HWND self, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    try {
        reinterpret_cast<TWndProcThunk*>(self)->FMethod(message);
    } catch (...) {
        HandleControlException();
    }
    return message.Result;
}
