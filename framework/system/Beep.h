#pragma once
// The system's warning sound. Tests may route it elsewhere to count the beeps a
// control makes; the program never does.
#include <windows.h>

#include <functional>

using TMessageBeepProc = std::function<BOOL(UINT Type)>;

// MessageBeep unless replaced.
TMessageBeepProc& MessageBeepProc();
