#include "ScreenFormFixture.h"

#include "components/ColorButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
using PixelReader = std::function<TColor(int x, int y)>;

// The face: the smallest rectangle holding every pixel of the colour, which must
// also be filled by it.
TRect FaceOf(const TControl& button, TColor color, const PixelReader& pixel)
{
    int count = 0;
    const TRect face = BoundsWhere(TRect(0, 0, button.Width(), button.Height()), [&](int x, int y) {
        const bool inFace = pixel(x, y) == color;
        count += inFace;
        return inFace;
    });
    EXPECT_EQ(count, face.Width() * face.Height()) << "the face is not one solid rectangle";
    return face;
}
} // namespace

using ColorButtonOnForm = ScreenFormFixture;

TEST_F(ColorButtonOnForm, FaceRaisedAndPressedByAnyMouseButton)
{
    TColorButton fresh(nullptr);
    EXPECT_EQ(fresh.BoundsRect(), TRect(0, 0, 0, 0));
    EXPECT_EQ(fresh.Color(), clBlack);

    auto& button = Place<TColorButton>(30, 50, 75, 25);
    button.SetColor(clRed);
    Pump();
    auto up = Painted(button);
    EXPECT_EQ(FaceOf(button, clRed, [&](int x, int y) { return up->Pixel(x, y); }), TRect(2, 2, 72, 22));
    const PixelReader onWindow = [&](int x, int y) { return OnWindow(button, x, y); };
    const int x = button.Left() + 10, y = button.Top() + 10;

    Mouse(Form(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    EXPECT_EQ(FaceOf(button, clRed, onWindow), TRect(3, 3, 73, 23));
    // Released away from the button, which still holds the pointer.
    Mouse(Form(), WM_LBUTTONUP, 390, 290);
    EXPECT_EQ(FaceOf(button, clRed, onWindow), TRect(2, 2, 72, 22));

    Mouse(Form(), WM_RBUTTONDOWN, x, y, MK_RBUTTON);
    EXPECT_EQ(FaceOf(button, clRed, onWindow), TRect(3, 3, 73, 23));
    Mouse(Form(), WM_RBUTTONUP, x, y);
    EXPECT_EQ(FaceOf(button, clRed, onWindow), TRect(2, 2, 72, 22));
}

TEST_F(ColorButtonOnForm, CaptionAtTheRightOfTheFaceMovesWithIt)
{
    auto& button = Place<TColorButton>(30, 50, 75, 25);
    button.SetColor(clYellow);
    button.Font()->SetColor(clBlack);
    Pump();
    auto empty = Painted(button);
    EXPECT_TRUE(InkBounds(*empty, TRect(2, 2, 72, 22), clYellow).IsEmpty()) << "no caption, no text";

    const std::string caption = "Ok";
    button.SetCaption(caption);
    TBitmap measure;
    measure.Canvas()->Font()->Assign(button.Font());
    const TSize extent = measure.Canvas()->TextExtent(caption);
    const TRect textBox(72 - (extent.cx + 2), 2 + (20 - extent.cy) / 2, 72 - 2, 2 + (20 - extent.cy) / 2 + extent.cy);
    auto up = Painted(button);
    const TRect ink = InkBounds(*up, TRect(2, 2, 72, 22), clYellow);
    ASSERT_FALSE(ink.IsEmpty()) << "no caption drawn";
    EXPECT_EQ(ink.Intersect(textBox), ink) << "the caption lies outside its box";
    EXPECT_GE(ink.right, textBox.right - 2) << "the caption is not right-aligned";

    Mouse(Form(), WM_LBUTTONDOWN, button.Left() + 10, button.Top() + 10, MK_LBUTTON);
    const TRect pressed =
        BoundsWhere(TRect(3, 3, 73, 23), [&](int x, int y) { return OnWindow(button, x, y) != clYellow; });
    EXPECT_EQ(pressed, ink.Offset(1, 1));
    Mouse(Form(), WM_LBUTTONUP, button.Left() + 10, button.Top() + 10);
}

TEST_F(ColorButtonOnForm, EqualValuesDoNotRepaintAndMouseEventsReachTheOwner)
{
    auto& button = Place<PaintCounting<TColorButton>>(30, 50, 75, 25);
    Pump();
    button.Paints = 0;
    button.SetColor(clBlack);
    button.SetCaption("");
    EXPECT_EQ(button.Paints, 0);
    button.SetColor(clRed);
    button.SetCaption("Rouge");
    button.SetCaption("Rouge");
    button.SetColor(clRed);
    EXPECT_EQ(button.Paints, 2);

    std::vector<std::string> log;
    button.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) { log.push_back("down" + std::to_string(b)); };
    button.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) { log.push_back("up" + std::to_string(b)); };
    button.OnClick = [&](TObject*) { log.push_back("click"); };
    const int x = button.Left() + 10, y = button.Top() + 10;
    Mouse(Form(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(Form(), WM_LBUTTONUP, x, y);
    Mouse(Form(), WM_RBUTTONDOWN, x, y, MK_RBUTTON);
    Mouse(Form(), WM_RBUTTONUP, x, y);
    EXPECT_EQ(log, (std::vector<std::string>{"down0", "click", "up0", "down1", "up1"}));
}
