#pragma once
// Turns a member function into a window procedure: every thunk has its own code
// address, so several hooks can be chained on one window (a combo box's edit part
// is subclassed by the combo box and by a descendant) and each finds its object
// without a window property or a global table.
#include "framework/controls/Messages.h"

#include <functional>

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
