#pragma once
// The first form: pick a colour of wine in the combo box, keep a list of wines with
// the edit and the buttons beside the list box, and see the cellar's wall beside a
// picture compiled into the program. The resource wires it all; the form class only
// names its components.
#include "components/CorvelComboBox.h"
#include "components/CorvelListBox.h"
#include "components/WineWall.h"
#include "framework/forms/Form.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/Image.h"
#include "framework/widgets/Label.h"

class TFM_FirstForm : public TForm {
    FW_CLASS(TFM_FirstForm)
public:
    explicit TFM_FirstForm(TComponent* Owner);

    TLabel* LA_Colour = nullptr;
    TCorvelComboBox* CC_Colour = nullptr;
    TImage* IM_Bottle = nullptr;
    TEdit* ED_Wine = nullptr;
    TButton* BU_Add = nullptr;
    TButton* BU_Update = nullptr;
    TButton* BU_Delete = nullptr;
    TCorvelListBox* LB_Wines = nullptr;
    TWineWall* WW_Cellar = nullptr;
};

extern TFM_FirstForm* FM_FirstForm;
