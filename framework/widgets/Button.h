#pragma once
// A push button: the system BUTTON control. Enter presses the focused or the
// default button, Escape the first cancel button, Alt+mnemonic its own.
#include "framework/controls/Controls.h"

// True when Caption marks Key as its mnemonic ("&Close" for c or C).
bool IsAccel(char Key, const std::string& Caption);

class TButton : public TWinControl {
    FW_CLASS(TButton)
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    bool FDefault = false;
    bool FCancel = false;
};
