// show_and_close PROGRAM ARGUMENTS CAPTION BOX_CAPTION [CHILD_CLASS...]
//
// Starts a program (with ARGUMENTS, "" for none) as a user would, waits for its window CAPTION, checks that the
// window holds a child window of each class named, closes it (WM_CLOSE, the close
// box's message) and waits for the program to end. Prints how long the window took
// to show. Exit code 0 when the window showed whole and the program ended with 0;
// 3 when the program showed its message box (BOX_CAPTION) instead, whose text it
// prints; 1 otherwise.
#include "support/DialogWatcher.h"
#include "support/ProgramDriver.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: show_and_close PROGRAM ARGUMENTS CAPTION BOX_CAPTION [CHILD_CLASS...]\n");
        return 1;
    }
    const std::string caption = argv[3], boxCaption = argv[4];
    const DWORD start = GetTickCount();
    TProgramProcess program(argv[1], argv[2]);
    HWND window = nullptr, box = nullptr;
    WaitFor([&] {
        window = FindTopLevelWindow(nullptr, caption, program.Id());
        box = FindTopLevelWindow("#32770", boxCaption, program.Id());
        return window || box || !program.Running();
    }, 30000);
    if (box) {
        std::string text;
        WaitFor([&] { return !(text = StaticTexts(box)).empty(); }, 3000);
        std::printf("the program showed a message box instead of its window: %s\n", text.c_str());
        PostMessageA(box, WM_CLOSE, 0, 0);
        program.WaitForExit(5000);
        return 3;
    }
    if (!window) {
        std::printf("the window \"%s\" did not show (exit code %ld)\n", caption.c_str(), program.WaitForExit(0));
        return 1;
    }
    std::printf("window \"%s\" shown after %lu ms\n", caption.c_str(), GetTickCount() - start);
    int status = 0;
    for (int i = 5; i < argc; ++i)
        if (!FindChild(window, argv[i])) {
            std::printf("the window holds no %s\n", argv[i]);
            status = 1;
        }
    PostMessageA(window, WM_CLOSE, 0, 0);
    const long code = program.WaitForExit(10000);
    if (code != 0) {
        std::printf("the program did not end cleanly after WM_CLOSE (exit code %ld)\n", code);
        status = 1;
    }
    return status;
}
