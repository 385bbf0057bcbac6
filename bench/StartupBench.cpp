// Start-up benchmark: from the moment a process is created to the moment its window
// is ready on the screen, for the launcher and for a bare Win32 program that paints
// the same picture (bench/BareDialog.cpp), started alternately in one run, at 96 and
// at 144 pixels per inch. It prints the medians and their ratio, for the 64-bit build
// and for the 32-bit release program; it never fails on timing, only when a program
// cannot be measured.
//
// Ready means painted for the 64-bit programs: a pixel of the banner's gold rule shows. In its 32-bit mode
// Wine 8 fails every drawing call on a device context, so a 32-bit program is ready
// once its window shows and its thread answers a message sent to it: it has then
// built the window and reached its message loop, and only the first paint is left.
// The 64-bit pair is timed that way too, so the criteria compare in one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
std::string FromUnix(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

enum class TReady { Painted, Answering };

struct TProgram {
    const char* Label;
    std::string Exe;
    const char* Caption;
};

// The screen density the programs started next read (Wine reads it as a process
// starts); the user's own setting is put back when the object goes.
class TScreenDensity {
public:
    TScreenDensity()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &FKey, nullptr);
        DWORD size = sizeof FSaved;
        FHadValue = RegQueryValueExA(FKey, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&FSaved), &size) ==
                    ERROR_SUCCESS;
    }
    ~TScreenDensity()
    {
        if (FHadValue)
            Set(FSaved);
        else
            RegDeleteValueA(FKey, "LogPixels");
        RegCloseKey(FKey);
    }
    TScreenDensity(const TScreenDensity&) = delete;
    TScreenDensity& operator=(const TScreenDensity&) = delete;
    void Set(DWORD dpi) { RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi); }

private:
    HKEY FKey = nullptr;
    DWORD FSaved = 96;
    bool FHadValue = false;
};

int Dpi = 96;
int At(int designed) { return MulDiv(designed, Dpi, 96); }

// A program timed against its bare equivalent, both ready by the same criterion.
struct TPair {
    const char* Title;
    TProgram Program, Bare;
    TReady Ready;
    std::vector<double> ProgramTimes{}, BareTimes{};
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

// Both paint the banner at (9, 7) of the design, its gold rule 38 rows down.
constexpr COLORREF Gold = RGB(0xA8, 0x80, 0x30);
COLORREF ProbePixel(HWND window)
{
    POINT p{At(9) + At(150), At(7) + At(38)};
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

bool IsReady(HWND window, TReady ready)
{
    DWORD_PTR answer = 0;
    return ready == TReady::Painted
               ? ProbePixel(window) == Gold
               : SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
}

// Seconds from CreateProcess to the ready window; negative when it never showed.
double MeasureOnce(const TProgram& program, TReady ready)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + program.Exe + "\"";
    LARGE_INTEGER start, now;
    // Wine now and then refuses a start (error 1359) just after the previous program
    // ended: that is no start at all, so try again.
    for (int attempt = 0;; ++attempt) {
        QueryPerformanceCounter(&start);
        if (CreateProcessA(program.Exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info))
            break;
        if (attempt == 4) {
            std::printf("%s: cannot start, error %lu\n", program.Label, GetLastError());
            return -1;
        }
        Sleep(200);
    }
    double elapsed = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        if (Seconds(start, now) > 20)
            break;
        HWND window = FindWindowOf(info.dwProcessId, program.Caption);
        if (window && IsReady(window, ready)) {
            elapsed = Seconds(start, now);
            // Let the screen forget the window before the next start.
            PostMessageA(window, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (elapsed < 0) {
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        std::printf("%s: no ready window within 20 s (%s)\n", program.Label,
                    code == STILL_ACTIVE ? "still running" : ("ended with " + std::to_string(code)).c_str());
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

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 11;
    const TProgram launcher{"launcher", FromUnix(ELV_LAUNCHER_EXE), "Elvarine"};
    const TProgram bare{"bare dialog", FromUnix(ELV_BARE_DIALOG_EXE), "Bare dialog"};
    std::vector<TPair> pairs{{"64-bit, to the first painted window", launcher, bare, TReady::Painted},
                             {"64-bit, to the window shown and answering", launcher, bare, TReady::Answering}};
#ifdef ELV_RELEASE_LAUNCHER
    // Where this machine cannot run 32-bit programs (scripts/lib.sh asked it), the
    // release program's pair is missing from the figures, and the run says why.
    const char *no32 = std::getenv("ELV_WINE32"), *why = std::getenv("ELV_WINE32_SAYS");
    if (no32 && std::string(no32) == "no")
        std::printf("32-bit release program: not measured: %s\n", why ? why : "no 32-bit programs run here");
    else
        pairs.push_back({"32-bit release program, to the window shown and answering",
                         {"launcher", FromUnix(ELV_RELEASE_LAUNCHER), "Elvarine"},
                         {"bare dialog", FromUnix(ELV_RELEASE_BARE_DIALOG), "Bare dialog"},
                         TReady::Answering});
#endif
    TScreenDensity density;
    for (const int dpi : {96, 144}) {
        Dpi = dpi;
        density.Set(static_cast<DWORD>(dpi));
        for (TPair& pair : pairs)
            pair.ProgramTimes.clear(), pair.BareTimes.clear(); // each density its own figures
        // Warms the file cache and the shared libraries of each architecture.
        for (const TPair& pair : pairs)
            MeasureOnce(pair.Bare, TReady::Answering);
        for (int i = 0; i < rounds; ++i)
            for (TPair& pair : pairs)
                for (const bool isBare : {false, true}) {
                    const TProgram& program = isBare ? pair.Bare : pair.Program;
                    // One lost start is reported and measured again; two in a row fail the run.
                    double t = MeasureOnce(program, pair.Ready);
                    if (t < 0)
                        t = MeasureOnce(program, pair.Ready);
                    if (t < 0) {
                        std::printf("%s (%s, %d dpi): no ready window twice in a row\n", program.Label, pair.Title, dpi);
                        return 1;
                    }
                    (isBare ? pair.BareTimes : pair.ProgramTimes).push_back(t);
                }
        // On a busy machine the median can catch a neighbour's load; the fastest start
        // shows the program's own cost.
        std::printf("start to ready window at %d pixels per inch, %d runs each\n", dpi, rounds);
        std::printf("                                           median    fastest\n");
        for (const TPair& pair : pairs) {
            const double lm = Median(pair.ProgramTimes), bm = Median(pair.BareTimes);
            const double lf = Fastest(pair.ProgramTimes), bf = Fastest(pair.BareTimes);
            std::printf("%s\n", pair.Title);
            std::printf("  launcher                              %7.1f ms %7.1f ms\n", lm * 1000, lf * 1000);
            std::printf("  bare Win32, same picture              %7.1f ms %7.1f ms\n", bm * 1000, bf * 1000);
            std::printf("  ratio (target: at most 1.10)          %7.2f    %7.2f\n", lm / bm, lf / bf);
        }
    }
    return 0;
}
