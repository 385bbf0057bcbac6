#include "framework/forms/ColorDialog.h"

#include <commdlg.h>

bool TColorDialog::Execute(HWND Owner)
{
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = Owner;
    choice.rgbResult = ColorToRGB(FColor);
    choice.lpCustColors = FCustomColors.data();
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&choice))
        return false;
    FColor = static_cast<TColor>(choice.rgbResult);
    return true;
}
