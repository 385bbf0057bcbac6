// Popup menus opened as a user opens them (a right click, the context-menu key)
// and read from outside, through the system menu window, while they are open.
#include "WindowTestSupport.h"

#include "framework/controls/Menus.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Label.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {
// Runs on a thread of its own, as the test's thread is inside the menu's loop:
// waits for the open menu, reads its lines and window, then types Keys.
class TMenuWatcher {
public:
    struct TLine {
        std::string Text;
        UINT Type = 0, State = 0;
    };

    explicit TMenuWatcher(std::vector<WORD> Keys)
        : FThread([this, keys = std::move(Keys)] { Watch(keys); })
    {
    }
    ~TMenuWatcher() { Join(); }
    void Join()
    {
        if (FThread.joinable())
            FThread.join();
    }

    std::vector<TLine> Lines;
    RECT Window{};
    bool Seen = false;

private:
    static HWND OpenMenu()
    {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    }

    void Watch(const std::vector<WORD>& keys)
    {
        HWND window = nullptr;
        for (int i = 0; i < 300 && !(window = OpenMenu()); ++i)
            Sleep(10);
        if (!window)
            return;
        Seen = true;
        GetWindowRect(window, &Window);
        auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof(text);
            GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
            Lines.push_back({text, info.fType, info.fState});
        }
        for (WORD key : keys) {
            SendKey(key, false);
            SendKey(key, true);
        }
        // A menu the keys did not close would hold the test's thread for ever.
        for (int i = 0; i < 200 && OpenMenu(); ++i)
            Sleep(10);
        if (HWND still = OpenMenu())
            SendMessageA(GetWindow(still, GW_OWNER) ? GetWindow(still, GW_OWNER) : GetForegroundWindow(), WM_CANCELMODE, 0, 0);
    }

    std::thread FThread;
};

class ControlsPopupMenu : public TFormFixture {
protected:
    // A menu with every kind of line, owned by the form.
    TPopupMenu* MakeMenu()
    {
        auto* menu = new TPopupMenu(Form.get());
        auto add = [&](const char* caption) {
            auto* item = new TMenuItem(Form.get());
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { Chosen.push_back(caption); };
            menu->Items()->Add(item);
            return item;
        };
        add("&Open")->SetDefault(true);
        menu->Items()->Items(0)->SetShortCut(ShortCut('O', {ssCtrl}));
        add("-");
        add("&Checked")->SetChecked(true);
        add("&Disabled")->SetEnabled(false);
        add("&Hidden")->SetVisible(false);
        add("&Last");
        menu->OnPopup = [this](TObject*) { ++Popups; };
        return menu;
    }

    std::vector<std::string> Chosen;
    int Popups = 0;
};
} // namespace

TEST_F(ControlsPopupMenu, ARightClickOpensTheMenuAndAKeyChoosesAnItem)
{
    auto* label = Add<TLabel>(40, 40, 120, 20); // windowless: its parent's window takes the click
    label->SetCaption("Right click me");
    TPopupMenu* menu = MakeMenu();
    label->SetPopupMenu(menu);
    ShowForm();

    const TPoint at = CentreOf(*label);
    MovePointer(at);
    TMenuWatcher watcher({'L'});
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return !Chosen.empty(); }));
    watcher.Join();

    ASSERT_TRUE(watcher.Seen) << "no menu window opened";
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Last"});
    EXPECT_EQ(Popups, 1);
    EXPECT_EQ(menu->PopupComponent(), label);
    EXPECT_NEAR(watcher.Window.left, at.x, 2);
    EXPECT_NEAR(watcher.Window.top, at.y, 2);

    ASSERT_EQ(watcher.Lines.size(), 5u) << "the hidden item is left out";
    EXPECT_EQ(watcher.Lines[0].Text, "&Open\tCtrl+O");
    EXPECT_TRUE(watcher.Lines[0].State & MFS_DEFAULT);
    EXPECT_TRUE(watcher.Lines[1].Type & MFT_SEPARATOR);
    EXPECT_EQ(watcher.Lines[2].Text, "&Checked");
    EXPECT_TRUE(watcher.Lines[2].State & MFS_CHECKED);
    EXPECT_FALSE(watcher.Lines[3].State & MFS_CHECKED);
    EXPECT_TRUE(watcher.Lines[3].State & MFS_DISABLED);
    EXPECT_EQ(watcher.Lines[4].Text, "&Last");
}

TEST_F(ControlsPopupMenu, TheContextMenuKeyOpensItAtTheFocusedControl)
{
    auto* button = Add<TButton>(60, 80, 100, 25);
    button->SetPopupMenu(MakeMenu());
    ShowForm();
    button->SetFocus();

    TMenuWatcher watcher({VK_DOWN, VK_RETURN}); // the first line that can be chosen
    PressKey(VK_APPS);
    EXPECT_TRUE(PumpUntil([&] { return !Chosen.empty(); }));
    watcher.Join();
    ASSERT_TRUE(watcher.Seen) << "no menu window opened";
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Open"});
    const TPoint corner = button->ClientToScreen(TPoint(0, 0));
    EXPECT_NEAR(watcher.Window.left, corner.x, 2);
    EXPECT_NEAR(watcher.Window.top, corner.y, 2);
}

TEST_F(ControlsPopupMenu, AHandledContextPopupKeepsTheMenuClosed)
{
    auto* label = Add<TLabel>(40, 40, 120, 20);
    label->SetPopupMenu(MakeMenu());
    int asked = 0;
    label->OnContextPopup = [&](TObject*, TPoint, bool& handled) {
        ++asked;
        handled = true;
    };
    ShowForm();
    MovePointer(CentreOf(*label));
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return asked == 1; }));
    EXPECT_EQ(Popups, 0);
}
