// The launcher program itself, started from a medium folder of its own and driven
// on the display with the real pointer and keyboard, as a customer would.
//
// Two builds of it run here: the 64-bit one of the tests' own tree and the 32-bit
// release program that ships. A scenario written as TEST_P(LauncherProgram, ...) runs
// on both, its name ending in the build it drove (".../i686"). In its 32-bit mode
// Wine 8 fails every drawing call on a device context, text measuring included, so a
// 32-bit window shows nothing inside its frame and its auto-sized links have no usable
// size: a scenario that reads pixels or points at the links is a
// TEST_F(LauncherOnScreen, ...), which drives the 64-bit build only.
#include "support/DensityLayout.h"
#include "support/DialogWatcher.h"
#include "support/ProgramDriver.h"
#include "support/RegistrySnapshot.h"
#include "support/Wine32.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <ostream>
#include <utility>
#include <vector>

namespace {
const char* const MarkerKey = "Software\\Corvel\\Elvarine";

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A medium: a folder holding the launcher and what the test puts beside it; its name
// has the blanks, apostrophe and parentheses that real folder names have.
class TMedium {
public:
    // A medium holding the launcher, given by its path on the build machine.
    explicit TMedium(const std::string& launcherExe,
                     const std::string& folder = TempFolder() + "Elvarine medium (it's " +
                                                 std::to_string(GetCurrentProcessId()) + ")\\")
        : FFolder(folder)
    {
        CreateDirectoryA(FFolder.c_str(), nullptr);
        Add(FromUnix(launcherExe), "Launcher.exe");
    }
    TMedium(const TMedium&) = delete;
    TMedium& operator=(const TMedium&) = delete;
    ~TMedium()
    {
        for (const auto& name : FFiles)
            DeleteFileA((FFolder + name).c_str());
        DeleteFileA((FFolder + "setup-started.txt").c_str());
        RemoveDirectoryA(FFolder.c_str());
    }
    void Add(const std::string& source, const std::string& name)
    {
        EXPECT_TRUE(CopyFileA(source.c_str(), (FFolder + name).c_str(), FALSE)) << source;
        FFiles.push_back(name);
    }
    void AddText(const std::string& name, const std::string& text)
    {
        std::ofstream(FFolder + name, std::ios::binary) << text;
        FFiles.push_back(name);
    }
    // The stand-in installer under the name of a target (it notes its start beside itself).
    void AddStandIn(const std::string& name) { Add(FromUnix(ELV_SETUP_STANDIN_EXE), name); }
    bool StandInStarted() const { return Exists(FFolder + "setup-started.txt"); }
    const std::string& Folder() const { return FFolder; }
    // The names in the folder now, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((FFolder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string FFolder;
    std::vector<std::string> FFiles;
};

// The launcher running as its own process; ended by the test, or killed if still there.
class TLauncherProcess : public TProgramProcess {
public:
    using TProgramProcess::TProgramProcess;
    // The launcher window once it shows, or null after TimeoutMs.
    HWND WaitForWindow(DWORD timeoutMs = 15000) { return TProgramProcess::WaitForWindow("Elvarine", timeoutMs); }
};

// Runs a program of the machine under Wine (a Unix one too) and waits for it.
void RunAndWait(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        << commandLine;
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

// A drive letter of the Wine prefix mapped to a folder of the build machine for as long
// as the object lives: Wine's drives are the links in the prefix's dosdevices folder.
class TMappedDrive {
public:
    TMappedDrive(char letter, const std::string& unixFolder)
        : FLink(std::string(getenv("WINEPREFIX") ? getenv("WINEPREFIX") : "") + "/dosdevices/" +
                static_cast<char>(tolower(letter)) + ":"),
          FRoot(std::string(1, letter) + ":\\")
    {
        // A Unix program's end is not what its Wine handle reports: wait for the drive.
        RunAndWait("/bin/ln -sfn " + unixFolder + " " + FLink);
        WaitFor([this] { return Mapped(); }, 5000);
    }
    ~TMappedDrive()
    {
        RunAndWait("/bin/rm -f " + FLink);
        WaitFor([this] { return !Mapped(); }, 5000);
    }
    const std::string& Root() const { return FRoot; }
    bool Mapped() const { return GetFileAttributesA(FRoot.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::string FLink, FRoot;
};

// --- the screen ---

// How many pixels of the colour a client rectangle of the window, given as designed
// at 96 pixels per inch, shows on the screen.
int CountOnScreen(HWND window, const TRect& designed, COLORREF color)
{
    const TPoint origin = ClientToScreenOf(window, 0, 0);
    const TRect client(AtScreenDensity(designed.left), AtScreenDensity(designed.top), AtScreenDensity(designed.right),
                       AtScreenDensity(designed.bottom));
    HDC screen = GetDC(nullptr);
    int n = 0;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            n += GetPixel(screen, origin.x + x, origin.y + y) == color;
    ReleaseDC(nullptr, screen);
    return n;
}

// The pointer over, or a click at, a client point of the window as designed at 96 dpi.
void PointAtDesigned(HWND window, int x, int y) { PointAt(window, AtScreenDensity(x), AtScreenDensity(y)); }
void ClickAtDesigned(HWND window, int x, int y) { ClickAt(window, AtScreenDensity(x), AtScreenDensity(y)); }

// The window as it is on the screen, saved as a .bmp under the build folder.
std::string Screenshot(HWND window, const std::string& name) { return ScreenshotOf(window, FromUnix(ELV_ARTIFACT_DIR), name); }

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            char text[256] = "";
            GetWindowTextA(child, text, sizeof text);
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Contains(const std::vector<std::string>& list, const std::string& s)
{
    return std::find(list.begin(), list.end(), s) != list.end();
}

bool UserIsFrench() { return (GetUserDefaultLCID() & 0x3FF) == LANG_FRENCH; }

// A build of the launcher: its name in the tests' names and its path on the build machine.
struct TLauncherBuild {
    const char* Name;
    const char* Exe;
};

void PrintTo(const TLauncherBuild& build, std::ostream* out) { *out << build.Name << " (" << build.Exe << ")"; }

const TLauncherBuild TestTreeBuild{"x86_64", ELV_LAUNCHER_EXE};

std::vector<TLauncherBuild> BuildsThatRun()
{
#ifdef ELV_RELEASE_LAUNCHER
    return {TestTreeBuild, {"i686", ELV_RELEASE_LAUNCHER}};
#else
    return {TestTreeBuild}; // a tree configured without the release program
#endif
}

constexpr COLORREF Blue = RGB(0, 0, 255), Black = RGB(0, 0, 0);
// "Install Elvarine" and the status bar, in client pixels as designed.
const TRect InstallLink(37, 102, 37 + 100, 102 + 16), StatusBar(0, 220, 300, 239);
} // namespace

class TLauncherTest : public testing::Test {
protected:
    explicit TLauncherTest(const TLauncherBuild& build) : Build(build) {}
    void SetUp() override
    {
        if (Build.Exe != TestTreeBuild.Exe)
            SKIP_UNLESS_32_BIT_RUNS();
        DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
    }
    // The window as the test left it, when it failed; taken while the program still runs.
    void KeepScreenshotOnFailure(bool failing = false)
    {
        if ((failing || HasFailure()) && Window && IsWindow(Window)) {
            const auto* info = testing::UnitTest::GetInstance()->current_test_info();
            std::string name = std::string(info->test_suite_name()) + "." + info->name();
            std::replace(name.begin(), name.end(), '/', '.');
            std::cout << "screenshot: " << Screenshot(Window, name) << '\n';
        }
    }
    // Brings the window to the front, as a user's click on it would, and types the key.
    void TypeToWindow(WORD key)
    {
        SetForegroundWindow(Window);
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == Window; }, 5000)) << "not in front";
        TypeKey(key);
    }
    // Closes the window with Escape, as the user would, and expects a clean end.
    void CloseWithEscape(TLauncherProcess& launcher)
    {
        KeepScreenshotOnFailure();
        TypeToWindow(VK_ESCAPE);
        const long code = launcher.WaitForExit(5000);
        if (code != 0)
            KeepScreenshotOnFailure(true);
        EXPECT_EQ(code, 0);
    }

    const TLauncherBuild Build;
    TRegistrySnapshot Marker{HKEY_CURRENT_USER, MarkerKey};
    HWND Window = nullptr;
};

// Every build that runs here: what a user sees through window texts, message boxes,
// launches and exit codes.
class LauncherProgram : public TLauncherTest, public testing::WithParamInterface<TLauncherBuild> {
protected:
    LauncherProgram() : TLauncherTest(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(, LauncherProgram, testing::ValuesIn(BuildsThatRun()),
                         [](const testing::TestParamInfo<TLauncherBuild>& info) { return info.param.Name; });

// The 64-bit build, whose windows Wine paints faithfully: what a user sees in pixels
// and does with the pointer on the links.
class LauncherOnScreen : public TLauncherTest {
protected:
    LauncherOnScreen() : TLauncherTest(TestTreeBuild) {}
};

TEST_P(LauncherProgram, InstalledAndStartedWithAnArgumentEndsAtOnceWithoutAWindow)
{
    CreateRegistryKey(HKEY_CURRENT_USER, MarkerKey); // an empty key is enough
    TMedium medium(Build.Exe);
    for (const char* arguments : {"/autorun", "one two \"three four\""}) {
        TLauncherProcess launcher(medium.Folder() + "Launcher.exe", arguments);
        bool windowSeen = false;
        WaitFor([&] {
            windowSeen = windowSeen || FindTopLevelWindow(nullptr, "Elvarine", launcher.Id());
            return !launcher.Running();
        });
        EXPECT_EQ(launcher.WaitForExit(0), 0) << arguments;
        EXPECT_FALSE(windowSeen) << arguments;
    }
}

TEST_P(LauncherProgram, ShowsItselfWhenNotInstalledOrStartedWithoutArguments)
{
    TMedium medium(Build.Exe);
    struct {
        bool Installed;
        const char* Arguments;
    } const starts[] = {{true, ""}, {false, "/autorun"}, {false, ""}};
    for (const auto& start : starts) {
        if (start.Installed)
            CreateRegistryKey(HKEY_CURRENT_USER, MarkerKey);
        else
            DeleteRegistryKey(HKEY_CURRENT_USER, MarkerKey);
        TLauncherProcess launcher(medium.Folder() + "Launcher.exe", start.Arguments);
        Window = launcher.WaitForWindow();
        ASSERT_NE(Window, nullptr) << start.Installed << " " << start.Arguments;
        // Closing the window ends the program.
        PostMessageA(Window, WM_CLOSE, 0, 0);
        EXPECT_EQ(launcher.WaitForExit(), 0);
        Window = nullptr;
    }
    // Starting and closing wrote nothing: no file beside it, no marker of its own.
    EXPECT_EQ(medium.Files(), std::vector<std::string>{"Launcher.exe"});
    HKEY marker = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, MarkerKey, 0, KEY_READ, &marker), ERROR_SUCCESS);
    if (marker)
        RegCloseKey(marker);
}

TEST_P(LauncherProgram, AMarkerForTheWholeMachineDoesNotSilenceIt)
{
    TRegistrySnapshot machine(HKEY_LOCAL_MACHINE, MarkerKey);
    CreateRegistryKey(HKEY_LOCAL_MACHINE, MarkerKey);
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe", "/autorun");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    CloseWithEscape(launcher);
}

TEST_P(LauncherProgram, EachInstallerStartsFromItsKeyAndTheWindowStays)
{
    for (const auto& [key, installer] : {std::pair{'1', "Setup.exe"}, std::pair{'2', "mdac_typ.exe"}}) {
        TMedium medium(Build.Exe);
        medium.AddStandIn(installer);
        TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
        Window = launcher.WaitForWindow();
        ASSERT_NE(Window, nullptr) << installer;
        TMessageBoxWatcher standIn("Elvarine Setup (stand-in)", AnyProcess, 20000);
        TypeToWindow(key);
        EXPECT_TRUE(WaitFor([&] { return medium.StandInStarted(); }, 20000)) << installer;
        EXPECT_TRUE(standIn.Finish()) << installer << " did not show itself";
        EXPECT_TRUE(launcher.Running()) << installer;
        CloseWithEscape(launcher);
    }
}

// Run again by CTest under French user locales: the child inherits LC_ALL.
TEST_P(LauncherProgram, LocaleCaptionsAndTheRefusalOfEveryKeyOnAnEmptyMedium)
{
    const bool french = UserIsFrench();
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    PointAtDesigned(Window, 250, 150); // off the links, wherever the pointer was
    const auto texts = ChildTexts(Window);
    EXPECT_TRUE(Contains(texts, french ? "&Fermer" : "&Close"));
    EXPECT_TRUE(Contains(texts, french ? "&Lisez moi" : "&Read me"));

    struct {
        WORD Key;
        std::string File;
    } const keys[] = {
        // Enter presses the focused button: Read me, first in the tab order.
        {VK_RETURN, medium.Folder() + "ReadMe.txt"},
        {'1', medium.Folder() + "Setup.exe"},
        {'2', medium.Folder() + "mdac_typ.exe"},
    };
    for (const auto& key : keys) {
        TMessageBoxWatcher box("Installation", launcher.Id());
        TypeToWindow(key.Key);
        ASSERT_TRUE(box.Finish()) << "no message box for " << key.File;
        EXPECT_EQ(box.Text(), "The specified file was not found. (File: '" + key.File + "')");
        EXPECT_TRUE(box.OthersWereDisabled()) << key.File;
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Window) != FALSE; }, 5000)) << key.File;
        EXPECT_TRUE(launcher.Running()) << key.File;
    }
    // The hidden MS-Access entry has no target file: its key does nothing at all.
    TMessageBoxWatcher none("Installation", launcher.Id(), 1500);
    TypeToWindow('3');
    EXPECT_FALSE(none.Finish()) << none.Text();
    CloseWithEscape(launcher);
}

TEST_P(LauncherProgram, ADamagedInstallerIsReportedAsAnInvalidProgram)
{
    TMedium medium(Build.Exe);
    medium.AddText("Setup.exe", "not a program\r\n");
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    TMessageBoxWatcher box("Installation", launcher.Id());
    TypeToWindow('1');
    ASSERT_TRUE(box.Finish()) << "no message box";
    EXPECT_EQ(box.Text(), "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image). (File: '" +
                              medium.Folder() + "Setup.exe')");
    CloseWithEscape(launcher);
}

// The buttons are the system's own: a click reaches them, and the framework hears of it
// through the notification their parent reflects back to them.
TEST_P(LauncherProgram, ClickingReadMeReportsItsMissingFileAndClickingCloseEndsTheProgram)
{
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    TMessageBoxWatcher box("Installation", launcher.Id());
    ClickAtDesigned(Window, 125 + 40, 184 + 12);
    ASSERT_TRUE(box.Finish()) << "no message box";
    EXPECT_EQ(box.Text(), "The specified file was not found. (File: '" + medium.Folder() + "ReadMe.txt')");
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Window) != FALSE; }, 5000));
    ClickAtDesigned(Window, 213 + 40, 184 + 12);
    EXPECT_EQ(launcher.WaitForExit(5000), 0);
    KeepScreenshotOnFailure();
}

TEST_P(LauncherProgram, AtTheRootOfADriveTargetsHaveOneBackslash)
{
    ASSERT_NE(getenv("WINEPREFIX"), nullptr);
    const std::string unixFolder = std::string(ELV_ARTIFACT_DIR) + "/drive-root-medium-" + Build.Name;
    TMedium medium(Build.Exe, FromUnix(unixFolder) + "\\");
    TMappedDrive drive('R', unixFolder);
    ASSERT_TRUE(drive.Mapped()) << getenv("WINEPREFIX") << " " << unixFolder;
    TLauncherProcess launcher("R:\\Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    TMessageBoxWatcher box("Installation", launcher.Id());
    TypeToWindow('1');
    ASSERT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), "The specified file was not found. (File: 'R:\\Setup.exe')");
    CloseWithEscape(launcher);
}

TEST_F(LauncherOnScreen, HoveringAndClickingInstallStartsSetupAndStaysOpen)
{
    TMedium medium(Build.Exe);
    medium.AddStandIn("Setup.exe");
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    PointAtDesigned(Window, 250, 150);
    EXPECT_EQ(CountOnScreen(Window, InstallLink, Blue), 0);
    EXPECT_EQ(CountOnScreen(Window, StatusBar, Black), 0);

    PointAtDesigned(Window, 60, 110);
    EXPECT_TRUE(WaitFor([&] { return CountOnScreen(Window, InstallLink, Blue) > 20; }, 5000)) << "not blue";
    EXPECT_TRUE(WaitFor([&] { return CountOnScreen(Window, StatusBar, Black) > 20; }, 5000)) << "no hint";

    TMessageBoxWatcher standIn("Elvarine Setup (stand-in)", AnyProcess, 20000);
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return medium.StandInStarted(); }, 20000));
    EXPECT_TRUE(standIn.Finish()) << "the stand-in installer did not show itself";
    EXPECT_TRUE(launcher.Running());
    EXPECT_TRUE(IsWindowVisible(Window));

    // Visited: navy. The pointer may have crossed the link as the installer's box went,
    // so launch again from the keyboard with the pointer away: the first move back onto
    // the link then pushes the pointer just above it.
    PointAtDesigned(Window, 250, 150);
    EXPECT_GT(CountOnScreen(Window, InstallLink, RGB(0, 0, 0x80)), 20);
    TMessageBoxWatcher again("Elvarine Setup (stand-in)", AnyProcess, 20000);
    TypeToWindow('1');
    EXPECT_TRUE(again.Finish()) << "no second start";
    PointAtDesigned(Window, 60, 110);
    POINT at{};
    EXPECT_TRUE(WaitFor([&] { return GetCursorPos(&at) && at.y == ClientToScreenOf(Window, 0, AtScreenDensity(102) - 1).y; }, 3000))
        << at.y;
    EXPECT_GT(CountOnScreen(Window, InstallLink, RGB(0, 0, 0x80)), 20);
    CloseWithEscape(launcher);
}

TEST_F(LauncherOnScreen, WithoutSetupAClickShowsTheShellsRefusalAndTheWindowStays)
{
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    TMessageBoxWatcher box("Installation", launcher.Id());
    ClickAtDesigned(Window, 60, 110);
    ASSERT_TRUE(box.Finish()) << "no message box";
    EXPECT_EQ(box.Text(), "The specified file was not found. (File: '" + medium.Folder() + "Setup.exe')");
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Window) != FALSE; }, 5000));
    EXPECT_TRUE(launcher.Running());
    CloseWithEscape(launcher);
}

// Run again by CTest under French user locales.
TEST_F(LauncherOnScreen, LocaleInstallLinkReadsInTheUsersLanguage)
{
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    PointAtDesigned(Window, 250, 150);
    // "Installation d'Elvarine" reaches well past where "Install Elvarine" ends.
    EXPECT_EQ(CountOnScreen(Window, TRect(160, 102, 200, 118), Black) > 0, UserIsFrench());
    CloseWithEscape(launcher);
}

namespace {
// The windows of a process that get a task-bar entry, by the task bar's own rules:
// visible top-level windows that are neither owned nor tool windows, and those that
// ask for an entry (WS_EX_APPWINDOW).
std::vector<HWND> TaskBarEntries(DWORD processId)
{
    struct TSearch {
        DWORD ProcessId;
        std::vector<HWND> Found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<TSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            const LONG_PTR ex = GetWindowLongPtrA(window, GWL_EXSTYLE);
            if (owner == s.ProcessId && IsWindowVisible(window) &&
                ((!GetWindow(window, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW)) || (ex & WS_EX_APPWINDOW)))
                s.Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}
} // namespace

TEST_P(LauncherProgram, TheTaskBarEntryIsTheApplicationTitleAndBringsTheWindowForward)
{
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    const std::vector<HWND> entries = TaskBarEntries(launcher.Id());
    ASSERT_EQ(entries.size(), 1u);
    char title[64] = "";
    GetWindowTextA(entries[0], title, sizeof title);
    EXPECT_STREQ(title, "Installation");

    // Another program in front; then the entry is activated as a click on it would.
    HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 5000));
    SetForegroundWindow(entries[0]);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == Window; }, 5000)) << "the window stayed behind";
    DestroyWindow(other);
    CloseWithEscape(launcher);
}

TEST_P(LauncherProgram, ClosedFromItsTaskBarEntryInMenuModeItEndsAtOnce)
{
    TMedium medium(Build.Exe);
    TLauncherProcess launcher(medium.Folder() + "Launcher.exe");
    Window = launcher.WaitForWindow();
    ASSERT_NE(Window, nullptr);
    const std::vector<HWND> entries = TaskBarEntries(launcher.Id());
    ASSERT_EQ(entries.size(), 1u);
    // F10 puts the window in menu mode: the menu's own loop runs until a key or a click.
    TypeToWindow(VK_F10);
    PostMessageA(entries[0], WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(3000), 0) << "the window went, the program stayed";
}
