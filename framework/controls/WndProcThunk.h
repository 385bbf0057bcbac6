#pragma once
// Turns a member function into a window procedure: every thunk has its own code
// address, so several hooks can be chained on one window (a combo box's edit part
// is subclassed by the combo box and by a descendant) and each finds its object
// without a window property or a global table.
#include "framework/controls/Messages.h"

#include <functional>

// Called inside the catch block when a message handler raises; the application
// replaces it with its own exception reporting. A function, not a global: the
// application object sets it while the program's globals are still being made.
std::function<void()>& ControlExceptionHandler();
// Reports the exception being handled (call inside a catch block). An exception
// must never cross the system on its way back, so this never raises: a report that
// fails is dropped, and so is an error raised while another is being reported (a
// timer firing under the open message box), so reports never pile up.
void HandleControlException() noexcept;

// Every message the system hands to a thunk's method that raises is reported here.
class TWndProcThunk {
public:
    using Method = std::function<void(TMessage&)>;

    explicit TWndProcThunk(Method method);
    ~TWndProcThunk();
    TWndProcThunk(const TWndProcThunk&) = delete;
    TWndProcThunk& operator=(const TWndProcThunk&) = delete;

    // The address to install with SetWindowLongPtrA(GWLP_WNDPROC).
    WNDPROC Proc() const { return FProc; }

private:
    static LRESULT CALLBACK Entry(HWND self, UINT msg, WPARAM wParam, LPARAM lParam);

    Method FMethod;
    WNDPROC FProc = nullptr;
};
