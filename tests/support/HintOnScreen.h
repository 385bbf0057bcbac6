#pragma once
// The application's tooltip as another program would see it: the top-level window
// of class "THintWindow", its text and where it stands.
#include <string>

#include <windows.h>

struct THintOnScreen {
    bool Visible = false;
    std::string Text;
    RECT Rect{};
};

inline THintOnScreen HintOnScreen()
{
    THintOnScreen seen;
    HWND window = FindWindowA("THintWindow", nullptr);
    if (!window || !IsWindowVisible(window))
        return seen;
    seen.Visible = true;
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    seen.Text = text;
    GetWindowRect(window, &seen.Rect);
    return seen;
}
