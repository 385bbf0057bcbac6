#pragma once
// A borderless form shown on the (virtual) screen, so that the drawn controls paint
// for real, take real mouse messages and read the real pointer; and the ways the
// tests look at what they drew.
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

class ScreenFormFixture : public testing::Test {
protected:
    static constexpr int FormLeft = 40, FormTop = 30;

    void SetUp() override
    {
        Application->Initialize();
        FForm = std::make_unique<TForm>(nullptr);
        FForm->SetBorderStyle(bsNone);
        FForm->SetBounds(FormLeft, FormTop, 400, 300);
        FForm->Show();
        Pump();
    }

    void TearDown() override
    {
        ReleaseCapture();
        FForm.reset();
        Pump();
    }

    TForm& Form() { return *FForm; }

    // A control of class T owned by and placed on the form.
    template <class T>
    T& Place(int left, int top, int width, int height)
    {
        auto* control = new T(FForm.get());
        control->SetParent(FForm.get());
        control->SetBounds(left, top, width, height);
        return *control;
    }

    static void Pump() { Application->ProcessMessages(); }

    // A mouse message as the system delivers it, at a point of the window's client area.
    static LRESULT Mouse(TWinControl& window, UINT msg, int x, int y, WPARAM keys = 0)
    {
        return SendMessageA(window.Handle(), msg, keys, PointToLParam(x, y));
    }

    // What the control looks like when painted on its own.
    static std::unique_ptr<TBitmap> Painted(TControl& control)
    {
        auto image = std::make_unique<TBitmap>();
        image->SetSize(control.Width(), control.Height());
        image->Canvas()->Brush()->SetColor(clFuchsia);
        image->Canvas()->FillRect(TRect(0, 0, control.Width(), control.Height()));
        control.PaintTo(image->Canvas()->Handle(), 0, 0);
        return image;
    }

    // A pixel of a windowless control as it stands in its parent's window now,
    // including what was drawn outside painting.
    static TColor OnWindow(TControl& control, int x, int y)
    {
        TWindowDC dc(control.Parent()->Handle());
        return static_cast<TColor>(GetPixel(dc.Get(), control.Left() + x, control.Top() + y));
    }

    static TColor Rgb(TColor color) { return static_cast<TColor>(ColorToRGB(color)); }

private:
    std::unique_ptr<TForm> FForm;
};

// Counts the paints of a control class, to tell a repaint from none.
template <class T>
class PaintCounting : public T {
public:
    using T::T;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        T::Paint();
    }
};

// Failures show rectangles as coordinates rather than bytes.
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

// The smallest rectangle inside Area holding every pixel for which Matches is true;
// empty when there is none.
inline TRect BoundsWhere(const TRect& area, const std::function<bool(int x, int y)>& matches)
{
    TRect found(area.right, area.bottom, area.left, area.top);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (matches(x, y)) {
                found.left = std::min<LONG>(found.left, x);
                found.top = std::min<LONG>(found.top, y);
                found.right = std::max<LONG>(found.right, x + 1);
                found.bottom = std::max<LONG>(found.bottom, y + 1);
            }
    return found;
}

// Where anything but the background was drawn in Area of Image.
inline TRect InkBounds(TBitmap& image, const TRect& area, TColor background)
{
    return BoundsWhere(area, [&](int x, int y) { return image.Pixel(x, y) != background; });
}
