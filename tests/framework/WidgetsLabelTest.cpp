// The label as it paints on its form: sized to its text, aligned, transparent
// over the form's colour, and embossed when disabled. Text is probed by where
// its pixels fall and their colours, not by glyph shapes.
#include "WindowTestSupport.h"

#include "framework/widgets/Label.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

// The columns and rows of a rectangle of the bitmap holding a given colour.
struct TInk {
    int Left = INT32_MAX, Right = -1, Top = INT32_MAX, Bottom = -1, Count = 0;
};

TInk FindInk(const TBitmap& bitmap, const TRect& area, TColor color)
{
    TInk ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (bitmap.Pixel(x, y) == color) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ++ink.Count;
            }
    return ink;
}

class WidgetsLabel : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Form->SetColor(clYellow);
        Label = Add<TLabel>(20, 20, 10, 10);
        Label->Font()->SetColor(clBlack);
        Label->SetCaption("Install Elvarine");
    }
    TRect LabelArea() const { return Label->BoundsRect(); }
    TLabel* Label = nullptr;
};

} // namespace

TEST_F(WidgetsLabel, AutoSizeFitsTheBoundsToTheTextInTheLabelsFont)
{
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Label->Font());
    EXPECT_EQ(Label->Width(), measure.Canvas()->TextWidth("Install Elvarine"));
    EXPECT_EQ(Label->Height(), measure.Canvas()->TextHeight("Install Elvarine"));

    Label->Font()->SetHeight(-20);
    measure.Canvas()->Font()->SetHeight(-20);
    EXPECT_EQ(Label->Width(), measure.Canvas()->TextWidth("Install Elvarine"));
    Label->SetCaption("");
    EXPECT_GT(Label->Height(), 0); // an empty caption keeps one line
    EXPECT_GT(Label->Width(), 0);

    // A right-aligned label grows to the left: its right edge stays.
    Label->SetCaption("1-");
    Label->SetAlignment(taRightJustify);
    const int right = Label->Left() + Label->Width();
    Label->SetCaption("1- Install");
    EXPECT_EQ(Label->Left() + Label->Width(), right);

    Label->SetAutoSize(false);
    Label->SetCaption("1");
    EXPECT_EQ(Label->Left() + Label->Width(), right);
    EXPECT_GT(Label->Width(), measure.Canvas()->TextWidth("1"));
}

TEST_F(WidgetsLabel, AlignmentPlacesTheTextInsideFixedBounds)
{
    Label->SetAutoSize(false);
    Label->SetBounds(20, 20, 200, 20);
    Label->SetCaption("1-");
    Label->SetColor(clWhite);
    Label->SetTransparent(false);
    ShowForm();

    const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
    TInk inks[3];
    for (int i = 0; i < 3; ++i) {
        Label->SetAlignment(alignments[i]);
        inks[i] = FindInk(*Snapshot(*Form), LabelArea(), clBlack);
        ASSERT_GT(inks[i].Count, 0);
    }
    const int textWidth = inks[0].Right - inks[0].Left;
    EXPECT_LT(inks[0].Left, 20 + 3);
    EXPECT_NEAR((inks[1].Left + inks[1].Right) / 2, 20 + 100, 2);
    EXPECT_GT(inks[2].Right, 220 - 4);
    EXPECT_NEAR(inks[2].Right - inks[2].Left, textWidth, 1);
}

TEST_F(WidgetsLabel, ATransparentLabelLetsTheFormShowBetweenItsLetters)
{
    Label->SetColor(clWhite);
    ShowForm();
    auto opaque = Snapshot(*Form);
    EXPECT_GT(FindInk(*opaque, LabelArea(), clWhite).Count, 0);
    EXPECT_EQ(FindInk(*opaque, LabelArea(), clYellow).Count, 0);

    Label->SetTransparent(true);
    auto clear = Snapshot(*Form);
    EXPECT_EQ(FindInk(*clear, LabelArea(), clWhite).Count, 0);
    EXPECT_GT(FindInk(*clear, LabelArea(), clYellow).Count, 0);
    // The same letters in both.
    EXPECT_EQ(FindInk(*clear, LabelArea(), clBlack).Count, FindInk(*opaque, LabelArea(), clBlack).Count);
}

TEST_F(WidgetsLabel, ADisabledLabelIsEmbossedInTheSystemsShadowAndHighlight)
{
    Label->SetAutoSize(false); // room for the highlight below and right of the letters
    Label->SetBounds(20, 20, 200, 30);
    Label->SetColor(clYellow);
    ShowForm();
    const TInk enabled = FindInk(*Snapshot(*Form), LabelArea(), clBlack);
    Label->SetEnabled(false);
    auto shot = Snapshot(*Form);
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    const TColor highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
    const TInk dark = FindInk(*shot, LabelArea(), shadow);
    const TInk light = FindInk(*shot, LabelArea(), highlight);
    EXPECT_EQ(FindInk(*shot, LabelArea(), clBlack).Count, 0);
    EXPECT_EQ(dark.Left, enabled.Left); // the shadow colour takes the letters' place
    EXPECT_EQ(dark.Top, enabled.Top);
    EXPECT_GT(light.Count, 0); // and the highlight shows one pixel down and right
    EXPECT_EQ(light.Right, enabled.Right + 1);
    EXPECT_EQ(light.Bottom, enabled.Bottom + 1);
}

namespace {
// Fails while measuring, after noting the device context it was measuring on.
class TFailingLabel : public TLabel {
public:
    using TLabel::TLabel;
    HDC MeasuredOn = nullptr;

protected:
    void DoDrawText(TRect& Rect, UINT Flags) override
    {
        if (Flags & DT_CALCRECT) {
            MeasuredOn = Canvas()->Handle();
            throw std::runtime_error("No font today");
        }
        TLabel::DoDrawText(Rect, Flags);
    }
};
} // namespace

TEST(WidgetsLabelMeasuring, AFailureWhileSizingToTheTextGivesTheScreenDCBack)
{
    TFailingLabel label(nullptr);
    EXPECT_THROW(label.SetCaption("Elvarine"), std::runtime_error);
    ASSERT_NE(label.MeasuredOn, nullptr);
    // Released already, so the system has nothing left to release.
    EXPECT_EQ(ReleaseDC(nullptr, label.MeasuredOn), 0);
}
