#pragma once
// The gallery is a windowed program, which has no console of its own.
#include <string>

#include <windows.h>

// Writes to the standard handle it was given (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE: a
// pipe or a file), or else to the console of the program that started it; false when
// it has neither.
bool WriteToStandardHandle(DWORD which, const std::string& text);
