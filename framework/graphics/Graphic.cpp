#include "framework/graphics/Graphic.h"

#include "framework/core/TypeInfo.h"

FW_BEGIN_CLASS(TGraphic, TPersistent)
FW_END_CLASS

void TGraphic::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}
