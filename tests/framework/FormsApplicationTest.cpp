// The application and its forms on the display: the real message box (found,
// read and dismissed while it is modal), errors raised by handlers, the hint of
// the control under the real pointer, the form's frame, place and pattern brush.
#include "WindowTestSupport.h"

#include "framework/forms/Dialogs.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/StatusBar.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the test saw of a message box while it was open, and the box it closed.
struct TSeenBox {
    HWND Box = nullptr;
    std::string Caption;
    std::vector<std::string> Texts; // its Static children
    bool FormEnabled = true;
    HWND Owner = nullptr;
};

TSeenBox gSeen;
HWND gWatchedForm = nullptr;

BOOL CALLBACK CollectStatic(HWND child, LPARAM)
{
    char cls[32] = {}, text[256] = {};
    GetClassNameA(child, cls, sizeof(cls));
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpiA(cls, "Static") == 0 && text[0])
        gSeen.Texts.emplace_back(text);
    return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM)
{
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (std::string(cls) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    gSeen.Box = window;
    return FALSE;
}

// Runs inside the message box's own modal loop: reads the box and presses its OK button.
void CALLBACK DismissBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    if (!gSeen.Box)
        return; // not shown yet: the timer fires again
    KillTimer(nullptr, timer);
    char caption[128] = {};
    GetWindowTextA(gSeen.Box, caption, sizeof(caption));
    gSeen.Caption = caption;
    EnumChildWindows(gSeen.Box, CollectStatic, 0);
    gSeen.FormEnabled = IsWindowEnabled(gWatchedForm) != FALSE;
    gSeen.Owner = GetWindow(gSeen.Box, GW_OWNER);
    PostMessageA(gSeen.Box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(gSeen.Box, IDOK)));
}

class FormsApplication : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        gSeen = TSeenBox();
        gWatchedForm = Form->Handle();
        Application->SetTitle("Installation");
    }
    UINT_PTR WatchForMessageBox() { return SetTimer(nullptr, 0, 50, DismissBox); }
};

} // namespace

TEST_F(FormsApplication, TheMessageBoxIsOwnedByTheApplicationAndDisablesItsWindowsWhileOpen)
{
    ShowForm();
    const UINT_PTR timer = WatchForMessageBox();
    const int answer = Application->MessageBox("The file Setup.exe was not found.", "Installation", MB_OK | MB_ICONSTOP);
    KillTimer(nullptr, timer);

    EXPECT_EQ(answer, IDOK);
    ASSERT_NE(gSeen.Box, nullptr) << "no message box was shown";
    EXPECT_EQ(gSeen.Caption, "Installation");
    EXPECT_NE(std::find(gSeen.Texts.begin(), gSeen.Texts.end(), "The file Setup.exe was not found."),
              gSeen.Texts.end());
    EXPECT_EQ(gSeen.Owner, Application->Handle());
    EXPECT_FALSE(gSeen.FormEnabled);
    EXPECT_TRUE(IsWindowEnabled(Form->Handle())); // given back afterwards
    EXPECT_FALSE(IsWindow(gSeen.Box));

    // ShowMessage goes the same way, captioned with the title.
    gSeen = TSeenBox();
    WatchForMessageBox();
    ShowMessage("Brought to you by Corvel");
    EXPECT_EQ(gSeen.Caption, "Installation");
    EXPECT_EQ(gSeen.Texts, std::vector<std::string>{"Brought to you by Corvel"});
}

TEST_F(FormsApplication, AnErrorInAHandlerIsReportedAndTheLoopGoesOn)
{
    auto* failing = Add<TButton>(20, 20, 80, 25);
    failing->OnClick = [](TObject*) { throw std::runtime_error("The cellar is locked"); };
    auto* working = Add<TButton>(120, 20, 80, 25);
    int worked = 0;
    working->OnClick = [&](TObject*) { ++worked; };
    ShowForm();

    WatchForMessageBox();
    PostMessageA(failing->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return gSeen.Box != nullptr && !IsWindow(gSeen.Box); }));
    EXPECT_EQ(gSeen.Texts, std::vector<std::string>{"The cellar is locked."});
    EXPECT_EQ(gSeen.Caption, "Installation");

    PostMessageA(working->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return worked == 1; }));

    // A program may take the reports over.
    std::string reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
    PostMessageA(failing->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
    EXPECT_EQ(reported, "The cellar is locked");
    Application->OnException = nullptr;
}

TEST_F(FormsApplication, TheStatusBarShowsTheHintOfTheControlUnderTheRealPointer)
{
    auto* bar = new TStatusBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetAutoHint(true);
    bar->Panels()->Add()->SetWidth(300);
    auto* link = Add<TLabel>(20, 20, 120, 20);
    link->SetAutoSize(false);
    link->SetCaption("Install Elvarine");
    link->SetHint("Install|Install the Elvarine program");
    auto* button = Add<TButton>(20, 60, 80, 25);
    button->SetHint("Close the window");
    auto* plain = Add<TLabel>(20, 100, 80, 20);
    plain->SetAutoSize(false);
    int hints = 0;
    Application->OnHint = [&](TObject*) { ++hints; };
    ShowForm();

    auto panelText = [&] {
        char text[128] = {};
        SendMessageA(bar->Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    MovePointer(CentreOf(*link));
    EXPECT_TRUE(PumpUntil([&] { return panelText() == "Install the Elvarine program"; })) << panelText();
    EXPECT_EQ(Application->Hint(), "Install the Elvarine program"); // the long part of the hint
    MovePointer(CentreOf(*button));
    EXPECT_TRUE(PumpUntil([&] { return panelText() == "Close the window"; })) << panelText();
    MovePointer(CentreOf(*plain)); // no hint of its own, nor has the form
    EXPECT_TRUE(PumpUntil([&] { return panelText().empty(); })) << panelText();

    Form->SetHint("Elvarine setup"); // the nearest parent with a hint speaks for it
    MovePointer(TPoint(CentreOf(*plain).x + 1, CentreOf(*plain).y));
    EXPECT_TRUE(PumpUntil([&] { return panelText() == "Elvarine setup"; })) << panelText();
    EXPECT_GE(hints, 4);
    Application->OnHint = nullptr;
}

TEST_F(FormsApplication, APatternBrushTilesTheFormsClientArea)
{
    TBitmap pattern;
    pattern.SetPixelFormat(pf24bit);
    pattern.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.SetPixel(x, y, static_cast<TColor>(RGB(x * 30, y * 30, (x + y) % 2 ? 200 : 40)));
    Form->Brush()->SetBitmap(&pattern);
    Form->SetClientWidth(61);
    Form->SetClientHeight(45);
    ShowForm();

    auto shot = Snapshot(*Form);
    int wrong = 0;
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 61; ++x)
            wrong += shot->Pixel(x, y) != pattern.Pixel(x % 8, y % 8);
    EXPECT_EQ(wrong, 0);

    // The pattern follows later drawing on the bitmap.
    pattern.SetPixel(3, 3, clRed);
    Form->Invalidate();
    auto again = Snapshot(*Form);
    EXPECT_EQ(again->Pixel(11, 19), clRed);
    Form->Brush()->SetBitmap(nullptr);
}

TEST_F(FormsApplication, ADialogFrameKeepsTheClientSizeAndCentresOnTheScreen)
{
    Form->SetBorderStyle(bsDialog);
    Form->SetPosition(poScreenCenter);
    Form->SetClientWidth(304);
    Form->SetClientHeight(239);
    Form->SetCaption("Elvarine");
    ShowForm();
    RECT client;
    GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.right, 304);
    EXPECT_EQ(client.bottom, 239);
    const LONG_PTR style = GetWindowLongPtrA(Form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrA(Form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    RECT window;
    GetWindowRect(Form->Handle(), &window);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    char caption[32] = {};
    GetWindowTextA(Form->Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Elvarine");
}
