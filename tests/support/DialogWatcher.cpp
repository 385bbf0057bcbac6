#include "DialogWatcher.h"

#include <vector>

namespace {
struct TSearch {
    const char* ClassName;
    const std::string* Caption;
    DWORD ProcessId;
    HWND Found = nullptr;
};

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<TSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if ((search.ProcessId == AnyProcess || process == search.ProcessId) && IsWindowVisible(window) &&
        (!search.ClassName || ClassOf(window) == search.ClassName) && WindowText(window) == *search.Caption) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param)
{
    if (_stricmp(ClassOf(child).c_str(), "Static") == 0) {
        const std::string text = WindowText(child);
        if (!text.empty())
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    }
    return TRUE;
}
} // namespace

HWND FindTopLevelWindow(const char* className, const std::string& caption, DWORD processId)
{
    TSearch search{className, &caption, processId};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string StaticTexts(HWND dialog)
{
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    std::string joined;
    for (const auto& t : texts)
        joined += (joined.empty() ? "" : "\n") + t;
    return joined;
}

TMessageBoxWatcher::TMessageBoxWatcher(std::string Caption, DWORD ProcessId, DWORD TimeoutMs)
    : FCaption(std::move(Caption)), FProcessId(ProcessId),
      FThread([this, TimeoutMs] { Watch(TimeoutMs); })
{
}

TMessageBoxWatcher::~TMessageBoxWatcher() { Finish(); }

bool TMessageBoxWatcher::Finish()
{
    if (FThread.joinable())
        FThread.join();
    std::lock_guard<std::mutex> lock(FLock);
    return FSeen;
}

std::string TMessageBoxWatcher::Text()
{
    Finish();
    std::lock_guard<std::mutex> lock(FLock);
    return FText;
}

bool TMessageBoxWatcher::OthersWereDisabled()
{
    Finish();
    std::lock_guard<std::mutex> lock(FLock);
    return FOthersDisabled;
}

void TMessageBoxWatcher::Watch(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (!(box = FindTopLevelWindow("#32770", FCaption, FProcessId))) {
        if (GetTickCount() - start > timeoutMs)
            return;
        Sleep(20);
    }
    // The box fills in its text once it is created; give it the time to show.
    std::string text;
    while ((text = StaticTexts(box)).empty() && GetTickCount() - start <= timeoutMs)
        Sleep(20);
    {
        std::lock_guard<std::mutex> lock(FLock);
        FText = text;
        FSeen = true;
        struct TCheck {
            DWORD Process;
            HWND Box;
            bool AllDisabled = true;
        } check{FProcessId, box};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto& c = *reinterpret_cast<TCheck*>(p);
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if ((c.Process == AnyProcess || process == c.Process) && w != c.Box && IsWindowVisible(w) && IsWindowEnabled(w))
                    c.AllDisabled = false;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&check));
        FOthersDisabled = check.AllDisabled;
    }
    // The first button: OK for an MB_OK box.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    while (IsWindow(box) && GetTickCount() - start <= timeoutMs + 5000)
        Sleep(20);
}
