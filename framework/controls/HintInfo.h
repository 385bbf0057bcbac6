#pragma once
// What a control is asked before its tooltip shows (CM_HINTSHOW): it may change
// the text, say for which part of itself the text holds, or move the window.
#include "framework/controls/Controls.h"

#include <string>

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;     // the pointer, in HintControl's client coordinates
    // The text holds while the pointer stays in this rectangle (client coordinates);
    // leaving it asks again. The whole control unless the control narrows it.
    TRect CursorRect;
    std::string HintStr;  // shown as is; empty shows nothing
    TPoint HintPos;       // screen position of the window's top-left corner
    int HintMaxWidth = 0; // longer texts wrap
    int HideTimeout = 0;  // milliseconds until it goes by itself; 0 stays
};
