#pragma once
// The Windows shell call behind every launch. Tests may route it elsewhere to
// observe the arguments or to produce a chosen result; the program never does.
#include <windows.h>

#include <functional>

using TShellExecuteProc = std::function<HINSTANCE(HWND Owner, const char* Operation, const char* File,
                                                  const char* Parameters, const char* Directory, INT ShowCmd)>;

// ShellExecuteA unless replaced.
TShellExecuteProc& ShellExecuteProc();
