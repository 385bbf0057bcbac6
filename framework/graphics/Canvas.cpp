#include "framework/graphics/Canvas.h"

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Graphic.h"

FW_BEGIN_CLASS(TCanvas, TPersistent)
FW_END_CLASS

bool TCanvas::TToolSelection::Select(HDC dc, const TSharedGdiObject& object)
{
    if (object == Current)
        return false;
    Selection.Select(dc, object->Get());
    Current = object;
    return true;
}

void TCanvas::TToolSelection::Restore()
{
    Selection.Restore();
    Current.reset();
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
}

TCanvas::~TCanvas() { DeselectHandles(); }

void TCanvas::DeselectHandles()
{
    FFontSelection.Restore();
    FPenSelection.Restore();
    FBrushSelection.Restore();
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == FHandle)
        return;
    DeselectHandles();
    FHandle = dc;
}

HDC TCanvas::DC(unsigned tools)
{
    if (!FHandle) {
        CreateHandle();
        if (!FHandle)
            throw EInvalidOperation("Canvas does not allow drawing");
    }
    if (tools & NeedFont)
        FFontSelection.Select(FHandle, FFont->SharedHandle());
    if (tools & NeedPen)
        FPenSelection.Select(FHandle, FPen->SharedHandle());
    if ((tools & NeedBrush) && FBrushSelection.Select(FHandle, FBrush->SharedHandle())) {
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->FillsTextBackground() ? OPAQUE : TRANSPARENT);
    }
    return FHandle;
}

void TCanvas::ApplyTextColor(HDC dc) { SetTextColor(dc, ColorToRGB(FFont->Color())); }

HDC TCanvas::Handle()
{
    HDC dc = DC(NeedAll);
    ApplyTextColor(dc);
    return dc;
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

TPoint TCanvas::PenPos() const
{
    POINT p{};
    if (FHandle)
        GetCurrentPositionEx(FHandle, &p);
    return p;
}

void TCanvas::FillRect(const TRect& rect)
{
    ::FillRect(DC(0), &rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect)
{
    ::FrameRect(DC(0), &rect, FBrush->Handle());
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    ::Rectangle(DC(NeedPen | NeedBrush), x1, y1, x2, y2);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    ::Ellipse(DC(NeedPen | NeedBrush), x1, y1, x2, y2);
    Changed();
}

void TCanvas::Polygon(const TPoint* points, int count)
{
    if (!points || count <= 0)
        return;
    // A TPoint is a POINT: the array passes to GDI as it is.
    ::Polygon(DC(NeedPen | NeedBrush), points, count);
    Changed();
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(DC(0), x, y, nullptr); }

void TCanvas::LineTo(int x, int y)
{
    ::LineTo(DC(NeedPen), x, y);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    HDC dc = DC(NeedFont | NeedBrush);
    ApplyTextColor(dc);
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    HDC dc = DC(NeedFont | NeedBrush);
    ApplyTextColor(dc);
    const UINT options = ETO_CLIPPED | (FBrush->FillsTextBackground() ? ETO_OPAQUE : 0);
    ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text)
{
    SIZE size{};
    GetTextExtentPoint32A(DC(NeedFont), text.data(), static_cast<int>(text.size()), &size);
    return TSize(size.cx, size.cy);
}

TRect TCanvas::ClipRect()
{
    TRect rect;
    GetClipBox(DC(0), &rect);
    return rect;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        StretchDraw(TRect(x, y, x + graphic->Width(), y + graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    graphic->Draw(*this, rect);
    Changed();
}

TColor TCanvas::Pixel(int x, int y)
{
    const COLORREF color = GetPixel(DC(0), x, y);
    return color == CLR_INVALID ? clNone : static_cast<TColor>(color);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixel(DC(0), x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src)
{
    CopyPixels(DC(0), dest, source.DC(0), src);
    Changed();
}

void CopyPixels(HDC to, const TRect& dest, HDC from, const TRect& src)
{
    if (dest.Width() == src.Width() && dest.Height() == src.Height()) {
        BitBlt(to, dest.left, dest.top, dest.Width(), dest.Height(), from, src.left, src.top, SRCCOPY);
        return;
    }
    // The default stretch mode ANDs pixels together when shrinking, which suits only
    // monochrome pictures.
    const int mode = SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, dest.left, dest.top, dest.Width(), dest.Height(), from, src.left, src.top, src.Width(), src.Height(),
               SRCCOPY);
    SetStretchBltMode(to, mode);
}
