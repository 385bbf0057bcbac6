#pragma once
// Finding the windows a program under test shows, the way a user would see them:
// by class and caption, on the real desktop. A modal message box blocks the thread
// that showed it, so TMessageBoxWatcher waits for one on a thread of its own, reads
// it and presses its first button.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

constexpr DWORD AnyProcess = 0;
// The first visible top-level window of the class (any class when null) and caption,
// of the process; null when there is none.
HWND FindTopLevelWindow(const char* className, const std::string& caption, DWORD processId = AnyProcess);
// The texts of a dialog's "Static" children that have one, joined by new lines.
std::string StaticTexts(HWND dialog);
// Waits up to timeoutMs for Predicate, while keeping this thread's messages flowing.
template <class P>
bool WaitFor(P&& Predicate, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!Predicate()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}

class TMessageBoxWatcher {
public:
    // Starts watching for a "#32770" box captioned Caption, of ProcessId, for at most TimeoutMs.
    explicit TMessageBoxWatcher(std::string Caption, DWORD ProcessId = GetCurrentProcessId(), DWORD TimeoutMs = 15000);
    ~TMessageBoxWatcher();
    TMessageBoxWatcher(const TMessageBoxWatcher&) = delete;
    TMessageBoxWatcher& operator=(const TMessageBoxWatcher&) = delete;

    // Waits for the watch to end; true when a box was seen and dismissed.
    bool Finish();
    // The box's text, as its Static children show it ("" when none was seen).
    std::string Text();
    // Whether every other visible window of the process was disabled while the box was open.
    bool OthersWereDisabled();

private:
    void Watch(DWORD timeoutMs);

    std::string FCaption;
    DWORD FProcessId;
    std::mutex FLock;
    std::string FText;
    bool FSeen = false;
    bool FOthersDisabled = false;
    std::thread FThread;
};
