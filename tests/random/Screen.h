#pragma once
// What the program under random input shows, and the real input path to it: the
// system's SendInput on the display, with the pointer placed in screen pixels.
#include <windows.h>

#include <string>
#include <vector>

struct TWindowView {
    HWND Handle = nullptr;
    RECT Rect{};
    std::string Class;
    std::string Text;
};

// The visible windows with an area, of the program and of others, at one moment.
struct TScreen {
    std::vector<TWindowView> Ours;    // top-level windows of the program, topmost first
    bool Foreign = false;             // a visible top-level window of another program
    int Modal = -1;                   // in Ours: an open dialog box of the program ("#32770")
    int Menu = -1;                    // in Ours: an open popup menu of the program ("#32768")

    static TScreen Take(DWORD ProcessId);
};

TWindowView ViewOf(HWND window);
// The visible children of a window with an area, all generations.
std::vector<TWindowView> VisibleChildren(HWND window);
// Every top-level window of the process, hidden ones too, with its state: for the
// report of a failing run.
std::string DescribeWindowsOf(DWORD ProcessId);
// "TButton 'Close'", for the event log.
std::string Describe(HWND window);

// One batch of input sent at once, so a double click stays one.
class TInput {
public:
    TInput& MoveTo(POINT p);
    TInput& Mouse(DWORD flags, DWORD data = 0);
    TInput& KeyDown(WORD key);
    TInput& KeyUp(WORD key);
    TInput& Tap(WORD key) { return KeyDown(key).KeyUp(key); }
    // A printable character as its key, with Shift when the layout needs it.
    TInput& Character(char c);
    void Send();

private:
    std::vector<INPUT> FInputs;
};
