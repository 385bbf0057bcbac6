#include "framework/system/Beep.h"

TMessageBeepProc& MessageBeepProc()
{
    static TMessageBeepProc proc = MessageBeep;
    return proc;
}
