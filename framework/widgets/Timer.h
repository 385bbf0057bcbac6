#pragma once
// A component that raises OnTimer every Interval milliseconds while it is enabled.
// It runs on a hidden message-only window of its own, so it needs no control and
// keeps going whatever happens to the windows of the form it sits on.
#include "framework/controls/WndProcThunk.h"
#include "framework/core/Component.h"
#include "framework/core/Events.h"

class TTimer : public TComponent {
    FW_CLASS(TTimer)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // 0 stops the timer until another interval is set.
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT value);

    TNotifyEvent OnTimer;

    void Loaded() override;

protected:
    virtual void Timer();

private:
    // Arms or disarms the system timer to match the properties.
    void UpdateTimer();
    void WindowProc(TMessage& Message);

    bool FEnabled = true;
    UINT FInterval = 1000;
    bool FRunning = false;
    TWndProcThunk FWindowProc;
    HWND FWindow = nullptr;
};
