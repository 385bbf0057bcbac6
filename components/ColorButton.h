#pragma once
// A windowless push button whose face is filled with a colour of the owner's choice,
// with its caption at the right of the face. It looks pressed while a mouse button
// is held down on it; clicks come through the ordinary OnClick.
#include "framework/controls/Controls.h"

#include <string>

class TColorButton : public TGraphicControl {
    FW_CLASS(TColorButton)
public:
    explicit TColorButton(TComponent* AOwner);
    ~TColorButton() override;

    void SetColor(TColor value) override;
    virtual void SetCaption(const std::string& value);
    void SetText(const std::string& value) override { SetCaption(value); }

    // Draws the whole button, raised when Up, pressed otherwise.
    virtual void PaintButton(bool Up);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void Paint() override;
};

namespace ColorButton {
// Puts TColorButton on the palette page "Corvel".
void Register();
} // namespace ColorButton
