#include "ProgramDriver.h"

#include "DialogWatcher.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

std::string FromUnix(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

TProgramProcess::TProgramProcess(const std::string& Exe, const std::string& Arguments)
{
    std::string commandLine = "\"" + Exe + "\"" + (Arguments.empty() ? "" : " " + Arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string folder = Exe.substr(0, Exe.find_last_of('\\') + 1);
    EXPECT_TRUE(CreateProcessA(Exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &FInfo))
        << Exe << ": error " << GetLastError()
        << " (a 32-bit program needs Wine's 32-bit DLLs on WINEDLLPATH, as scripts/test.sh sets it)";
}

TProgramProcess::~TProgramProcess()
{
    if (!FInfo.hProcess)
        return;
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    CloseHandle(FInfo.hProcess);
    CloseHandle(FInfo.hThread);
}

HWND TProgramProcess::WaitForWindow(const std::string& Caption, DWORD TimeoutMs)
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindTopLevelWindow(nullptr, Caption, Id())) != nullptr; }, TimeoutMs);
    if (window)
        WaitForInputIdle(FInfo.hProcess, 5000);
    return window;
}

long TProgramProcess::WaitForExit(DWORD TimeoutMs)
{
    if (WaitForSingleObject(FInfo.hProcess, TimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(FInfo.hProcess, &code);
    return static_cast<long>(code);
}

bool TProgramProcess::Running() { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT; }

// --- windows ---

std::string WindowTextOf(HWND Window)
{
    // GetWindowText reads another process's controls' stored caption only: a combo
    // box's or an edit's text needs the message itself.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(Window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

namespace {
struct TChildSearch {
    const std::string& ClassName;
    const std::string* Text;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param)
{
    auto& search = *reinterpret_cast<TChildSearch*>(param);
    char name[256] = "";
    GetClassNameA(child, name, sizeof name);
    if (search.ClassName == name && (!search.Text || WindowTextOf(child) == *search.Text)) {
        search.Found = child;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND FindChild(HWND Parent, const std::string& ClassName, const std::string& Text)
{
    TChildSearch search{ClassName, &Text};
    EnumChildWindows(Parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FindChild(HWND Parent, const std::string& ClassName)
{
    TChildSearch search{ClassName, nullptr};
    EnumChildWindows(Parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TRect RectInParent(HWND Window)
{
    RECT r{};
    GetWindowRect(Window, &r);
    MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r.left, r.top, r.right, r.bottom);
}

// --- the pointer and the keyboard ---

TPoint ClientToScreenOf(HWND Window, int X, int Y)
{
    POINT p{X, Y};
    ClientToScreen(Window, &p);
    return TPoint(p.x, p.y);
}

void PointAt(HWND Window, int X, int Y)
{
    const TPoint p = ClientToScreenOf(Window, X, Y);
    SetCursorPos(p.x, p.y);
    Sleep(150);
}

void Press(DWORD Down, DWORD Up)
{
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = Down;
    inputs[1].mi.dwFlags = Up;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(150);
}

void MouseEvent(DWORD Flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = Flags;
    SendInput(1, &input, sizeof(INPUT));
    Sleep(100);
}

void ClickAt(HWND Window, int X, int Y)
{
    PointAt(Window, X, Y);
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void TypeKey(WORD Key)
{
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = Key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(150);
}

void TypeText(const std::string& Text)
{
    for (char c : Text) {
        INPUT inputs[2]{};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = static_cast<unsigned char>(c);
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(20);
    }
    Sleep(150);
}

// --- the screen ---

namespace {
std::unique_ptr<TBitmap> CopyOfScreen(const TRect& Screen)
{
    auto shot = std::make_unique<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(Screen.Width(), Screen.Height());
    const TWindowDC screen(nullptr);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), screen.Get(), Screen.left, Screen.top,
           SRCCOPY);
    return shot;
}
} // namespace

std::vector<COLORREF> ScreenPixels(const TRect& Screen)
{
    const auto shot = CopyOfScreen(Screen);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(Screen.Width() * Screen.Height()));
    for (int y = 0; y < shot->Height(); ++y)
        for (int x = 0; x < shot->Width(); ++x)
            pixels.push_back(static_cast<COLORREF>(shot->Pixel(x, y)));
    return pixels;
}

std::string ScreenshotOf(HWND Window, const std::string& Folder, const std::string& Name)
{
    RECT r;
    if (!GetWindowRect(Window, &r))
        return "";
    const auto shot = CopyOfScreen(TRect(r.left, r.top, r.right, r.bottom));
    const std::string path = Folder + "\\" + Name + ".bmp";
    const TBytes bytes = shot->SaveToBmpBytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}
