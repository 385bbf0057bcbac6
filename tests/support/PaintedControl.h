#pragma once
// A control as it would look on the screen, painted into a 24-bit bitmap through
// its PaintTo, so that tests probe colours by position without reading the screen.
#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"

class TPaintedControl {
public:
    // Paints Control over a ground of Background (a colour no control here draws).
    explicit TPaintedControl(TControl& Control, TColor Background = 0x00FF00FF);

    // RGB colours (0x00BBGGRR); system colours are compared as they resolve now.
    TColor Pixel(int x, int y) const { return FBitmap.Pixel(x, y); }
    int Count(TColor Color) const;
    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    TRect Extent(TColor Color) const;
    int Width() const { return FBitmap.Width(); }
    int Height() const { return FBitmap.Height(); }

private:
    TBitmap FBitmap;
};
