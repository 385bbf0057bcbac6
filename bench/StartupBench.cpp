// Start-up benchmark: from the moment a process is created to the moment its window
// shows painted on the screen, for the launcher and for a bare system dialog of the
// same size and controls, started alternately in one run. It prints the medians and
// their ratio; it never fails on timing, only when a program cannot be measured.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
std::string FromUnix(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

struct TProgram {
    const char* Label;
    std::string Exe;
    const char* Caption;
    // The colour client pixel (2, 150) has once the window is painted: the launcher's
    // tiled pattern there, the button face for the bare dialog.
    COLORREF Painted;
};

struct TFind {
    DWORD Process;
    const char* Caption;
    HWND Found = nullptr;
};

HWND FindWindowOf(DWORD process, const char* caption)
{
    TFind find{process, caption};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto& f = *reinterpret_cast<TFind*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char text[64] = "";
            GetWindowTextA(w, text, sizeof text);
            if (owner == f.Process && IsWindowVisible(w) && strcmp(text, f.Caption) == 0) {
                f.Found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

COLORREF ProbePixel(HWND window)
{
    POINT p{2, 150};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

// Seconds from CreateProcess to the painted window; negative when it never showed.
double MeasureOnce(const TProgram& program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + program.Exe + "\"";
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.Exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    double elapsed = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        if (Seconds(start, now) > 20)
            break;
        HWND window = FindWindowOf(info.dwProcessId, program.Caption);
        if (window && ProbePixel(window) == program.Painted) {
            elapsed = Seconds(start, now);
            // Let the screen forget the window before the next start.
            PostMessageA(window, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    Sleep(200);
    return elapsed;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    // The launcher's pattern at (2, 150): row 150 % 8 = 6, column 2 is E7DFDE.
    const TProgram launcher{"launcher", FromUnix(ELV_LAUNCHER_EXE), "Elvarine", RGB(0xE7, 0xDF, 0xDE)};
    const TProgram bare{"bare dialog", FromUnix(ELV_BARE_DIALOG_EXE), "Bare dialog", GetSysColor(COLOR_BTNFACE)};
    std::vector<double> launcherTimes, bareTimes;
    MeasureOnce(bare); // warms the file cache and the shared libraries for both
    for (int i = 0; i < rounds; ++i) {
        for (const TProgram* p : {&launcher, &bare}) {
            const double t = MeasureOnce(*p);
            if (t < 0) {
                std::printf("%s: no painted window within 20 s\n", p->Label);
                return 1;
            }
            (p == &launcher ? launcherTimes : bareTimes).push_back(t);
        }
    }
    const double l = Median(launcherTimes), b = Median(bareTimes);
    std::printf("start to first painted window, median of %d runs each:\n", rounds);
    std::printf("  launcher     %7.1f ms\n", l * 1000);
    std::printf("  bare dialog  %7.1f ms\n", b * 1000);
    std::printf("  ratio        %7.2f (target: at most 1.25)\n", l / b);
    return 0;
}
