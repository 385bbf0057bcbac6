#include "framework/forms/DataModule.h"

#include "framework/streaming/FormReader.h"

FW_BEGIN_CLASS(TDataModule, TComponent)
    .Bool("OldCreateOrder", &C::OldCreateOrder, &C::SetOldCreateOrder, false)
    .Integer("Left", &C::Left, &C::SetLeft)
    .Integer("Top", &C::Top, &C::SetTop)
    .Integer("Height", &C::Height, &C::SetHeight)
    .Integer("Width", &C::Width, &C::SetWidth)
FW_END_CLASS

void TDataModule::LoadFromResource() { ReadComponentRes(ClassName(), *this); }
