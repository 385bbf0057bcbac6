#include "components/ColorButton.h"

#include "framework/controls/Anchors.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/designer/Registration.h"

FW_BEGIN_CLASS(TColorButton, TGraphicControl)
    .Set("Anchors", AnchorsInfo(), &C::Anchors, &C::SetAnchors, DefaultAnchors.Bits()).Unpublished()
    .Object("Constraints", TSizeConstraints::StaticClass(), &C::Constraints).Unpublished()
    .Component("PopupMenu", TPopupMenu::StaticClass(), &C::PopupMenu, &C::SetPopupMenu).Unpublished()
    .Publish({"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
              "OnMouseMove", "OnMouseUp", "OnStartDrag", "Align", "Anchors", "Constraints", "Cursor", "DragCursor",
              "DragMode", "Hint", "ParentShowHint", "PopupMenu", "ShowHint", "Visible"})
    .Integer("Color", &C::Color, &C::SetColor, clBlack, &ColorIdents())
    .String("Caption", &C::Caption, &C::SetCaption, "")
    .Object("Canvas", TCanvas::StaticClass(), &C::Canvas)
FW_END_CLASS

TColorButton::TColorButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // The face keeps its own colour on any parent.
    SetParentColor(false);
    TGraphicControl::SetColor(clBlack);
    IncludeStyle(csOpaque);
}

TColorButton::~TColorButton() = default;

void TColorButton::SetColor(TColor value)
{
    if (value == Color())
        return;
    TGraphicControl::SetColor(value);
    Refresh();
}

void TColorButton::SetCaption(const std::string& value)
{
    if (value == GetText())
        return;
    SetTextSilently(value);
    Refresh();
}

void TColorButton::Paint() { PaintButton(true); }

void TColorButton::PaintButton(bool Up)
{
    TCanvas& canvas = *Canvas();
    TRect client(0, 0, Width(), Height());
    DrawFrameControl(canvas.Handle(), &client, DFC_BUTTON, Up ? DFCS_BUTTONPUSH : DFCS_BUTTONPUSH | DFCS_PUSHED);

    // The face moves one pixel right and down when pressed, caption and all.
    const TRect face = Up ? TRect(2, 2, Width() - 3, Height() - 3) : TRect(3, 3, Width() - 2, Height() - 2);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(face);

    const std::string caption = Caption();
    if (caption.empty())
        return;
    const TSize extent = canvas.TextExtent(caption);
    // Handle() selects the brush now, so TextOut does not set the background back to opaque.
    HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    canvas.TextOut(face.right - (extent.cx + 2), face.top + (face.Height() - extent.cy) / 2, caption);
    SetBkMode(dc, OPAQUE);
}

void TColorButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    PaintButton(false);
}

void TColorButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    PaintButton(true);
}

namespace ColorButton {
void Register() { RegisterComponents("Corvel", {&TColorButton::StaticClass()}); }
} // namespace ColorButton
