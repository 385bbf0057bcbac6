#pragma once
// The drawing tools of a canvas: font, pen and brush. Each makes its GDI object on
// demand and keeps it until a property that the object depends on changes.
#include "framework/core/Events.h"
#include "framework/core/Object.h"
#include "framework/core/Sets.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandles.h"

#include <cstdint>
#include <optional>
#include <string>

class TBitmap;

// What a pen or brush object looks like, for those that depend on nothing else:
// GDI objects of one look are interchangeable, and any holder may share one.
struct TGdiLook {
    uint8_t Kind;
    uint8_t Style;
    int Width;
    COLORREF Color;
    friend bool operator==(const TGdiLook&, const TGdiLook&) = default;
};

class TGraphicsObject : public TPersistent {
    FW_CLASS(TGraphicsObject)
public:
    // Fired after every property change; controls repaint on it.
    TNotifyEvent OnChange;

    // The GDI object for the current properties, made on first use. Holders that
    // select it into a DC keep a reference, so a change never deletes an object
    // that a DC still holds.
    const TSharedGdiObject& SharedHandle() const;

    // From another object of the same kind, firing OnChange once; both then share
    // one GDI object.
    void Assign(TPersistent* Source) override;

protected:
    // Copies the properties of Source when it is of this kind; false otherwise.
    virtual bool CopyProperties(const TGraphicsObject& Source) = 0;
    virtual HGDIOBJ CreateGdiObject() const = 0;
    // An object with a look takes one of that look made recently, if any, instead
    // of making another.
    virtual std::optional<TGdiLook> Look() const { return std::nullopt; }
    // True when the cached object no longer matches something outside the
    // properties (a brush's pattern bitmap that was drawn on since).
    virtual bool HandleOutdated() const { return false; }
    // Drops the cached object when the change reaches it, then fires OnChange.
    void Changed(bool handleAffected = true);
    // CopyProperties for a class whose properties all live in one member.
    template <class T, class P>
    bool CopyPropertiesOf(const TGraphicsObject& Source, P T::*properties)
    {
        const auto* other = dynamic_cast<const T*>(&Source);
        if (other)
            static_cast<T&>(*this).*properties = other->*properties;
        return other;
    }
    // Stores a property value; only a different value counts as a change.
    template <class T>
    void SetProperty(T& field, const T& value, bool handleAffected = true)
    {
        if (field == value)
            return;
        field = value;
        Changed(handleAffected);
    }

private:
    mutable TSharedGdiObject FHandle;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
    FW_CLASS(TFont)
public:
    TFont() = default;

    const std::string& Name() const { return F.Name; }
    void SetName(const std::string& value);
    // In pixels; negative is the character height, positive the cell height (as LOGFONT).
    int Height() const { return F.Height; }
    void SetHeight(int value);
    // In points, through PixelsPerInch: Size = -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return F.Style; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return F.Color; }
    void SetColor(TColor value);
    int Charset() const { return F.Charset; }
    void SetCharset(int value); // 0 to 255, else EConvertError
    TFontPitch Pitch() const { return F.Pitch; }
    void SetPitch(TFontPitch value);
    // Only converts between Size and Height: it changes neither the drawn font nor fires OnChange.
    int PixelsPerInch() const { return F.PixelsPerInch; }
    void SetPixelsPerInch(int value); // above 0, else EConvertError

    HFONT Handle() const { return static_cast<HFONT>(SharedHandle()->Get()); }

protected:
    HGDIOBJ CreateGdiObject() const override;
    bool CopyProperties(const TGraphicsObject& Source) override;

private:
    struct TProperties {
        std::string Name = "MS Sans Serif";
        int Height = -11;
        TFontStyles Style;
        TColor Color = clWindowText;
        int Charset = DEFAULT_CHARSET;
        TFontPitch Pitch = fpDefault;
        int PixelsPerInch = 96;
    } F;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
    FW_CLASS(TPen)
public:
    TPen() = default;

    TColor Color() const { return F.Color; }
    void SetColor(TColor value);
    int Width() const { return F.Width; }
    void SetWidth(int value); // 0 or more (0 and 1 both draw one pixel wide), else EConvertError
    TPenStyle Style() const { return F.Style; }
    void SetStyle(TPenStyle value);

    HPEN Handle() const { return static_cast<HPEN>(SharedHandle()->Get()); }

protected:
    HGDIOBJ CreateGdiObject() const override;
    bool CopyProperties(const TGraphicsObject& Source) override;
    std::optional<TGdiLook> Look() const override;

private:
    struct TProperties {
        TColor Color = clBlack;
        int Width = 1;
        TPenStyle Style = psSolid;
    } F;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
    FW_CLASS(TBrush)
public:
    TBrush() = default;

    TColor Color() const { return F.Color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return F.Style; }
    void SetStyle(TBrushStyle value);
    // A pattern that the brush tiles instead of its colour and style, not owned: it
    // must outlive the brush or be set back to nullptr first. Drawing on the bitmap
    // later is picked up at the brush's next use.
    TBitmap* Bitmap() const { return F.Bitmap; }
    void SetBitmap(TBitmap* value);

    // Whether text drawn with this brush gets an opaque background in the brush
    // colour: only for a plain solid brush. Hatches and patterns keep their look
    // between the glyphs, and a clear brush paints nothing.
    bool FillsTextBackground() const { return F.Style == bsSolid && !F.Bitmap; }

    HBRUSH Handle() const { return static_cast<HBRUSH>(SharedHandle()->Get()); }

protected:
    HGDIOBJ CreateGdiObject() const override;
    bool HandleOutdated() const override;
    bool CopyProperties(const TGraphicsObject& Source) override;
    std::optional<TGdiLook> Look() const override;

private:
    struct TProperties {
        TColor Color = clWhite;
        TBrushStyle Style = bsSolid;
        TBitmap* Bitmap = nullptr;
    } F;
    mutable uint64_t FPatternChangeCount = 0; // the bitmap's change count when the pattern was made
};
