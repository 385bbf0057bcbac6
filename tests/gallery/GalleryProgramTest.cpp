// The gallery program itself, started as its own process and driven on the display
// with the real pointer and keyboard. What it shows is compared with the same form
// made in this process, which tells where its controls are and how they paint.
#include "support/DialogWatcher.h"
#include "support/PaintedControl.h"
#include "support/ProgramDriver.h"
#include "support/Wine32.h"

#include "gallery/WF_Gallery.h"

#include "framework/forms/Application.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace {
const char* const Caption = "Corvel components gallery";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How many pixels of a control of the form in this process differ from what the
// program shows at the same place of its window.
int DifferingPixels(HWND window, TControl& control)
{
    const TPaintedControl painted(control);
    const TPoint origin = ClientToScreenOf(window, control.Left(), control.Top());
    const std::vector<COLORREF> screen =
        ScreenPixels(TRect(origin.x, origin.y, origin.x + painted.Width(), origin.y + painted.Height()));
    int differing = 0;
    for (int y = 0; y < painted.Height(); ++y)
        for (int x = 0; x < painted.Width(); ++x)
            differing += static_cast<COLORREF>(painted.Pixel(x, y)) != screen[static_cast<size_t>(y * painted.Width() + x)];
    return differing;
}

// Items of a list box window of another process.
int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
// Asked in the wide form: Wine 8 answers another process's LB_GETTEXT in wide
// characters even when asked in the ANSI form, writing twice the length it reports.
std::string ListItem(HWND list, int index)
{
    std::wstring wide(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    wide.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()))));
    std::string text(wide.size() * 2, '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                        text.data(), static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}
int ListIndexOf(HWND list, const std::string& item)
{
    for (int i = 0; i < ListCount(list); ++i)
        if (ListItem(list, i) == item)
            return i;
    return -1;
}
void ClickListItem(HWND list, int index)
{
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    ClickAt(list, 20, (index - top) * height + height / 2);
}
// The combo box's selection, as the user reads it.
struct TComboChoice {
    int Index;
    std::string Text;
    bool operator==(const TComboChoice&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TComboChoice& c) { return out << c.Index << " \"" << c.Text << '"'; }
TComboChoice ComboChoice(HWND combo)
{
    return {static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)), WindowTextOf(combo)};
}
TPoint Centre(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return TPoint(r.right / 2, r.bottom / 2);
}
} // namespace

// The 64-bit gallery on the screen, and the same form in this process.
class GalleryOnScreen : public testing::Test {
protected:
    void SetUp() override
    {
        Window = Gallery.WaitForWindow(Caption);
        ASSERT_NE(Window, nullptr) << "the gallery's form did not show";
        SetForegroundWindow(Window);
        Application->Initialize();
        Form = std::make_unique<TFM_Gallery>(nullptr);
    }
    void TearDown() override
    {
        if (HasFailure() && Window && IsWindow(Window)) {
            const auto* info = testing::UnitTest::GetInstance()->current_test_info();
            std::cout << "screenshot: "
                      << ScreenshotOf(Window, FromUnix(ELV_ARTIFACT_DIR), std::string("Gallery.") + info->name())
                      << '\n';
        }
        if (Window)
            PostMessageA(Window, WM_CLOSE, 0, 0);
        EXPECT_EQ(Gallery.WaitForExit(5000), 0) << "the gallery did not end cleanly";
    }
    // The centre of a compartment in the form's client coordinates.
    TPoint CompartmentCentre(int row, int col) const
    {
        const TWineWall& wall = *Form->WW_Cellar;
        const TRect cell = TWallLayout{wall.NbCaseWidth(), wall.NbCaseHeight(), wall.CaseWidthHeight()}.CellRect(row, col);
        return TPoint(wall.Left() + (cell.left + cell.right) / 2, wall.Top() + (cell.top + cell.bottom) / 2);
    }

    TProgramProcess Gallery{FromUnix(ELV_GALLERY_EXE)};
    HWND Window = nullptr;
    std::unique_ptr<TFM_Gallery> Form;
};

// Run again by CTest under French, Canadian French and German user locales.
TEST_F(GalleryOnScreen, LocaleAClickOnACompartmentShowsItsWineAndBottlingDate)
{
    // The bottling dates of the Rose Brut 2018 and of the Amoureuses 2016, as each locale writes them.
    const std::map<LCID, std::array<const char*, 2>> bottled = {
        {0x0409, {"01/21/2019", "02/27/2018"}},
        {0x040C, {"21/01/2019", "27/02/2018"}},
        {0x0407, {"21.01.2019", "27.02.2018"}},
        {0x0C0C, {"2019-01-21", "2018-02-27"}},
    };
    const auto dates = bottled.find(GetUserDefaultLCID());
    ASSERT_NE(dates, bottled.end()) << "no expectation for locale " << std::hex << GetUserDefaultLCID();
    struct {
        int Row, Col;
        const char* Wine;
        const char* Bottled;
    } const clicks[] = {
        {3, 7, "C7: Rose Brut 2018, 1 bottle", dates->second[0]},
        {2, 1, "B1: empty", ""}, // the date goes with the wine
        {9, 18, "I18: Chambolle-Musigny Les Amoureuses 2016, 4 bottles", dates->second[1]},
    };
    // Nothing shows before a click.
    EXPECT_EQ(DifferingPixels(Window, *Form->WC_Wine), 0);
    for (const auto& click : clicks) {
        Form->WC_Wine->SetCaption(click.Wine);
        Form->WC_Bottled->SetCaption(click.Bottled);
        ASSERT_GT(DifferingPixels(Window, *Form->WC_Wine) + DifferingPixels(Window, *Form->WC_Bottled), 0)
            << click.Wine << " shows before its click";
        const TPoint at = CompartmentCentre(click.Row, click.Col);
        ClickAt(Window, at.x, at.y);
        EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Window, *Form->WC_Wine) == 0; }, 5000))
            << "the wine field does not read \"" << click.Wine << '"';
        EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Window, *Form->WC_Bottled) == 0; }, 5000))
            << "the date field does not read \"" << click.Bottled << '"';
    }
}

TEST_F(GalleryOnScreen, EachCompartmentHintsAtItsWine)
{
    struct {
        int Row, Col;
        const char* Hint;
    } const rests[] = {
        {9, 18, "I18: Chambolle-Musigny Les Amoureuses 2016, 4 bottles"},
        {2, 1, "B1: empty"},
        {3, 7, "C7: Rose Brut 2018, 1 bottle"},
    };
    for (const auto& rest : rests) {
        const TPoint at = CompartmentCentre(rest.Row, rest.Col);
        PointAt(Window, at.x - 2, at.y);
        PointAt(Window, at.x, at.y);
        EXPECT_TRUE(WaitFor([&] { return FindTopLevelWindow("THintWindow", rest.Hint, Gallery.Id()) != nullptr; }, 5000))
            << "no hint \"" << rest.Hint << '"';
    }
}

TEST_F(GalleryOnScreen, ThePopupMenuActsOnTheCompartmentUnderThePointer)
{
    // Drink C7's last bottle: a click then shows it empty.
    const TPoint c7 = CompartmentCentre(3, 7);
    PointAt(Window, c7.x, c7.y);
    Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return FindTopLevelWindow("#32768", "", Gallery.Id()) != nullptr; }, 3000)) << "no menu";
    TypeKey('D');
    Form->WC_Wine->SetCaption("C7: empty");
    Form->WC_Bottled->SetCaption("");
    ClickAt(Window, c7.x, c7.y);
    EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Window, *Form->WC_Wine) == 0; }, 5000)) << "C7 is not empty";
    EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Window, *Form->WC_Bottled) == 0; }, 5000));

    // Empty I18 while the fields show it: they follow at once.
    const TPoint i18 = CompartmentCentre(9, 18);
    ClickAt(Window, i18.x, i18.y);
    Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return FindTopLevelWindow("#32768", "", Gallery.Id()) != nullptr; }, 3000)) << "no menu";
    TypeKey('E');
    Form->WC_Wine->SetCaption("I18: empty");
    EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Window, *Form->WC_Wine) == 0; }, 5000)) << "I18 is not empty";
}

// The system's colour dialog, filled in as a user would with its red, green and blue
// boxes (English captions: run in the default locale only).
TEST_F(GalleryOnScreen, AColourChosenInTheSystemsDialogRepaintsTheWall)
{
    const TPoint b1 = CompartmentCentre(2, 1); // empty: the wall's colour shows there
    auto pixelAt = [&](const TPoint& p) {
        const TPoint screen = ClientToScreenOf(Window, p.x, p.y);
        return ScreenPixels(TRect(screen.x, screen.y, screen.x + 1, screen.y + 1))[0];
    };
    const COLORREF former = pixelAt(b1), chosen = RGB(0, 160, 80);
    ASSERT_NE(former, chosen);
    const TColorButton& wallButton = *Form->CB_Wall;
    ClickAt(Window, wallButton.Left() + wallButton.Width() / 2, wallButton.Top() + wallButton.Height() / 2);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopLevelWindow("#32770", "Color", Gallery.Id())) != nullptr; }, 5000))
        << "no colour dialog";
    const int red = 706, green = 707, blue = 708; // the dialog's own boxes
    for (const auto& [box, value] : {std::pair{red, "0"}, {green, "160"}, {blue, "80"}})
        SendMessageA(GetDlgItem(dialog, box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return pixelAt(b1) == chosen; }, 5000)) << std::hex << pixelAt(b1);
    // Cancelled, the dialog changes nothing.
    ClickAt(Window, wallButton.Left() + wallButton.Width() / 2, wallButton.Top() + wallButton.Height() / 2);
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopLevelWindow("#32770", "Color", Gallery.Id())) != nullptr; }, 5000));
    SendMessageA(GetDlgItem(dialog, red), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("255"));
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return FindTopLevelWindow("#32770", "Color", Gallery.Id()) == nullptr; }, 5000));
    Sleep(300);
    EXPECT_EQ(pixelAt(b1), chosen);
}

TEST_F(GalleryOnScreen, TheSplitterDragsTheProducersListWithItBetweenItsMargins)
{
    HWND bar = FindChild(Window, "TCorvelSplit");
    HWND list = FindChild(Window, "TCorvelListBox");
    ASSERT_TRUE(bar && list);
    const TRect formerList = RectInParent(list);
    EXPECT_EQ(RectInParent(bar).right, formerList.left) << "the list does not start at the bar";
    // The bar's leading edge goes where the pointer goes, kept between 300 and 440.
    struct {
        int To, Expected;
    } const drags[] = {{332, 332}, {520, 440}, {250, 300}, {392, 392}};
    for (const auto& drag : drags) {
        const TRect from = RectInParent(bar);
        PointAt(Window, from.left + 3, 200);
        MouseEvent(MOUSEEVENTF_LEFTDOWN);
        const int steps = 5;
        for (int i = 1; i <= steps; ++i)
            PointAt(Window, from.left + 3 + (drag.To - from.left - 3) * i / steps, 200);
        MouseEvent(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(WaitFor([&] { return RectInParent(bar).left == drag.Expected; }, 3000))
            << "to " << drag.To << ": the bar is at " << RectInParent(bar).left;
        EXPECT_TRUE(WaitFor([&] { return RectInParent(list).left == RectInParent(bar).right; }, 3000))
            << "to " << drag.To << ": the list is at " << RectInParent(list).left;
        EXPECT_EQ(RectInParent(list).right, formerList.right) << "to " << drag.To;
        EXPECT_EQ(RectInParent(list).top, formerList.top) << "to " << drag.To;
    }
}

TEST_F(GalleryOnScreen, AProducerAddedInTheListTakesTheRegionChosenInTheComboBox)
{
    HWND combo = FindChild(Window, "TCorvelComboBox");
    HWND edit = FindChild(Window, "TEdit");
    HWND add = FindChild(Window, "TButton", "&Add");
    HWND list = FindChild(Window, "TCorvelListBox");
    ASSERT_TRUE(combo && edit && add && list);
    const TComboChoice Bordeaux{0, "Bordeaux"}, Provence{6, "Provence"}, Corse{11, "Corse"};
    EXPECT_EQ(ComboChoice(combo), Bordeaux);

    // The user opens the regions' list, types the start of a region and takes it.
    const TPoint comboCentre = Centre(combo);
    ClickAt(combo, comboCentre.x, comboCentre.y);
    TypeText("Pro");
    TypeKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return ComboChoice(combo) == Provence; }, 3000)) << ComboChoice(combo);

    // ... then types a new producer and adds it.
    const std::string producer = "VIE Chateau de la Vieille Chapelle";
    const TPoint editCentre = Centre(edit);
    ClickAt(edit, editCentre.x, editCentre.y);
    TypeText(producer);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 3000)) << "Add stayed disabled";
    const TPoint addCentre = Centre(add);
    ClickAt(add, addCentre.x, addCentre.y);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 18; }, 3000)) << ListCount(list);
    const int added = ListIndexOf(list, producer);
    ASSERT_GE(added, 0) << "the list does not hold " << producer;

    // Another producer brings its own region; the new one brings back the one it was added with.
    ClickListItem(list, ListIndexOf(list, "ABB Domaine Comte Abbatucci"));
    EXPECT_TRUE(WaitFor([&] { return ComboChoice(combo) == Corse; }, 3000)) << ComboChoice(combo);
    ClickListItem(list, ListIndexOf(list, producer));
    EXPECT_TRUE(WaitFor([&] { return ComboChoice(combo) == Provence; }, 3000)) << ComboChoice(combo);
    EXPECT_EQ(WindowTextOf(edit), producer);
}

// The link opens ReadMe.txt beside the program, wherever the program is: from a folder
// without one, the shell's refusal names the file it was asked for.
TEST(GalleryReadMe, TheLinkAsksTheShellForTheReadMeBesideTheProgram)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "Corvel gallery (" + std::to_string(GetCurrentProcessId()) + ")\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "gallery.exe";
    // Goes last, after the program has ended.
    struct TCopy {
        std::string Exe, Folder;
        ~TCopy()
        {
            DeleteFileA(Exe.c_str());
            RemoveDirectoryA(Folder.c_str());
        }
    } const copy{exe, folder};
    ASSERT_TRUE(CopyFileA(FromUnix(ELV_GALLERY_EXE).c_str(), exe.c_str(), FALSE));
    TProgramProcess gallery(exe);
    HWND window = gallery.WaitForWindow(Caption);
    ASSERT_NE(window, nullptr);
    Application->Initialize();
    TFM_Gallery form(nullptr);
    const TCorvelLabel& link = *form.LA_ReadMe;
    TMessageBoxWatcher refusal("Corvel gallery", gallery.Id());
    ClickAt(window, link.Left() + 10, link.Top() + link.Height() / 2);
    ASSERT_TRUE(refusal.Finish()) << "no message box";
    EXPECT_EQ(refusal.Text(), "The specified file was not found. (File: '" + folder + "ReadMe.txt')");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(gallery.WaitForExit(5000), 0);
}

// The program's own palette listing is the library's documentation.
TEST(GalleryPalette, DocsComponentsIsWhatGalleryPalettePrints)
{
    const std::string listing = FromUnix(ELV_ARTIFACT_DIR) + "\\gallery-palette.md";
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out = CreateFileA(listing.c_str(), GENERIC_WRITE, 0, &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"";
    commandLine.append(FromUnix(ELV_GALLERY_EXE)).append("\" --palette");
    const BOOL started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(out);
    ASSERT_TRUE(started) << commandLine;
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    EXPECT_EQ(code, 0u);

    const std::string printed = ReadFile(listing);
    EXPECT_NE(printed.find("### TWineWall"), std::string::npos) << "the listing misses the wall:\n" << printed;
    EXPECT_TRUE(printed == ReadFile(FromUnix(ELV_COMPONENTS_DOC)))
        << "docs/COMPONENTS.md is not what gallery --palette prints (" << listing
        << "): run scripts/components-doc.sh";
}

#ifdef ELV_RELEASE_GALLERY
// The 32-bit release build, whose windows Wine's 32-bit mode does not paint: its form
// shows whole, with its system controls, and closes cleanly. Wine 8 in that mode
// cannot make a memory device context, and its combo box needs one to be created at
// all; the gallery then says which window the system refused and ends with code 1.
TEST(GalleryRelease, StartsShowsItsFormAndClosesCleanly)
{
    SKIP_UNLESS_32_BIT_RUNS();
    TProgramProcess gallery(FromUnix(ELV_RELEASE_GALLERY));
    TMessageBoxWatcher refusal("Corvel gallery", gallery.Id(), 15000);
    HWND window = nullptr;
    WaitFor([&] { return (window = FindTopLevelWindow(nullptr, Caption, gallery.Id())) || !gallery.Running(); }, 15000);
    if (!window) {
        ASSERT_TRUE(refusal.Finish()) << "neither the form nor a message box showed";
        EXPECT_EQ(gallery.WaitForExit(5000), 1);
        ASSERT_NE(refusal.Text().find("Error creating window of TCorvelComboBox"), std::string::npos) << refusal.Text();
        GTEST_SKIP() << "this Wine cannot create a combo box in its 32-bit mode: " << refusal.Text();
    }
    HWND combo = FindChild(window, "TCorvelComboBox");
    HWND list = FindChild(window, "TCorvelListBox");
    ASSERT_TRUE(combo && list);
    EXPECT_EQ(WindowTextOf(combo), "Bordeaux");
    EXPECT_EQ(ListCount(list), 17);
    EXPECT_NE(FindChild(window, "TButton", "&Add"), nullptr);
    EXPECT_NE(FindChild(window, "TCorvelSplit"), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(gallery.WaitForExit(10000), 0);
}
#endif
