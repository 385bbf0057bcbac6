#pragma once
// The running program: its path and its command-line arguments.
#include <string>
#include <vector>

#include <windows.h>

// The full path of a module's file (null: the program's), however long; raises
// EOSError when the system cannot tell it.
std::string ModuleFileName(HMODULE Module);

// The number of arguments after the program path.
int ParamCount();
// Index 0: the full path of the program's file; 1 to ParamCount(): the arguments,
// without their quotes; "" for any other index.
std::string ParamStr(int Index);

// Splits a command line the way the C runtime builds argv: blanks separate
// arguments, quotes group them ("" inside quotes is one quote), and backslashes
// escape a quote when they come before one. The first element is the program
// name, which ends at the first blank unless it is quoted and knows no escapes.
std::vector<std::string> SplitCommandLine(const std::string& CommandLine);
