#include "framework/widgets/Timer.h"

#include "framework/core/Exceptions.h"

namespace {
constexpr UINT_PTR TimerId = 1;
const char* const TimerWindowClass = "TTimerWindow";
} // namespace

FW_BEGIN_CLASS(TTimer, TComponent)
    .Bool("Enabled", &C::Enabled, &C::SetEnabled, true)
    .Integer("Interval", &C::Interval, &C::SetInterval, 1000)
    .Event("OnTimer", &C::OnTimer)
FW_END_CLASS

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FWindowProc([this](TMessage& m) { WindowProc(m); })
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    Destroying();
    if (FWindow) {
        DestroyWindow(FWindow); // its timer goes with it
        CountReleased(TCountedKind::UserObjects);
    }
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FRunning) {
        KillTimer(FWindow, TimerId);
        FRunning = false;
    }
    // A timer read from a form starts once the whole form is there; the designer's never does.
    if (!FEnabled || FInterval == 0 || IsLoading() || IsDesigning())
        return;
    if (!FWindow) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(instance, TimerWindowClass, &wc)) {
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = instance;
            wc.lpszClassName = TimerWindowClass;
            if (!RegisterClassA(&wc))
                RaiseLastOSError("Registering the timer window class");
        }
        FWindow = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
        if (!FWindow)
            RaiseLastOSError("Creating the timer window");
        CountMade(TCountedKind::UserObjects);
        SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FWindowProc.Proc()));
    }
    if (!SetTimer(FWindow, TimerId, FInterval, nullptr))
        RaiseLastOSError("Starting a timer");
    FRunning = true;
}

void TTimer::WindowProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == TimerId)
        Timer();
    else
        Message.Result = DefWindowProcA(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}
