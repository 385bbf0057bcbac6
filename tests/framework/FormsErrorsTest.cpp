// Errors raised by handlers never cross the system: whatever the entry (a timer, a
// key, a paint, a hook on a window, the report itself), the program reports one
// error at a time and goes on.
#include "WindowTestSupport.h"

#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/Timer.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class TFailingPaint : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool Fail = false;
    int Paints = 0;
    HDC PaintedOn = nullptr;

protected:
    void Paint() override
    {
        ++Paints;
        PaintedOn = Canvas()->Handle();
        if (Fail)
            throw std::runtime_error("The label is torn");
    }
};

class FormsErrors : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        // Stands for the message box, whose modal loop keeps dispatching messages.
        Application->MessageBoxHook = [this](const std::string& text, const std::string&, UINT) {
            Reports.push_back(text);
            PumpFor(250);
            return IDOK;
        };
    }
    void TearDown() override
    {
        Application->MessageBoxHook = nullptr;
        Application->OnException = nullptr;
        TFormFixture::TearDown();
    }
    std::vector<std::string> Reports;
};

} // namespace

TEST_F(FormsErrors, ATimerAKeyAndAPaintThatRaiseAreReportedOneAtATimeAndTheProgramGoesOn)
{
    auto* timer = new TTimer(Form.get());
    int ticks = 0;
    timer->SetInterval(20);
    timer->OnTimer = [&](TObject*) {
        ++ticks;
        throw std::runtime_error("The cellar is locked");
    };
    // Ticks while the box is open are the point; once it closes, a tick may rightly
    // raise a second box before this loop looks.
    const auto openBox = Application->MessageBoxHook;
    Application->MessageBoxHook = [&](const std::string& text, const std::string& caption, UINT flags) {
        const int answer = openBox(text, caption, flags);
        timer->SetEnabled(false);
        return answer;
    };
    ASSERT_TRUE(PumpUntil([&] { return !Reports.empty(); }));
    EXPECT_GT(ticks, 3) << "the timer kept firing under the open box";
    EXPECT_EQ(Reports, std::vector<std::string>{"The cellar is locked."}) << "one box, not one per tick";

    auto* edit = Add<TEdit>(10, 10, 100, 21);
    edit->OnKeyPress = [](TObject*, char&) { throw std::runtime_error("No such vintage"); };
    auto* painted = Add<TFailingPaint>(10, 50, 100, 40);
    ShowForm();
    edit->SetFocus();
    PressKey('A');
    ASSERT_EQ(Reports.size(), 2u);
    EXPECT_EQ(Reports[1], "No such vintage.");

    painted->Fail = true;
    painted->Paints = 0;
    painted->Invalidate();
    PumpFor(300);
    EXPECT_EQ(painted->Paints, 1);
    EXPECT_EQ(ReleaseDC(painted->Handle(), painted->PaintedOn), 0) << "the failed paint gave its DC back";
    ASSERT_EQ(Reports.size(), 3u);
    EXPECT_EQ(Reports[2], "The label is torn.");

    painted->Fail = false;
    edit->OnKeyPress = nullptr;
    PressKey('B');
    EXPECT_EQ(edit->Text(), "b");
}

TEST_F(FormsErrors, AHookOnAWindowAndAFailingReportRaiseNothingIntoTheSystem)
{
    // A descendant's own procedure on a window, made by the framework's thunk.
    auto* combo = Add<TComboBox>(10, 10, 150, 21);
    ShowForm();
    WNDPROC previous = nullptr;
    TWndProcThunk hook([&](TMessage& m) {
        if (m.Msg == WM_CHAR)
            throw std::runtime_error("Typed in the wrong cellar");
        m.Result = CallWindowProcA(previous, combo->EditHandle(), m.Msg, m.WParam, m.LParam);
    });
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(combo->EditHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.Proc())));
    combo->SetFocus();
    PressKey('C');
    SetWindowLongPtrA(combo->EditHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    EXPECT_EQ(Reports, std::vector<std::string>{"Typed in the wrong cellar."});

    // A handler of reports that fails itself: the error it was given is shown.
    Application->OnException = [](TObject*, const std::exception&) { throw std::runtime_error("reporter down"); };
    auto* edit = Add<TEdit>(10, 50, 100, 21);
    edit->OnKeyPress = [](TObject*, char&) { throw std::runtime_error("No such vintage"); };
    edit->SetFocus();
    PressKey('A');
    ASSERT_EQ(Reports.size(), 2u);
    EXPECT_EQ(Reports[1], "No such vintage.");

    // A box that cannot be shown: the error is lost, the program is not.
    Application->MessageBoxHook = [](const std::string&, const std::string&, UINT) -> int {
        throw std::runtime_error("no box today");
    };
    PressKey('A');
    edit->OnKeyPress = nullptr;
    PressKey('B');
    EXPECT_EQ(edit->Text(), "b");
}
