#include "random/Screen.h"

#include <iterator>

namespace {
std::string ClassOf(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    // The text the system keeps for the window, read without a message: a hung
    // program cannot block it (the run must report the hang), and no event waits
    // for a reply from the program. An edit control's may lag behind what it shows:
    // the log and the mnemonics need captions.
    wchar_t wide[128] = L"";
    const int length = InternalGetWindowText(window, wide, static_cast<int>(std::size(wide)));
    char text[256] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

bool HasArea(const RECT& r) { return r.right - r.left > 1 && r.bottom - r.top > 1; }

struct TSurvey {
    DWORD ProcessId;
    TScreen* Screen;
};

BOOL CALLBACK SurveyWindow(HWND window, LPARAM param)
{
    auto* survey = reinterpret_cast<TSurvey*>(param);
    // Each question about another process's window is a trip to the server: the
    // driver's own windows are passed over at the first.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r;
    if (pid == GetCurrentProcessId() || !IsWindowVisible(window) || !GetWindowRect(window, &r) || !HasArea(r))
        return TRUE;
    if (pid == survey->ProcessId)
        survey->Screen->Ours.push_back(TWindowView{window, r, ClassOf(window), TextOf(window)});
    else
        survey->Screen->Foreign = true;
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list)
{
    RECT r;
    if (IsWindowVisible(window) && GetWindowRect(window, &r) && HasArea(r))
        reinterpret_cast<std::vector<TWindowView>*>(list)->push_back(ViewOf(window));
    return TRUE;
}
} // namespace

TScreen TScreen::Take(DWORD ProcessId)
{
    TScreen screen;
    TSurvey survey{ProcessId, &screen};
    EnumWindows(SurveyWindow, reinterpret_cast<LPARAM>(&survey));
    for (int i = 0; i < static_cast<int>(screen.Ours.size()); ++i) {
        if (screen.Ours[i].Class == "#32770" && screen.Modal < 0)
            screen.Modal = i;
        if (screen.Ours[i].Class == "#32768" && screen.Menu < 0)
            screen.Menu = i;
    }
    return screen;
}

TWindowView ViewOf(HWND window)
{
    TWindowView view{window, {}, ClassOf(window), TextOf(window)};
    GetWindowRect(window, &view.Rect);
    return view;
}

std::vector<TWindowView> VisibleChildren(HWND window)
{
    std::vector<TWindowView> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string DescribeWindowsOf(DWORD ProcessId)
{
    struct TList {
        DWORD ProcessId;
        std::string Text;
    } list{ProcessId, ""};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* list = reinterpret_cast<TList*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == list->ProcessId)
                list->Text += "  " + Describe(window) + (IsWindowVisible(window) ? "" : ", hidden") +
                              (IsWindowEnabled(window) ? "" : ", disabled") + "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list.Text;
}

std::string Describe(HWND window)
{
    if (!window)
        return "nothing";
    std::string text = TextOf(window);
    if (text.size() > 24)
        text = text.substr(0, 24) + "...";
    return ClassOf(window) + (text.empty() ? "" : " '" + text + "'");
}

TInput& TInput::MoveTo(POINT p)
{
    // Absolute positions run from 0 to 65535 across the screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65535, width - 1);
    in.mi.dy = MulDiv(p.y, 65535, height - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    FInputs.push_back(in);
    return *this;
}

TInput& TInput::Mouse(DWORD flags, DWORD data)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    FInputs.push_back(in);
    return *this;
}

TInput& TInput::KeyDown(WORD key)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    FInputs.push_back(in);
    return *this;
}

TInput& TInput::KeyUp(WORD key)
{
    KeyDown(key);
    FInputs.back().ki.dwFlags = KEYEVENTF_KEYUP;
    return *this;
}

TInput& TInput::Character(char c)
{
    const SHORT scan = VkKeyScanA(c);
    if (scan == -1)
        return *this;
    const WORD key = LOBYTE(scan);
    const bool shift = HIBYTE(scan) & 1;
    if (shift)
        KeyDown(VK_SHIFT);
    Tap(key);
    if (shift)
        KeyUp(VK_SHIFT);
    return *this;
}

void TInput::Send()
{
    if (!FInputs.empty())
        SendInput(static_cast<UINT>(FInputs.size()), FInputs.data(), sizeof(INPUT));
    FInputs.clear();
}
