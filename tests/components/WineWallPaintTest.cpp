// The wall as it is painted: frames, joints, bottle ends and labels at their
// pixels, and a partial repaint that asks only for what it draws.
#include "WineWallTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
// The default wall (9 x 18 compartments of 20 pixels) at its natural size:
// compartment (r, c) starts at x = 20 (c - 1) + 15, y = 20 (r - 1) + 15.
struct TDefaultWall : TWallOnForm {
    TCellRecorder Cells;
    TDefaultWall()
    {
        Wall->SetColor(WallColor);
        Cells.Attach(*Wall);
    }
};

void PaintClipped(TWineWall& wall, TBitmap& bitmap, const TRect& clip)
{
    HDC dc = bitmap.Canvas()->Handle();
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    wall.PaintTo(dc, 0, 0);
    SelectClipRgn(dc, nullptr);
}

void ExpectSamePixels(const TBitmap& expected, const TBitmap& actual, const TRect& area)
{
    int differences = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (expected.Pixel(x, y) != actual.Pixel(x, y) && ++differences <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs";
    EXPECT_EQ(differences, 0);
}
} // namespace

TEST(WineWallPaint, FirstRowIsOneBandWithoutLinesOrJoints)
{
    TDefaultWall wall;
    ExpectPixels(*PaintWall(*wall.Wall), {
        {14, 25, clBlack, "the band's frame runs from (14, 15) to (195, 35)"},
        {194, 25, clBlack},
        {100, 15, clBlack},
        {100, 34, clBlack},
        {34, 25, WallColor, "no line between compartments"},
        {35, 25, WallColor},
        {15, 17, WallColor, "no joint at the upper corners"},
        {35, 17, WallColor},
        {175, 17, WallColor},
    });
}

TEST(WineWallPaint, OtherRowsHaveFramesAndTealJointsAtTheUpperCorners)
{
    TDefaultWall wall;
    const auto bitmap = PaintWall(*wall.Wall);
    ExpectPixels(*bitmap, {
        {34, 45, clBlack, "compartment (2, 2) is framed by (34, 35) to (55, 55)"},
        {54, 45, clBlack, "the next compartment shares this vertical"},
        {45, 35, clBlack},
        {45, 54, clBlack},
        {45, 55, clBlack, "the next row's top line lies beside this one's bottom"},
        {33, 45, WallColor},
        {35, 45, WallColor},
        {35, 373, WallColor, "no joint on the lower corners of the last row"},
        {200, 45, BackdropColor, "the strip right of the last column is not filled"},
        {205, 200, BackdropColor},
    });
    // Joints: teal diamonds of half-width 5 outlined in black, the last column's
    // reaching into the strip on its right.
    for (const TPoint corner : {TPoint(15, 35), TPoint(35, 35), TPoint(55, 95), TPoint(195, 355)})
        ExpectPixels(*bitmap, {{corner.x, corner.y - 2, clTeal}, {corner.x, corner.y + 2, clTeal},
                               {corner.x, corner.y - 5, clBlack}});
}

TEST(WineWallPaint, BottleEndsAndEmptyCompartments)
{
    TDefaultWall wall;
    wall.Cells.Bottles[{3, 2}] = {clNone, clNone}; // left as they come: white, black ring
    wall.Cells.Bottles[{4, 5}] = {clBlue, clRed};
    wall.Cells.Bottles[{5, 1}] = {clYellow, clBlack};
    ExpectPixels(*PaintWall(*wall.Wall), {
        {36, 65, clBlack, "(3, 2) spans x 36..53 on its middle row"},
        {37, 65, clWhite},
        {45, 65, clWhite},
        {53, 65, clBlack},
        {45, 56, clBlack},
        {96, 85, clRed, "(4, 5): a coloured ring is two pixels wide"},
        {97, 85, clRed},
        {98, 85, clBlue},
        {105, 85, clBlue},
        {112, 85, clRed},
        {16, 105, clBlack, "(5, 1): a black ring is one pixel wide whatever the fill"},
        {17, 105, clYellow},
        {65, 65, WallColor, "empty compartments show the wall's colour, ring included"},
        {56, 65, WallColor},
        {105, 105, WallColor},
        {96, 105, WallColor},
    });
    EXPECT_EQ(wall.Cells.Asked.size(), 9u * 18u);
}

TEST(WineWallPaint, WithoutHandlerFramesJointsAndLabelsButNoBottles)
{
    TWallOnForm wall;
    wall.Wall->SetColor(WallColor);
    const auto bitmap = PaintWall(*wall.Wall);
    ExpectPixels(*bitmap, {{45, 65, WallColor}, {36, 65, WallColor}, {34, 65, clBlack}, {35, 53, clTeal}});
    EXPECT_FALSE(InkBox(*bitmap, TRect(55, 0, 75, 15), BackdropColor).IsEmpty());
}

TEST(WineWallPaint, LabelsAreCentredOnTheirColumnOrRow)
{
    TDefaultWall wall;
    wall.Wall->SetNbCaseWidth(12);
    wall.Wall->SetBounds(10, 20, 280, 375);
    for (const WallEnumerationType type : {weNumeric, weAlpha}) {
        wall.Wall->SetTypeHorizontal(type);
        wall.Wall->SetTypeVertical(type);
        const auto bitmap = PaintWall(*wall.Wall);
        // Where a label's ink lies when its text is written at (X, Y) in the wall's
        // font; the wall must have written it exactly there.
        auto inkOf = [&](const std::string& text, int x, int y, const TRect& area) {
            TBitmap reference;
            reference.SetPixelFormat(pf24bit);
            reference.SetSize(bitmap->Width(), bitmap->Height());
            reference.Canvas()->Brush()->SetColor(BackdropColor);
            reference.Canvas()->FillRect(TRect(0, 0, reference.Width(), reference.Height()));
            reference.Canvas()->Font()->Assign(wall.Wall->Font());
            SetBkMode(reference.Canvas()->Handle(), TRANSPARENT);
            if (x == INT_MIN) // centred over the column: x + (20 - width) div 2
                x = area.left + (20 - reference.Canvas()->TextWidth(text)) / 2;
            if (y == INT_MIN) // centred on the row
                y = area.top + (20 - reference.Canvas()->TextHeight(text)) / 2;
            reference.Canvas()->TextOut(x, y, text);
            return InkBox(reference, area, BackdropColor);
        };
        auto label = [&](int n) { return type == weAlpha ? TWineWall::GetAlpha(n) : std::to_string(n); };
        for (const int col : {1, 3, 11, 12}) {
            const TRect area(20 * (col - 1) + 15, 0, 20 * col + 15, 15);
            const TRect ink = InkBox(*bitmap, area, BackdropColor);
            ASSERT_FALSE(ink.IsEmpty()) << "column " << col;
            EXPECT_EQ(ink, inkOf(label(col), INT_MIN, 0, area)) << "column " << col;
        }
        for (const int row : {1, 5, 12, 18}) {
            // Left of x = 10, where the joints of the first column end.
            const TRect area(0, 20 * (row - 1) + 15, 10, 20 * row + 15);
            const TRect ink = InkBox(*bitmap, area, BackdropColor);
            ASSERT_FALSE(ink.IsEmpty()) << "row " << row;
            EXPECT_EQ(ink, inkOf(label(row), 0, INT_MIN, area)) << "row " << row;
        }
        // Between the labels the margins show what was under the wall.
        EXPECT_EQ(bitmap->Pixel(2, 2), BackdropColor);
        EXPECT_EQ(bitmap->Pixel(35, 7), BackdropColor);
    }
}

TEST(WineWallPaint, LettersAndNumbersAreDifferentLabels)
{
    TDefaultWall wall;
    const auto numbers = PaintWall(*wall.Wall);
    wall.Wall->SetTypeHorizontal(weAlpha);
    const auto letters = PaintWall(*wall.Wall);
    auto differ = [&](const TRect& area) {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (numbers->Pixel(x, y) != letters->Pixel(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(differ(TRect(35, 0, 55, 15))) << "column labels follow TypeHorizontal";
    EXPECT_FALSE(differ(TRect(0, 35, 10, 55))) << "row labels follow TypeVertical only";
}

TEST(WineWallPaint, NothingBelowTenPixels)
{
    TDefaultWall wall;
    for (const TSize size : {TSize(9, 375), TSize(208, 9)}) {
        wall.Wall->SetBounds(10, 20, size.cx, size.cy);
        wall.Cells.Asked.clear();
        const auto bitmap = PaintWall(*wall.Wall);
        EXPECT_TRUE(InkBox(*bitmap, TRect(0, 0, size.cx, size.cy), BackdropColor).IsEmpty());
        EXPECT_TRUE(wall.Cells.Asked.empty());
    }
}

TEST(WineWallPaint, LargeWallRepaintsOnlyAroundTheClipRectangle)
{
    TDefaultWall wall;
    wall.Wall->SetNbCaseWidth(20);
    wall.Wall->SetNbCaseHeight(20);
    wall.Wall->SetBounds(0, 0, 428, 415);
    wall.Cells.Bottles[{6, 5}] = {clBlue, clRed};
    const auto full = PaintWall(*wall.Wall);

    struct {
        TRect Clip;
        int FirstRow, LastRow, FirstCol, LastCol;
    } const cases[] = {
        {TRect(100, 120, 140, 160), 5, 9, 4, 8},   // inside the grid
        {TRect(0, 0, 30, 30), 1, 2, 1, 2},         // over the corner of the margins
        {TRect(100, 0, 140, 12), 1, 2, 4, 8},      // the column labels alone
        {TRect(0, 200, 12, 230), 9, 12, 1, 2},     // the row labels alone
        {TRect(400, 380, 428, 415), 18, 20, 19, 20}, // past the last row and column
    };
    for (const auto& c : cases) {
        wall.Cells.Asked.clear();
        TBitmap partial;
        partial.SetPixelFormat(pf24bit);
        partial.SetSize(428, 415);
        partial.Canvas()->Brush()->SetColor(BackdropColor);
        partial.Canvas()->FillRect(TRect(0, 0, 428, 415));
        PaintClipped(*wall.Wall, partial, c.Clip);

        std::vector<TCell> expected;
        for (int row = c.FirstRow; row <= c.LastRow; ++row)
            for (int col = c.FirstCol; col <= c.LastCol; ++col)
                expected.emplace_back(row, col);
        EXPECT_EQ(wall.Cells.Asked, expected) << "clip " << c.Clip.left << ", " << c.Clip.top;
        ExpectSamePixels(*full, partial, c.Clip);
    }
}

TEST(WineWallPaint, SmallWallIsAlwaysPaintedWhole)
{
    TDefaultWall wall;
    wall.Wall->SetNbCaseWidth(5);
    wall.Wall->SetNbCaseHeight(6);
    TBitmap bitmap;
    bitmap.SetSize(wall.Wall->Width(), wall.Wall->Height());
    wall.Cells.Asked.clear();
    PaintClipped(*wall.Wall, bitmap, TRect(40, 40, 50, 50));
    const std::set<TCell> asked(wall.Cells.Asked.begin(), wall.Cells.Asked.end());
    EXPECT_EQ(wall.Cells.Asked.size(), 30u);
    EXPECT_EQ(asked.size(), 30u);
}

TEST(WineWallPaint, DrawRedrawsOneCompartmentOnTheWindow)
{
    TDefaultWall wall;
    wall.Cells.Bottles[{3, 2}] = {clBlue, clRed};
    wall.Wall->RefreshWall();
    TCanvas* canvas = wall.Wall->Canvas();
    EXPECT_EQ(canvas->Pixel(45, 65), clBlue);
    EXPECT_EQ(canvas->Pixel(36, 65), clRed);

    // The owner took the bottle out: Draw erases it and asks only for that compartment.
    wall.Cells.Bottles.clear();
    wall.Cells.Asked.clear();
    wall.Wall->Draw(3, 2);
    EXPECT_EQ(wall.Cells.Asked, (std::vector<TCell>{{3, 2}}));
    EXPECT_EQ(canvas->Pixel(45, 65), WallColor);
    EXPECT_EQ(canvas->Pixel(36, 65), WallColor);
    EXPECT_EQ(canvas->Pixel(34, 65), clBlack) << "the frame stays";
    TControlCanvas::FreeDeviceContexts();
}

TEST(WineWallPaint, DrawLeavesTheSamePixelsAsAFullPaint)
{
    TDefaultWall wall;
    wall.Cells.Bottles[{1, 1}] = {clBlue, clRed};
    wall.Cells.Bottles[{4, 1}] = {clYellow, clBlack};
    // What the window shows of the wall, read back from the screen.
    auto onWindow = [&] {
        auto shot = std::make_unique<TBitmap>();
        shot->SetPixelFormat(pf24bit);
        shot->SetSize(wall.Wall->Width(), wall.Wall->Height());
        HDC screen = GetDC(wall.Form->Handle());
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), screen, wall.Wall->Left(),
               wall.Wall->Top(), SRCCOPY);
        ReleaseDC(wall.Form->Handle(), screen);
        return shot;
    };
    wall.Wall->RefreshWall();
    const auto painted = onWindow();
    // Compartments with both labels, a column label and a row label, drawn again and again.
    for (int i = 0; i < 4; ++i)
        for (const TCell& cell : {TCell{1, 1}, TCell{1, 5}, TCell{4, 1}})
            wall.Wall->Draw(cell.first, cell.second);
    TControlCanvas::FreeDeviceContexts();
    ExpectSamePixels(*painted, *onWindow(), TRect(0, 0, wall.Wall->Width(), wall.Wall->Height()));
}
