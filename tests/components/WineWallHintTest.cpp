// The wall's tooltips as a user meets them: the real pointer rests on a
// compartment, and the hint window, read from outside, names that compartment.
#include "../framework/WindowTestSupport.h"
#include "support/HintOnScreen.h"

#include "components/WineWall.h"

namespace {
class WineWallHints : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Application->SetShowHint(true);
        Application->SetHintPause(100);
        Application->SetHintHidePause(1500);
        Wall = Add<TWineWall>(20, 20, 200, 200);
        Wall->SetNbCaseWidth(5);
        Wall->SetNbCaseHeight(5);
        Wall->SetShowHint(true);
        Wall->OnNeedHint = [this](TObject*, int row, int col) {
            Wall->SetHint("Row " + std::to_string(row) + ", column " + std::to_string(col));
        };
        ShowForm();
    }
    void TearDown() override
    {
        Application->SetShowHint(false);
        TFormFixture::TearDown();
    }
    // The screen point in the middle of compartment (row, col).
    TPoint CellCentre(int row, int col) const
    {
        const TRect cell = TWallLayout{5, 5, 20}.CellRect(row, col);
        return Wall->ClientToScreen(TPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    }

    TWineWall* Wall = nullptr;
};
} // namespace

TEST_F(WineWallHints, TheHintFollowsThePointerAcrossCompartments)
{
    struct TStop {
        int Row, Col;
        const char* Expected;
    };
    for (const TStop& stop : {TStop{1, 1, "Row 1, column 1"}, TStop{2, 3, "Row 2, column 3"}, TStop{5, 4, "Row 5, column 4"}}) {
        const TPoint at = CellCentre(stop.Row, stop.Col);
        MovePointer(at);
        EXPECT_TRUE(PumpUntil([&] { return HintOnScreen().Text == stop.Expected && HintOnScreen().Visible; }))
            << stop.Expected << ", seen \"" << HintOnScreen().Text << "\"";
        const THintOnScreen seen = HintOnScreen();
        // Just below the pointer's arrow, not over the compartment it names.
        EXPECT_EQ(seen.Rect.left, at.x) << stop.Expected;
        EXPECT_GT(seen.Rect.top, at.y) << stop.Expected;
        EXPECT_LT(seen.Rect.top, at.y + 40) << stop.Expected;
    }
    // It goes by itself after the hide pause, and stays away while the pointer rests.
    EXPECT_TRUE(PumpUntil([] { return !HintOnScreen().Visible; }, 4000));
    PumpFor(300);
    EXPECT_FALSE(HintOnScreen().Visible);
}

TEST_F(WineWallHints, LeavingOrClickingHidesTheHintAndBeyondTheGridThereIsNone)
{
    MovePointer(CellCentre(3, 3));
    ASSERT_TRUE(PumpUntil([] { return HintOnScreen().Visible; }));

    // Right of the grid, still on the wall: no compartment, no hint.
    MovePointer(Wall->ClientToScreen(TPoint(180, 50)));
    EXPECT_TRUE(PumpUntil([] { return !HintOnScreen().Visible; }));
    PumpFor(300);
    EXPECT_FALSE(HintOnScreen().Visible);

    // Off the wall, onto the bare form.
    MovePointer(CellCentre(2, 2));
    ASSERT_TRUE(PumpUntil([] { return HintOnScreen().Text == "Row 2, column 2" && HintOnScreen().Visible; }));
    MovePointer(Form->ClientToScreen(TPoint(350, 250)));
    EXPECT_TRUE(PumpUntil([] { return !HintOnScreen().Visible; }));

    // A click hides it until the pointer moves on to another compartment.
    MovePointer(CellCentre(4, 1));
    ASSERT_TRUE(PumpUntil([] { return HintOnScreen().Text == "Row 4, column 1" && HintOnScreen().Visible; }));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([] { return !HintOnScreen().Visible; }));
    PumpFor(300);
    EXPECT_FALSE(HintOnScreen().Visible);
    MovePointer(CellCentre(4, 2));
    EXPECT_TRUE(PumpUntil([] { return HintOnScreen().Text == "Row 4, column 2" && HintOnScreen().Visible; }));
}
