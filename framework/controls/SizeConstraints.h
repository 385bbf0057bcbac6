#pragma once
// The smallest and largest size a control takes, whatever asks it to change
// (a program, its anchors, its alignment, the user resizing a form). 0 means no
// limit; a minimum above the maximum wins.
#include "framework/core/Object.h"

class TControl;

class TSizeConstraints : public TPersistent {
    FW_CLASS(TSizeConstraints)
public:
    explicit TSizeConstraints(TControl* control) : FControl(control) {}

    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    // Each raises EInvalidOperation for a negative value, and resizes the control
    // at once when its size no longer fits.
    void SetMinWidth(int value);
    void SetMinHeight(int value);
    void SetMaxWidth(int value);
    void SetMaxHeight(int value);

    // Inline: SetBounds applies it in every program, and only programs that
    // set a constraint carry the rest of this class.
    void Constrain(int& Width, int& Height) const
    {
        Width = Limit(Width, FMinWidth, FMaxWidth);
        Height = Limit(Height, FMinHeight, FMaxHeight);
    }

    void Assign(TPersistent* Source) override;

private:
    static int Limit(int value, int lowest, int highest)
    {
        if (highest > 0 && value > highest)
            value = highest;
        return value < lowest ? lowest : value;
    }
    void Store(int& field, int value, const char* name);

    TControl* FControl;
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};
