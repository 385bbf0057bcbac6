#include "framework/widgets/StatusBar.h"

#include <commctrl.h>

namespace {
const TEnumInfo& PanelStyleInfo()
{
    static const TEnumInfo info{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
    return info;
}
const TEnumInfo& PanelBevelInfo()
{
    static const TEnumInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
    return info;
}
} // namespace

FW_BEGIN_CLASS(TStatusPanel, TCollectionItem)
    .Enum("Alignment", AlignmentInfo(), &C::Alignment, &C::SetAlignment, taLeftJustify)
    .Enum("Bevel", PanelBevelInfo(), &C::Bevel, &C::SetBevel, pbLowered)
    .Enum("Style", PanelStyleInfo(), &C::Style, &C::SetStyle, psText)
    .String("Text", &C::Text, &C::SetText)
    .Integer("Width", &C::Width, &C::SetWidth).Bounded(-1, MaxCoordinate)
FW_END_CLASS

void TStatusPanel::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    FBevel = value;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    FStyle = value;
    Changed();
}

void TStatusPanel::SetText(const std::string& value)
{
    if (value == FText)
        return;
    FText = value;
    Changed();
}

void TStatusPanel::SetWidth(int value)
{
    FWidth = value;
    Changed();
}

void TStatusBar::ChangeScale(int M, int D)
{
    TWinControl::ChangeScale(M, D);
    for (int i = 0; i < FPanels->Count(); ++i) {
        TStatusPanel* panel = FPanels->Items(i);
        if (panel->Width() > 0) // -1 is a panel that takes the rest
            panel->SetWidth(MulDiv(panel->Width(), M, D));
    }
}

FW_BEGIN_CLASS(TStatusBar, TWinControl)
    .Bool("AutoHint", &C::AutoHint, &C::SetAutoHint, false)
    .Collection("Panels", &C::Panels)
    .Bool("SimplePanel", &C::SimplePanel, &C::SetSimplePanel, false)
    .String("SimpleText", &C::SimpleText, &C::SetSimpleText)
    .Bool("SizeGrip", &C::SizeGrip, &C::SetSizeGrip, true)
    .Event("OnDrawPanel", &C::OnDrawPanel)
    .Publish({"Align", "Color", "Enabled", "Font", "Hint", "ParentColor", "ParentFont", "ParentShowHint", "ShowHint",
              "Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"})
    .Default("Align", int64_t{alBottom})
    .Default("Color", int64_t{clBtnFace})
    .Default("ParentColor", false)
FW_END_CLASS

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>()), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FPanels->OnChange = [this](TObject*) { UpdatePanels(); };
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.SysClassName = STATUSCLASSNAMEA;
    // The framework places the bar (Align); the control must not move itself.
    Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NOMOVEY;
    if (FSizeGrip)
        Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ColorChanged();
    UpdatePanels();
}

void TStatusBar::UpdatePanels()
{
    if (!HandleAllocated())
        return;
    HWND bar = Handle();
    SendMessageA(bar, SB_SIMPLE, FSimplePanel, 0);
    if (FSimplePanel) {
        SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        return;
    }
    const int count = FPanels->Count();
    std::vector<int> edges(static_cast<size_t>(std::max(count, 1)), -1);
    int right = 0;
    for (int i = 0; i < count; ++i) {
        right += FPanels->Items(i)->Width();
        edges[static_cast<size_t>(i)] = i == count - 1 ? -1 : right;
    }
    SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        TStatusPanel* panel = FPanels->Items(i);
        static const WPARAM bevels[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
        WPARAM part = static_cast<WPARAM>(i) | bevels[panel->Bevel()];
        if (panel->Style() == psOwnerDraw)
            SendMessageA(bar, SB_SETTEXTA, part | SBT_OWNERDRAW, static_cast<LPARAM>(i));
        else
            SendMessageA(bar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(panel->Text().c_str()));
    }
}

void TStatusBar::SetSimplePanel(bool value)
{
    FSimplePanel = value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& value)
{
    FSimpleText = value;
    UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool value)
{
    if (value == FSizeGrip)
        return;
    FSizeGrip = value;
    RecreateWnd();
}

void TStatusBar::ColorChanged()
{
    TWinControl::ColorChanged();
    if (HandleAllocated())
        SendMessageA(Handle(), SB_SETBKCOLOR, 0, Color() == clBtnFace ? CLR_DEFAULT : ColorToRGB(Color()));
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect)
{
    if (OnDrawPanel)
        OnDrawPanel(this, Panel, Rect);
}

void TStatusBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        const int index = static_cast<int>(item->itemID);
        if (index >= 0 && index < FPanels->Count()) {
            const TRect rect(item->rcItem);
            FCanvas->PaintOn(item->hDC, [&] { DrawPanel(FPanels->Items(index), rect); });
        }
        Message.Result = TRUE;
        break;
    }
    case CM_HINTCHANGED:
        if (FAutoHint) {
            const auto& hint = *reinterpret_cast<const std::string*>(Message.LParam);
            if (FSimplePanel || FPanels->Count() == 0)
                SetSimpleText(hint);
            else
                FPanels->Items(0)->SetText(hint);
        }
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}
