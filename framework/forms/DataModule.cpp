#include "framework/forms/DataModule.h"

#include "framework/graphics/Types.h"

#include "framework/streaming/FormReader.h"

FW_BEGIN_CLASS(TDataModule, TComponent)
    .Bool("OldCreateOrder", &C::OldCreateOrder, &C::SetOldCreateOrder, false)
    .Integer("Left", &C::Left, &C::SetLeft).Bounded(MinCoordinate, MaxCoordinate)
    .Integer("Top", &C::Top, &C::SetTop).Bounded(MinCoordinate, MaxCoordinate)
    .Integer("Height", &C::Height, &C::SetHeight).Bounded(0, MaxCoordinate)
    .Integer("Width", &C::Width, &C::SetWidth).Bounded(0, MaxCoordinate)
FW_END_CLASS

void TDataModule::LoadFromResource() { ReadComponentRes(ClassName(), *this); }
