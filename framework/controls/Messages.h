#pragma once
// Window messages as the framework passes them around, and the framework's own
// message numbers: notifications reflected from a parent to the child they concern
// (CN_) and internal control messages (CM_).
#include <windows.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    int XPos() const { return static_cast<short>(LOWORD(LParam)); }
    int YPos() const { return static_cast<short>(HIWORD(LParam)); }
};

inline LPARAM PointToLParam(int x, int y)
{
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
constexpr UINT CM_FONTCHANGED = CM_BASE + 3;
constexpr UINT CM_COLORCHANGED = CM_BASE + 4;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 5;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 6;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 7;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 8;
constexpr UINT CM_HINTCHANGED = CM_BASE + 9;  // LParam: the application's new hint (const std::string*)
constexpr UINT CM_DIALOGKEY = CM_BASE + 10;   // WParam: the key; LParam: 1 when sent to the focused control only
constexpr UINT CM_DIALOGCHAR = CM_BASE + 11;  // WParam: the character of an Alt+key mnemonic
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 12; // LParam: the control that received the focus
constexpr UINT CM_RELEASE = CM_BASE + 13;
constexpr UINT CM_HINTSHOW = CM_BASE + 15;  // LParam: THintInfo* (controls/HintInfo.h); a non-zero result shows nothing
constexpr UINT CM_CONTROLREMOVING = CM_BASE + 14; // LParam: a control leaving the window tree (sent to the top level)     // a form asked to be destroyed once its messages are done

// A parent forwards these notifications to the child control that sent them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
