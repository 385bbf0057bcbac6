#pragma once
// Driving a program of ours from outside its process, as a user would: started with
// CreateProcess, its windows found by class and text, the real pointer and keyboard
// moved with SendInput, the screen read back.
#include "framework/graphics/Types.h"

#include <windows.h>

#include <string>
#include <vector>

// A path of the build machine as the programs under Wine see it.
std::string FromUnix(std::string path);

// A program running as its own process; killed by the destructor if still there.
class TProgramProcess {
public:
    // Starts Exe (a Windows path) in its own folder.
    explicit TProgramProcess(const std::string& Exe, const std::string& Arguments = "");
    ~TProgramProcess();
    TProgramProcess(const TProgramProcess&) = delete;
    TProgramProcess& operator=(const TProgramProcess&) = delete;

    DWORD Id() const { return FInfo.dwProcessId; }
    // The program's visible top-level window with that caption once it shows, ready
    // for input; null after TimeoutMs.
    HWND WaitForWindow(const std::string& Caption, DWORD TimeoutMs = 15000);
    // The exit code once the process ended, or -1 while it still runs after TimeoutMs.
    long WaitForExit(DWORD TimeoutMs = 15000);
    bool Running();

private:
    PROCESS_INFORMATION FInfo{};
};

// The first child (at any depth) of the class whose text is Text; null when none.
HWND FindChild(HWND Parent, const std::string& ClassName, const std::string& Text);
// The first child of the class, whatever its text.
HWND FindChild(HWND Parent, const std::string& ClassName);
// The text of a window of any process (WM_GETTEXT); "" when it does not answer.
std::string WindowTextOf(HWND Window);
// A window's rectangle in its parent's client coordinates.
TRect RectInParent(HWND Window);

TPoint ClientToScreenOf(HWND Window, int X, int Y);
// Moves the real pointer to a client point of the window, and lets it settle.
void PointAt(HWND Window, int X, int Y);
// Sends one mouse button's press and release (MOUSEEVENTF_ flags).
void Press(DWORD Down, DWORD Up);
// Sends one mouse event alone: a press held while the pointer moves, or its release.
void MouseEvent(DWORD Flags);
void ClickAt(HWND Window, int X, int Y);
// Presses and releases a virtual key.
void TypeKey(WORD Key);
// Types the characters themselves, whatever the keyboard layout.
void TypeText(const std::string& Text);

// A screen rectangle's pixels, as 0x00BBGGRR, row by row.
std::vector<COLORREF> ScreenPixels(const TRect& Screen);
// The window as it is on the screen, saved as a .bmp in Folder (a Windows path);
// returns the file's path, "" when the window is gone.
std::string ScreenshotOf(HWND Window, const std::string& Folder, const std::string& Name);
