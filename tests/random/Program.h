#pragma once
// The program under random input: copied into a folder of its own with what it
// needs beside it, started, asked how it is doing, ended, started again. Whatever it
// starts (an installer, a read-me viewer) is ended by process id, so nothing piles up.
#include "framework/core/ObjectCounters.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TProgramLayout {
    std::string Name;                                       // as on the command line
    std::string Exe;                                        // the build's program, a Windows path
    std::vector<std::pair<std::string, std::string>> Files; // copied beside it: source, name
    std::vector<std::pair<std::string, std::string>> Texts; // written beside it: name, text
};

// What a program wrote about itself at exit (ObjectCounters.h), and its exit code.
struct TExitState {
    DWORD Code = 0;
    bool Reported = false;
    long Live[CountedKinds] = {-1, -1, -1};
    std::vector<std::string> EndedChildren; // what it had started, ended after it
};

class TProgram {
public:
    explicit TProgram(TProgramLayout layout);
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    const TProgramLayout& Layout() const { return FLayout; }
    // Starts the program and waits for its application window; false with Error set
    // when it does not come up.
    bool Start(std::string& Error);
    bool Running() const;
    DWORD Id() const { return FInfo.dwProcessId; }
    HWND ApplicationWindow() const { return FApplicationWindow; }

    // How long the program took to answer a sent message, in milliseconds; nothing
    // when it did not answer within TimeoutMs.
    std::optional<double> Ping(DWORD TimeoutMs) const;
    std::optional<long> Count(TCountedKind Kind, DWORD TimeoutMs) const;

    // Waits for the program to end (after its main window closed); nothing while it
    // still runs after TimeoutMs.
    std::optional<TExitState> WaitForExit(DWORD TimeoutMs);
    // Ends the processes the program started, and theirs; returns their names.
    std::vector<std::string> EndItsChildren();
    // Ends the program itself (and its children) when it still runs.
    void Kill();

private:
    void Forget();
    bool Spawn(PROCESS_INFORMATION& Info, std::string& Error) const;

    TProgramLayout FLayout;
    std::string FFolder;
    std::string FReport;
    PROCESS_INFORMATION FInfo{};
    PROCESS_INFORMATION FSpare{}; // the next instance, made suspended
    HWND FApplicationWindow = nullptr;
    UINT FCountQuery = 0;
};
