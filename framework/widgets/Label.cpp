#include "framework/widgets/Label.h"

FW_BEGIN_CLASS(TCustomLabel, TGraphicControl)
    .Enum("Alignment", AlignmentInfo(), &C::Alignment, &C::SetAlignment, taLeftJustify).Unpublished()
    .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize, true).Unpublished()
    .Bool("ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar, true).Unpublished()
    .Bool("Transparent", &C::Transparent, &C::SetTransparent, false).Unpublished()
    .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap, false).Unpublished()
FW_END_CLASS

FW_BEGIN_CLASS(TLabel, TCustomLabel)
    .Publish({"Align", "Alignment", "AutoSize", "Caption", "Color", "Cursor", "DragMode", "Enabled", "Font", "Hint",
              "ParentColor", "ParentFont", "ParentShowHint", "ShowAccelChar", "ShowHint", "Transparent", "Visible",
              "WordWrap", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
              "OnMouseMove", "OnMouseUp", "OnStartDrag"})
FW_END_CLASS

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    IncludeStyle(csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Paint()
{
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    DoDrawText(rect, DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[FAlignment]);
}

std::string TCustomLabel::TextToDraw(UINT& Flags) const
{
    std::string text = Caption();
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
        text += ' ';
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    Flags = DrawTextBiDiModeFlags(Flags);
    return text;
}

void TCustomLabel::DrawTextInColor(const std::string& Text, TRect& Rect, UINT Flags, TColor Color, int dx, int dy)
{
    TCanvas* canvas = Canvas();
    canvas->Font()->SetColor(Color);
    Rect = Rect.Offset(dx, dy);
    DrawTextA(canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &Rect, Flags);
    Rect = Rect.Offset(-dx, -dy);
}

void TCustomLabel::DrawDisabledText(const std::string& Text, TRect& Rect, UINT Flags)
{
    DrawTextInColor(Text, Rect, Flags, clBtnHighlight, 1, 1);
    DrawTextInColor(Text, Rect, Flags, clBtnShadow);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    const std::string text = TextToDraw(Flags);
    Canvas()->Font()->Assign(Font());
    if (!Enabled())
        DrawDisabledText(text, Rect, Flags);
    else
        DrawTextInColor(text, Rect, Flags, Font()->Color());
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    const TWindowDC screen(nullptr);
    TRect rect = ClientRect();
    ControlCanvas()->PaintOn(screen.Get(), [&] {
        DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    });
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - rect.right;
    SetBounds(left, Top(), rect.right, rect.bottom);
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    if (value)
        ExcludeStyle(csOpaque);
    else
        IncludeStyle(csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::ColorChanged() { Invalidate(); }
