// Drawing through the canvas into a real DIB section, probing exact pixels.
#include "GraphicsTestSupport.h"

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {
class GraphicsCanvas : public ::testing::Test {
protected:
    void SetUp() override { MakeBlank(Bitmap, 40, 40); }
    TColor At(int x, int y) const { return Bitmap.Pixel(x, y); }
    // How many pixels of the rectangle have the colour.
    int Count(const TRect& r, TColor color) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == color;
        return n;
    }

    TBitmap Bitmap;
    TCanvas& Canvas = *Bitmap.Canvas();
};
} // namespace

TEST_F(GraphicsCanvas, FillAndFrameCoverExactlyTheirRectangle)
{
    Canvas.Brush()->SetColor(clRed);
    Canvas.FillRect(TRect(2, 3, 6, 8));
    EXPECT_EQ(Count(TRect(2, 3, 6, 8), clRed), 4 * 5);
    EXPECT_EQ(Count(TRect(0, 0, 40, 40), clRed), 4 * 5); // right and bottom edges excluded

    Canvas.Brush()->SetColor(clNavy);
    Canvas.FrameRect(TRect(10, 10, 20, 15));
    EXPECT_EQ(At(10, 10), clNavy);
    EXPECT_EQ(At(19, 14), clNavy);
    EXPECT_EQ(At(15, 12), clWhite);
    EXPECT_EQ(At(20, 12), clWhite);
    EXPECT_EQ(Count(TRect(0, 0, 40, 40), clNavy), 2 * 10 + 2 * 3);
}

TEST_F(GraphicsCanvas, ShapesOutlineWithThePenAndFillWithTheBrush)
{
    Canvas.Pen()->SetColor(clBlue);
    Canvas.Brush()->SetColor(clYellow);
    Canvas.Rectangle(2, 2, 12, 10);
    EXPECT_EQ(At(2, 2), clBlue);
    EXPECT_EQ(At(11, 9), clBlue);
    EXPECT_EQ(At(12, 9), clWhite);
    EXPECT_EQ(At(6, 6), clYellow);

    Canvas.Pen()->SetColor(clRed);
    Canvas.Brush()->SetColor(clLime);
    Canvas.Ellipse(TRect(20, 20, 36, 36));
    EXPECT_EQ(At(28, 28), clLime);
    EXPECT_EQ(At(28, 20), clRed); // top of the outline, in the middle
    EXPECT_EQ(At(20, 20), clWhite); // the bounding box's corner lies outside

    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetColor(clTeal);
    Canvas.Polygon({Point(6, 20), Point(10, 16), Point(14, 20), Point(10, 24)});
    EXPECT_EQ(At(10, 20), clTeal);
    EXPECT_EQ(At(10, 16), clBlack);
    EXPECT_EQ(At(7, 17), clWhite);
}

TEST_F(GraphicsCanvas, LineToStopsBeforeItsEndPoint)
{
    Canvas.Pen()->SetColor(clGray);
    Canvas.MoveTo(2, 30);
    Canvas.LineTo(10, 30);
    EXPECT_EQ(At(2, 30), clGray);
    EXPECT_EQ(At(9, 30), clGray);
    EXPECT_EQ(At(10, 30), clWhite);
    EXPECT_EQ(Canvas.PenPos(), Point(10, 30));
    Canvas.LineTo(10, 33);
    EXPECT_EQ(At(10, 30), clGray);
    EXPECT_EQ(At(10, 33), clWhite);
}

TEST_F(GraphicsCanvas, PatternBrushTilesItsBitmapAndFollowsItsChanges)
{
    TBitmap pattern;
    MakeBlank(pattern, 8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.SetPixel(x, y, static_cast<TColor>(RGB(x * 30, y * 30, 200)));

    Canvas.Brush()->SetBitmap(&pattern);
    Canvas.FillRect(TRect(0, 0, 24, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(At(x, y), pattern.Pixel(x % 8, y % 8)) << x << "," << y;

    pattern.SetPixel(3, 5, clBlack);
    Canvas.FillRect(TRect(0, 0, 24, 20));
    EXPECT_EQ(At(11, 13), clBlack);

    Canvas.Brush()->SetBitmap(nullptr);
    Canvas.Brush()->SetColor(clPurple);
    Canvas.FillRect(TRect(0, 0, 24, 20));
    EXPECT_EQ(Count(TRect(0, 0, 24, 20), clPurple), 24 * 20);
}

TEST_F(GraphicsCanvas, TextIsWrittenInTheFontColourOnTheChosenBackground)
{
    Canvas.Font()->SetColor(clRed);
    const TSize extent = Canvas.TextExtent("WWW");
    ASSERT_GT(extent.cx, 10);
    EXPECT_EQ(Canvas.TextHeight("W"), extent.cy);
    const TRect box(4, 4, 4 + extent.cx, 4 + extent.cy);

    // An opaque background in the brush colour.
    Bitmap.Canvas()->Brush()->SetColor(clBlue);
    Canvas.FillRect(TRect(0, 0, 40, 40));
    Canvas.Brush()->SetColor(clYellow);
    Canvas.TextOut(4, 4, "WWW");
    EXPECT_GT(Count(box, clRed), 0);
    EXPECT_GT(Count(box, clYellow), 0);
    EXPECT_EQ(Count(box, clBlue), 0);

    // A caller's transparent mode holds for the text that follows.
    Canvas.Brush()->SetColor(clBlue);
    Canvas.FillRect(TRect(0, 0, 40, 40));
    Canvas.Brush()->SetColor(clYellow);
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    Canvas.TextOut(4, 4, "WWW");
    EXPECT_GT(Count(box, clRed), 0);
    EXPECT_EQ(Count(box, clYellow), 0);
    EXPECT_GT(Count(box, clBlue), 0);
}

TEST_F(GraphicsCanvas, RawCallsOnTheHandleSeeTheCurrentFontColour)
{
    Canvas.Font()->SetColor(clGreen);
    Canvas.TextOut(0, 0, "x"); // selects everything once
    Canvas.Font()->SetColor(clFuchsia);
    RECT r{0, 0, 40, 40};
    DrawTextA(Canvas.Handle(), "WW", 2, &r, DT_LEFT | DT_TOP);
    EXPECT_GT(Count(TRect(0, 0, 40, 20), clFuchsia), 0);
}

TEST_F(GraphicsCanvas, TextRectClipsToItsRectangle)
{
    Canvas.Font()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.TextRect(TRect(0, 0, 8, 40), 2, 2, "WWWWWWWW");
    EXPECT_GT(Count(TRect(0, 0, 8, 40), clBlack), 0);
    EXPECT_EQ(Count(TRect(8, 0, 40, 40), clWhite), 32 * 40);
}

TEST_F(GraphicsCanvas, PixelsClipAndCopies)
{
    EXPECT_EQ(Canvas.ClipRect(), TRect(0, 0, 40, 40));
    Canvas.SetPixel(3, 4, clMaroon);
    EXPECT_EQ(Canvas.Pixel(3, 4), clMaroon);
    EXPECT_EQ(At(3, 4), clMaroon);
    EXPECT_EQ(Canvas.Pixel(40, 0), clNone);

    TBitmap target;
    MakeBlank(target, 20, 20, clBlack);
    target.Canvas()->CopyRect(TRect(0, 0, 4, 4), Canvas, TRect(2, 3, 4, 5)); // doubled
    EXPECT_EQ(target.Pixel(2, 2), clMaroon);
    EXPECT_EQ(target.Pixel(3, 3), clMaroon);
    EXPECT_EQ(target.Pixel(1, 1), clWhite);
}

TEST(GraphicsCanvasHandle, SelectionsAreUndoneBeforeTheDeviceContextIsLetGo)
{
    TBitmap surface;
    MakeBlank(surface, 10, 10);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TObjectSelection own(dc.Get(), surface.Handle());
    const HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        TCanvas canvas;
        canvas.SetHandle(dc.Get());
        canvas.Rectangle(1, 1, 5, 5);
        canvas.TextOut(0, 0, "a");
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), canvas.Pen()->Handle());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), canvas.Font()->Handle());

        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);

        canvas.SetHandle(dc.Get());
        canvas.Pen()->SetColor(clRed); // a new pen while the old one is still selected
        canvas.Ellipse(1, 1, 5, 5);
    } // the destructor deselects as well
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
}

TEST(GraphicsCanvasHandle, ACanvasWithoutASourceRefusesToDraw)
{
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    try {
        canvas.FillRect(TRect(0, 0, 1, 1));
        FAIL() << "drew without a device context";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Canvas does not allow drawing");
    }
}
