#include "support/FaultReport.h"

#include <cstdio>

#include <windows.h>

namespace {
// Fixed storage: the report must not allocate once the heap may be what broke.
char Context[512];

const char* Named(DWORD code)
{
    switch (code) {
    case EXCEPTION_ILLEGAL_INSTRUCTION: return "illegal instruction (a trap: undefined behaviour)";
    case EXCEPTION_ACCESS_VIOLATION: return "access violation";
    case EXCEPTION_STACK_OVERFLOW: return "stack overflow";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "integer division by zero";
    case EXCEPTION_INT_OVERFLOW: return "integer overflow";
    default: return "fault";
    }
}

void PrintFrame(int depth, DWORD64 address)
{
    HMODULE module = nullptr;
    char path[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(address), &module))
        GetModuleFileNameA(module, path, sizeof path);
    const DWORD64 base = reinterpret_cast<DWORD64>(module);
    // The symbol table holds addresses as the linker placed them: the image base plus the offset.
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = module ? reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(module) + dos->e_lfanew)
                            : nullptr;
    std::fprintf(stderr, "  #%-2d %s+0x%llx (0x%llx)\n", depth, path, static_cast<unsigned long long>(address - base),
                 static_cast<unsigned long long>(nt ? nt->OptionalHeader.ImageBase + (address - base) : address));
}

void PrintFault(EXCEPTION_POINTERS* fault)
{
    const DWORD code = fault->ExceptionRecord->ExceptionCode;
    std::fprintf(stderr, "\nfault 0x%08lx, %s, at %p%s%s\n", code, Named(code), fault->ExceptionRecord->ExceptionAddress,
                 Context[0] ? ", while " : "", Context);
#if defined(_M_X64) || defined(__x86_64__)
    // The chain from the faulting frame, unwound with the image's own unwind tables.
    CONTEXT frame = *fault->ContextRecord;
    for (int depth = 0; depth < 48 && frame.Rip; ++depth) {
        PrintFrame(depth, frame.Rip);
        DWORD64 imageBase = 0;
        RUNTIME_FUNCTION* function = RtlLookupFunctionEntry(frame.Rip, &imageBase, nullptr);
        if (!function) { // a leaf: its return address is on top of the stack
            frame.Rip = *reinterpret_cast<DWORD64*>(frame.Rsp);
            frame.Rsp += 8;
            continue;
        }
        void* handlerData = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, frame.Rip, function, &frame, &handlerData, &establisher, nullptr);
    }
#else
    PrintFrame(0, reinterpret_cast<DWORD64>(fault->ExceptionRecord->ExceptionAddress));
#endif
    std::fflush(stderr);
}

// A trap is reported where it happens, and ends the process: nothing on the way up
// (a window procedure's caller, a catch-all) may swallow it. Any other fault ends it
// only when nobody handles it.
LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* fault)
{
    const DWORD code = fault->ExceptionRecord->ExceptionCode;
    PrintFault(fault);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

LONG WINAPI ReportTrap(EXCEPTION_POINTERS* fault)
{
    if (fault->ExceptionRecord->ExceptionCode == EXCEPTION_ILLEGAL_INSTRUCTION)
        ReportAndEnd(fault);
    return EXCEPTION_CONTINUE_SEARCH;
}
} // namespace

void InstallFaultReport()
{
    // A crash must end the test process, not wait for a dialog nobody will close.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    AddVectoredExceptionHandler(1, ReportTrap);
    SetUnhandledExceptionFilter(ReportAndEnd);
}

void SetFaultContext(const std::string& context)
{
    lstrcpynA(Context, context.c_str(), sizeof Context);
}
