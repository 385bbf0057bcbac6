#include "WindowTestSupport.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

#include <fstream>

std::string SaveScreenshot(HWND Window, const std::string& Name)
{
    RECT r;
    GetWindowRect(Window, &r);
    TBitmap shot;
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    {
        TWindowDC screen(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    const std::string path = ArtifactFolder() + Name;
    const TBytes bytes = shot.SaveToBmpBytes();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}
