#pragma once
// What a test process says when it faults: a trap of the hardened build (undefined
// behaviour), an access violation, a stack overflow. Wine's own debugger, which would
// print a backtrace, waits for a terminal here (scripts/lib.sh turns it off); this
// prints the fault, what the test was doing and the call chain, each frame as
// module+offset and its linked address, which the unstripped test build's symbol
// table names (`x86_64-w64-mingw32-nm -C MODULE | sort`), then ends the process with
// the fault's code: a trap where it happens, any other fault when nobody handles it.
#include <string>

void InstallFaultReport();
// What the test is doing now, printed with a fault ("" for nothing).
void SetFaultContext(const std::string& context);
