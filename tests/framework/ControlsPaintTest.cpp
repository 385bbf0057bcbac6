// A graphic control draws only inside its bounds, however it is painted.
#include "GraphicsTestSupport.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
constexpr TColor Ink = 0x000000FF;
constexpr TColor Paper = 0x00FFFFFF;

// Paints more than its bounds, as a careless control might.
class TOverreachingControl : public TGraphicControl {
public:
    explicit TOverreachingControl(TComponent* owner) : TGraphicControl(owner) {}
    void Overreach(TCanvas& canvas)
    {
        canvas.Brush()->SetColor(Ink);
        canvas.FillRect(TRect(-20, -20, Width() + 20, Height() + 20));
    }

protected:
    void Paint() override { Overreach(*Canvas()); }
};

// Pixels of Bitmap inside and outside Inside, by colour.
void ExpectInkOnlyInside(const TBitmap& bitmap, const TRect& inside)
{
    for (int y = 0; y < bitmap.Height(); y += 3)
        for (int x = 0; x < bitmap.Width(); x += 3)
            ASSERT_EQ(bitmap.Pixel(x, y), inside.Contains(TPoint(x, y)) ? Ink : Paper) << x << ", " << y;
}
} // namespace

TEST(ControlsPaint, GraphicControlsStayInsideTheirBounds)
{
    TOverreachingControl control(nullptr);
    control.SetBounds(0, 0, 30, 20);

    // Into a larger surface: clipped to the bounds.
    TBitmap large;
    MakeBlank(large, 60, 50, Paper);
    control.PaintTo(large.Canvas()->Handle(), 10, 12);
    ExpectInkOnlyInside(large, TRect(10, 12, 40, 32));

    // Into a surface of its own size: all of it.
    TBitmap own;
    MakeBlank(own, 30, 20, Paper);
    control.PaintTo(own.Canvas()->Handle(), 0, 0);
    ExpectInkOnlyInside(own, TRect(0, 0, 30, 20));

    // Through a clip region inside it: only that part.
    TBitmap clipped;
    MakeBlank(clipped, 30, 20, Paper);
    HDC dc = clipped.Canvas()->Handle();
    IntersectClipRect(dc, 5, 4, 17, 9);
    control.PaintTo(dc, 0, 0);
    SelectClipRgn(dc, nullptr);
    ExpectInkOnlyInside(clipped, TRect(5, 4, 17, 9));
}

TEST(ControlsPaint, GraphicControlsStayInsideTheirBoundsOnTheParentWindow)
{
    Application->Initialize();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(50, 50, 120, 100);
    form->SetColor(Paper);
    auto* control = new TOverreachingControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(20, 30, 40, 25);
    form->Show();
    form->Repaint();
    TCanvas* window = form->Canvas();
    EXPECT_EQ(window->Pixel(25, 35), Ink);
    EXPECT_EQ(window->Pixel(15, 35), Paper);
    EXPECT_EQ(window->Pixel(25, 58), Paper);

    // Drawing outside painting, on a device context of the window.
    form->Canvas()->Brush()->SetColor(Paper);
    form->Canvas()->FillRect(TRect(0, 0, 120, 100));
    control->Overreach(*control->Canvas());
    EXPECT_EQ(window->Pixel(59, 54), Ink);
    EXPECT_EQ(window->Pixel(61, 54), Paper);
    EXPECT_EQ(window->Pixel(30, 28), Paper);
    TControlCanvas::FreeDeviceContexts();
}
