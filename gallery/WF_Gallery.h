#pragma once
// The gallery's one form: the seven Corvel controls at work on a cellar. The wall
// shows the bottles by wine colour, with a hint and a menu per compartment; a click
// shows the compartment's wine and bottling date in the display fields; the colour
// buttons repaint the wall in colours picked in the system's colour dialog; the
// producers' list box edits its list with the edit and buttons beside it, and keeps
// the regions' combo box on each producer's region; the splitter shares the form
// between the wall and the list; the link opens the read-me.
#include "gallery/Cellar.h"

#include "components/ColorButton.h"
#include "components/CorvelComboBox.h"
#include "components/CorvelLabel.h"
#include "components/CorvelListBox.h"
#include "components/CorvelSplit.h"
#include "components/WineControl.h"
#include "components/WineWall.h"
#include "framework/controls/Menus.h"
#include "framework/forms/ColorDialog.h"
#include "framework/forms/Form.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/Label.h"

#include <array>
#include <optional>

class TFM_Gallery : public TForm {
    FW_CLASS(TFM_Gallery)
public:
    explicit TFM_Gallery(TComponent* Owner);
    ~TFM_Gallery() override;

    TWineWall* WW_Cellar = nullptr;
    TPopupMenu* PM_Wall = nullptr;
    TMenuItem* MI_Show = nullptr;
    TMenuItem* MI_Drink = nullptr;
    TMenuItem* MI_Empty = nullptr;
    TLabel* LA_Wine = nullptr;
    TWineControl* WC_Wine = nullptr;
    TLabel* LA_Bottled = nullptr;
    TWineControl* WC_Bottled = nullptr;
    TLabel* LA_Colours = nullptr;
    TColorButton* CB_Red = nullptr;
    TColorButton* CB_White = nullptr;
    TColorButton* CB_Rose = nullptr;
    TColorButton* CB_Wall = nullptr;
    TCorvelLabel* LA_ReadMe = nullptr;
    TCorvelSplit* SP_Split = nullptr;
    TLabel* LA_Region = nullptr;
    TCorvelComboBox* CC_Region = nullptr;
    TLabel* LA_Producer = nullptr;
    TEdit* ED_Producer = nullptr;
    TButton* BU_Add = nullptr;
    TButton* BU_Update = nullptr;
    TButton* BU_Delete = nullptr;
    TCorvelListBox* LB_Producers = nullptr;

    void WallDrawing(TObject* Sender, int Row, int Col, bool& Empty, TColor& Color, TColor& EllipseColor);
    void WallClick(TObject* Sender, int Row, int Col);
    void WallNeedHint(TObject* Sender, int Row, int Col);
    void WallPopup(TObject* Sender);
    void ShowClick(TObject* Sender);
    void DrinkClick(TObject* Sender);
    void EmptyClick(TObject* Sender);
    void ColourClick(TObject* Sender);
    void SplitEndMove(TObject* Sender);
    void ProducerClick(TObject* Sender);
    void ProducerEdited(TObject* Sender, AssociateButton Button);
    void ReadMeBeforeLaunchLink(TObject* Sender, bool& Launch);

    const TCellar& Cellar() const { return FCellar; }

private:
    struct TCell {
        int Row, Col;
    };
    // The compartment under a screen point, if the point is on one.
    std::optional<TCell> CompartmentAt(const TPoint& Screen) const;
    void ShowCompartment(const TCell& Cell);
    // Redraws a compartment whose content changed, and the fields when they show it.
    void CompartmentChanged(const TCell& Cell);
    TColor& ColourOf(TWineColour Colour);

    TCellar FCellar;
    std::array<TColor, 3> FBottleColours;
    TColorDialog FColorDialog;
    std::optional<TCell> FShown;    // the compartment the fields show
    std::optional<TCell> FMenuCell; // the compartment the open menu acts on
};

extern TFM_Gallery* FM_Gallery;
