// How fast a large wall paints: a 100 x 100 wall painted whole and through a small
// clip rectangle, next to a bare GDI loop that draws the same shapes with brushes
// and pens made once. Prints the times and their ratios; timing never fails it.
#include "BenchClock.h"
#include "components/WineWall.h"
#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {
constexpr int Columns = 100, Rows = 100, CaseSize = 20, Margin = TWallLayout{}.Margin;
constexpr TColor WallColour = 0x00E0F0F0;
constexpr TRect SmallClip(1000, 1000, 1040, 1040);

// What the owner keeps in each compartment: a third empty, the rest bottles, one in
// four of them with a coloured ring.
struct TBottle {
    bool Empty;
    TColor Color;
    TColor Ring;
};
TBottle BottleAt(int row, int col)
{
    const int n = row * 7 + col * 3;
    if (n % 3 == 0)
        return {true, clWhite, clBlack};
    static const TColor fills[] = {clWhite, 0x002040A0, 0x00C0E0F0};
    return {false, fills[n % 3], n % 4 == 0 ? clRed : clBlack};
}

// GDI objects made once for the bare loop, deleted at the end.
class TGdiKit {
public:
    HBRUSH Brush(TColor c) { return static_cast<HBRUSH>(Find(c, false)); }
    HPEN Pen(TColor c) { return static_cast<HPEN>(Find(c, true)); }
    ~TGdiKit()
    {
        for (const auto& e : FObjects)
            DeleteObject(e.Object);
    }

private:
    struct TEntry {
        TColor Color;
        bool IsPen;
        HGDIOBJ Object;
    };
    HGDIOBJ Find(TColor c, bool pen)
    {
        for (const auto& e : FObjects)
            if (e.Color == c && e.IsPen == pen)
                return e.Object;
        const COLORREF rgb = ColorToRGB(c);
        HGDIOBJ object = pen ? static_cast<HGDIOBJ>(CreatePen(PS_SOLID, 1, rgb)) : CreateSolidBrush(rgb);
        FObjects.push_back({c, pen, object});
        return object;
    }
    std::vector<TEntry> FObjects;
};

// The same primitives as the wall, in the same order, with nothing in between.
void BareGdiPaint(HDC dc, TGdiKit& kit, HFONT font)
{
    const RECT grid{Margin, Margin, Columns * CaseSize + Margin, Rows * CaseSize + Margin};
    FillRect(dc, &grid, kit.Brush(WallColour));
    HGDIOBJ oldPen = SelectObject(dc, kit.Pen(clBlack));
    HGDIOBJ oldBrush = SelectObject(dc, kit.Brush(WallColour));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, 0);
    const int d = CaseSize / 4;
    auto joint = [&](int x, int y) {
        SelectObject(dc, kit.Brush(clTeal));
        const POINT diamond[] = {{x - d, y}, {x, y - d}, {x + d, y}, {x, y + d}};
        Polygon(dc, diamond, 4);
    };
    for (int row = 1; row <= Rows; ++row)
        for (int col = 1; col <= Columns; ++col) {
            const TBottle bottle = BottleAt(row, col);
            const int x = (col - 1) * CaseSize + Margin, y = (row - 1) * CaseSize + Margin;
            if (row != 1) {
                const RECT frame{x - 1, y, x + CaseSize, y + CaseSize};
                FrameRect(dc, &frame, kit.Brush(clBlack));
                joint(x, y);
            } else {
                const RECT band{Margin - 1, y, Columns * CaseSize + Margin, y + CaseSize};
                FrameRect(dc, &band, kit.Brush(clBlack));
            }
            const TColor fill = bottle.Empty ? WallColour : bottle.Color;
            const TColor ring = bottle.Empty ? WallColour : bottle.Ring;
            SelectObject(dc, kit.Brush(fill));
            SelectObject(dc, kit.Pen(ring));
            Ellipse(dc, x + 1, y + 1, x + CaseSize - 1, y + CaseSize - 1);
            if (!bottle.Empty && bottle.Ring != clBlack)
                Ellipse(dc, x + 2, y + 2, x + CaseSize - 2, y + CaseSize - 2);
            SelectObject(dc, kit.Pen(clBlack));
            if (row != 1)
                joint(x + CaseSize, y);
            if (row == 1 || col == 1) {
                SetBkMode(dc, TRANSPARENT);
                SIZE extent;
                if (row == 1) {
                    const std::string text = std::to_string(col);
                    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
                    TextOutA(dc, x + (CaseSize - extent.cx) / 2, 0, text.data(), static_cast<int>(text.size()));
                }
                if (col == 1) {
                    const std::string text = std::to_string(row);
                    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
                    TextOutA(dc, 0, y + (CaseSize - extent.cy) / 2, text.data(), static_cast<int>(text.size()));
                }
            }
        }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
}
} // namespace

int main()
{
    TWineWall wall(nullptr);
    wall.SetNbCaseWidth(Columns);
    wall.SetNbCaseHeight(Rows);
    wall.SetCaseWidthHeight(CaseSize);
    wall.SetColor(WallColour);
    const TWallLayout layout{Columns, Rows, CaseSize};
    wall.SetBounds(0, 0, layout.NaturalWidth(CaseSize), layout.NaturalHeight(CaseSize));
    long calls = 0;
    wall.OnDrawing = [&calls](TObject*, int row, int col, bool& empty, TColor& color, TColor& ring) {
        ++calls;
        const TBottle bottle = BottleAt(row, col);
        empty = bottle.Empty;
        color = bottle.Color;
        ring = bottle.Ring;
    };

    TGdiKit kit;
    auto blank = [&](TBitmap& image) {
        image.SetPixelFormat(pf24bit);
        image.SetSize(wall.Width(), wall.Height());
        image.Canvas()->Brush()->SetColor(clFuchsia);
        image.Canvas()->FillRect(TRect(0, 0, wall.Width(), wall.Height()));
    };

    // A wall that draws less than the bare loop must not win: before any timing,
    // both paint once on the same ground and must leave the same pixels, and the
    // wall must ask its owner about every compartment exactly once.
    {
        TBitmap wallImage, bareImage;
        blank(wallImage);
        blank(bareImage);
        wall.PaintTo(wallImage.Canvas()->Handle(), 0, 0);
        BareGdiPaint(bareImage.Canvas()->Handle(), kit, wall.Font()->Handle());
        long differences = 0;
        for (int y = 0; y < wallImage.Height(); ++y)
            for (int x = 0; x < wallImage.Width(); ++x)
                differences += wallImage.Pixel(x, y) != bareImage.Pixel(x, y);
        if (differences != 0 || calls != long{Columns} * Rows) {
            std::printf("the wall does not paint what the bare loop does: %ld pixels differ, %ld OnDrawing calls "
                        "for %d compartments\n",
                        differences, calls, Columns * Rows);
            return 1;
        }
    }

    TBitmap bitmap;
    blank(bitmap);
    HDC dc = bitmap.Canvas()->Handle();

    auto paintClipped = [&] {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, SmallClip.left, SmallClip.top, SmallClip.right, SmallClip.bottom);
        wall.PaintTo(dc, 0, 0);
        RestoreDC(dc, saved);
    };

    // Runs alternate between the wall and the bare loop, so that both see the same
    // load from the rest of the machine.
    constexpr int rounds = 12, partialRepeats = 200;
    TCost full, bare, partial;
    for (int round = 0; round < rounds; ++round) {
        full.Measure([&] { wall.PaintTo(dc, 0, 0); });
        bare.Measure([&] { BareGdiPaint(dc, kit, wall.Font()->Handle()); });
        partial.Measure([&] {
            for (int i = 0; i < partialRepeats; ++i)
                paintClipped();
        });
    }
    calls = 0;
    wall.PaintTo(dc, 0, 0);
    const long fullCalls = calls;
    calls = 0;
    paintClipped();
    const long partialCalls = calls;
    // From one compartment before the clip rectangle to two after it, on each axis.
    const long partialExpected = [] {
        auto cells = [](long first, long end) { return ((end - Margin) / CaseSize + 2) - ((first - Margin) / CaseSize - 1); };
        return cells(SmallClip.left, SmallClip.right) * cells(SmallClip.top, SmallClip.bottom);
    }();
    if (fullCalls != long{Columns} * Rows || partialCalls != partialExpected) {
        std::printf("OnDrawing calls: %ld for a full paint (expected %d), %ld for the clip (expected %ld)\n", fullCalls,
                    Columns * Rows, partialCalls, partialExpected);
        return 1;
    }

    const double partialBest = partial.Best / partialRepeats, partialThread = partial.ThreadMean() / partialRepeats;
    std::printf("wall %d x %d, compartments of %d pixels, %d rounds\n", Columns, Rows, CaseSize, rounds);
    std::printf("                  best elapsed   thread time\n");
    std::printf("full paint        %9.3f ms  %9.3f ms  (%ld OnDrawing calls)\n", full.Best * 1e3,
                full.ThreadMean() * 1e3, fullCalls);
    std::printf("bare GDI loop     %9.3f ms  %9.3f ms\n", bare.Best * 1e3, bare.ThreadMean() * 1e3);
    std::printf("full / bare       %9.3f     %9.3f     (goal: at most 1.3)\n", full.Best / bare.Best,
                full.ThreadMean() / bare.ThreadMean());
    std::printf("partial paint     %9.3f ms  %9.3f ms  (clip %ld x %ld, %ld OnDrawing calls)\n", partialBest * 1e3,
                partialThread * 1e3, static_cast<long>(SmallClip.Width()), static_cast<long>(SmallClip.Height()),
                partialCalls);
    std::printf("partial / full    %9.5f     %9.5f\n", partialBest / full.Best, partialThread / full.ThreadMean());
    return 0;
}
