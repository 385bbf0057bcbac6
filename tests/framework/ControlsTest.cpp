// Controls in real windows: focus refused where it cannot go, a windowless
// control tracking the pointer through the capture, z-order, and tab order read
// from a form resource whatever the creation order.
#include "WindowTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class ControlsWindows : public TFormFixture {};

// A windowless control that takes the capture on a left press and records the
// mouse messages it is handed, in its own coordinates.
class TTracker : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string> Events;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        Events.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
        TGraphicControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override
    {
        if (MouseCapture())
            Events.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
        TGraphicControl::MouseMove(Shift, X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        Events.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
        TGraphicControl::MouseUp(Button, Shift, X, Y);
    }
};

void ExpectFocusRefused(TWinControl& control)
{
    try {
        control.SetFocus();
        ADD_FAILURE() << "the focus was taken";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
    }
}

} // namespace

TEST_F(ControlsWindows, FocusIsRefusedToHiddenAndDisabledControlsAndTheirChildren)
{
    auto* edit = Add<TEdit>(10, 10, 100, 21);
    auto* panelled = Add<TEdit>(10, 50, 100, 21);
    auto* panel = Add<TWinControl>(0, 40, 200, 60);
    panelled->SetParent(panel);
    ShowForm();
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());

    panelled->Hide();
    ExpectFocusRefused(*panelled);
    panelled->Show();
    panelled->SetEnabled(false);
    ExpectFocusRefused(*panelled);
    panelled->SetEnabled(true);
    panel->SetEnabled(false); // a disabled parent disables what it holds
    ExpectFocusRefused(*panelled);
    panel->SetEnabled(true);
    Form->Hide();
    ExpectFocusRefused(*edit);
}

TEST_F(ControlsWindows, AGraphicControlHoldingTheCaptureFollowsThePointerOutsideItself)
{
    auto* tracker = new TTracker(Form.get());
    tracker->SetParent(Form.get());
    tracker->SetBounds(50, 40, 60, 30);
    ShowForm();
    const TPoint origin = tracker->ClientToScreen(TPoint(0, 0));

    MovePointer(TPoint(origin.x + 10, origin.y + 5));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !tracker->Events.empty(); }));
    EXPECT_TRUE(tracker->MouseCapture());
    EXPECT_EQ(GetCapture(), Form->Handle()); // through its parent's window
    MovePointer(TPoint(origin.x - 30, origin.y + 100)); // left of and below it, still on the form
    MovePointer(TPoint(origin.x + 600, origin.y - 80)); // off the form altogether
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return tracker->Events.back().rfind("up", 0) == 0; }));

    EXPECT_EQ(tracker->Events.front(), "down 10,5");
    EXPECT_NE(std::find(tracker->Events.begin(), tracker->Events.end(), "move -30,100"), tracker->Events.end());
    EXPECT_NE(std::find(tracker->Events.begin(), tracker->Events.end(), "move 600,-80"), tracker->Events.end());
    EXPECT_EQ(tracker->Events.back(), "up 600,-80");
    EXPECT_FALSE(tracker->MouseCapture());
}

TEST_F(ControlsWindows, BringingAWindowedControlToTheFrontRaisesItsWindow)
{
    auto* lower = Add<TEdit>(10, 10, 100, 21);
    auto* upper = Add<TEdit>(30, 15, 100, 21);
    ShowForm();
    auto topChild = [&] { return GetWindow(Form->Handle(), GW_CHILD); };
    lower->BringToFront();
    EXPECT_EQ(topChild(), lower->Handle());
    EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), lower);
    lower->SendToBack();
    EXPECT_EQ(topChild(), upper->Handle());
    EXPECT_EQ(Form->Controls(0), lower);
}

namespace {
// A form whose resource names its buttons in one order and their tab order in another.
class TTabOrderForm : public TForm {
    FW_CLASS(TTabOrderForm)
public:
    explicit TTabOrderForm(TComponent* owner) : TForm(owner) {}
    TButton* BU_A = nullptr;
    TButton* BU_B = nullptr;
    TButton* BU_C = nullptr;
    TEdit* ED_D = nullptr;
};
FW_BEGIN_CLASS(TTabOrderForm, TForm)
    .Field("BU_A", &C::BU_A)
    .Field("BU_B", &C::BU_B)
    .Field("BU_C", &C::BU_C)
    .Field("ED_D", &C::ED_D)
FW_END_CLASS
} // namespace

TEST_F(ControlsWindows, TabOrderComesFromTheResourceWhateverTheCreationOrder)
{
    TTabOrderForm form(nullptr);
    ReadComponent("TTabOrderForm FM_Tabs {\n"
                  "  TButton BU_A {\n    TabOrder = 3\n  }\n"
                  "  TButton BU_B {\n    TabOrder = 0\n  }\n"
                  "  TButton BU_C {\n    TabOrder = 2\n  }\n"
                  "  TEdit ED_D {\n    TabOrder = 1\n  }\n"
                  "}\n",
                  form, "FM_Tabs");
    EXPECT_EQ(form.TabList(), (std::vector<TWinControl*>{form.BU_B, form.ED_D, form.BU_C, form.BU_A}));
    EXPECT_EQ(form.BU_A->TabOrder(), 3);
    EXPECT_EQ(form.ED_D->TabOrder(), 1);

    // Tab walks that order on the screen, from the first control the form focuses.
    form.SetBounds(100, 100, 300, 200);
    form.Show();
    PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }, 1000);
    EXPECT_TRUE(form.BU_B->Focused());
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 4; ++i) {
        PressKey(VK_TAB);
        visited.push_back(form.ActiveControl());
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{form.ED_D, form.BU_C, form.BU_A, form.BU_B}));
}

TEST_F(ControlsWindows, AWindowedControlDestroyedOnItsParentLeavesItsTabList)
{
    auto* first = new TButton(Form.get());
    first->SetParent(Form.get());
    auto* edit = new TEdit(nullptr); // owned by no one: only its parent knows it
    edit->SetParent(Form.get());
    auto* last = new TButton(Form.get());
    last->SetParent(Form.get());
    ShowForm();
    delete edit;
    delete first;
    EXPECT_EQ(Form->TabList(), std::vector<TWinControl*>{last});
    EXPECT_EQ(Form->ControlCount(), 1);
    Form->SelectNext(true); // walks the tab list
    EXPECT_TRUE(last->Focused());
}
