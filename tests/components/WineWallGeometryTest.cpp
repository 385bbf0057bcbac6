// Sizes, fitting, centring, hit-testing, hints, labels and the setters' rules.
#include "WineWallTestSupport.h"

#include <gtest/gtest.h>

namespace {
void SetByTable(TWineWall& wall, const char* name, int64_t value)
{
    const TPropInfo* prop = wall.ClassInfo().FindProp(name);
    ASSERT_NE(prop, nullptr) << name;
    prop->Set(wall, TValue(value));
}

TRect Bounds(const TWineWall& wall) { return wall.BoundsRect(); }
} // namespace

TEST(WineWallGeometry, AlphabeticLabels)
{
    const std::pair<int, const char*> examples[] = {
        {1, "A"}, {25, "Y"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {677, "ZA"}, {702, "ZZ"},
        // Past the two-letter range the same letters go on; below 1 there is no label.
        {703, "AAA"}, {728, "AAZ"}, {18278, "ZZZ"}, {0, ""}, {-1, ""}, {INT_MIN, ""}};
    for (const auto& [n, label] : examples)
        EXPECT_EQ(TWineWall::GetAlpha(n), label) << n;
    const std::string largest = TWineWall::GetAlpha(INT_MAX);
    EXPECT_EQ(largest, "FXSHRXW");
}

TEST(WineWallGeometry, NewWallAndItsNaturalSize)
{
    TWallOnForm wall;
    TWineWall fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 30);
    EXPECT_EQ(fresh.Height(), 60);
    EXPECT_EQ(fresh.LoadedCaseWidthHeight(), 0);
    EXPECT_FALSE(fresh.ControlStyle().Contains(csOpaque));
    // Neither maximum set: the wall takes its natural size, W(20) = 4 + 180 + 24, H(20) = 360 + 15.
    wall.Wall->SetBounds(10, 20, 30, 60);
    wall.Wall->AutoCalculate();
    EXPECT_EQ(Bounds(*wall.Wall), TRect(10, 20, 218, 395));
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), 20);
}

TEST(WineWallGeometry, AutoCalculateSettlesOnASizeThatFits)
{
    struct {
        int Columns, MaxWidth, MaxHeight;
        int Size, Width, Height;
    } const cases[] = {
        // The width estimate gives 14 again while W(14) = 152 > 150: one step down more.
        {9, 150, 0, 13, 143, 249},
        // The height estimate stays at 16 while H(16) = 303 > 300.
        {9, 0, 300, 15, 162, 285},
        // One column: the estimate (21) is larger than the size it came from.
        {1, 40, 0, 14, 40, 267},
        // Both maxima: the smaller estimate wins at once.
        {9, 150, 200, 10, 116, 195},
    };
    for (const auto& c : cases) {
        TWallOnForm wall;
        wall.Wall->SetNbCaseWidth(c.Columns);
        wall.Wall->SetMaxWidth(c.MaxWidth);
        SetByTable(*wall.Wall, "MaxHeight", c.MaxHeight);
        wall.Wall->AutoCalculate();
        EXPECT_EQ(wall.Wall->CaseWidthHeight(), c.Size) << c.MaxWidth << " x " << c.MaxHeight;
        EXPECT_EQ(wall.Wall->Width(), c.Width) << c.MaxWidth << " x " << c.MaxHeight;
        EXPECT_EQ(wall.Wall->Height(), c.Height) << c.MaxWidth << " x " << c.MaxHeight;
    }
}

TEST(WineWallGeometry, AutoCalculateEndsForEveryMaximum)
{
    TWallOnForm wall;
    for (int columns : {1, 2, 9, 40})
        for (int maxWidth = 1; maxWidth <= 400; maxWidth += 7)
            for (int maxHeight : {0, 1, 30, 99, 250, 1000}) {
                wall.Wall->SetNbCaseWidth(columns);
                wall.Wall->SetCaseWidthHeight(20);
                wall.Wall->SetMaxWidth(maxWidth);
                SetByTable(*wall.Wall, "MaxHeight", maxHeight);
                wall.Wall->SetBounds(10, 20, 30, 60);
                wall.Wall->AutoCalculate();
                const int size = wall.Wall->CaseWidthHeight();
                ASSERT_GE(size, TWineWall::MinCaseWidthHeight);
                ASSERT_LE(size, 20);
                const bool resized = wall.Wall->Width() != 30 || wall.Wall->Height() != 60;
                if (size > TWineWall::MinCaseWidthHeight || resized) {
                    // It took a size, and that size fits.
                    ASSERT_TRUE(resized) << columns << " " << maxWidth << " " << maxHeight;
                    ASSERT_LE(wall.Wall->Width(), maxWidth);
                    if (maxHeight > 0) {
                        ASSERT_LE(wall.Wall->Height(), maxHeight);
                    }
                }
            }
}

TEST(WineWallGeometry, TinyMaximaStopAtTheSmallestCompartment)
{
    TWallOnForm wall;
    wall.Wall->SetColor(WallColor);
    wall.Wall->SetMaxWidth(10);
    wall.Wall->AutoCalculate();
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), TWineWall::MinCaseWidthHeight);
    EXPECT_EQ(wall.Wall->Width(), 208) << "a wall that cannot fit keeps its size";

    // Painting and hit-testing still work at that size.
    const auto bitmap = PaintWall(*wall.Wall);
    EXPECT_EQ(bitmap->Pixel(14, 15), clBlack);
    TPoint p(15 + 3 * 4 + 1, 15 + 3 * 2 + 1);
    wall.Wall->ClientToRowCol(p, false);
    EXPECT_EQ(p, TPoint(5, 3));

    // The paint-time fitting takes the same way.
    wall.Wall->SetCaseWidthHeight(20);
    wall.Wall->SetAutoChangeWidthHeight(true);
    wall.Pump();
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), TWineWall::MinCaseWidthHeight);
}

TEST(WineWallGeometry, AbsurdCountsAndSizesNeitherWrapNorHang)
{
    TWallOnForm wall;
    wall.Wall->SetNbCaseWidth(INT_MAX);
    wall.Wall->SetNbCaseHeight(INT_MAX);
    TCellRecorder cells;
    cells.Attach(*wall.Wall);
    const auto bitmap = PaintWall(*wall.Wall);
    EXPECT_EQ(bitmap->Pixel(14, 25), clBlack);
    EXPECT_EQ(cells.Asked.size(), 11u * 20u) << "only the compartments the bitmap shows";

    wall.Wall->SetMaxWidth(500);
    wall.Wall->AutoCalculate();
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), TWineWall::MinCaseWidthHeight);
    wall.Wall->CenterInRectangle(TRect(0, 0, 300, 400), true);
    EXPECT_EQ(wall.Wall->Width(), INT_MAX) << "as wide as a size can be, not wrapped around";

    wall.Wall->SetCaseWidthHeight(INT_MAX);
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), TWineWall::MinCaseWidthHeight) << "ignored";
    wall.Wall->SetCaseWidthHeight(TWineWall::MaxCaseWidthHeight);
    wall.Wall->SetBounds(10, 20, 208, 375);
    const auto huge = PaintWall(*wall.Wall);
    EXPECT_EQ(huge->Pixel(14, 25), clBlack);
    wall.Wall->Draw(INT_MAX, INT_MIN);
    TPoint p(15 + TWineWall::MaxCaseWidthHeight, 20);
    wall.Wall->ClientToRowCol(p, false);
    EXPECT_EQ(p, TPoint(2, 1));
}

TEST(WineWallGeometry, CenterInRectangleWithTheLargestSizeThatFits)
{
    TWallOnForm wall;
    // s = 21 fits 300 x 400 (217 x 393), s = 22 does not (H = 411).
    wall.Wall->CenterInRectangle(TRect(100, 50, 400, 450), true);
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), 21);
    EXPECT_EQ(Bounds(*wall.Wall), TRect(141, 53, 141 + 217, 53 + 393));

    // Nothing fits: the smallest compartments, centred however far they stick out.
    wall.Wall->CenterInRectangle(TRect(0, 0, 20, 20), true);
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), TWineWall::MinCaseWidthHeight);
    EXPECT_EQ(Bounds(*wall.Wall), TRect(-15, -24, -15 + 51, -24 + 69));
}

TEST(WineWallGeometry, CenterInRectangleGrowsBackTowardTheDesignedSize)
{
    TWallOnForm wall;
    // Not fitting and not allowed to change: only moved.
    wall.Wall->CenterInRectangle(TRect(0, 0, 300, 400), false);
    EXPECT_EQ(Bounds(*wall.Wall), TRect(46, 12, 46 + 208, 12 + 375));
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), 20);

    // Designed at 30, shrunk to 10 since.
    wall.Wall->SetCaseWidthHeight(30);
    wall.Wall->Loaded();
    EXPECT_EQ(wall.Wall->LoadedCaseWidthHeight(), 30);
    wall.Wall->SetCaseWidthHeight(10);
    wall.Wall->SetAutoChangeWidthHeight(true);

    // Grows while it fits: 21 is the last size that does.
    wall.Wall->CenterInRectangle(TRect(0, 0, 300, 400), false);
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), 21);
    EXPECT_EQ(Bounds(*wall.Wall), TRect(41, 3, 41 + 217, 3 + 393));

    // Everything up to the designed size fits: back at 30, then fitted to the
    // rectangle as to maxima.
    wall.Wall->CenterInRectangle(TRect(0, 0, 1000, 1000), false);
    EXPECT_EQ(wall.Wall->CaseWidthHeight(), 30);
    EXPECT_EQ(wall.Wall->MaxWidth(), 1000);
    EXPECT_EQ(wall.Wall->MaxHeight(), 1000);
    EXPECT_EQ(Bounds(*wall.Wall), TRect(350, 222, 350 + 300, 222 + 555));
}

TEST(WineWallGeometry, PointsToRowsAndColumns)
{
    TWallOnForm wall;
    struct {
        TPoint Client, ColRow;
    } const cases[] = {
        {TPoint(15, 15), TPoint(1, 1)},     {TPoint(34, 34), TPoint(1, 1)},
        {TPoint(35, 55), TPoint(2, 3)},     {TPoint(65, 10), TPoint(3, 1)},   // 5 pixels above column 3
        {TPoint(0, 100), TPoint(1, 5)},     // the whole left margin is within one compartment
        {TPoint(194, 374), TPoint(9, 18)},  {TPoint(195, 375), TPoint(10, 19)}, // past the grid
    };
    for (const auto& c : cases) {
        TPoint p = c.Client;
        wall.Wall->ClientToRowCol(p, false);
        EXPECT_EQ(p, c.ColRow) << c.Client.x << ", " << c.Client.y;
        TPoint screen = wall.Wall->ClientToScreen(c.Client);
        wall.Wall->ClientToRowCol(screen, true);
        EXPECT_EQ(screen, c.ColRow) << "from the screen: " << c.Client.x << ", " << c.Client.y;
    }
    // With small compartments, the far part of the margins lies outside.
    wall.Wall->SetCaseWidthHeight(5);
    TPoint inMargin(11, 11), beyond(10, 10);
    wall.Wall->ClientToRowCol(inMargin, false);
    wall.Wall->ClientToRowCol(beyond, false);
    EXPECT_EQ(inMargin, TPoint(1, 1));
    EXPECT_EQ(beyond, TPoint(0, 0));
}

TEST(WineWallGeometry, HintsPerCompartment)
{
    TWallOnForm wall;
    wall.Wall->SetHint("Cave|Mur de la cave");
    const TRect untouched(1, 2, 3, 4);
    TRect cursor = untouched;
    EXPECT_EQ(wall.Wall->GetHint(50, 60, cursor), "Cave|Mur de la cave");
    EXPECT_EQ(cursor, untouched);

    std::vector<TCell> asked;
    wall.Wall->OnNeedHint = [&](TObject* sender, int row, int col) {
        EXPECT_EQ(sender, wall.Wall);
        asked.emplace_back(row, col);
        wall.Wall->SetHint("row " + std::to_string(row) + " column " + std::to_string(col));
    };
    EXPECT_EQ(wall.Wall->GetHint(50, 60, cursor), "row 3 column 2");
    EXPECT_EQ(cursor, TRect(35, 55, 55, 75));

    // Outside the grid: no hint, the cursor rectangle is left alone, nobody is asked.
    wall.Wall->SetCaseWidthHeight(5);
    cursor = untouched;
    asked.clear();
    EXPECT_EQ(wall.Wall->GetHint(2, 50, cursor), "");
    EXPECT_EQ(wall.Wall->GetHint(100, 200, cursor), "") << "right of the last column";
    EXPECT_EQ(cursor, untouched);
    EXPECT_TRUE(asked.empty());
}

TEST(WineWallGeometry, SettersIgnoreEqualAndOutOfRangeValuesAndRepaintAtOnce)
{
    TWallOnForm wall;
    TCellRecorder cells;
    cells.Attach(*wall.Wall);
    using W = TWineWall;
    struct {
        const char* Property;
        std::function<void(W&)> Set;
        int64_t Before, After;
        bool Repaints;
    } const cases[] = {
        {"CaseWidthHeight", [](W& w) { w.SetCaseWidthHeight(2); }, 20, 20, false},
        {"CaseWidthHeight", [](W& w) { w.SetCaseWidthHeight(20); }, 20, 20, false},
        {"CaseWidthHeight", [](W& w) { w.SetCaseWidthHeight(3); }, 20, 3, true},
        {"NbCaseWidth", [](W& w) { w.SetNbCaseWidth(0); }, 9, 9, false},
        {"NbCaseHeight", [](W& w) { w.SetNbCaseHeight(2); }, 18, 2, true},
        {"MaxWidth", [](W& w) { w.SetMaxWidth(-1); }, 0, 0, false},
        {"MaxHeight", [](W& w) { w.SetMaxHeight(-1); }, 0, 0, false},
        {"MaxHeight", [](W& w) { w.SetMaxHeight(700); }, 0, 700, true},
        // The property writes its member directly: no check, no repaint.
        {"MaxHeight", [](W& w) { SetByTable(w, "MaxHeight", -1); }, 700, -1, false},
        {"WallNumber", [](W& w) { SetByTable(w, "WallNumber", 7); }, 1, 7, false},
        {"Color", [](W& w) { w.SetColor(clYellow); }, clWindow, clYellow, true},
        {"Color", [](W& w) { w.SetColor(clYellow); }, clYellow, clYellow, false},
        {"TypeHorizontal", [](W& w) { w.SetTypeHorizontal(weAlpha); }, weNumeric, weAlpha, true},
    };
    auto value = [&](const char* name) { return std::get<int64_t>(W::StaticClass().FindProp(name)->Get(*wall.Wall)); };
    for (const auto& c : cases) {
        wall.Pump();
        ASSERT_EQ(value(c.Property), c.Before) << c.Property;
        cells.Asked.clear();
        c.Set(*wall.Wall);
        // Refresh paints before the setter returns: no message needs to be handled.
        EXPECT_EQ(value(c.Property), c.After) << c.Property << " " << c.After;
        EXPECT_EQ(!cells.Asked.empty(), c.Repaints) << c.Property << " " << c.After;
    }
}
