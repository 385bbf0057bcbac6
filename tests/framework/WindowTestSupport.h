#pragma once
// Helpers of the window tests: forms shown on the X display, the message loop run
// until something happens, real pointer and key input, pixels painted into bitmaps
// and screenshots kept as test artifacts.
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// Runs the application's message loop until Done holds or TimeoutMs pass; true when done.
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    for (;;) {
        Application->ProcessMessages();
        if (Done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

inline void PumpFor(int Ms)
{
    PumpUntil([] { return false; }, Ms);
}

// --- real input, through the X server ---

inline void SendMouse(DWORD Flags, const TPoint& Screen = TPoint())
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = Flags;
    if (Flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(Screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(Screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &input, sizeof(input));
}

// Moves the pointer and waits until the system has it there.
inline void MovePointer(const TPoint& Screen)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Screen);
    PumpUntil([&] {
        POINT p;
        GetCursorPos(&p);
        return p.x == Screen.x && p.y == Screen.y;
    });
}

inline void ClickAt(const TPoint& Screen)
{
    MovePointer(Screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(30);
}

inline void SendKey(WORD Key, bool Up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// A key pressed and released, optionally while Modifier (VK_MENU, VK_SHIFT) is held.
inline void PressKey(WORD Key, WORD Modifier = 0)
{
    if (Modifier)
        SendKey(Modifier, false);
    SendKey(Key, false);
    SendKey(Key, true);
    if (Modifier)
        SendKey(Modifier, true);
    PumpFor(50);
}

// --- forms on the screen ---

// An empty form shown on the display at a fixed place, the foreground window.
class TFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->MessageBoxHook = nullptr;
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsSingle);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override
    {
        Form.reset();
        Application->ProcessMessages();
    }
    void ShowForm()
    {
        Form->Show();
        PumpUntil([&] { return GetForegroundWindow() == Form->Handle(); }, 1000);
        Form->Update();
        PumpFor(50);
    }
    template <class T>
    T* Add(int Left, int Top, int Width, int Height, TWinControl* Parent = nullptr)
    {
        T* control = new T(Form.get());
        control->SetParent(Parent ? Parent : Form.get());
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }
    // The screen point at the centre of a control.
    static TPoint CentreOf(const TControl& Control)
    {
        return Control.ClientToScreen(TPoint(Control.Width() / 2, Control.Height() / 2));
    }

    std::unique_ptr<TForm> Form;
};

// A control as it paints itself (children included), in a 24-bit bitmap.
inline std::unique_ptr<TBitmap> Snapshot(TControl& Control)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Control.Width(), Control.Height());
    Control.PaintTo(bitmap->Canvas()->Handle(), 0, 0);
    GdiFlush();
    return bitmap;
}

// The folder of the test executable, where artifacts are kept.
inline std::string ArtifactFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Copies what the screen shows of a window into a .bmp file; returns its path.
std::string SaveScreenshot(HWND Window, const std::string& Name);
