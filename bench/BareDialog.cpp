// The yardstick of the start-up benchmark: the launcher's window with nothing but the
// system's own controls in it, the same size, the same controls, no framework.
#include <windows.h>
#include <commctrl.h>

namespace {
LRESULT CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id = 0)
{
    CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DialogProc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "BareDialog";
    RegisterClassA(&wc);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT r{0, 0, 304, 239};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, "BareDialog", "Bare dialog", style,
                                  (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                                  h, nullptr, nullptr, instance, nullptr);
    Child(window, "STATIC", "", SS_ETCHEDFRAME, 9, 7, 285, 90);
    Child(window, "STATIC", "", 0, 25, 0, 287, 14);
    Child(window, "STATIC", "Install Elvarine", 0, 37, 102, 111, 16);
    Child(window, "STATIC", "Install MDAC", 0, 37, 128, 89, 16);
    Child(window, "STATIC", "1-", 0, 15, 97, 16, 24);
    Child(window, "STATIC", "2-", 0, 15, 124, 16, 24);
    Child(window, "BUTTON", "&Close", WS_TABSTOP, 213, 184, 81, 25, IDCANCEL);
    Child(window, STATUSCLASSNAMEA, "", CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 218, 304, 21);
    Child(window, "BUTTON", "&Read me", WS_TABSTOP | BS_DEFPUSHBUTTON, 125, 184, 81, 25);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
