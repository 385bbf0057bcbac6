#include "support/DialogWatcher.h"
#include "support/PaintedControl.h"
#include "support/RegistrySnapshot.h"

#include "components/CorvelLabel.h"
#include "framework/designer/Registration.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormWriter.h"
#include "framework/system/Shell.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {
const char* const BrowserKey = "Software\\Microsoft\\Internet Explorer\\Settings";

// One call that reached the shell.
struct TShellCall {
    HWND Owner;
    std::string Operation, File, Parameters, Directory;
    INT ShowCmd;
};

// Routes the shell to a recorder answering Result, and puts ShellExecuteA back afterwards.
class TShellRecorder {
public:
    explicit TShellRecorder(INT_PTR Result = 42) : FSaved(ShellExecuteProc())
    {
        ShellExecuteProc() = [this, Result](HWND owner, const char* op, const char* file, const char* params,
                                            const char* dir, INT show) {
            Calls.push_back({owner, op, file, params, dir, show});
            return reinterpret_cast<HINSTANCE>(Result);
        };
    }
    ~TShellRecorder() { ShellExecuteProc() = FSaved; }
    std::vector<TShellCall> Calls;

private:
    TShellExecuteProc FSaved;
};

// Message boxes land here instead of on the screen.
struct TShownBox {
    std::string Text, Caption;
    UINT Flags;
};
class TMessageBoxRecorder {
public:
    TMessageBoxRecorder()
    {
        Application->MessageBoxHook = [this](const std::string& text, const std::string& caption, UINT flags) {
            Boxes.push_back({text, caption, flags});
            return IDOK;
        };
    }
    ~TMessageBoxRecorder() { Application->MessageBoxHook = nullptr; }
    std::vector<TShownBox> Boxes;
};

// A shown form with one link label at (20, 30), the way a window holds it. The
// browser settings are those of the test, restored afterwards.
class CorvelLabelTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("Installation");
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 150);
        Label = MakeLabel();
        Form->Show();
        // The pointer is wherever earlier programs left it: move it off the label.
        const TPoint blank = Form->ClientToScreen(TPoint(250, 100));
        SetCursorPos(blank.x, blank.y);
        WaitFor([this] {
            Application->ProcessMessages();
            return !Label->Hovering();
        });
    }
    void TearDown() override
    {
        Form.reset();
        SetCapture(nullptr);
        ReleaseCapture();
    }

    TCorvelLabel* MakeLabel()
    {
        auto* label = new TCorvelLabel(Form.get());
        label->SetParent(Form.get());
        label->SetBounds(20, 30, 10, 10);
        label->SetCaption("Install Elvarine");
        return label;
    }

    // A fresh label in the place of the current one, which is hidden.
    void ReplaceLabel()
    {
        Label->Hide();
        Label = MakeLabel();
    }

    // A pointer move over the form, in the label's client coordinates.
    void MoveTo(int x, int y)
    {
        SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(Label->Left() + x, Label->Top() + y));
    }

    TRegistrySnapshot Browser{HKEY_CURRENT_USER, BrowserKey};
    std::unique_ptr<TForm> Form;
    TCorvelLabel* Label = nullptr;
};

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | g << 8 | b << 16); }
} // namespace

// --- the browser's settings ---

TEST_F(CorvelLabelTest, BrowserColoursParseAsTheirThreeDecimalParts)
{
    struct {
        const char* Text;
        TColor Expected;
    } const examples[] = {
        {"0,0,255", Rgb(0, 0, 255)},    {"128,128,128", Rgb(128, 128, 128)}, {"255,0", Rgb(255, 0, 0)},
        {"255", 0},                     {"256,0,0", 0},                      {"0,0,255,0", 0},
        {"12,34,56", Rgb(12, 34, 56)},  {"1,,3", 0},                         {"a,b,c", 0},
        {"-1,0,0", Rgb(255, 0, 0)},     {" 7, 8, 9", Rgb(7, 8, 9)},          {",5,6", 0},
    };
    for (const auto& e : examples) {
        WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color", e.Text);
        EXPECT_EQ(Label->ReadIEColorParameter("Anchor Color", "128,128,128"), e.Expected) << e.Text;
    }
}

TEST_F(CorvelLabelTest, BrowserSettingsAreReadOnceAtConstruction)
{
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color", "1,2,3");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color Hover", "4,5,6");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color Visited", "7,8,9");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Use Anchor Hover Color", "no");
    TCorvelLabel* label = MakeLabel();
    EXPECT_EQ(label->IEAnchorColor(), Rgb(1, 2, 3));
    EXPECT_EQ(label->IEHoverColor(), Rgb(4, 5, 6));
    EXPECT_EQ(label->IEVisitedColor(), Rgb(7, 8, 9));
    EXPECT_FALSE(label->IEUseHoverColor());

    // A snapshot: later changes, or switching UseIEDefaults, do not read again.
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color", "9,9,9");
    label->SetIEDefaults(false);
    label->SetIEDefaults(true);
    EXPECT_EQ(label->IEAnchorColor(), Rgb(1, 2, 3));
}

TEST_F(CorvelLabelTest, MissingEmptyOrWronglyTypedSettingsFallBackToGreyAndHover)
{
    const TColor grey = Rgb(128, 128, 128);
    auto expectDefaults = [&](const char* situation) {
        TCorvelLabel* label = MakeLabel();
        EXPECT_EQ(label->IEAnchorColor(), grey) << situation;
        EXPECT_EQ(label->IEHoverColor(), grey) << situation;
        EXPECT_EQ(label->IEVisitedColor(), grey) << situation;
        EXPECT_TRUE(label->IEUseHoverColor()) << situation;
    };
    DeleteRegistryKey(HKEY_CURRENT_USER, BrowserKey);
    expectDefaults("no key");
    HKEY created = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, BrowserKey, 0, KEY_READ, &created), ERROR_SUCCESS)
        << "reading the settings created their key";
    if (created)
        RegCloseKey(created);

    CreateRegistryKey(HKEY_CURRENT_USER, BrowserKey);
    expectDefaults("no values");

    for (const char* name : {"Anchor Color", "Anchor Color Hover", "Anchor Color Visited", "Use Anchor Hover Color"})
        WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, name, "");
    expectDefaults("empty values");

    for (const char* name : {"Anchor Color", "Anchor Color Hover", "Anchor Color Visited", "Use Anchor Hover Color"})
        WriteRegistryDword(HKEY_CURRENT_USER, BrowserKey, name, 0x00FF00FF);
    expectDefaults("DWORD values");
}

TEST_F(CorvelLabelTest, OnlyTheFourYesWordsInAnyCaseTurnTheHoverColourOn)
{
    struct {
        const char* Text;
        bool Yes;
    } const words[] = {{"yes", true},  {"YES", true},  {"Y", true},   {"y", true},   {"Oui", true},
                       {"o", true},    {"no", false},  {"non", false}, {"1", false}, {"true", false},
                       {"yes ", false}, {"OUIS", false}};
    for (const auto& w : words) {
        WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Use Anchor Hover Color", w.Text);
        EXPECT_EQ(MakeLabel()->IEUseHoverColor(), w.Yes) << '"' << w.Text << '"';
    }
}

// --- hover through the mouse capture ---

TEST_F(CorvelLabelTest, HoverTakesTheCaptureInsideAndLetsGoOutside)
{
    MoveTo(3, 3);
    EXPECT_TRUE(Label->Hovering());
    EXPECT_TRUE(Label->MouseCapture());
    EXPECT_EQ(GetCapture(), Form->Handle());

    // The right and bottom edges themselves still count as inside.
    MoveTo(Label->Width(), Label->Height());
    EXPECT_TRUE(Label->Hovering());

    // With the capture, moves anywhere reach the label, in its own coordinates.
    MoveTo(Label->Width() + 1, 2);
    EXPECT_FALSE(Label->Hovering());
    EXPECT_FALSE(Label->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);

    MoveTo(2, 2);
    ASSERT_TRUE(Label->Hovering());
    MoveTo(2, -1);
    EXPECT_FALSE(Label->Hovering());
    MoveTo(2, 2);
    MoveTo(-1, 2);
    EXPECT_FALSE(Label->Hovering());
}

TEST_F(CorvelLabelTest, HoverIsTrackedEvenWhenTheLabelIsNoLink)
{
    Label->SetIsLink(false);
    MoveTo(2, 2);
    EXPECT_TRUE(Label->Hovering());
    EXPECT_TRUE(Label->MouseCapture());
    // Not a link: a click fires OnClick only, and keeps the capture.
    int clicks = 0;
    Label->OnClick = [&](TObject*) { ++clicks; };
    TShellRecorder shell;
    Label->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(shell.Calls.empty());
    EXPECT_TRUE(Label->MouseCapture());
    EXPECT_FALSE(Label->Visited());
    MoveTo(-5, 2);
    EXPECT_FALSE(Label->MouseCapture());
}

TEST_F(CorvelLabelTest, FirstMoveAfterALaunchPushesThePointerOnePixelAboveTheLabel)
{
    TShellRecorder shell;
    MoveTo(4, 4);
    Label->Click();
    EXPECT_FALSE(Label->Hovering());
    EXPECT_FALSE(Label->MouseCapture());
    EXPECT_TRUE(Label->JustLaunched());
    EXPECT_TRUE(Label->Visited());

    MoveTo(6, 5);
    const TPoint expected = Label->ClientToScreen(TPoint(6, -1));
    POINT at;
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_EQ(at.x, expected.x);
    EXPECT_EQ(at.y, expected.y);
    EXPECT_FALSE(Label->JustLaunched());
    EXPECT_FALSE(Label->Hovering());
    EXPECT_FALSE(Label->MouseCapture());

    // Coming back onto the link hovers it again.
    MoveTo(6, 5);
    EXPECT_TRUE(Label->Hovering());
}

// --- the launch ---

TEST_F(CorvelLabelTest, ClickAsksTheOwnerThenLaunchesTheLinkAndBecomesVisited)
{
    TShellRecorder shell;
    std::vector<std::string> order;
    Label->SetLink("C:\\Program Files\\Elvarine's (demo)\\Setup.exe");
    Label->SetLinkParameter("/quiet");
    Label->OnClick = [&](TObject*) { order.push_back("click"); };
    Label->OnBeforeLaunchLink = [&](TObject* sender, bool& launch) {
        EXPECT_EQ(sender, Label);
        EXPECT_TRUE(launch);
        EXPECT_FALSE(Label->MouseCapture()); // released before the owner is asked
        order.push_back("before");
    };
    Label->OnAfterLaunchLink = [&](TObject* sender) {
        EXPECT_EQ(sender, Label);
        EXPECT_TRUE(Label->Visited());
        order.push_back("after");
    };
    MoveTo(2, 2);
    Label->Click();
    EXPECT_EQ(order, (std::vector<std::string>{"click", "before", "after"}));
    ASSERT_EQ(shell.Calls.size(), 1u);
    const TShellCall& call = shell.Calls[0];
    EXPECT_EQ(call.Owner, nullptr);
    EXPECT_EQ(call.Operation, "Open");
    // Blanks, apostrophes and parentheses pass unchanged, without added quotes.
    EXPECT_EQ(call.File, "C:\\Program Files\\Elvarine's (demo)\\Setup.exe");
    EXPECT_EQ(call.Parameters, "/quiet");
    EXPECT_EQ(call.Directory, "");
    EXPECT_EQ(call.ShowCmd, SW_SHOW);
    EXPECT_TRUE(Label->Visited());
}

TEST_F(CorvelLabelTest, OwnerMayRetargetTheLinkOrCancelTheLaunch)
{
    TShellRecorder shell;
    Label->OnBeforeLaunchLink = [&](TObject*, bool&) { Label->SetLink("D:\\Setup.exe"); };
    Label->Click();
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].File, "D:\\Setup.exe");

    TCorvelLabel* first = Label;
    ReplaceLabel();
    TCorvelLabel* other = Label;
    bool after = false;
    other->OnBeforeLaunchLink = [](TObject*, bool& launch) { launch = false; };
    other->OnAfterLaunchLink = [&](TObject*) { after = true; };
    SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(other->Left() + 2, other->Top() + 2));
    ASSERT_TRUE(other->Hovering());
    other->Click();
    EXPECT_EQ(shell.Calls.size(), 1u);
    EXPECT_FALSE(other->Visited());
    EXPECT_FALSE(other->JustLaunched());
    EXPECT_FALSE(after);
    EXPECT_FALSE(other->Hovering());
    EXPECT_FALSE(other->MouseCapture());
    EXPECT_TRUE(first->Visited());
}

TEST_F(CorvelLabelTest, AnEmptyLinkLaunchesTheCaption)
{
    TShellRecorder shell;
    Label->SetCaption("http://www.corvel.example/elvarine");
    Label->Click();
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].File, "http://www.corvel.example/elvarine");
}

TEST_F(CorvelLabelTest, EveryRefusalOfTheShellIsReportedWithItsOwnMessage)
{
    const std::map<int, std::string> messages = {
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied access to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred."},
        {28, "The DDE transaction could not be completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not be completed because other DDE transactions were being processed."},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    Application->SetTitle("Elvarine medium");
    const std::string file = "C:\\It's a (test)\\Setup.exe";
    for (int result = 0; result <= 33; ++result) {
        TShellRecorder shell(result);
        TMessageBoxRecorder boxes;
        bool after = false;
        Label->OnAfterLaunchLink = [&](TObject*) { after = true; };
        Label->PerformShellExecute("Open", file, "-x", "C:\\");
        if (result == 33) {
            EXPECT_TRUE(boxes.Boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.Boxes.size(), 1u) << result;
        const auto it = messages.find(result);
        const std::string message = it != messages.end() ? it->second : "An unspecified error occured.";
        EXPECT_EQ(boxes.Boxes[0].Text, message + " (File: '" + file + "')") << result;
        EXPECT_EQ(boxes.Boxes[0].Caption, "Elvarine medium");
        EXPECT_EQ(boxes.Boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

        // From a click, a refused launch still counts as a visit: each refusal on a
        // label not yet visited.
        ReplaceLabel();
        Label->OnAfterLaunchLink = [&](TObject*) { after = true; };
        ASSERT_FALSE(Label->Visited());
        Label->Click();
        EXPECT_TRUE(after);
        EXPECT_TRUE(Label->Visited());
    }
}

TEST_F(CorvelLabelTest, ARealRefusalOfTheShellShowsARealMessageBox)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string missing = std::string(temp) + "it's missing (really).exe";
    Label->SetLink(missing);
    TMessageBoxWatcher watcher("Installation");
    Label->Click();
    ASSERT_TRUE(watcher.Finish()) << "no message box captioned \"Installation\" appeared";
    EXPECT_EQ(watcher.Text(), "The specified file was not found. (File: '" + missing + "')");
    EXPECT_TRUE(watcher.OthersWereDisabled());
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    EXPECT_TRUE(Label->Visited());
}

// --- drawing ---

namespace {
const TColor LinkInk = Rgb(0x10, 0x20, 0x30), HoverInk = Rgb(0x40, 0x50, 0x60), VisitedInk = Rgb(0x70, 0x80, 0x90),
             ShadowInk = Rgb(0xB0, 0xA0, 0x00), HoverShadowInk = Rgb(0xD0, 0xC0, 0x00),
             FontInk = Rgb(0x20, 0x30, 0x40), Ground = Rgb(0xF0, 0xE0, 0xD0);
}

class CorvelLabelDrawingTest : public CorvelLabelTest {
protected:
    void SetUp() override
    {
        CorvelLabelTest::SetUp();
        Label->SetParentColor(false);
        Label->SetColor(Ground);
        Label->Font()->SetColor(FontInk);
        Label->Font()->SetHeight(-16);
        Label->SetIEDefaults(false);
        Label->SetLinkColor(LinkInk);
        Label->SetHoverColor(HoverInk);
        Label->SetVisitedColor(VisitedInk);
        Label->Set3DColor(ShadowInk);
        Label->Set3DColorHover(HoverShadowInk);
    }
    // Which of the inks the label shows now.
    std::vector<TColor> Inks() const
    {
        TPaintedControl painted(*Label);
        std::vector<TColor> inks;
        for (TColor ink : {LinkInk, HoverInk, VisitedInk, ShadowInk, HoverShadowInk, FontInk})
            if (painted.Count(ink) > 0)
                inks.push_back(ink);
        return inks;
    }
    using TInks = std::vector<TColor>;
};

TEST_F(CorvelLabelDrawingTest, TextColourFollowsHoverAndVisitedStates)
{
    EXPECT_EQ(Inks(), TInks{LinkInk});
    MoveTo(2, 2);
    EXPECT_EQ(Inks(), TInks{HoverInk});
    Label->SetUseHover(false);
    EXPECT_EQ(Inks(), TInks{LinkInk});
    Label->SetUseHover(true);
    Label->SetVisited(true);
    EXPECT_EQ(Inks(), TInks{HoverInk}); // the hover colour comes first
    MoveTo(-3, 2);
    EXPECT_EQ(Inks(), TInks{VisitedInk});
    Label->SetIsLink(false);
    EXPECT_EQ(Inks(), TInks{FontInk});
}

TEST_F(CorvelLabelDrawingTest, BrowserColoursApplyWithUseIEDefaults)
{
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color", "16,32,48");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color Hover", "64,80,96");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Anchor Color Visited", "112,128,144");
    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Use Anchor Hover Color", "Oui");
    ReplaceLabel(); // its own colours stay at their defaults, none of the inks
    Label->SetParentColor(false);
    Label->SetColor(Ground);
    EXPECT_EQ(Inks(), TInks{LinkInk});
    MoveTo(2, 2);
    EXPECT_EQ(Inks(), TInks{HoverInk});
    Label->SetUseHover(false); // the browser decides, not UseHover
    EXPECT_EQ(Inks(), TInks{HoverInk});
    Label->SetVisited(true);
    MoveTo(-2, -2);
    EXPECT_EQ(Inks(), TInks{VisitedInk});

    WriteRegistryString(HKEY_CURRENT_USER, BrowserKey, "Use Anchor Hover Color", "nO");
    ReplaceLabel();
    Label->SetParentColor(false);
    Label->SetColor(Ground);
    MoveTo(2, 2);
    ASSERT_TRUE(Label->Hovering());
    EXPECT_EQ(Inks(), TInks{LinkInk});
}

TEST_F(CorvelLabelDrawingTest, ShadowsLieOnePixelDownAndRightUnderTheText)
{
    Label->Set3DEffect(true);
    EXPECT_EQ(Inks(), (TInks{LinkInk, ShadowInk}));
    {
        TPaintedControl painted(*Label);
        const TRect text = painted.Extent(LinkInk), shadow = painted.Extent(ShadowInk);
        EXPECT_EQ(shadow.right, text.right + 1);
        EXPECT_EQ(shadow.bottom, text.bottom + 1);
    }
    MoveTo(2, 2);
    EXPECT_EQ(Inks(), TInks{HoverInk}); // no hover shadow asked for
    Label->Set3DEffectHover(true);
    EXPECT_EQ(Inks(), (TInks{HoverInk, HoverShadowInk}));
    MoveTo(-2, 2);
    EXPECT_EQ(Inks(), (TInks{LinkInk, ShadowInk}));
    Label->Set3DEffect(false);
    EXPECT_EQ(Inks(), TInks{LinkInk});
}

TEST_F(CorvelLabelDrawingTest, DisabledLabelIsEmbossedWhateverItsState)
{
    Label->Set3DEffect(true);
    Label->SetVisited(true);
    Label->SetEnabled(false);
    TPaintedControl painted(*Label);
    for (TColor ink : {LinkInk, HoverInk, VisitedInk, ShadowInk, FontInk})
        EXPECT_EQ(painted.Count(ink), 0);
    const TRect highlight = painted.Extent(clBtnHighlight), shadow = painted.Extent(clBtnShadow);
    ASSERT_FALSE(shadow.IsEmpty());
    ASSERT_FALSE(highlight.IsEmpty());
    EXPECT_EQ(highlight.right, shadow.right + 1);
    EXPECT_EQ(highlight.bottom, shadow.bottom + 1);
}

TEST_F(CorvelLabelDrawingTest, AnEmptyCaptionStillMeasuresOneLine)
{
    Label->SetAutoSize(true);
    Label->SetCaption("");
    EXPECT_GT(Label->Height(), 10);
    EXPECT_GT(Label->Width(), 0);
    Label->SetCaption("&");
    EXPECT_GT(Label->Height(), 10);
}

// The setters repaint at once only when the change can show: read back from the
// window, over a mark that only a repaint would wipe out.
TEST_F(CorvelLabelDrawingTest, ColourSettersRepaintOnlyWhenTheChangeShows)
{
    const TColor mark = Rgb(250, 0, 250);
    auto onScreen = [&](TColor ink) {
        HDC dc = GetDC(Form->Handle());
        int n = 0;
        for (int y = Label->Top(); y < Label->Top() + Label->Height(); ++y)
            for (int x = Label->Left(); x < Label->Left() + Label->Width(); ++x)
                n += GetPixel(dc, x, y) == static_cast<COLORREF>(ink);
        ReleaseDC(Form->Handle(), dc);
        return n;
    };
    auto markLabel = [&] {
        HDC dc = GetDC(Form->Handle());
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(mark));
        const RECT r{Label->Left(), Label->Top(), Label->Left() + Label->Width(), Label->Top() + Label->Height()};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(Form->Handle(), dc);
        ASSERT_EQ(onScreen(mark), Label->Width() * Label->Height());
    };
    // Repainted now, or waiting to be: either wipes out the mark once messages are handled.
    auto repainted = [&] {
        const bool now = onScreen(mark) == 0;
        Application->ProcessMessages();
        return now || onScreen(mark) == 0;
    };
    Application->ProcessMessages();
    ASSERT_GT(onScreen(LinkInk), 0);

    markLabel();
    Label->SetLinkColor(Rgb(1, 2, 250));
    EXPECT_EQ(onScreen(mark), 0) << "repainted at once";
    EXPECT_GT(onScreen(Rgb(1, 2, 250)), 0);

    const struct {
        const char* Why;
        std::function<void()> Change;
    } unseen[] = {
        {"visited colour of a label not visited", [&] { Label->SetVisitedColor(Rgb(3, 250, 4)); }},
        {"the same link colour again", [&] { Label->SetLinkColor(Rgb(1, 2, 250)); }},
        {"visited: its link colour", [&] {
             Label->SetVisited(true);
             markLabel();
             Label->SetLinkColor(Rgb(250, 5, 6));
         }},
        {"browser colours: its own hover colour", [&] {
             Label->SetIEDefaults(true);
             markLabel();
             Label->SetHoverColor(Rgb(9, 9, 9));
             Label->Set3DColor(Rgb(8, 8, 8));
         }},
    };
    for (const auto& change : unseen) {
        markLabel();
        change.Change();
        EXPECT_FALSE(repainted()) << change.Why;
    }
    EXPECT_EQ(Label->VisitedColor(), Rgb(3, 250, 4));
    EXPECT_EQ(Label->LinkColor(), Rgb(250, 5, 6));
    EXPECT_EQ(Label->HoverColor(), Rgb(9, 9, 9));
}

// --- as a component ---

TEST(CorvelLabelComponent, DefaultsLeaveNothingToWriteAndEveryPropertyHasItsPlace)
{
    TForm form(nullptr);
    form.SetName("FM_Test");
    auto* label = new TCorvelLabel(&form);
    label->SetName("LA_Link");
    label->SetParent(&form);
    // The written defaults: a new label has them, and the form writer leaves them out.
    const std::pair<const char*, TValue> defaults[] = {
        {"Use3DEffect", false},
        {"Use3DEffectHover", false},
        {"IsLink", true},
        {"UseIEDefaults", true},
        {"UseHover", true},
        {"Link", std::string()},
        {"LinkParameter", std::string()},
        {"LinkColor", int64_t{static_cast<int32_t>(0x8000000D)}}, // clHighlight
        {"HoverColor", int64_t{0x000000}},  // clBlack
        {"VisitedColor", int64_t{0x800080}}, // clPurple
        {"Color3D", int64_t{0x00FFFF}},     // clYellow
        {"Color3DHover", int64_t{0x00FFFF}},
    };
    const std::string plain = WriteComponent(form);
    for (const auto& [name, value] : defaults) {
        const TPropInfo* prop = TCorvelLabel::StaticClass().FindProp(name);
        ASSERT_NE(prop, nullptr) << name;
        EXPECT_EQ(prop->Get(*label), value) << name;
        EXPECT_EQ(plain.find(std::string(" ") + name + " ="), std::string::npos) << name << " written at its default";
    }

    label->Set3DEffect(true);
    label->Set3DEffectHover(true);
    label->SetIsLink(false);
    label->SetIEDefaults(false);
    label->SetUseHover(false);
    label->SetLink("Setup.exe");
    label->SetLinkParameter("/s");
    label->SetLinkColor(clBlack);
    label->SetHoverColor(clBlue);
    label->SetVisitedColor(clNavy);
    label->Set3DColor(clWhite);
    label->Set3DColorHover(clRed);
    const std::string text = WriteComponent(form);
    const std::string expected = "    Use3DEffect = true\n"
                                 "    Use3DEffectHover = true\n"
                                 "    IsLink = false\n"
                                 "    UseIEDefaults = false\n"
                                 "    UseHover = false\n"
                                 "    Link = \"Setup.exe\"\n"
                                 "    LinkParameter = \"/s\"\n"
                                 "    LinkColor = clBlack\n"
                                 "    HoverColor = clBlue\n"
                                 "    VisitedColor = clNavy\n"
                                 "    Color3D = clWhite\n"
                                 "    Color3DHover = clRed\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST(CorvelLabelComponent, RegistersOnTheCorvelPageWithItsCategories)
{
    TDesignerRegistry& designer = DesignerRegistry();
    designer.Clear();
    CorvelLabel::Register();
    const TClassInfo& cls = TCorvelLabel::StaticClass();
    const auto classes = designer.ClassesOnPage("Corvel");
    ASSERT_EQ(classes.size(), 1u);
    EXPECT_EQ(classes[0], &cls);
    for (const char* name : {"UseIEDefaults", "Use3DEffect", "Use3DEffectHover", "UseHover"})
        EXPECT_EQ(designer.PropertyCategory(cls, name), "Visual") << name;
    for (const char* name : {"IsLink", "Link", "LinkParameter"})
        EXPECT_EQ(designer.PropertyCategory(cls, name), "Action") << name;
    for (const char* name : {"LinkColor", "HoverColor", "VisitedColor", "Color3D", "Color3DHover", "OnBeforeLaunchLink",
                             "OnAfterLaunchLink", "Caption"})
        EXPECT_EQ(designer.PropertyCategory(cls, name), std::nullopt) << name;
    EXPECT_EQ(FindClass("TCorvelLabel"), &cls);
    designer.Clear();
}
