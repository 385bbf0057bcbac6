// Anchors and size constraints on real windows: a form resized as a user or a
// program would, and the bounds its controls end up with.
#include "WindowTestSupport.h"

#include "framework/controls/Anchors.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/core/Exceptions.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Label.h"

inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

class ControlsLayout : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Form->SetBorderStyle(bsSizeable);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
    }
    void ResizeClient(int width, int height)
    {
        Form->SetClientWidth(width);
        Form->SetClientHeight(height);
        Application->ProcessMessages();
        ASSERT_EQ(Form->ClientWidth(), width);
        ASSERT_EQ(Form->ClientHeight(), height);
    }
};

TEST_F(ControlsLayout, AnchoredControlsFollowTheFormsEdgesAndComeBackExactly)
{
    struct TCase {
        TAnchors Anchors;
        TRect Grown; // after the client area goes from 300 x 200 to 340 x 230
    };
    const TCase cases[] = {
        {{akLeft, akTop}, TRect(100, 50, 160, 90)},
        {{akRight, akBottom}, TRect(140, 80, 200, 120)},
        {{akLeft, akRight, akTop}, TRect(100, 50, 200, 90)},
        {{akLeft, akTop, akBottom}, TRect(100, 50, 160, 120)},
        // Anchored to neither edge of an axis, the centre keeps its proportion.
        {{}, TRect(117, 60, 177, 100)},
    };
    ShowForm();
    std::vector<TControl*> controls;
    for (const TCase& c : cases) {
        // Windowed and windowless controls follow the same rules.
        TControl* control = controls.size() % 2 ? static_cast<TControl*>(Add<TLabel>(100, 50, 60, 40))
                                                : Add<TButton>(100, 50, 60, 40);
        control->SetAnchors(c.Anchors);
        controls.push_back(control);
    }
    ResizeClient(340, 230);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->BoundsRect(), cases[i].Grown) << "case " << i;

    ResizeClient(250, 180);
    ResizeClient(300, 200);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->BoundsRect(), TRect(100, 50, 160, 90)) << "case " << i;
}

TEST_F(ControlsLayout, AControlMovedByTheProgramKeepsItsNewDistances)
{
    ShowForm();
    auto* button = Add<TButton>(200, 150, 60, 30);
    button->SetAnchors({akRight, akBottom});
    ResizeClient(320, 220);
    EXPECT_EQ(button->BoundsRect(), TRect(220, 170, 280, 200));
    button->SetBounds(10, 10, 60, 30);
    ResizeClient(300, 200);
    EXPECT_EQ(button->BoundsRect(), TRect(-10, -10, 50, 20));
    // Back to the defaults: the control stays where it is.
    button->SetAnchors(DefaultAnchors);
    ResizeClient(400, 300);
    EXPECT_EQ(button->BoundsRect(), TRect(-10, -10, 50, 20));
}

TEST_F(ControlsLayout, ConstraintsBoundEverySizeTheControlIsGiven)
{
    auto* label = Add<TLabel>(10, 10, 60, 30);
    label->SetAutoSize(false);
    TSizeConstraints& limits = *label->Constraints();
    limits.SetMinWidth(50);
    limits.SetMaxWidth(80);
    limits.SetMinHeight(20);
    struct TCase {
        int Width, Height, ExpectedWidth, ExpectedHeight;
    };
    for (const TCase& c : {TCase{10, 10, 50, 20}, TCase{100, 500, 80, 500}, TCase{60, 25, 60, 25}}) {
        label->SetBounds(10, 10, c.Width, c.Height);
        EXPECT_EQ(label->Width(), c.ExpectedWidth) << c.Width;
        EXPECT_EQ(label->Height(), c.ExpectedHeight) << c.Height;
    }
    // A new limit applies at once.
    limits.SetMaxWidth(55);
    EXPECT_EQ(label->Width(), 55);
    // A negative limit is refused and changes nothing.
    EXPECT_THROW(limits.SetMinHeight(-1), EInvalidOperation);
    EXPECT_EQ(limits.MinHeight(), 20);
    EXPECT_EQ(label->Height(), 25);
}

TEST_F(ControlsLayout, AStretchedControlStopsAtItsMaximumAndAFormAtItsMinimum)
{
    ShowForm();
    auto* button = Add<TButton>(10, 10, 100, 30);
    button->Constraints()->SetMaxWidth(150);
    button->SetAnchors({akLeft, akTop, akRight});
    ResizeClient(400, 200);
    EXPECT_EQ(button->Width(), 150);
    ResizeClient(300, 200);
    EXPECT_EQ(button->Width(), 100) << "the width comes back from the distances, not from the clipped width";

    // The user's resizing of the form keeps to the form's constraints.
    Form->Constraints()->SetMinWidth(250);
    Form->Constraints()->SetMaxHeight(500);
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{100, 100};
    info.ptMaxTrackSize = POINT{1024, 768};
    SendMessageA(Form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMaxTrackSize.y, 500);
}
