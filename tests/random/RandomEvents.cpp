#include "random/RandomEvents.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {
std::string Coordinates(POINT p)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%ld,%ld)", p.x, p.y);
    return text;
}

std::string At(POINT p) { return Coordinates(p) + " on " + Describe(WindowFromPoint(p)); }

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool IsTextControl(const TWindowView& w)
{
    std::string name = w.Class;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.find("edit") != std::string::npos || name.find("combo") != std::string::npos;
}

void SetClipboardText(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

const WORD NavigationKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,     VK_DOWN, VK_HOME, VK_END,
                               VK_PRIOR, VK_NEXT, VK_DELETE, VK_BACK, VK_SPACE, VK_F4};
const char* const NavigationNames[] = {"Left", "Right", "Up",     "Down",  "Home",  "End",
                                       "PageUp", "PageDown", "Delete", "Backspace", "Space", "F4"};
} // namespace

TEventMaker::TEventMaker(std::uint32_t Seed)
    : FRandom(Seed),
      FClipboardOwner(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
{
}

TEventMaker::~TEventMaker()
{
    if (FClipboardOwner)
        DestroyWindow(FClipboardOwner);
}

int TEventMaker::Below(int n) { return n <= 1 ? 0 : static_cast<int>(FRandom() % static_cast<unsigned>(n)); }

POINT TEventMaker::PointIn(const RECT& r)
{
    // Only the part on the screen: a window dragged half off it is half out of reach.
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT onScreen;
    if (!IntersectRect(&onScreen, &r, &screen))
        onScreen = screen;
    return POINT{onScreen.left + Below(onScreen.right - onScreen.left),
                 onScreen.top + Below(onScreen.bottom - onScreen.top)};
}

POINT TEventMaker::Target(const TScreen& Screen)
{
    if (Screen.Ours.empty() || Chance(5))
        return POINT{Below(GetSystemMetrics(SM_CXSCREEN)), Below(GetSystemMetrics(SM_CYSCREEN))};
    const int box = Screen.Menu >= 0 ? Screen.Menu : Screen.Modal;
    const TWindowView& top = box >= 0 && Chance(80) ? Screen.Ours[box]
                                                    : Screen.Ours[Below(static_cast<int>(Screen.Ours.size()))];
    // Small controls would seldom be hit by points spread over the window alone.
    if (Chance(10)) {
        const auto children = VisibleChildren(top.Handle);
        if (!children.empty())
            return PointIn(children[Below(static_cast<int>(children.size()))].Rect);
    }
    return PointIn(top.Rect);
}

std::string TEventMaker::RandomText(int maxLength, bool forClipboard)
{
    // The clipboard brings what no key types: accented letters, tabs, line ends.
    static const char Extra[] = "\xE9\xE8\xE0\xE7\xF4\xC9\xB0\xAB\xBB\t\r\n";
    std::string text;
    const int length = 1 + Below(maxLength);
    for (int i = 0; i < length; ++i)
        text += forClipboard && Chance(15) ? Extra[Below(sizeof Extra - 1)] : static_cast<char>(' ' + Below(95));
    return text;
}

std::string TEventMaker::Next(const TScreen& Screen)
{
    int box = Screen.Menu >= 0 ? Screen.Menu : Screen.Modal;
    // A menu closing as the screen was read would pass its Escape on to the window.
    if (box >= 0 && !IsWindowVisible(Screen.Ours[box].Handle))
        box = -1;
    if (box < 0) {
        FBox = nullptr;
        FBoxAge = 0;
    } else {
        if (Screen.Ours[box].Handle != FBox) {
            FBox = Screen.Ours[box].Handle;
            FBoxAge = 0;
            FBoxPatience = Below(12);
        }
        if (FBoxAge++ >= FBoxPatience)
            return Answer(Screen, Screen.Ours[box]);
    }

    TInput input;
    // Weights per thousand; closing keys are rare, or the program would spend
    // its run starting again.
    int roll = Below(1000);
    auto next = [&roll](int weight) { return (roll -= weight) < 0; };
    if (next(220)) {
        const POINT p = Target(Screen);
        input.MoveTo(p).Send();
        return "move to " + At(p);
    }
    if (next(150)) {
        const POINT p = Target(Screen);
        input.MoveTo(p).Mouse(MOUSEEVENTF_LEFTDOWN).Mouse(MOUSEEVENTF_LEFTUP).Send();
        return "left click at " + At(p);
    }
    if (next(50)) {
        const POINT p = Target(Screen);
        input.MoveTo(p).Mouse(MOUSEEVENTF_RIGHTDOWN).Mouse(MOUSEEVENTF_RIGHTUP).Send();
        return "right click at " + At(p);
    }
    if (next(50)) {
        const POINT p = Target(Screen);
        input.MoveTo(p)
            .Mouse(MOUSEEVENTF_LEFTDOWN)
            .Mouse(MOUSEEVENTF_LEFTUP)
            .Mouse(MOUSEEVENTF_LEFTDOWN)
            .Mouse(MOUSEEVENTF_LEFTUP)
            .Send();
        return "double click at " + At(p);
    }
    if (next(60)) {
        const POINT from = Target(Screen), to = Target(Screen);
        input.MoveTo(from).Mouse(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 4; ++step)
            input.MoveTo(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        input.Mouse(MOUSEEVENTF_LEFTUP).Send();
        return "drag from " + At(from) + " to " + Coordinates(to);
    }
    if (next(50)) {
        const POINT p = Target(Screen);
        const int notches = (1 + Below(3)) * (Chance(50) ? 1 : -1);
        input.MoveTo(p).Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA)).Send();
        return "wheel " + std::to_string(notches) + " at " + At(p);
    }
    if (next(110)) {
        const char c = static_cast<char>(' ' + Below(95));
        input.Character(c).Send();
        return std::string("key '") + c + "'";
    }
    if (next(50)) {
        const bool back = Chance(30);
        if (back)
            input.KeyDown(VK_SHIFT).Tap(VK_TAB).KeyUp(VK_SHIFT).Send();
        else
            input.Tap(VK_TAB).Send();
        return back ? "Shift+Tab" : "Tab";
    }
    if (next(10)) {
        input.Tap(VK_RETURN).Send();
        return "Enter";
    }
    if (next(5)) {
        input.Tap(VK_ESCAPE).Send();
        return "Escape";
    }
    if (next(25))
        return Mnemonic(Screen);
    if (next(30)) {
        const bool apps = Chance(70);
        if (apps)
            input.Tap(VK_APPS).Send();
        else
            input.KeyDown(VK_SHIFT).Tap(VK_F10).KeyUp(VK_SHIFT).Send();
        return apps ? "context-menu key" : "Shift+F10";
    }
    if (next(70)) {
        const int k = Below(static_cast<int>(std::size(NavigationKeys)));
        input.Tap(NavigationKeys[k]).Send();
        return NavigationNames[k];
    }
    if (next(80))
        return TypeInto(Screen);
    return Paste(Screen);
}

std::string TEventMaker::Answer(const TScreen& Screen, const TWindowView& Box)
{
    TInput input;
    const int roll = Below(100);
    if (roll < 40) {
        input.Tap(VK_ESCAPE).Send();
        return "Escape on " + Describe(Box.Handle);
    }
    if (Box.Class == "#32768") {
        // A menu: an item (or a separator), or a click elsewhere that closes it.
        const POINT p = roll < 80 || Screen.Ours.size() < 2 ? PointIn(Box.Rect) : PointIn(Screen.Ours.back().Rect);
        input.MoveTo(p).Mouse(MOUSEEVENTF_LEFTDOWN).Mouse(MOUSEEVENTF_LEFTUP).Send();
        return "menu click at " + At(p);
    }
    if (roll < 60) {
        input.Tap(VK_RETURN).Send();
        return "Enter on " + Describe(Box.Handle);
    }
    std::vector<TWindowView> buttons;
    for (const TWindowView& child : VisibleChildren(Box.Handle))
        if (child.Class == "Button" && IsWindowEnabled(child.Handle))
            buttons.push_back(child);
    if (buttons.empty()) {
        input.Tap(VK_ESCAPE).Send();
        return "Escape on " + Describe(Box.Handle);
    }
    const POINT p = Centre(buttons[Below(static_cast<int>(buttons.size()))].Rect);
    input.MoveTo(p).Mouse(MOUSEEVENTF_LEFTDOWN).Mouse(MOUSEEVENTF_LEFTUP).Send();
    return "box button click at " + At(p);
}

bool TEventMaker::ClickTextControl(const TScreen& Screen, std::string& Where)
{
    std::vector<TWindowView> controls;
    for (const TWindowView& top : Screen.Ours)
        for (const TWindowView& child : VisibleChildren(top.Handle))
            if (IsTextControl(child))
                controls.push_back(child);
    if (controls.empty())
        return false;
    const TWindowView& control = controls[Below(static_cast<int>(controls.size()))];
    // A combo box's arrow is at its right: aim left of it, at the text.
    const POINT p{control.Rect.left + 3 + Below(std::max<int>(1, (control.Rect.right - control.Rect.left) / 2)),
                  (control.Rect.top + std::min<int>(control.Rect.bottom, control.Rect.top + 20)) / 2};
    TInput().MoveTo(p).Mouse(MOUSEEVENTF_LEFTDOWN).Mouse(MOUSEEVENTF_LEFTUP).Send();
    Where = " into " + At(p);
    return true;
}

std::string TEventMaker::TypeInto(const TScreen& Screen)
{
    std::string where = " into the focus";
    ClickTextControl(Screen, where);
    const std::string text = RandomText(12, false);
    TInput input;
    for (char c : text)
        input.Character(c);
    input.Send();
    return "type '" + text + "'" + where;
}

std::string TEventMaker::Paste(const TScreen& Screen)
{
    const std::string text = RandomText(40, true);
    SetClipboardText(FClipboardOwner, text);
    std::string where = " into the focus";
    if (Chance(60))
        ClickTextControl(Screen, where);
    TInput input;
    const bool control = Chance(70);
    if (control)
        input.KeyDown(VK_CONTROL).Tap('V').KeyUp(VK_CONTROL).Send();
    else
        input.KeyDown(VK_SHIFT).Tap(VK_INSERT).KeyUp(VK_SHIFT).Send();
    std::string shown;
    for (char c : text)
        shown += c == '\r'   ? std::string("\\r")
                 : c == '\n' ? std::string("\\n")
                 : c == '\t' ? std::string("\\t")
                              : std::string(1, c);
    return std::string(control ? "Ctrl+V" : "Shift+Insert") + " of '" + shown + "'" + where;
}

std::string TEventMaker::Mnemonic(const TScreen& Screen)
{
    std::string letters;
    auto collect = [&letters](const std::string& text) {
        for (size_t i = text.find('&'); i != std::string::npos && i + 1 < text.size(); i = text.find('&', i + 2))
            if (std::isalnum(static_cast<unsigned char>(text[i + 1])))
                letters += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    };
    for (const TWindowView& top : Screen.Ours) {
        collect(top.Text);
        for (const TWindowView& child : VisibleChildren(top.Handle))
            collect(child.Text);
    }
    const char letter = !letters.empty() && Chance(50) ? letters[Below(static_cast<int>(letters.size()))]
                                                       : static_cast<char>('A' + Below(26));
    TInput().KeyDown(VK_MENU).Tap(static_cast<WORD>(letter)).KeyUp(VK_MENU).Send();
    return std::string("Alt+") + letter;
}
