// Controls that come and go under the user's hands: the tab order after deletions,
// focus events while windows are destroyed or re-created, the drag engine with a
// source or target that disappears, and child-window ids that stay few.
#include "WindowTestSupport.h"

#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/ListBox.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

class ControlsTeardown : public TFormFixture {
protected:
    std::vector<std::string> Log;
    void Watch(TWinControl* control, const std::string& name)
    {
        control->OnEnter = [this, name](TObject*) { Log.push_back("enter " + name); };
        control->OnExit = [this, name](TObject*) { Log.push_back("exit " + name); };
    }
};

TWinControl* FocusedControl()
{
    for (HWND w = GetFocus(); w; w = GetParent(w))
        if (TWinControl* c = TWinControl::FindControl(w))
            return c;
    return nullptr;
}

} // namespace

TEST_F(ControlsTeardown, TabWalksOnlyTheControlsLeftAfterDeletionsInAnyOrder)
{
    std::vector<TWinControl*> controls;
    for (int i = 0; i < 6; ++i)
        controls.push_back(i % 3 == 2 ? static_cast<TWinControl*>(Add<TComboBox>(10, 10 + i * 30, 120, 21))
                                      : Add<TEdit>(10, 10 + i * 30, 120, 21));
    ShowForm();
    std::mt19937 random(20261208);
    std::shuffle(controls.begin(), controls.end(), random);
    while (!controls.empty()) {
        // Delete the focused control every other time: the focus then has nowhere to be.
        if (controls.size() % 2 == 0)
            controls.back()->SetFocus();
        delete controls.back();
        controls.pop_back();
        std::vector<TWinControl*> tabs = Form->TabList();
        std::vector<TWinControl*> left = controls;
        std::sort(tabs.begin(), tabs.end());
        std::sort(left.begin(), left.end());
        ASSERT_EQ(tabs, left);
        if (controls.empty())
            break;
        controls.front()->SetFocus();
        PressKey(VK_TAB);
        EXPECT_NE(std::find(controls.begin(), controls.end(), FocusedControl()), controls.end())
            << "Tab reached a control that is gone";
    }
}

TEST_F(ControlsTeardown, NoEnterOrExitWhileWindowsGoAndARecreatedControlKeepsTheFocus)
{
    auto* edit = Add<TEdit>(10, 10, 120, 21);
    auto* combo = Add<TComboBox>(10, 40, 120, 21);
    auto* other = Add<TEdit>(10, 70, 120, 21);
    Watch(edit, "edit");
    Watch(combo, "combo");
    Watch(other, "other");
    ShowForm();

    combo->SetFocus();
    Log.clear();
    combo->SetStyle(csDropDownList); // a new window
    EXPECT_TRUE(combo->Focused());
    combo->SetStyle(csDropDown);
    EXPECT_TRUE(combo->Focused());
    EXPECT_TRUE(combo->EditHandle() && GetFocus() == combo->EditHandle());
    EXPECT_EQ(Log, std::vector<std::string>{}) << "the user moved nothing";

    edit->SetFocus();
    Log.clear();
    delete edit; // its exit handler would run on a control half destroyed
    EXPECT_EQ(Log, std::vector<std::string>{});

    other->SetFocus();
    Log.clear();
    Form.reset(); // a form closing takes its focused control with it, quietly
    EXPECT_EQ(Log, std::vector<std::string>{});
}

namespace {

class DragEngine : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Source = Add<TCustomControl>(10, 10, 80, 80);
        Source->SetDragMode(dmAutomatic);
        Source->OnStartDrag = [this](TObject*) { Log.push_back("start"); };
        Source->OnEndDrag = [this](TObject*, TObject* target, int x, int y) {
            Log.push_back(target ? "end on target at " + std::to_string(x) + "," + std::to_string(y) : "end on nothing");
            EndTarget = target;
        };
        Target = Add<TCustomControl>(200, 10, 100, 100);
        Target->OnDragOver = [this](TObject*, TObject* source, int, int, TDragState state, bool& accept) {
            static const char* const names[] = {"enter", "leave", "move"};
            Log.push_back(std::string("over ") + names[state] + (source == Source ? "" : " from a stranger"));
            accept = true;
        };
        Target->OnDragDrop = [this](TObject*, TObject*, int x, int y) {
            Log.push_back("drop at " + std::to_string(x) + "," + std::to_string(y));
        };
        ShowForm();
    }
    void Press(const TPoint& at)
    {
        MovePointer(at);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        PumpFor(30);
    }
    void MoveTo(const TPoint& at)
    {
        MovePointer(at);
        PumpFor(30);
    }
    void Release()
    {
        SendMouse(MOUSEEVENTF_LEFTUP);
        PumpFor(30);
    }

    TCustomControl* Source = nullptr;
    TCustomControl* Target = nullptr;
    TObject* EndTarget = reinterpret_cast<TObject*>(1);
    std::vector<std::string> Log;
};

} // namespace

TEST_F(DragEngine, ADragStartsPastTheThresholdVisitsTheTargetAndDropsOnIt)
{
    Press(CentreOf(*Source));
    EXPECT_TRUE(Source->Dragging());
    EXPECT_EQ(Log, std::vector<std::string>{}) << "not started before the pointer moves";
    MoveTo(Source->ClientToScreen(TPoint(60, 40)));
    MoveTo(Target->ClientToScreen(TPoint(10, 10)));
    MoveTo(Target->ClientToScreen(TPoint(20, 30)));
    MoveTo(Form->ClientToScreen(TPoint(150, 200)));
    MoveTo(Target->ClientToScreen(TPoint(25, 35)));
    Release();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "over enter", "over move", "over leave", "over enter",
                                              "drop at 25,35", "end on target at 25,35"}));
}

TEST_F(DragEngine, ATargetDestroyedUnderTheDragIsNotDroppedOn)
{
    Press(CentreOf(*Source));
    MoveTo(Source->ClientToScreen(TPoint(60, 40)));
    MoveTo(Target->ClientToScreen(TPoint(10, 10)));
    delete Target;
    Release();
    EXPECT_EQ(EndTarget, nullptr);
    EXPECT_EQ(Log.back(), "end on nothing");
}

TEST_F(DragEngine, ASourceDestroyedUnderTheDragEndsItAndGivesTheMouseBack)
{
    Press(CentreOf(*Source));
    MoveTo(Source->ClientToScreen(TPoint(60, 40)));
    ASSERT_NE(GetCapture(), nullptr);
    delete Source;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    MoveTo(Target->ClientToScreen(TPoint(10, 10)));
    Release();
    EXPECT_EQ(Log, (std::vector<std::string>{"start"}));
}

TEST_F(ControlsTeardown, ChildIdsStayAsFewAsTheChildrenAndMeasuringStillFindsItsList)
{
    auto* list = Add<TListBox>(10, 10, 120, 80);
    list->SetStyle(lbOwnerDrawVariable);
    int measured = 0;
    list->OnMeasureItem = [&](TWinControl*, int, int& height) {
        ++measured;
        height = 20;
    };
    ShowForm();
    for (int i = 0; i < 50; ++i) {
        delete Add<TEdit>(10, 100, 50, 21);
        list->SetSorted(i % 2 == 0); // a new window each time
    }
    auto* edit = Add<TEdit>(10, 100, 50, 21);
    const int listId = GetDlgCtrlID(list->Handle());
    const int editId = GetDlgCtrlID(edit->Handle());
    EXPECT_NE(listId, editId);
    EXPECT_LT(std::max(listId, editId), 100 + 2) << "ids are reused, not counted up";

    measured = 0;
    list->Items()->Add("Margaux");
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 20);
}
