// Stands in for the product's installer on the demo medium: it says so, and leaves
// a note beside itself so that a test can see it was started.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    std::string path(MAX_PATH, '\0');
    DWORD n;
    while ((n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    path.resize(n);
    const std::string note = path.substr(0, path.find_last_of('\\') + 1) + "setup-started.txt";
    HANDLE file = CreateFileA(note.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const std::string text = std::string("started with: ") + commandLine + "\r\n";
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    MessageBoxA(nullptr,
                "This program stands in for the Elvarine installer.\n\n"
                "The real installation medium carries the product's own Setup.exe here.",
                "Elvarine Setup (stand-in)", MB_OK | MB_ICONINFORMATION);
    return 0;
}
