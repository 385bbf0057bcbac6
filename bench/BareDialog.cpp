// The yardstick of the start-up benchmark: the launcher's picture painted with bare
// Win32 and no framework - the banner drawn for the screen's density, the tiled
// background, the numbers and links in their fonts, the system's buttons and status
// bar - at the same places and the same density, so that the ratio measures the
// framework alone.
#include "app/BackgroundPattern.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

namespace {
int Dpi = 96;
int At(int designed) { return MulDiv(designed, Dpi, 96); }

HBITMAP Banner = nullptr;
HBRUSH PatternBrush = nullptr;

// The banner drawn for this density, or the 96-dpi one stretched smoothly.
HBITMAP LoadBanner(HINSTANCE instance)
{
    const struct {
        int Dpi;
        const char* Name;
    } drawings[] = {{120, "ELVARINE_BANNER_120"}, {144, "ELVARINE_BANNER_144"}, {192, "ELVARINE_BANNER_192"}};
    for (const auto& drawing : drawings)
        if (drawing.Dpi == Dpi)
            return static_cast<HBITMAP>(LoadImageA(instance, drawing.Name, IMAGE_BITMAP, 0, 0, 0));
    return static_cast<HBITMAP>(LoadImageA(instance, "ELVARINE_BANNER", IMAGE_BITMAP, At(285), At(90), 0));
}

// The 8 x 8 pattern at the screen's scale.
HBRUSH MakePattern()
{
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP tile = CreateCompatibleBitmap(screen, 8, 8), scaled = CreateCompatibleBitmap(screen, At(8), At(8));
    HGDIOBJ oldFrom = SelectObject(from, tile), oldTo = SelectObject(to, scaled);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(from, x, y, static_cast<COLORREF>(PatternColor(x, y)));
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, At(8), At(8), from, 0, 0, 8, 8, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    HBRUSH brush = CreatePatternBrush(scaled);
    DeleteObject(tile);
    DeleteObject(scaled);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return brush;
}

void Text(HDC dc, const char* text, int x, int y, int height, int weight)
{
    HFONT font = CreateFontA(At(height), 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    TextOutA(dc, At(x), At(y), text, lstrlenA(text));
    SelectObject(dc, old);
    DeleteObject(font);
}

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, PatternBrush);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, Banner);
    BITMAP size{};
    GetObjectA(Banner, sizeof size, &size);
    const COLORREF ground = GetPixel(source, 0, size.bmHeight - 1);
    TransparentBlt(dc, At(9), At(7), size.bmWidth, size.bmHeight, source, 0, 0, size.bmWidth, size.bmHeight, ground);
    SelectObject(source, old);
    DeleteDC(source);
    SetBkMode(dc, TRANSPARENT);
    Text(dc, "1-", 15, 97, -19, FW_NORMAL);
    Text(dc, "Install Elvarine", 37, 102, -13, FW_BOLD);
    EndPaint(window, &ps);
}

LRESULT CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window);
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id = 0)
{
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, At(x), At(y), At(x + w) - At(x),
                           At(y + h) - At(y), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HDC screen = GetDC(nullptr);
    Dpi = GetDeviceCaps(screen, LOGPIXELSX) > 0 ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    ReleaseDC(nullptr, screen);
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    Banner = LoadBanner(instance);
    PatternBrush = MakePattern();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DialogProc;
    wc.hInstance = instance;
    wc.hbrBackground = PatternBrush;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "BareDialog";
    RegisterClassA(&wc);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT r{0, 0, At(304), At(239)};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, "BareDialog", "Bare dialog", style,
                                  (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                                  h, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontA(At(-11), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    for (HWND button : {Child(window, "BUTTON", "&Close", WS_TABSTOP, 213, 184, 81, 25, IDCANCEL),
                        Child(window, "BUTTON", "&Read me", WS_TABSTOP | BS_DEFPUSHBUTTON, 125, 184, 81, 25)})
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Child(window, STATUSCLASSNAMEA, "", CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 218, 304, 21);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DeleteObject(font);
    DeleteObject(PatternBrush);
    DeleteObject(Banner);
    return 0;
}
