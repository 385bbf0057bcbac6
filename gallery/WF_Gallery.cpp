#include "gallery/WF_Gallery.h"

#include "framework/forms/Application.h"
#include "framework/text/SysUtils.h"

TFM_Gallery* FM_Gallery = nullptr;

FW_BEGIN_CLASS(TFM_Gallery, TForm)
    .Field("WW_Cellar", &C::WW_Cellar)
    .Field("PM_Wall", &C::PM_Wall)
    .Field("MI_Show", &C::MI_Show)
    .Field("MI_Drink", &C::MI_Drink)
    .Field("MI_Empty", &C::MI_Empty)
    .Field("LA_Wine", &C::LA_Wine)
    .Field("WC_Wine", &C::WC_Wine)
    .Field("LA_Bottled", &C::LA_Bottled)
    .Field("WC_Bottled", &C::WC_Bottled)
    .Field("LA_Colours", &C::LA_Colours)
    .Field("CB_Red", &C::CB_Red)
    .Field("CB_White", &C::CB_White)
    .Field("CB_Rose", &C::CB_Rose)
    .Field("CB_Wall", &C::CB_Wall)
    .Field("LA_ReadMe", &C::LA_ReadMe)
    .Field("SP_Split", &C::SP_Split)
    .Field("LA_Region", &C::LA_Region)
    .Field("CC_Region", &C::CC_Region)
    .Field("LA_Producer", &C::LA_Producer)
    .Field("ED_Producer", &C::ED_Producer)
    .Field("BU_Add", &C::BU_Add)
    .Field("BU_Update", &C::BU_Update)
    .Field("BU_Delete", &C::BU_Delete)
    .Field("LB_Producers", &C::LB_Producers)
    .Method("WallDrawing", &C::WallDrawing)
    .Method("WallClick", &C::WallClick)
    .Method("WallNeedHint", &C::WallNeedHint)
    .Method("WallPopup", &C::WallPopup)
    .Method("ShowClick", &C::ShowClick)
    .Method("DrinkClick", &C::DrinkClick)
    .Method("EmptyClick", &C::EmptyClick)
    .Method("ColourClick", &C::ColourClick)
    .Method("SplitEndMove", &C::SplitEndMove)
    .Method("ProducerClick", &C::ProducerClick)
    .Method("ProducerEdited", &C::ProducerEdited)
    .Method("ReadMeBeforeLaunchLink", &C::ReadMeBeforeLaunchLink)
FW_END_CLASS

namespace {
// The ring round a bottle end: its colour at half strength.
TColor Shade(TColor colour)
{
    const COLORREF rgb = ColorToRGB(colour);
    return static_cast<TColor>(RGB(GetRValue(rgb) / 2, GetGValue(rgb) / 2, GetBValue(rgb) / 2));
}
} // namespace

TFM_Gallery::TFM_Gallery(TComponent* Owner) : TForm(Owner)
{
    LoadFromResource();
    // The wall keeps the room the form gives it, its right edge as far from the bar.
    FWallPlace = WW_Cellar->BoundsRect();
    FWallGap = SP_Split->Left() - FWallPlace.right;
    for (const TProducer& producer : TCellar::Producers())
        LB_Producers->ItemsCode()->Add(producer.Code + " " + producer.Name);
}

TFM_Gallery::~TFM_Gallery() = default;

// Each colour button holds the colour it stands for.
TColor TFM_Gallery::ColourOf(TWineColour Colour) const
{
    switch (Colour) {
    case TWineColour::White: return CB_White->Color();
    case TWineColour::Rose: return CB_Rose->Color();
    case TWineColour::Red: break;
    }
    return CB_Red->Color();
}

// --- the wall ---

void TFM_Gallery::WallDrawing(TObject*, int Row, int Col, bool& Empty, TColor& Color, TColor& EllipseColor)
{
    const TWine* wine = TCellar::IsCompartment(Row, Col) ? FCellar.WineAt(Row, Col) : nullptr;
    Empty = !wine;
    if (wine) {
        Color = ColourOf(wine->Colour);
        EllipseColor = Shade(Color);
    }
}

void TFM_Gallery::WallClick(TObject*, int Row, int Col)
{
    if (TCellar::IsCompartment(Row, Col))
        ShowCompartment({Row, Col});
}

void TFM_Gallery::WallNeedHint(TObject*, int Row, int Col)
{
    WW_Cellar->SetHint(TCellar::CompartmentName(Row, Col) + ": " + FCellar.Describe(Row, Col));
}

std::optional<TFM_Gallery::TCell> TFM_Gallery::CompartmentAt(const TPoint& Screen) const
{
    const TPoint client = WW_Cellar->ScreenToClient(Screen);
    if (client.x < 0 || client.y < 0 || client.x >= WW_Cellar->Width() || client.y >= WW_Cellar->Height())
        return std::nullopt;
    TPoint colRow = client;
    WW_Cellar->ClientToRowCol(colRow, false);
    // The label strips count as the first row and column: they are no compartment.
    if (client.x < WW_Cellar->LabelMargin() || client.y < WW_Cellar->LabelMargin() || !TCellar::IsCompartment(colRow.y, colRow.x))
        return std::nullopt;
    return TCell{colRow.y, colRow.x};
}

void TFM_Gallery::WallPopup(TObject*)
{
    // A right click acts on the compartment under the pointer; the context-menu key,
    // with the pointer elsewhere, on the one the fields show.
    POINT pointer{};
    GetCursorPos(&pointer);
    FMenuCell = CompartmentAt(TPoint(pointer.x, pointer.y));
    if (!FMenuCell)
        FMenuCell = FShown;
    const bool full = FMenuCell && FCellar.WineAt(FMenuCell->Row, FMenuCell->Col);
    MI_Show->SetEnabled(FMenuCell.has_value());
    MI_Drink->SetEnabled(full);
    MI_Empty->SetEnabled(full);
}

void TFM_Gallery::ShowClick(TObject*)
{
    if (FMenuCell)
        ShowCompartment(*FMenuCell);
}

void TFM_Gallery::DrinkClick(TObject*)
{
    if (!FMenuCell)
        return;
    FCellar.DrinkOne(FMenuCell->Row, FMenuCell->Col);
    CompartmentChanged(*FMenuCell);
}

void TFM_Gallery::EmptyClick(TObject*)
{
    if (!FMenuCell)
        return;
    FCellar.Empty(FMenuCell->Row, FMenuCell->Col);
    CompartmentChanged(*FMenuCell);
}

void TFM_Gallery::CompartmentChanged(const TCell& Cell)
{
    WW_Cellar->Draw(Cell.Row, Cell.Col);
    if (FShown && FShown->Row == Cell.Row && FShown->Col == Cell.Col)
        ShowCompartment(Cell);
}

void TFM_Gallery::ShowCompartment(const TCell& Cell)
{
    FShown = Cell;
    WC_Wine->SetCaption(TCellar::CompartmentName(Cell.Row, Cell.Col) + ": " + FCellar.Describe(Cell.Row, Cell.Col));
    const TWine* wine = FCellar.WineAt(Cell.Row, Cell.Col);
    WC_Bottled->SetDate(wine ? wine->Bottled : 0);
}

// --- colours ---

void TFM_Gallery::ColourClick(TObject* Sender)
{
    auto* button = static_cast<TColorButton*>(Sender);
    FColorDialog.SetColor(button->Color());
    if (!FColorDialog.Execute(Handle()))
        return;
    button->SetColor(FColorDialog.Color());
    if (Sender == CB_Wall)
        WW_Cellar->SetColor(FColorDialog.Color());
    else
        WW_Cellar->RefreshWall();
}

// --- the splitter ---

void TFM_Gallery::SplitEndMove(TObject*)
{
    // The wall takes the largest compartments that fit its room left of the bar: with
    // the bar where the form puts it, the designed ones.
    WW_Cellar->CenterInRectangle(TRect(FWallPlace.left, FWallPlace.top, SP_Split->Left() - FWallGap, FWallPlace.bottom),
                                 true);
}

// --- producers and regions ---

void TFM_Gallery::ProducerClick(TObject*)
{
    const std::string region = FCellar.RegionOf(LB_Producers->GetSelectedCode());
    if (!region.empty())
        CC_Region->SetSelectedCode(region);
}

void TFM_Gallery::ProducerEdited(TObject*, AssociateButton Button)
{
    // An added or updated producer belongs to the region chosen in the combo box.
    if (Button != abDelete)
        FCellar.SetRegion(LB_Producers->GetSelectedCode(), CC_Region->GetSelectedCode());
}

// --- the read-me ---

void TFM_Gallery::ReadMeBeforeLaunchLink(TObject*, bool&)
{
    std::string directory = ExtractFilePath(Application->ExeName());
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    LA_ReadMe->SetLink(directory + "ReadMe.txt");
}
