#include "WF_FirstForm.h"

TFM_FirstForm* FM_FirstForm = nullptr;

FW_BEGIN_CLASS(TFM_FirstForm, TForm)
    .Field("LA_Colour", &C::LA_Colour)
    .Field("CC_Colour", &C::CC_Colour)
    .Field("IM_Bottle", &C::IM_Bottle)
    .Field("ED_Wine", &C::ED_Wine)
    .Field("BU_Add", &C::BU_Add)
    .Field("BU_Update", &C::BU_Update)
    .Field("BU_Delete", &C::BU_Delete)
    .Field("LB_Wines", &C::LB_Wines)
    .Field("WW_Cellar", &C::WW_Cellar)
FW_END_CLASS

TFM_FirstForm::TFM_FirstForm(TComponent* Owner) : TForm(Owner) { LoadFromResource(); }
