// Tooltips for the application: which control the pointer rests on, the pauses
// before a hint shows and before it goes, and the hint request (CM_HINTSHOW)
// through which a control may answer for the part of itself under the pointer.
#include "framework/controls/HintInfo.h"
#include "framework/forms/Application.h"
#include "framework/forms/HintWindow.h"

#include <algorithm>

namespace {

// The hint text of a control: its own, else its nearest parent's.
std::string HintOf(const TControl* control)
{
    for (; control; control = control->Parent())
        if (!control->Hint().empty())
            return control->Hint();
    return "";
}

// ShowHint as it stands now: a control with ParentShowHint follows its parent's.
bool ShowsHint(const TControl* control)
{
    while (control->ParentShowHint() && control->Parent())
        control = control->Parent();
    return control->ShowHint();
}

class TApplicationHints final : public TTooltips {
public:
    explicit TApplicationHints(TApplication& App) : FApp(App)
    {
        FWindow.OnTimer = [this](UINT_PTR id) { TimerFired(id); };
        FWindow.HandleNeeded(); // its timers run on its window
    }

    void MessageFetched(const MSG& Msg) override
    {
        switch (Msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_MOUSELEAVE: PointerMoved(); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: Dismiss(); break;
        default: break;
        }
    }

private:
    enum : UINT_PTR { PauseTimer = 1, HideTimer = 2 };

    // The control whose hint would show at a screen point, if any.
    TControl* HintControlAt(const TPoint& Screen)
    {
        TControl* control = FindControlAtScreen(Screen, true);
        return control && control != &FWindow && ShowsHint(control) ? control : nullptr;
    }

    static TPoint Pointer()
    {
        POINT p{};
        GetCursorPos(&p);
        return TPoint(p.x, p.y);
    }

    // FControl is only ever compared with a control found under the pointer, never
    // followed: it may have been destroyed since.
    void PointerMoved()
    {
        const TPoint at = Pointer();
        TControl* control = HintControlAt(at);
        if (control != FControl) {
            const bool wasShowing = FWindow.Visible();
            Hide();
            FControl = control;
            FAnswered = FDismissed = false;
            if (control)
                Wait(wasShowing ? FApp.HintShortPause() : FApp.HintPause());
        } else if (control && FAnswered && !FArea.Contains(at)) {
            // Another part of the same control: it is asked again.
            const bool wasShowing = FWindow.Visible();
            Hide();
            FAnswered = FDismissed = false;
            Wait(wasShowing ? FApp.HintShortPause() : FApp.HintPause());
        } else if (control && !FAnswered && !FWaiting && !FDismissed) {
            Wait(FApp.HintPause()); // the last answer was empty: ask again once the pointer rests
        }
    }

    // A click or a key: the hint goes and stays away until the pointer leaves
    // the area it was given for.
    void Dismiss()
    {
        Hide();
        FDismissed = true;
        if (!FAnswered && FControl) {
            FAnswered = true;
            FArea = TRect(-32768, -32768, 32767, 32767); // until it leaves the control
        }
    }

    void Wait(int Ms)
    {
        FWaiting = true;
        FWindow.StartTimer(PauseTimer, static_cast<UINT>(std::max(Ms, 1)));
    }

    void Hide()
    {
        FWindow.StopTimer(PauseTimer);
        FWindow.StopTimer(HideTimer);
        FWaiting = false;
        FWindow.ReleaseHint();
    }

    void TimerFired(UINT_PTR id)
    {
        FWindow.StopTimer(id);
        if (id == HideTimer) {
            Hide();
            FDismissed = true;
            return;
        }
        FWaiting = false;
        Request();
    }

    void Request()
    {
        const TPoint at = Pointer();
        TControl* control = HintControlAt(at);
        if (!control || control != FControl) {
            PointerMoved();
            return;
        }
        THintInfo info;
        info.HintControl = control;
        info.CursorPos = control->ScreenToClient(at);
        info.CursorRect = control->ClientRect();
        info.HintStr = GetShortHint(HintOf(control));
        // Below the pointer's arrow, as the system places its own tooltips.
        info.HintPos = TPoint(at.x, at.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
        info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN) / 3;
        info.HideTimeout = FApp.HintHidePause();
        const bool cancelled = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
        if (cancelled || info.HintStr.empty())
            return;
        const TPoint origin = control->ClientToScreen(TPoint(0, 0));
        FArea = info.CursorRect.Offset(origin.x, origin.y);
        FAnswered = true;
        FWindow.ActivateHint(info.HintPos, info.HintStr, info.HintMaxWidth);
        if (info.HideTimeout > 0)
            FWindow.StartTimer(HideTimer, static_cast<UINT>(info.HideTimeout));
    }

    TApplication& FApp;
    THintWindow FWindow{nullptr};
    TControl* FControl = nullptr;
    TRect FArea;             // screen rectangle the last answer holds for
    bool FAnswered = false;  // FArea is valid
    bool FWaiting = false;   // the pause before asking runs
    bool FDismissed = false; // closed by a click, a key or its timeout
};

} // namespace

void TApplication::SetShowHint(bool value)
{
    if (value == ShowHint())
        return;
    if (value)
        FTooltips = std::make_unique<TApplicationHints>(*this);
    else
        FTooltips.reset();
}
