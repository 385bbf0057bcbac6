#pragma once
// The tooltip window: a borderless pop-up of its own window class ("THintWindow")
// whose window text is the hint it shows, drawn in the system's tooltip colours.
// It never takes the focus or the mouse.
#include "framework/controls/Controls.h"

#include <functional>

class THintWindow : public TCustomControl {
    FW_CLASS(THintWindow)
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // Shows Text with the window's top-left corner at Screen, moved to stay on the
    // screen; texts wider than MaxWidth wrap.
    void ActivateHint(const TPoint& Screen, const std::string& Text, int MaxWidth);
    void ReleaseHint() { SetVisible(false); }
    // The size the window takes for Text.
    TRect CalcHintRect(int MaxWidth, const std::string& Text);

    // The window also carries its owner's timers (StartTimer).
    std::function<void(UINT_PTR Id)> OnTimer;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void TimerElapsed(UINT_PTR Id) override;
};
