#pragma once
// A drawing surface over a device context, with its own font, pen and brush.
//
// The tools are selected lazily: a drawing call selects those it needs whose GDI
// object changed since the last call, so drawing many shapes in one colour costs no
// SelectObject. Everything the canvas selected is deselected again, restoring the
// DC's own objects, before the DC is changed or released.
//
// Text background: whenever the canvas selects a new brush into the DC it also sets
// the background to match, OPAQUE in the brush colour for a plain solid brush and
// TRANSPARENT otherwise, so that TextOut writes on the brush colour. Between brush
// changes the canvas leaves the background mode alone: a caller who calls
// SetBkMode(Handle(), TRANSPARENT) keeps a transparent background for the text
// that follows, until the brush changes again.
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Types.h"

#include <initializer_list>
#include <memory>
#include <string>

// <windows.h> renames TextOut to TextOutA; the canvas method keeps its own name, and
// code that wants the Win32 call names TextOutA.
#undef TextOut

class TGraphic;

class TCanvas : public TPersistent {
    FW_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC, made by CreateHandle when there is none yet ("Canvas does not allow
    // drawing" when there is still none), with the current font, pen, brush and text
    // colour in it: Win32 calls made on it draw as the canvas would.
    HDC Handle();
    // Puts the DC's own objects back into the old DC first. The canvas never
    // releases or deletes a DC; its owner does, after SetHandle(nullptr).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    // The DC's current position; (0, 0) without a DC.
    TPoint PenPos() const;

    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush, as the Win32 FrameRect.
    void FrameRect(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    void Polygon(const TPoint* points, int count);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(points.begin(), static_cast<int>(points.size())); }
    void MoveTo(int x, int y);
    // Draws up to, not including, (x, y), which becomes the pen position.
    void LineTo(int x, int y);

    void TextOut(int x, int y, const std::string& text);
    // Text clipped to Rect; the rectangle is filled first when the brush fills text backgrounds.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    TRect ClipRect();
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // clNone where GDI has no pixel (outside the clip region or the surface).
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);

    // Fired after each drawing call (not after measuring).
    TNotifyEvent OnChange;

protected:
    // Called when a DC is needed and there is none: a derived canvas gets its DC
    // here and passes it to SetHandle. The plain canvas has no source of its own.
    virtual void CreateHandle() {}
    // Puts the DC's own font, pen and brush back.
    void DeselectHandles();
    virtual void Changed();

private:
    enum TTool : unsigned { NeedFont = 1, NeedPen = 2, NeedBrush = 4, NeedAll = 7 };
    // One kind of tool selected into the DC: the object held (kept alive while the
    // DC holds it) and what the DC had before.
    struct TToolSelection {
        TObjectSelection Selection;
        TSharedGdiObject Current;
        bool Select(HDC dc, const TSharedGdiObject& object);
        void Restore();
    };

    HDC DC(unsigned tools);
    void ApplyTextColor(HDC dc);

    HDC FHandle = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TToolSelection FFontSelection;
    TToolSelection FPenSelection;
    TToolSelection FBrushSelection;
};

// Copies the pixels of Src in From onto Dest in To, stretching them when the sizes differ.
void CopyPixels(HDC to, const TRect& dest, HDC from, const TRect& src);
