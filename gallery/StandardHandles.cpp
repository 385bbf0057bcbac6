#include "gallery/StandardHandles.h"

bool WriteToStandardHandle(DWORD which, const std::string& text)
{
    HANDLE out = GetStdHandle(which);
    if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        out = GetStdHandle(which);
    if (!out || out == INVALID_HANDLE_VALUE)
        return false;
    const char* next = text.data();
    size_t left = text.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(out, next, static_cast<DWORD>(left), &written, nullptr) || written == 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}
