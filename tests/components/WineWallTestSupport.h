#pragma once
// Helpers of the wine wall tests: a wall on a real, shown form; the wall painted
// into a bitmap; a record of the compartments the wall asked about.
#include "components/WineWall.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

// Colours no part of a wall uses, so that a probe tells the wall's own paint from
// what was there before.
constexpr TColor BackdropColor = 0x00FF00FF; // the surface under the wall
constexpr TColor WallColor = 0x0080E0C0;     // the wall's Color in the tests

using TCell = std::pair<int, int>; // (row, column)

// A wall on a borderless form shown at a fixed place of the screen.
struct TWallOnForm {
    std::unique_ptr<TForm> Form;
    TWineWall* Wall = nullptr;

    explicit TWallOnForm(int wallLeft = 10, int wallTop = 20)
    {
        Application->Initialize();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 80, 600, 600);
        Wall = new TWineWall(Form.get());
        Wall->SetParent(Form.get());
        Wall->SetBounds(wallLeft, wallTop, 208, 375);
        Form->Show();
        Pump();
    }

    ~TWallOnForm()
    {
        // Device contexts a test took outside painting go back before the window goes.
        TControlCanvas::FreeDeviceContexts();
    }
    TWallOnForm(const TWallOnForm&) = delete;
    TWallOnForm& operator=(const TWallOnForm&) = delete;

    static void Pump() { Application->ProcessMessages(); }

    // A mouse message as the system sends it to the form, at a point of the wall.
    void Mouse(UINT msg, int x, int y, WPARAM keys = 0) const
    {
        SendMessageA(Form->Handle(), msg, keys, PointToLParam(x + Wall->Left(), y + Wall->Top()));
    }
};

// Remembers every compartment the wall asked about, in order, and answers with
// the bottles it was given.
struct TCellRecorder {
    struct TBottle {
        TColor Color;
        TColor EllipseColor;
    };
    std::vector<TCell> Asked;
    std::map<TCell, TBottle> Bottles;

    void Attach(TWineWall& wall)
    {
        wall.OnDrawing = [this](TObject*, int row, int col, bool& empty, TColor& color, TColor& ellipse) {
            Asked.emplace_back(row, col);
            const auto it = Bottles.find({row, col});
            if (it == Bottles.end())
                return;
            empty = false;
            if (it->second.Color != clNone)
                color = it->second.Color;
            if (it->second.EllipseColor != clNone)
                ellipse = it->second.EllipseColor;
        };
    }
};

// The wall painted into a bitmap of its size over the backdrop colour.
inline std::unique_ptr<TBitmap> PaintWall(TWineWall& wall, TColor backdrop = BackdropColor)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(wall.Width(), wall.Height());
    bitmap->Canvas()->Brush()->SetColor(backdrop);
    bitmap->Canvas()->FillRect(TRect(0, 0, wall.Width(), wall.Height()));
    wall.PaintTo(bitmap->Canvas()->Handle(), 0, 0);
    return bitmap;
}

// A pixel expected at a place of a painted wall.
struct TProbe {
    int X, Y;
    TColor Expected;
    const char* Why = "";
};

inline void ExpectPixels(const TBitmap& bitmap, std::initializer_list<TProbe> probes)
{
    for (const TProbe& p : probes)
        EXPECT_EQ(bitmap.Pixel(p.X, p.Y), p.Expected) << "at (" << p.X << ", " << p.Y << ") " << p.Why;
}

// The smallest rectangle around every pixel inside Area that is not Background
// (text is smoothed: its pixels are not all of the font colour), or an empty one.
inline TRect InkBox(const TBitmap& bitmap, const TRect& area, TColor background)
{
    TRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (bitmap.Pixel(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.IsEmpty() ? TRect() : box;
}
