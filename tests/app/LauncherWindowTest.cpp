#include "BackgroundPattern.h"
#include "support/DialogWatcher.h"
#include "support/PaintedControl.h"

#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/forms/Application.h"
#include "framework/system/Shell.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Files the shell was asked to open, in order; every launch succeeds.
class TLaunchRecorder {
public:
    TLaunchRecorder() : FSaved(ShellExecuteProc())
    {
        ShellExecuteProc() = [this](HWND, const char* op, const char* file, const char* params, const char* dir, INT) {
            Files.push_back(file);
            EXPECT_STREQ(op, "Open");
            EXPECT_STREQ(params, "");
            EXPECT_STREQ(dir, "");
            return reinterpret_cast<HINSTANCE>(42);
        };
    }
    ~TLaunchRecorder() { ShellExecuteProc() = FSaved; }
    std::vector<std::string> Files;

private:
    TShellExecuteProc FSaved;
};

// The display's palette size, as the window will be told it.
class TPaletteSize {
public:
    explicit TPaletteSize(int colours) : FSaved(TFM_Installation::PaletteSizeQuery())
    {
        TFM_Installation::PaletteSizeQuery() = [colours](HDC) { return colours; };
    }
    ~TPaletteSize() { TFM_Installation::PaletteSizeQuery() = FSaved; }

private:
    std::function<int(HDC)> FSaved;
};

// A file beside the test program for as long as the object lives.
class TFileBeside {
public:
    explicit TFileBeside(const std::string& name) : FPath(TFM_Installation::LaunchDirectory() + name)
    {
        HANDLE file = CreateFileA(FPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    ~TFileBeside() { DeleteFileA(FPath.c_str()); }

private:
    std::string FPath;
};

TColor ScreenPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<TColor>(c);
}
} // namespace

class LauncherWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("Installation");
        DM_LocalData = new TDM_LocalData(nullptr);
    }
    void TearDown() override
    {
        delete Window;
        delete DM_LocalData;
        DM_LocalData = nullptr;
    }

    TFM_Installation* Open()
    {
        Window = new TFM_Installation(nullptr);
        Window->Show();
        // The pointer is wherever earlier programs left it: move it to a blank spot.
        const TPoint blank = Window->ClientToScreen(TPoint(250, 130));
        SetCursorPos(blank.x, blank.y);
        WaitFor([this] {
            Application->ProcessMessages();
            return !Window->LA_Elvarine->Hovering() && !Window->LA_MDAC->Hovering();
        });
        return Window;
    }

    // A key typed into the focused control, through the message loop.
    void Type(WORD key)
    {
        HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
    }

    // A left click at a point of the window's client area.
    void ClickAt(int x, int y)
    {
        const LPARAM at = MAKELPARAM(x, y);
        SendMessageA(Window->Handle(), WM_MOUSEMOVE, 0, at);
        SendMessageA(Window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(Window->Handle(), WM_LBUTTONUP, 0, at);
    }

    std::string Dir() const { return TFM_Installation::LaunchDirectory(); }

    TFM_Installation* Window = nullptr;
};

TEST(LauncherLaunchDirectory, IsTheProgramsFolderWithOneClosingBackslash)
{
    EXPECT_EQ(TFM_Installation::LaunchDirectoryOf("R:\\Launcher.exe"), "R:\\");
    EXPECT_EQ(TFM_Installation::LaunchDirectoryOf("C:\\Medium (v2)\\It's here\\Launcher.exe"),
              "C:\\Medium (v2)\\It's here\\");
    EXPECT_EQ(TFM_Installation::LaunchDirectoryOf("R:Launcher.exe"), "R:\\");
    EXPECT_EQ(TFM_Installation::LaunchDirectoryOf("Launcher.exe"), "\\");
    const std::string deep = "C:\\" + std::string(600, 'd') + "\\Launcher.exe";
    EXPECT_EQ(TFM_Installation::LaunchDirectoryOf(deep), deep.substr(0, deep.size() - 12));
}

TEST_F(LauncherWindowTest, TheCaptionBarAndTheTaskBarEntryShowTheProgramsIcon)
{
    Open();
    const HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0,
                                                     LR_DEFAULTSIZE | LR_SHARED));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(Window->Handle(), GCLP_HICON)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(Application->Handle(), GCLP_HICON)), icon);
}

TEST_F(LauncherWindowTest, WithoutTheMdacInstallerItsEntryHidesAndTheGapStays)
{
    Open();
    EXPECT_FALSE(Window->LA_2->Visible());
    EXPECT_FALSE(Window->LA_MDAC->Visible());
    EXPECT_FALSE(Window->LA_3->Visible());
    EXPECT_FALSE(Window->LA_Access->Visible());
    EXPECT_FALSE(Window->LA_ReadMe->Visible());
    EXPECT_TRUE(Window->LA_1->Visible());
    EXPECT_TRUE(Window->LA_Elvarine->Visible());
    // Nothing moves up into the gap.
    EXPECT_EQ(Window->LA_Access->Top(), 152);
    EXPECT_EQ(Window->LA_3->Top(), 148);
    EXPECT_EQ(Window->BU_Close->Top(), 184);
    EXPECT_EQ(Window->ClientWidth(), 304);
    EXPECT_EQ(Window->ClientHeight(), 239);

    // The key still reaches the hidden link, and the real shell's refusal is told.
    TMessageBoxWatcher watcher("Installation");
    Type('2');
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(watcher.Text(), "The specified file was not found. (File: '" + Dir() + "mdac_typ.exe')");
    EXPECT_TRUE(Window->LA_MDAC->Visited());
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));
}

TEST_F(LauncherWindowTest, WithTheMdacInstallerItsEntryShows)
{
    TFileBeside installer("mdac_typ.exe");
    Open();
    EXPECT_TRUE(Window->LA_2->Visible());
    EXPECT_TRUE(Window->LA_MDAC->Visible());
    EXPECT_FALSE(Window->LA_3->Visible());
    EXPECT_FALSE(Window->LA_Access->Visible());
}

TEST_F(LauncherWindowTest, NumberKeysLaunchTheirLinksAndOtherKeysNothing)
{
    Open();
    TLaunchRecorder shell;
    for (WORD key : {'1', '2', '3', '4', '0', 'A'})
        Type(key);
    EXPECT_EQ(shell.Files, (std::vector<std::string>{Dir() + "Setup.exe", Dir() + "mdac_typ.exe"}));
    EXPECT_TRUE(Window->LA_Elvarine->Visited());
    EXPECT_TRUE(Window->LA_MDAC->Visited());
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));
}

TEST_F(LauncherWindowTest, TheMsAccessEntryLaunchesOnlyOnceItHasATarget)
{
    Open();
    TLaunchRecorder shell;
    Type('3');
    Window->LA_Click(Window->LA_3);
    EXPECT_TRUE(shell.Files.empty()) << shell.Files.front(); // not even its caption
    EXPECT_FALSE(Window->LA_Access->Visited());

    Window->LA_Access->SetLink("R:\\Access\\Setup.exe");
    Type('3');
    EXPECT_EQ(shell.Files, std::vector<std::string>{"R:\\Access\\Setup.exe"});
    EXPECT_TRUE(Window->LA_Access->Visited());
}

TEST_F(LauncherWindowTest, NumberLabelsAndTheReadMeButtonClickTheirLinks)
{
    TFileBeside installer("mdac_typ.exe");
    Open();
    TLaunchRecorder shell;
    ClickAt(Window->LA_1->Left() + 5, Window->LA_1->Top() + 8);
    ClickAt(Window->LA_2->Left() + 5, Window->LA_2->Top() + 8);
    SendMessageA(Window->BU_ReadMe->Handle(), BM_CLICK, 0, 0);
    Window->LA_Click(Window->BU_Close); // any other sender clicks nothing
    Window->LA_Click(Window);
    EXPECT_EQ(shell.Files,
              (std::vector<std::string>{Dir() + "Setup.exe", Dir() + "mdac_typ.exe", Dir() + "ReadMe.txt"}));
    EXPECT_TRUE(Window->LA_ReadMe->Visited());
}

TEST_F(LauncherWindowTest, ClickingTheTopStripTogglesTheCreditLine)
{
    Open();
    TLaunchRecorder shell;
    TCorvelLabel* credit = Window->LA_Corvel;
    EXPECT_EQ(credit->Caption(), "");
    ClickAt(150, 5);
    EXPECT_EQ(credit->Caption(), "Brought to you by Corvel");
    EXPECT_EQ(credit->Width(), 287); // no auto-size: the strip keeps its place
    EXPECT_EQ(credit->Left(), 25);

    // Drawn black, centred in the strip, with a yellow shadow while the pointer is on it.
    SendMessageA(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 5));
    ASSERT_TRUE(credit->Hovering());
    TPaintedControl hovered(*credit);
    const TRect text = hovered.Extent(clBlack);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_LE(std::abs((text.left + text.right) - credit->Width()), 4);
    EXPECT_GT(hovered.Count(clYellow), 0);
    SendMessageA(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 60));
    EXPECT_EQ(TPaintedControl(*credit).Count(clYellow), 0);

    ClickAt(150, 5);
    EXPECT_EQ(credit->Caption(), "");
    EXPECT_TRUE(shell.Files.empty());
    EXPECT_FALSE(credit->Visited());
}

TEST_F(LauncherWindowTest, EscapeClosesWithoutLaunchingTheReadMe)
{
    TPaletteSize trueColour(-1);
    Open();
    TLaunchRecorder shell;
    ASSERT_NE(Window->Brush()->Bitmap(), nullptr);
    Type(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(Window->Handle()));
    EXPECT_EQ(Window->Brush()->Bitmap(), nullptr);
    EXPECT_TRUE(shell.Files.empty());
}

TEST_F(LauncherWindowTest, EnterPressesReadMeFirst)
{
    Open();
    TLaunchRecorder shell;
    EXPECT_EQ(GetFocus(), Window->BU_ReadMe->Handle());
    Type(VK_RETURN);
    EXPECT_EQ(shell.Files, std::vector<std::string>{Dir() + "ReadMe.txt"});
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));
}

TEST_F(LauncherWindowTest, AboveTwoHundredFiftySixColoursTheBackgroundIsTiled)
{
    for (int colours : {-1, 257, 1 << 24}) {
        TPaletteSize palette(colours);
        Open();
        ASSERT_EQ(Window->Brush()->Bitmap(), Window->IM_Background->Picture()->Bitmap()) << colours;
        EXPECT_EQ(Window->SB_Bar->Color(), static_cast<TColor>(0x00D6DFE7));

        TPaintedControl painted(*Window);
        // A free corner of the client area, and the ground of a transparent link.
        for (int y = 150; y < 180; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(painted.Pixel(x, y), PatternColor(x, y)) << x << ", " << y;
        const TRect link = Window->LA_Elvarine->BoundsRect();
        int ground = 0;
        for (int y = link.top; y < link.bottom; ++y)
            for (int x = link.left; x < link.right; ++x)
                ground += painted.Pixel(x, y) == PatternColor(x, y);
        EXPECT_GT(ground, link.Width() * link.Height() / 3);

        // The status bar panel is tiled too, on the screen.
        HWND bar = Window->SB_Bar->Handle();
        int tiled = 0;
        for (int x = 20; x < 200; ++x)
            tiled += ScreenPixel(bar, x, 10) != static_cast<TColor>(ColorToRGB(clBtnFace));
        EXPECT_GT(tiled, 150);
        delete Window;
        Window = nullptr;
    }
}

TEST_F(LauncherWindowTest, AtTwoHundredFiftySixColoursOrFewerTheWindowStaysPlain)
{
    for (int colours : {256, 16, 2, 0}) {
        TPaletteSize palette(colours);
        Open();
        EXPECT_EQ(Window->Brush()->Bitmap(), nullptr) << colours;
        EXPECT_EQ(Window->SB_Bar->Color(), clBtnFace);
        TPaintedControl painted(*Window);
        for (int y = 150; y < 180; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(painted.Pixel(x, y), static_cast<TColor>(ColorToRGB(clBtnFace))) << x << ", " << y;
        delete Window;
        Window = nullptr;
    }
}

TEST_F(LauncherWindowTest, StatusBarShowsTheHintOfTheLinkUnderThePointer)
{
    Open();
    TStatusPanel* panel = Window->SB_Bar->Panels()->Items(0);
    const TPoint link = Window->LA_Elvarine->ClientToScreen(TPoint(10, 8));
    SetCursorPos(link.x, link.y);
    ASSERT_TRUE(WaitFor([&] {
        Application->ProcessMessages();
        return !panel->Text().empty();
    }));
    EXPECT_EQ(panel->Text(), Window->LA_Elvarine->Hint());
    EXPECT_TRUE(Window->LA_Elvarine->Hovering());
    // Blue under the pointer, and the hint written on the bar.
    EXPECT_GT(TPaintedControl(*Window->LA_Elvarine).Count(clBlue), 0);
    HWND bar = Window->SB_Bar->Handle();
    int ink = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = 2; x < 150; ++x)
            ink += ScreenPixel(bar, x, y) == static_cast<TColor>(ColorToRGB(clWindowText));
    EXPECT_GT(ink, 20);

    const TPoint blank = Window->ClientToScreen(TPoint(250, 120));
    SetCursorPos(blank.x, blank.y);
    ASSERT_TRUE(WaitFor([&] {
        Application->ProcessMessages();
        return panel->Text().empty();
    }));
    EXPECT_FALSE(Window->LA_Elvarine->Hovering());
    EXPECT_GT(TPaintedControl(*Window->LA_Elvarine).Count(clBlack), 0);
}

TEST_F(LauncherWindowTest, ALaunchedLinkIsNavyUntilThePointerComesBack)
{
    Open();
    TLaunchRecorder shell;
    Type('1');
    ASSERT_EQ(shell.Files.size(), 1u);
    TPaintedControl visited(*Window->LA_Elvarine);
    EXPECT_GT(visited.Count(clNavy), 0);
    EXPECT_EQ(visited.Count(clBlack), 0);
    SendMessageA(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 105)); // pushed out above
    SendMessageA(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 106)); // and back on
    EXPECT_GT(TPaintedControl(*Window->LA_Elvarine).Count(clBlue), 0);
}

// Run again by CTest under French (France, Canada) and German user locales.
TEST_F(LauncherWindowTest, LocaleTextsFollowTheUsersLanguage)
{
    Open();
    const bool french = (GetUserDefaultLCID() & 0x3FF) == LANG_FRENCH;
    struct {
        TControl* Control;
        const char* English;
        const char* French;
    } const captions[] = {
        {Window, "Elvarine", "Elvarine"},
        {Window->LA_Elvarine, "Install Elvarine", "Installation d'Elvarine"},
        {Window->LA_MDAC, "Install MDAC", "Installation de MDAC"},
        {Window->LA_Access, "Install MS-Access Service Provider", "Installation du fournisseur MS-Access"},
        {Window->BU_Close, "&Close", "&Fermer"},
        {Window->BU_ReadMe, "&Read me", "&Lisez moi"},
        {Window->LA_1, "1-", "1-"},
        {Window->LA_2, "2-", "2-"},
        {Window->LA_3, "3-", "3-"},
        {Window->LA_ReadMe, "Readme", "Readme"},
        {Window->LA_Corvel, "", ""},
    };
    for (const auto& c : captions)
        EXPECT_EQ(c.Control->Caption(), french ? c.French : c.English) << c.Control->Name();
    EXPECT_EQ(Window->LA_Elvarine->Hint(), french ? "Installe l'application Elvarine" : "Install the Elvarine program");
    const char* required =
        french ? "Requise seulement si Elvarine ne fonctionne pas." : "Required only if Elvarine doesn't work properly";
    EXPECT_EQ(Window->LA_MDAC->Hint(), required);
    EXPECT_EQ(Window->LA_Access->Hint(), required);
    EXPECT_EQ(Window->LA_ReadMe->Hint(), "Install the Elvarine program");
    // The buttons' own windows carry the texts the user reads.
    char text[64];
    GetWindowTextA(Window->BU_Close->Handle(), text, sizeof text);
    EXPECT_STREQ(text, french ? "&Fermer" : "&Close");
    // Auto-sized links fit their new texts.
    TPaintedControl link(*Window->LA_Elvarine);
    EXPECT_GE(link.Extent(clBlack).right, link.Width() - 3);
}
