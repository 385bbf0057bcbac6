#include "framework/graphics/GraphicsObjects.h"

#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {
const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumInfo FontPitchInfo{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const TEnumInfo PenStyleInfo{"TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                           "psInsideFrame"}};
const TEnumInfo BrushStyleInfo{"TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                               "bsBDiagonal", "bsCross", "bsDiagCross"}};

// The pens and brushes made last, by look. A canvas that switches between a few
// colours shape after shape finds its objects here instead of making and deleting
// one per shape. Keeping a few alive costs little; the least recently used goes first.
class TRecentGdiObjects {
public:
    TSharedGdiObject Find(const TGdiLook& look)
    {
        const auto it = std::find_if(FEntries.begin(), FEntries.end(), [&](const auto& e) { return e.first == look; });
        if (it == FEntries.end())
            return nullptr;
        std::rotate(it, it + 1, FEntries.end());
        return FEntries.back().second;
    }
    void Add(const TGdiLook& look, TSharedGdiObject object)
    {
        if (FEntries.size() == Capacity)
            FEntries.erase(FEntries.begin());
        FEntries.emplace_back(look, std::move(object));
    }

private:
    static constexpr size_t Capacity = 16;
    std::vector<std::pair<TGdiLook, TSharedGdiObject>> FEntries;
};

TRecentGdiObjects& RecentGdiObjects()
{
    static TRecentGdiObjects recent;
    return recent;
}
} // namespace

// --- TGraphicsObject ---

FW_BEGIN_CLASS(TGraphicsObject, TPersistent)
FW_END_CLASS

const TSharedGdiObject& TGraphicsObject::SharedHandle() const
{
    if (!FHandle || HandleOutdated()) {
        const std::optional<TGdiLook> look = Look();
        if (look)
            if (TSharedGdiObject recent = RecentGdiObjects().Find(*look)) {
                FHandle = std::move(recent);
                return FHandle;
            }
        HGDIOBJ object = CreateGdiObject();
        if (!object)
            throw EOutOfResources(Exception::Fmt("Cannot create the GDI object of a %s", ClassName().c_str()));
        FHandle = std::make_shared<const TGdiObject>(object);
        if (look)
            RecentGdiObjects().Add(*look, FHandle);
    }
    return FHandle;
}

void TGraphicsObject::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TGraphicsObject*>(Source);
    if (other == this)
        return;
    if (other) {
        // Made once on the source and shared: a label that assigns its font to the
        // canvas on every paint then creates no GDI object per paint. Made before
        // the copy, as making it brings a brush's pattern state up to date.
        const TSharedGdiObject handle = other->SharedHandle();
        if (CopyProperties(*other)) {
            FHandle = handle;
            Changed(false);
            return;
        }
    }
    TPersistent::Assign(Source);
}

void TGraphicsObject::Changed(bool handleAffected)
{
    if (handleAffected)
        FHandle.reset();
    if (OnChange)
        OnChange(this);
}

// --- TFont ---

FW_BEGIN_CLASS(TFont, TGraphicsObject)
    .Integer("Charset", &C::Charset, &C::SetCharset, DEFAULT_CHARSET, &CharsetIdents())
    .Integer("Color", &C::Color, &C::SetColor, clWindowText, &ColorIdents())
    // Glyphs a thousand pixels high are already absurd; far beyond, showing the
    // text exhausts memory.
    .Integer("Height", &C::Height, &C::SetHeight).Bounded(-1000, 1000)
    .String("Name", &C::Name, &C::SetName)
    .Enum("Pitch", FontPitchInfo, &C::Pitch, &C::SetPitch, fpDefault)
    .Set("Style", FontStyleInfo, &C::Style, &C::SetStyle)
FW_END_CLASS

void TFont::SetName(const std::string& value) { SetProperty(F.Name, value); }
void TFont::SetHeight(int value) { SetProperty(F.Height, value); }
void TFont::SetStyle(TFontStyles value) { SetProperty(F.Style, value); }
void TFont::SetPitch(TFontPitch value) { SetProperty(F.Pitch, value); }
// The colour is the DC's text colour, not part of the GDI font: the font object stays.
void TFont::SetColor(TColor value) { SetProperty(F.Color, value, false); }

void TFont::SetCharset(int value)
{
    if (value < 0 || value > 255)
        throw EConvertError(Exception::Fmt("Invalid character set (%d)", value));
    SetProperty(F.Charset, value);
}

int TFont::Size() const { return MulDiv(-F.Height, 72, F.PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, F.PixelsPerInch, 72)); }

void TFont::SetPixelsPerInch(int value)
{
    if (value <= 0)
        throw EConvertError(Exception::Fmt("Invalid pixels per inch (%d)", value));
    F.PixelsPerInch = value;
}

bool TFont::CopyProperties(const TGraphicsObject& Source) { return CopyPropertiesOf(Source, &TFont::F); }

HGDIOBJ TFont::CreateGdiObject() const
{
    LOGFONTA font{};
    font.lfHeight = F.Height;
    font.lfWeight = F.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = F.Style.Contains(fsItalic);
    font.lfUnderline = F.Style.Contains(fsUnderline);
    font.lfStrikeOut = F.Style.Contains(fsStrikeOut);
    font.lfCharSet = static_cast<BYTE>(F.Charset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = F.Pitch == fpFixed ? FIXED_PITCH : F.Pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    // GDI matches at most LF_FACESIZE - 1 characters of the face name.
    std::strncpy(font.lfFaceName, F.Name.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}

// --- TPen ---

FW_BEGIN_CLASS(TPen, TGraphicsObject)
    .Integer("Color", &C::Color, &C::SetColor, clBlack, &ColorIdents())
    .Enum("Style", PenStyleInfo, &C::Style, &C::SetStyle, psSolid)
    .Integer("Width", &C::Width, &C::SetWidth, 1)
FW_END_CLASS

void TPen::SetColor(TColor value) { SetProperty(F.Color, value); }
void TPen::SetStyle(TPenStyle value) { SetProperty(F.Style, value); }

void TPen::SetWidth(int value)
{
    if (value < 0)
        throw EConvertError(Exception::Fmt("Invalid pen width (%d)", value));
    SetProperty(F.Width, value);
}

bool TPen::CopyProperties(const TGraphicsObject& Source) { return CopyPropertiesOf(Source, &TPen::F); }

HGDIOBJ TPen::CreateGdiObject() const
{
    static constexpr int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    return CreatePen(styles[F.Style], F.Width, ColorToRGB(F.Color));
}

std::optional<TGdiLook> TPen::Look() const
{
    return TGdiLook{1, static_cast<uint8_t>(F.Style), F.Width, ColorToRGB(F.Color)};
}

// --- TBrush ---

FW_BEGIN_CLASS(TBrush, TGraphicsObject)
    .Integer("Color", &C::Color, &C::SetColor, clWhite, &ColorIdents())
    .Enum("Style", BrushStyleInfo, &C::Style, &C::SetStyle, bsSolid)
FW_END_CLASS

void TBrush::SetColor(TColor value) { SetProperty(F.Color, value); }
void TBrush::SetStyle(TBrushStyle value) { SetProperty(F.Style, value); }
void TBrush::SetBitmap(TBitmap* value) { SetProperty(F.Bitmap, value); }

bool TBrush::CopyProperties(const TGraphicsObject& Source)
{
    if (!CopyPropertiesOf(Source, &TBrush::F))
        return false;
    FPatternChangeCount = static_cast<const TBrush&>(Source).FPatternChangeCount;
    return true;
}

std::optional<TGdiLook> TBrush::Look() const
{
    // A pattern brush depends on the bitmap's pixels as well.
    if (F.Bitmap)
        return std::nullopt;
    return TGdiLook{2, static_cast<uint8_t>(F.Style), 0, ColorToRGB(F.Color)};
}

bool TBrush::HandleOutdated() const { return F.Bitmap && F.Bitmap->ChangeCount() != FPatternChangeCount; }

HGDIOBJ TBrush::CreateGdiObject() const
{
    if (F.Bitmap) {
        FPatternChangeCount = F.Bitmap->ChangeCount();
        if (!F.Bitmap->Empty())
            if (HBRUSH pattern = CreatePatternBrush(F.Bitmap->Handle()))
                return pattern;
    }
    LOGBRUSH brush{};
    brush.lbColor = ColorToRGB(F.Color);
    if (F.Style == bsSolid) {
        brush.lbStyle = BS_SOLID;
    } else if (F.Style == bsClear) {
        brush.lbStyle = BS_HOLLOW;
    } else {
        static constexpr int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        brush.lbStyle = BS_HATCHED;
        brush.lbHatch = static_cast<ULONG_PTR>(hatches[F.Style - bsHorizontal]);
    }
    return CreateBrushIndirect(&brush);
}
