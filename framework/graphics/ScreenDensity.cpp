#include "framework/graphics/ScreenDensity.h"

#include "framework/graphics/GdiHandles.h"

int ScreenPixelsPerInch()
{
    const TWindowDC screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : DesignPixelsPerInch;
}

int ScaledToScreen(int Pixels) { return MulDiv(Pixels, ScreenPixelsPerInch(), DesignPixelsPerInch); }
