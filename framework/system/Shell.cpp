#include "framework/system/Shell.h"

#include <shellapi.h>

TShellExecuteProc& ShellExecuteProc()
{
    static TShellExecuteProc proc = ShellExecuteA;
    return proc;
}
