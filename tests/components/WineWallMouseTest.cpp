// The wall's events through real mouse messages sent to the form that holds it.
#include "WineWallTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Every event of the wall, as "Down 3,2", "Click 3,2", "DblClick 2,5".
struct TEventLog : TWallOnForm {
    std::vector<std::string> Events;
    bool PressedDuringClick = false;

    TEventLog()
    {
        auto record = [this](const char* name) {
            return [this, name](TObject* sender, int row, int col) {
                EXPECT_EQ(sender, Wall);
                Events.push_back(std::string(name) + " " + std::to_string(row) + "," + std::to_string(col));
            };
        };
        Wall->OnMouseDown = record("Down");
        Wall->OnDblClick = record("DblClick");
        Wall->OnClick = [this, click = record("Click")](TObject* sender, int row, int col) {
            PressedDuringClick = Wall->Pressed();
            click(sender, row, col);
        };
    }

    void LeftClick(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y);
    }
};

using TEvents = std::vector<std::string>;
} // namespace

TEST(WineWallMouse, ClicksReportTheCompartment)
{
    TEventLog log;
    log.Mouse(WM_LBUTTONDOWN, 50, 60, MK_LBUTTON);
    EXPECT_TRUE(log.Wall->Pressed());
    EXPECT_TRUE(log.Wall->MouseCapture());
    log.Mouse(WM_LBUTTONUP, 50, 60);
    EXPECT_EQ(log.Events, (TEvents{"Down 3,2", "Click 3,2"}));
    EXPECT_TRUE(log.PressedDuringClick);
    EXPECT_FALSE(log.Wall->Pressed());
    EXPECT_FALSE(log.Wall->MouseCapture());

    // The click belongs to the compartment where the button comes up.
    log.Events.clear();
    log.Mouse(WM_LBUTTONDOWN, 50, 60, MK_LBUTTON);
    log.Mouse(WM_LBUTTONUP, 90, 60);
    EXPECT_EQ(log.Events, (TEvents{"Down 3,2", "Click 3,4"}));
}

TEST(WineWallMouse, MarginsWithinOneCompartmentCountAsTheFirstRowOrColumn)
{
    TEventLog log;
    log.LeftClick(65, 10); // 5 pixels above column 3
    log.LeftClick(3, 100); // in the left margin beside row 5
    log.LeftClick(2, 2);   // the corner between the margins
    EXPECT_EQ(log.Events, (TEvents{"Down 1,3", "Click 1,3", "Down 5,1", "Click 5,1", "Down 1,1", "Click 1,1"}));

    // With 5-pixel compartments only the last 4 pixels of a margin count.
    log.Events.clear();
    log.Wall->SetCaseWidthHeight(5);
    log.LeftClick(11, 20);
    log.LeftClick(10, 20);
    EXPECT_EQ(log.Events, (TEvents{"Down 2,1", "Click 2,1"}));
}

TEST(WineWallMouse, NothingOutsideTheGrid)
{
    TEventLog log;
    log.Wall->SetBounds(10, 20, 230, 420);
    log.LeftClick(200, 100); // right of the last column
    log.LeftClick(100, 390); // below the last row
    EXPECT_TRUE(log.Events.empty());
    EXPECT_FALSE(log.Wall->Pressed());
}

TEST(WineWallMouse, PressInsideReleaseOutside)
{
    TEventLog log;
    log.Mouse(WM_LBUTTONDOWN, 50, 60, MK_LBUTTON);
    // The wall holds the capture, so the release comes to it though it is far outside.
    log.Mouse(WM_LBUTTONUP, 400, 60);
    EXPECT_EQ(log.Events, (TEvents{"Down 3,2"}));
    EXPECT_FALSE(log.Wall->Pressed());
    EXPECT_FALSE(log.Wall->MouseCapture());
}

TEST(WineWallMouse, OtherButtonsPressButDoNotClick)
{
    TEventLog log;
    log.Mouse(WM_RBUTTONDOWN, 50, 60, MK_RBUTTON);
    EXPECT_TRUE(log.Wall->Pressed());
    log.Mouse(WM_RBUTTONUP, 50, 60);
    log.Mouse(WM_MBUTTONDOWN, 70, 60, MK_MBUTTON);
    log.Mouse(WM_MBUTTONUP, 70, 60);
    EXPECT_EQ(log.Events, (TEvents{"Down 3,2", "Down 3,3"}));
    EXPECT_FALSE(log.Wall->Pressed());

    // A release that comes without a press on the wall clicks nothing.
    log.Events.clear();
    log.Mouse(WM_LBUTTONUP, 50, 60);
    EXPECT_TRUE(log.Events.empty());
}

TEST(WineWallMouse, DoubleClickReportsTheCompartmentUnderThePointer)
{
    TEventLog log;
    // The message arrives over (4, 1) while the pointer stands on (2, 5): the
    // pointer's position decides.
    const TPoint pointer = log.Wall->ClientToScreen(TPoint(15 + 4 * 20 + 7, 15 + 1 * 20 + 9));
    ASSERT_TRUE(SetCursorPos(pointer.x, pointer.y));
    log.Mouse(WM_LBUTTONDBLCLK, 20, 80, MK_LBUTTON);
    log.Mouse(WM_LBUTTONUP, 20, 80);
    EXPECT_EQ(log.Events, (TEvents{"DblClick 2,5", "Down 4,1", "Click 4,1"}));

    // The pointer right of the grid: no double-click, though the message hit a compartment.
    log.Events.clear();
    const TPoint outside = log.Wall->ClientToScreen(TPoint(200, 100));
    ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
    log.Mouse(WM_LBUTTONDBLCLK, 20, 80, MK_LBUTTON);
    log.Mouse(WM_LBUTTONUP, 20, 80);
    EXPECT_EQ(log.Events, (TEvents{"Down 4,1", "Click 4,1"}));
}
