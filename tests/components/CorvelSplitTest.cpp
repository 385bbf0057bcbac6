#include "ScreenFormFixture.h"

#include "components/CorvelSplit.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CorvelSplitAlone, NewBarAndItsBoundedProperties)
{
    TCorvelSplit bar(nullptr);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 0, 6, 100));
    EXPECT_EQ(bar.Kind(), sbVertical);
    EXPECT_EQ(bar.MargeLeftTop(), 10);
    EXPECT_EQ(bar.MargeRightBottom(), -1);
    EXPECT_TRUE(bar.CorvelSplitAutoResize());
    EXPECT_FALSE(bar.Control1AutoResize() || bar.Control2AutoResize() || bar.ControlsAutoResize());

    bar.SetMargeLeftTop(-5);
    bar.SetMargeRightBottom(-7);
    bar.SetOverlap(-3);
    EXPECT_EQ(bar.MargeLeftTop(), -1);
    EXPECT_EQ(bar.MargeRightBottom(), -1);
    EXPECT_EQ(bar.Overlap(), 0);
    EXPECT_THROW(bar.SetControl1(&bar), EInvalidOperation);
    EXPECT_THROW(bar.SetControl2(&bar), EInvalidOperation);
    EXPECT_EQ(bar.Control1(), nullptr);
    EXPECT_EQ(bar.Control2(), nullptr);
    // Not yet placed: the kind is kept, the bar waits for a parent to stretch across.
    bar.SetKind(sbHorizontal);
    EXPECT_EQ(bar.Kind(), sbHorizontal);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 0, 6, 100));
}

TEST(CorvelSplitAlone, SnapToTheNearestStepNegativesTowardZero)
{
    TCorvelSplit bar(nullptr);
    auto snapped = [&](int step, int pos) {
        bar.SetStep(step);
        bar.Snap(pos);
        return pos;
    };
    EXPECT_EQ(snapped(10, 14), 10);
    EXPECT_EQ(snapped(10, 15), 20);
    EXPECT_EQ(snapped(10, 30), 30);
    EXPECT_EQ(snapped(10, -7), 0);
    EXPECT_EQ(snapped(10, -1), 0);
    EXPECT_EQ(snapped(10, -15), -10);
    EXPECT_EQ(snapped(8, 10), 8);
    EXPECT_EQ(snapped(1, 17), 17);
    EXPECT_EQ(snapped(0, 17), 17);
}

class CorvelSplitOnForm : public ScreenFormFixture {
protected:
    // Moves the pointer, left button held, to a position of the bar's parent.
    static void DragTo(TCorvelSplit& bar, int parentPos)
    {
        if (bar.Kind() == sbVertical)
            Mouse(bar, WM_MOUSEMOVE, parentPos - bar.Left(), 20, MK_LBUTTON);
        else
            Mouse(bar, WM_MOUSEMOVE, 20, parentPos - bar.Top(), MK_LBUTTON);
    }
    static void Press(TCorvelSplit& bar) { Mouse(bar, WM_LBUTTONDOWN, 2, 2, MK_LBUTTON); }
    static void Release(TCorvelSplit& bar) { Mouse(bar, WM_LBUTTONUP, 2, 2); }
};

TEST_F(CorvelSplitOnForm, DragStaysBetweenTheMargins)
{
    auto& bar = Place<TCorvelSplit>(100, 0, 6, 100);
    Pump();
    EXPECT_EQ(bar.BoundsRect(), TRect(100, 0, 106, 300)) << "stretched across the form";
    int begins = 0, ends = 0;
    bar.OnBeginMove = [&](TObject*) { ++begins; };
    bar.OnEndMove = [&](TObject*) { ++ends; };

    Press(bar);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(GetCapture(), bar.Handle());
    DragTo(bar, 3);
    EXPECT_EQ(bar.Left(), 10);
    DragTo(bar, 250);
    EXPECT_EQ(bar.Left(), 250);
    DragTo(bar, 450);
    EXPECT_EQ(bar.Left(), 450) << "without a far margin the parent is no bound";
    bar.SetMargeRightBottom(200);
    EXPECT_EQ(bar.Left(), 450) << "a new margin does not move the bar";
    DragTo(bar, 250);
    EXPECT_EQ(bar.Left(), 200);
    bar.SetMargeLeftTop(300);
    DragTo(bar, 250);
    EXPECT_EQ(bar.Left(), 300) << "crossed margins: the near one wins";
    bar.SetMargeLeftTop(-1);
    DragTo(bar, -1);
    EXPECT_EQ(bar.Left(), -1);
    // Only a move with the left button held moves the bar.
    Mouse(bar, WM_MOUSEMOVE, 50, 20);
    EXPECT_EQ(bar.Left(), -1);

    Release(bar);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    DragTo(bar, 150);
    EXPECT_EQ(bar.Left(), -1) << "no move without the capture";
}

TEST_F(CorvelSplitOnForm, DragSnapsAfterClamping)
{
    auto& bar = Place<TCorvelSplit>(100, 0, 6, 100);
    bar.SetMargeLeftTop(-1);
    bar.SetStep(10);
    Press(bar);
    DragTo(bar, 14);
    EXPECT_EQ(bar.Left(), 10);
    DragTo(bar, 15);
    EXPECT_EQ(bar.Left(), 20);
    bar.SetStep(1);
    DragTo(bar, 17);
    EXPECT_EQ(bar.Left(), 17);
    bar.SetStep(8);
    bar.SetMargeLeftTop(10);
    DragTo(bar, 3);
    EXPECT_EQ(bar.Left(), 8) << "snapping may cross a margin by half a step";
    Release(bar);

    bar.SetKind(sbHorizontal);
    bar.SetStep(10);
    Press(bar);
    DragTo(bar, 34);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 30, 400, 36));
    DragTo(bar, 35);
    EXPECT_EQ(bar.Top(), 40);
    Release(bar);
}

TEST_F(CorvelSplitOnForm, ControlsFollowTheBarWhichStaysOnTop)
{
    auto& left = Place<TCustomControl>(0, 20, 50, 50);
    left.SetColor(clRed);
    auto& right = Place<TCustomControl>(300, 30, 50, 50);
    auto& bar = Place<TCorvelSplit>(120, 0, 6, 100);
    left.BringToFront(); // the bar's first paint must raise it again
    bar.SetControl1AutoResize(true);
    bar.SetControl2AutoResize(true);
    bar.SetOverlap(4);
    bar.SetControl1(&left);
    bar.SetControl2(&right);
    Pump();
    EXPECT_EQ(left.BoundsRect(), TRect(0, 20, 124, 320)) << "full height of the parent, top kept";
    EXPECT_EQ(right.BoundsRect(), TRect(126, 30, 400, 300));
    EXPECT_EQ(GetWindow(bar.Handle(), GW_HWNDPREV), nullptr) << "the bar is the topmost child window";
    auto form = Painted(Form());
    EXPECT_EQ(form->Pixel(118, 150), clRed);
    EXPECT_EQ(form->Pixel(123, 150), clSilver) << "Control1 reaches under the bar";

    Press(bar);
    DragTo(bar, 200);
    Pump();
    EXPECT_EQ(left.Width(), 204);
    EXPECT_EQ(right.BoundsRect(), TRect(206, 30, 400, 300));
    Release(bar);

    bar.SetKind(sbHorizontal);
    bar.SetTop(100);
    Pump();
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 100, 400, 106));
    EXPECT_EQ(left.BoundsRect(), TRect(0, 0, 400, 104));
    EXPECT_EQ(right.BoundsRect(), TRect(206, 106, 400, 300));
}

TEST_F(CorvelSplitOnForm, TurningTheBarRepaintsOnlyWhenTheKindChanges)
{
    auto& bar = Place<PaintCounting<TCorvelSplit>>(100, 0, 6, 100);
    Pump();
    auto vertical = Painted(bar);
    EXPECT_EQ(vertical->Pixel(0, 50), clSilver);
    EXPECT_EQ(vertical->Pixel(1, 0), clSilver);
    EXPECT_EQ(vertical->Pixel(1, 50), clWhite);
    EXPECT_EQ(vertical->Pixel(3, 50), clSilver);
    EXPECT_EQ(vertical->Pixel(5, 50), clGray);

    bar.Paints = 0;
    bar.SetKind(sbHorizontal);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 0, 400, 6));
    EXPECT_EQ(bar.Paints, 1);
    auto horizontal = Painted(bar);
    EXPECT_EQ(horizontal->Pixel(0, 1), clSilver);
    EXPECT_EQ(horizontal->Pixel(50, 1), clWhite);
    EXPECT_EQ(horizontal->Pixel(50, 5), clGray);

    // The same kind again stretches the bar even without auto-resize...
    bar.SetCorvelSplitAutoResize(false);
    bar.SetBounds(30, 50, 200, 10);
    bar.SetKind(sbHorizontal);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 50, 400, 56));
    // ...but neither paints nor asks for a paint later.
    Pump();
    bar.Paints = 0;
    bar.SetKind(sbHorizontal);
    EXPECT_FALSE(GetUpdateRect(bar.Handle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(bar.Paints, 0);
}

TEST_F(CorvelSplitOnForm, OnABorderedFormTheBarAndTheControlsFillTheClientArea)
{
    TForm framed(nullptr);
    framed.SetBounds(60, 40, 500, 400);
    auto place = [&](TWinControl* control, int left, int top, int width, int height) {
        control->SetParent(&framed);
        control->SetBounds(left, top, width, height);
        return control;
    };
    auto* left = place(new TCustomControl(&framed), 0, 20, 50, 50);
    auto* right = place(new TCustomControl(&framed), 300, 30, 50, 50);
    auto* bar = static_cast<TCorvelSplit*>(place(new TCorvelSplit(&framed), 120, 0, 6, 100));
    bar->SetControl1AutoResize(true);
    bar->SetControl2AutoResize(true);
    bar->SetControl1(left);
    bar->SetControl2(right);
    framed.Show();
    Pump();
    const int w = framed.ClientWidth(), h = framed.ClientHeight();
    ASSERT_LT(h, 400) << "the frame takes room";
    EXPECT_EQ(bar->BoundsRect(), TRect(120, 0, 126, h));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 20, 120, 20 + h));
    EXPECT_EQ(right->BoundsRect(), TRect(126, 30, w, h));

    bar->SetKind(sbHorizontal);
    bar->SetTop(100);
    Pump();
    EXPECT_EQ(bar->BoundsRect(), TRect(0, 100, w, 106));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 0, w, 100));
    EXPECT_EQ(right->BoundsRect(), TRect(126, 106, w, h));
}

TEST_F(CorvelSplitOnForm, ReleaseWithoutDragStillEndsTheMove)
{
    auto& bar = Place<TCorvelSplit>(100, 0, 6, 100);
    Pump();
    std::vector<std::string> log;
    bar.OnBeginMove = [&](TObject*) { log.push_back("begin"); };
    bar.OnEndMove = [&](TObject*) { log.push_back("end"); };
    bar.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
    bar.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    Press(bar);
    {
        TWindowDC dc(bar.Handle());
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Get(), 3, 50)), clGray) << "the drag mark";
        EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Get(), 1, 50)), clWhite);
    }
    Release(bar);
    EXPECT_EQ(log, (std::vector<std::string>{"begin", "down", "end", "up"}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(bar.Left(), 100);
}

TEST_F(CorvelSplitOnForm, DesignTimeRules)
{
    auto& left = Place<TCustomControl>(0, 20, 50, 50);
    auto& bar = Place<TCorvelSplit>(120, 0, 6, 100);
    bar.SetControl1(&left);
    bar.SetAutoResize(true);
    EXPECT_FALSE(bar.ControlsAutoResize() || bar.Control1AutoResize() || bar.Control2AutoResize())
        << "the shared switch works only in the designer";

    Form().SetDesigning(true);
    bar.SetAutoResize(true);
    EXPECT_TRUE(bar.ControlsAutoResize() && bar.Control1AutoResize() && bar.Control2AutoResize());
    int begins = 0, ends = 0;
    bar.OnBeginMove = [&](TObject*) { ++begins; };
    bar.OnEndMove = [&](TObject*) { ++ends; };
    bar.Refresh();
    Pump();
    EXPECT_EQ(left.BoundsRect(), TRect(0, 20, 50, 70)) << "painting in the designer moves nothing";
    Press(bar);
    DragTo(bar, 200);
    Release(bar);
    EXPECT_EQ(bar.Left(), 120);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 0) << "the release is the designer's";
    ReleaseCapture();
    bar.SetEnabled(false);
    Press(bar);
    EXPECT_EQ(begins, 1) << "a disabled bar ignores the press in the designer";
    bar.SetAutoResize(false);
    EXPECT_FALSE(bar.ControlsAutoResize() || bar.Control1AutoResize() || bar.Control2AutoResize());
    Form().SetDesigning(false);
}

TEST_F(CorvelSplitOnForm, AControlDeletedBesideTheBarLeavesItsPropertyAndTheDragGoesOn)
{
    auto* left = new TCustomControl(&Form());
    left->SetParent(&Form());
    left->SetBounds(0, 0, 50, 50);
    auto& right = Place<TCustomControl>(300, 0, 50, 50);
    auto& bar = Place<TCorvelSplit>(120, 0, 6, 100);
    bar.SetControl1AutoResize(true);
    bar.SetControl2AutoResize(true);
    bar.SetControl1(left);
    bar.SetControl2(left); // one control in both places: both references go with it
    bar.SetControl2(&right);
    bar.SetControl2(left);
    Pump();

    delete left;
    EXPECT_EQ(bar.Control1(), nullptr);
    EXPECT_EQ(bar.Control2(), nullptr);
    bar.SetControl2(&right);
    Press(bar);
    DragTo(bar, 200);
    Pump();
    Release(bar);
    EXPECT_EQ(bar.Left(), 200);
    EXPECT_EQ(right.Left(), 206) << "the remaining control still follows the bar";
}
