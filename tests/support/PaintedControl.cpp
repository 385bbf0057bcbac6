#include "PaintedControl.h"

#include "framework/graphics/Colors.h"

#include <algorithm>

TPaintedControl::TPaintedControl(TControl& Control, TColor Background)
{
    FBitmap.SetPixelFormat(pf24bit);
    FBitmap.SetSize(Control.Width(), Control.Height());
    TCanvas* canvas = FBitmap.Canvas();
    canvas->Brush()->SetColor(Background);
    canvas->FillRect(TRect(0, 0, Control.Width(), Control.Height()));
    Control.PaintTo(canvas->Handle(), 0, 0);
}

int TPaintedControl::Count(TColor Color) const
{
    const auto rgb = static_cast<TColor>(ColorToRGB(Color));
    int n = 0;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            n += Pixel(x, y) == rgb;
    return n;
}

TRect TPaintedControl::Extent(TColor Color) const
{
    const auto rgb = static_cast<TColor>(ColorToRGB(Color));
    TRect extent(Width(), Height(), -1, -1);
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (Pixel(x, y) == rgb) {
                extent.left = std::min<int>(extent.left, x);
                extent.top = std::min<int>(extent.top, y);
                extent.right = std::max<int>(extent.right, x + 1);
                extent.bottom = std::max<int>(extent.bottom, y + 1);
            }
    return extent.right < 0 ? TRect() : extent;
}
