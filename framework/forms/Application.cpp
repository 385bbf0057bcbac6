#include "framework/forms/Application.h"

#include "framework/core/Exceptions.h"
#include "framework/forms/Dialogs.h"
#include "framework/forms/Form.h"
#include "framework/system/Process.h"

#include <commctrl.h>

#include <algorithm>

TApplication* Application = new TApplication(nullptr);

namespace {
// The application lives until the program ends; windows still open then are
// destroyed with it.
struct TApplicationRelease {
    ~TApplicationRelease()
    {
        delete Application;
        Application = nullptr;
    }
} applicationRelease;

// The application window is the program's task-bar entry: the forms it owns have
// none of their own. Activating the entry brings forward the window the user was
// last in (a message box while one is open), closing it closes the main form.
LRESULT CALLBACK ApplicationWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (long count; AnswerCountQuery(msg, wParam, count))
        return count;
    switch (msg) {
    case WM_SETFOCUS: {
        HWND popup = GetLastActivePopup(window);
        if (popup == window && ::Application && ::Application->MainForm() &&
            ::Application->MainForm()->HandleAllocated())
            popup = ::Application->MainForm()->Handle();
        if (popup != window && IsWindowVisible(popup) && IsWindowEnabled(popup))
            SetActiveWindow(popup);
        return 0;
    }
    case WM_CLOSE:
        if (::Application && ::Application->MainForm())
            ::Application->MainForm()->Close();
        return 0;
    default: return DefWindowProcA(window, msg, wParam, lParam);
    }
}
} // namespace

FW_BEGIN_CLASS(TApplication, TComponent)
FW_END_CLASS

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    ControlExceptionHandler() = [] {
        if (::Application)
            ::Application->HandleException();
    };
}

TApplication::~TApplication()
{
    FTooltips.reset();
    Destroying();
    DestroyComponents();
    if (FHandle) {
        DestroyWindow(FHandle);
        CountReleased(TCountedKind::UserObjects);
    }
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    Handle();
}

HWND TApplication::Handle()
{
    if (!FHandle) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(instance, "TApplication", &wc)) {
            wc.lpfnWndProc = ApplicationWndProc;
            wc.hInstance = instance;
            wc.lpszClassName = "TApplication";
            wc.hIcon = ProgramIcon();   // the task-bar entry's icon
            RegisterClassA(&wc);
        }
        // Zero-sized, so that it shows nothing but its task-bar entry once visible.
        FHandle = CreateWindowExA(0, "TApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
        if (FHandle)
            CountMade(TCountedKind::UserObjects);
    }
    return FHandle;
}

void TApplication::SetTitle(const std::string& value)
{
    FTitle = value;
    if (FHandle)
        SetWindowTextA(FHandle, value.c_str());
}

void TApplication::FormCreated(TComponent* component)
{
    if (!FMainForm)
        if (auto* form = dynamic_cast<TCustomForm*>(component))
            FMainForm = form;
}

std::string TApplication::ExeName() const { return ModuleFileName(nullptr); }

// --- the message loop ---

void TApplication::Run()
{
    FTerminated = false;
    if (FMainForm) {
        FMainForm->Show();
        // The window first, then its task-bar entry: the user waits for the one, not the other.
        UpdateWindow(FMainForm->Handle());
        ShowWindow(Handle(), SW_SHOWNA);
    }
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    FTerminated = true;
    // A menu being tracked (F10's menu mode, an open popup) runs a loop of its own
    // that keeps the quit message waiting: the program would end only at the next key.
    EndMenu();
    PostQuitMessage(0);
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage() && !FTerminated)
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

bool TApplication::PreProcessKey(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR)
        return false;
    TWinControl* target = nullptr;
    for (HWND w = msg.hwnd; w && !target; w = GetParent(w))
        target = TWinControl::FindControl(w);
    TCustomForm* form = target ? GetParentForm(target) : nullptr;
    if (!form)
        return false;
    if (msg.message == WM_SYSCHAR)
        return form->DialogChar(static_cast<char>(msg.wParam));
    const WORD key = static_cast<WORD>(msg.wParam);
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
        return false;
    // A control that wants the key (a multi-line edit, a dropped-down list) keeps it.
    const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return false;
    if (key == VK_TAB && (code & DLGC_WANTTAB))
        return false;
    return form->DialogKey(key);
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE || msg.message == WM_MOUSELEAVE) {
        if (msg.message == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, msg.hwnd, 0};
            TrackMouseEvent(&track);
        }
        UpdateHintFromPointer();
    }
    if (FTooltips)
        FTooltips->MessageFetched(msg);
    try {
        // Dialog keys run handlers (a button's OnClick) outside any window procedure.
        if (!PreProcessKey(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (...) {
        HandleControlException();
    }
    TControlCanvas::FreeDeviceContexts();
    return true;
}

// --- hints ---

std::string GetShortHint(const std::string& hint)
{
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint)
{
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TApplication::UpdateHintFromPointer()
{
    POINT p;
    if (!GetCursorPos(&p))
        return;
    std::string hint;
    for (TControl* c = FindControlAtScreen(TPoint(p.x, p.y), true); c; c = c->Parent())
        if (!c->Hint().empty()) {
            hint = GetLongHint(c->Hint());
            break;
        }
    SetHint(hint);
}

namespace {
BOOL CALLBACK BroadcastHint(HWND window, LPARAM hint)
{
    try {
        if (TWinControl* control = TWinControl::FindControl(window))
            control->Broadcast(CM_HINTCHANGED, 0, hint);
    } catch (...) {
        HandleControlException();
    }
    return TRUE;
}
} // namespace

void TApplication::SetHint(const std::string& value)
{
    if (value == FHint)
        return;
    FHint = value;
    if (OnHint)
        OnHint(this);
    // Every window of ours hears of it: a status bar with AutoHint shows it.
    EnumThreadWindows(GetCurrentThreadId(), BroadcastHint, reinterpret_cast<LPARAM>(&FHint));
}

// --- message boxes and errors ---

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list)
{
    if (!IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE; // out of memory: the windows found so far wait for the box
    }
}
} // namespace

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags)
{
    if (MessageBoxHook)
        return MessageBoxHook(Text, Caption, Flags);
    // Modal for the whole application: every window of ours waits for the answer.
    HWND owner = Handle();
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    disabled.erase(std::remove(disabled.begin(), disabled.end(), owner), disabled.end());
    for (HWND w : disabled)
        EnableWindow(w, FALSE);
    const int result = ::MessageBoxA(owner, Text.c_str(), Caption.c_str(), Flags);
    for (HWND w : disabled)
        EnableWindow(w, TRUE);
    if (active && IsWindow(active))
        SetActiveWindow(active);
    return result;
}

void TApplication::ShowException(const std::exception& E)
{
    std::string text = E.what();
    if (!text.empty() && text.back() != '.')
        text += '.';
    MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        if (OnException) {
            try {
                OnException(this, e);
                return;
            } catch (...) {
                // A handler that fails itself must not hide the error it was given.
            }
        }
        ShowException(e);
    } catch (...) {
        ShowException(Exception("An unexpected error occurred"));
    }
}

void ShowMessage(const std::string& Text)
{
    Application->MessageBox(Text, Application->Title(), MB_OK);
}
