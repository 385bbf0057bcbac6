// Tooltips of plain controls, driven by the real pointer and read from outside:
// which controls show one, which part of the hint, and the status bar beside it.
#include "WindowTestSupport.h"
#include "support/HintOnScreen.h"

#include "framework/widgets/Label.h"
#include "framework/widgets/StatusBar.h"

namespace {
class FormsHintWindow : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Application->SetShowHint(true);
        Application->SetHintPause(100);
        Application->SetHintHidePause(0); // stays while the pointer rests
    }
    void TearDown() override
    {
        Application->SetShowHint(false);
        TFormFixture::TearDown();
    }
    TLabel* LabelWithHint(int top, const char* hint)
    {
        auto* label = Add<TLabel>(20, top, 150, 20);
        label->SetCaption(hint);
        label->SetHint(hint);
        return label;
    }
};
} // namespace

TEST_F(FormsHintWindow, ShowHintOrTheParentsDecidesAndTheShortPartShows)
{
    TLabel* own = LabelWithHint(20, "Open|Opens the cellar book");
    own->SetShowHint(true);
    TLabel* inherits = LabelWithHint(60, "Inherits"); // ParentShowHint, on a form without hints
    auto* status = Add<TStatusBar>(0, 0, 0, 20);
    status->SetAlign(alBottom);
    status->SetSimplePanel(true);
    status->SetAutoHint(true);
    ShowForm();

    MovePointer(CentreOf(*own));
    EXPECT_TRUE(PumpUntil([] { return HintOnScreen().Visible; }));
    EXPECT_EQ(HintOnScreen().Text, "Open");
    EXPECT_EQ(status->SimpleText(), "Opens the cellar book") << "the status bar keeps the long part";

    MovePointer(CentreOf(*inherits));
    EXPECT_TRUE(PumpUntil([] { return !HintOnScreen().Visible; }));
    PumpFor(300);
    EXPECT_FALSE(HintOnScreen().Visible);
    EXPECT_EQ(status->SimpleText(), "Inherits");

    // The form turns hints on after its labels were placed: they follow it.
    Form->SetShowHint(true);
    MovePointer(TPoint(CentreOf(*inherits).x + 5, CentreOf(*inherits).y));
    EXPECT_TRUE(PumpUntil([] { return HintOnScreen().Visible; }));
    EXPECT_EQ(HintOnScreen().Text, "Inherits");

    Application->SetShowHint(false);
    EXPECT_EQ(FindWindowA("THintWindow", nullptr), nullptr) << "tooltips off: their window is gone";
}
