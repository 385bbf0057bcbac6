#include "random/Program.h"

#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <set>

namespace {
std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct TFindApplication {
    DWORD ProcessId;
    HWND Found = nullptr;
};

BOOL CALLBACK FindApplicationWindow(HWND window, LPARAM param)
{
    auto* find = reinterpret_cast<TFindApplication*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (pid == find->ProcessId && std::string(name) == "TApplication") {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

TProgram::TProgram(TProgramLayout layout)
    : FLayout(std::move(layout)),
      FFolder(TempFolder() + "Random input " + FLayout.Name + " (" + std::to_string(GetCurrentProcessId()) + ")\\"),
      FReport(FFolder + "object-counts.txt"), FCountQuery(RegisterWindowMessageA(CountQueryMessageName))
{
    CreateDirectoryA(FFolder.c_str(), nullptr);
    SetEnvironmentVariableA("ELV_OBJECT_REPORT", FReport.c_str()); // every instance writes its counts there
    CopyFileA(FLayout.Exe.c_str(), (FFolder + FLayout.Name + ".exe").c_str(), FALSE);
    for (const auto& [source, name] : FLayout.Files)
        CopyFileA(source.c_str(), (FFolder + name).c_str(), FALSE);
    for (const auto& [name, text] : FLayout.Texts)
        std::ofstream(FFolder + name, std::ios::binary) << text;
}

// A new instance, held before its first instruction until Start lets it run.
bool TProgram::Spawn(PROCESS_INFORMATION& Info, std::string& Error) const
{
    const std::string exe = FFolder + FLayout.Name + ".exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Wine now and then refuses a start (error 1359) right after the previous
    // instance ended: a few more tries.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                           FFolder.c_str(), &startup, &Info))
            return true;
        Info = {};
        if (attempt == 4) {
            Error = "cannot start " + exe + ": error " + std::to_string(GetLastError());
            return false;
        }
        Sleep(200);
    }
}

TProgram::~TProgram()
{
    if (FSpare.hProcess) {
        TerminateProcess(FSpare.hProcess, 1);
        WaitForSingleObject(FSpare.hProcess, 5000);
        CloseHandle(FSpare.hProcess);
        CloseHandle(FSpare.hThread);
    }
    Kill();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((FFolder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((FFolder + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(FFolder.c_str());
}

bool TProgram::Start(std::string& Error)
{
    Forget();
    DeleteFileA(FReport.c_str());
    if (!FSpare.hProcess && !Spawn(FSpare, Error))
        return false;
    FInfo = std::exchange(FSpare, {});
    ResumeThread(FInfo.hThread);
    // The next start's process is made now, while this one comes up: a restart then
    // only lets it run. Without one, the next start makes its own.
    std::string ignored;
    Spawn(FSpare, ignored);
    WaitForInputIdle(FInfo.hProcess, 10000);
    for (int i = 0; i < 1000 && !FApplicationWindow; ++i) {
        TFindApplication find{FInfo.dwProcessId};
        EnumWindows(FindApplicationWindow, reinterpret_cast<LPARAM>(&find));
        if (find.Found && IsWindowVisible(find.Found))
            FApplicationWindow = find.Found;
        else if (!Running())
            break;
        else
            Sleep(10);
    }
    if (FApplicationWindow)
        return true;
    if (const auto state = WaitForExit(0)) {
        char code[16];
        std::snprintf(code, sizeof code, "%08lX", state->Code);
        Error = FLayout.Name + " ended while starting, with code " + code + " and " +
                (state->Reported ? std::to_string(state->Live[0]) + " objects, " + std::to_string(state->Live[1]) +
                                       " GDI and " + std::to_string(state->Live[2]) + " USER objects left"
                                 : std::string("no counts written"));
    } else
        Error = FLayout.Name + " showed no application window within 10 s";
    return false;
}

bool TProgram::Running() const
{
    return FInfo.hProcess && WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<double> TProgram::Ping(DWORD TimeoutMs) const
{
    LARGE_INTEGER from, to;
    DWORD_PTR result = 0;
    QueryPerformanceCounter(&from);
    if (!SendMessageTimeoutA(FApplicationWindow, WM_NULL, 0, 0, SMTO_NORMAL, TimeoutMs, &result))
        return std::nullopt;
    QueryPerformanceCounter(&to);
    return Milliseconds(from, to);
}

std::optional<long> TProgram::Count(TCountedKind Kind, DWORD TimeoutMs) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(FApplicationWindow, FCountQuery, static_cast<WPARAM>(Kind), 0, SMTO_NORMAL, TimeoutMs,
                             &result))
        return std::nullopt;
    return static_cast<long>(static_cast<LRESULT>(result));
}

std::optional<TExitState> TProgram::WaitForExit(DWORD TimeoutMs)
{
    if (!FInfo.hProcess || WaitForSingleObject(FInfo.hProcess, TimeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    TExitState state;
    state.EndedChildren = EndItsChildren();
    GetExitCodeProcess(FInfo.hProcess, &state.Code);
    std::ifstream report(FReport);
    std::string name;
    long value = 0;
    const char* const names[CountedKinds] = {"objects", "gdi", "user"};
    while (report >> name >> value)
        for (int k = 0; k < CountedKinds; ++k)
            if (name == names[k]) {
                state.Live[k] = value;
                state.Reported = true;
            }
    Forget();
    return state;
}

std::vector<std::string> TProgram::EndItsChildren()
{
    std::vector<std::string> ended;
    if (!FInfo.dwProcessId)
        return ended;
    // Parents first in the snapshot is not guaranteed: widen the family until it stops growing.
    std::vector<PROCESSENTRY32> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ended;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes.push_back(entry);
    CloseHandle(snapshot);
    // Process ids are used again: a process made before the program (a system
    // service) may name as its parent an id the program now has. Only those made
    // since the program started can be its own.
    auto madeSince = [](HANDLE process, ULONGLONG start) {
        FILETIME created, exited, kernel, user;
        return GetProcessTimes(process, &created, &exited, &kernel, &user) &&
               (ULONGLONG(created.dwHighDateTime) << 32 | created.dwLowDateTime) >= start;
    };
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(FInfo.hProcess, &created, &exited, &kernel, &user))
        return ended;
    const ULONGLONG start = ULONGLONG(created.dwHighDateTime) << 32 | created.dwLowDateTime;
    std::set<DWORD> family{FInfo.dwProcessId};
    std::vector<std::pair<HANDLE, std::string>> children;
    for (size_t before = 0; before != family.size();) {
        before = family.size();
        for (const auto& p : processes) {
            if (!family.count(p.th32ParentProcessID) || family.count(p.th32ProcessID) ||
                p.th32ProcessID == GetCurrentProcessId())
                continue;
            HANDLE process =
                OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, p.th32ProcessID);
            if (process && madeSince(process, start)) {
                family.insert(p.th32ProcessID);
                children.emplace_back(process, p.szExeFile);
            } else if (process)
                CloseHandle(process);
        }
    }
    for (const auto& [process, name] : children) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 2000);
        CloseHandle(process);
        ended.push_back(name);
    }
    return ended;
}

void TProgram::Kill()
{
    if (!FInfo.hProcess)
        return;
    EndItsChildren();
    if (Running()) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    Forget();
}

void TProgram::Forget()
{
    if (FInfo.hProcess) {
        CloseHandle(FInfo.hProcess);
        CloseHandle(FInfo.hThread);
    }
    FInfo = {};
    FApplicationWindow = nullptr;
}
