#pragma once
// The system's colour dialog (ChooseColor), in a unit of its own: only programs that
// offer it link the common dialogs.
#include "framework/graphics/Colors.h"

#include <array>

#include <windows.h>

class TColorDialog {
public:
    // The colour the dialog starts from, and after Execute the one the user chose.
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }

    // Shows the dialog, modal for Owner; true when the user chose a colour. The
    // custom colours the user mixed stay for the next opening.
    bool Execute(HWND Owner);

private:
    TColor FColor = clBlack;
    std::array<COLORREF, 16> FCustomColors{};
};
