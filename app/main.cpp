#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(nullptr, "The launcher is being built.", "Installation", MB_OK);
    return 0;
}
