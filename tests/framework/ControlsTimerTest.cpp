// Timers: a control's own window timers, which come through Dispatch and outlive a
// re-creation of the window, and the timer component.
#include "WindowTestSupport.h"

#include "framework/widgets/Timer.h"

#include <vector>

namespace {

class TTicking : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT_PTR> Elapsed;
    int TimerMessages = 0;

    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_TIMER)
            ++TimerMessages;
        TCustomControl::Dispatch(Message);
    }

protected:
    void TimerElapsed(UINT_PTR Id) override { Elapsed.push_back(Id); }
};

class ControlsTimers : public TFormFixture {};

} // namespace

TEST_F(ControlsTimers, AWindowTimerComesThroughDispatchAndOutlivesARecreation)
{
    auto* control = new TTicking(Form.get());
    control->StartTimer(100, 20); // before the window: armed when it is made
    control->SetParent(Form.get());
    ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return !control->Elapsed.empty(); }));
    EXPECT_EQ(control->Elapsed.front(), 100u);
    EXPECT_EQ(control->TimerMessages, static_cast<int>(control->Elapsed.size()));

    const HWND former = control->Handle();
    control->RecreateWnd();
    ASSERT_NE(control->Handle(), former);
    control->Elapsed.clear();
    EXPECT_TRUE(PumpUntil([&] { return !control->Elapsed.empty(); }));

    control->StopTimer(100);
    PumpFor(60);
    control->Elapsed.clear();
    PumpFor(100);
    EXPECT_TRUE(control->Elapsed.empty());
    control->RecreateWnd();
    PumpFor(100);
    EXPECT_TRUE(control->Elapsed.empty()) << "a stopped timer stays stopped";
}

TEST_F(ControlsTimers, TheTimerComponentTicksOnlyWhenEnabledWithAnIntervalAndAfterLoading)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    int ticks = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));

    auto quiet = [&](const char* why) {
        PumpFor(40);
        ticks = 0;
        PumpFor(100);
        EXPECT_EQ(ticks, 0) << why;
    };
    timer.SetEnabled(false);
    quiet("disabled");
    timer.SetEnabled(true);
    timer.SetInterval(0);
    quiet("no interval");
    timer.BeginLoading();
    timer.SetInterval(20);
    quiet("still loading");
    timer.Loaded();
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));
}
