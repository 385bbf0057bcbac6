#include "framework/graphics/Bitmap.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/graphics/Canvas.h"

#include <algorithm>
#include <optional>

namespace {
int BitCountOf(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    case pfDevice:
        break;
    }
    TWindowDC screen(nullptr);
    const int depth = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    return depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : depth <= 24 ? 24 : 32;
}

TPixelFormat FormatOf(int bitCount)
{
    switch (bitCount) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}
} // namespace

// The canvas of a bitmap: a memory DC made on first use, with the bitmap selected.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : FOwner(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }

    // The DC without any tool selected, to copy the pixels from.
    HDC SourceDC()
    {
        if (!HandleAllocated())
            CreateHandle();
        return FDC->Get();
    }
    // Lets go of the DC, before the bitmap's image is replaced or destroyed.
    void FreeContext()
    {
        SetHandle(nullptr);
        FDC.reset();
    }

protected:
    void CreateHandle() override
    {
        FDC.emplace(FOwner.FImage.Handle());
        SetHandle(FDC->Get());
    }
    void Changed() override
    {
        TCanvas::Changed();
        FOwner.ImageChanged();
    }

private:
    TBitmap& FOwner;
    std::optional<TBitmapDC> FDC;
};

FW_BEGIN_CLASS(TBitmap, TGraphic)
FW_END_CLASS

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

TBitmap::TBitmapCanvas& TBitmap::OwnCanvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

TCanvas* TBitmap::Canvas() { return &OwnCanvas(); }

const TDibImage& TBitmap::Synced() const
{
    GdiFlush();
    return FImage;
}

void TBitmap::ImageChanged()
{
    ++FChangeCount;
    Changed();
}

void TBitmap::SetImage(TDibImage image)
{
    if (FCanvas)
        FCanvas->FreeContext();
    FImage = std::move(image);
    FPixelFormat = FImage.Empty() ? FPixelFormat : FormatOf(FImage.BitCount());
    ImageChanged();
}

void TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        throw EInvalidGraphic("Invalid bitmap size (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    if (width == Width() && height == Height())
        return;
    if (width == 0 || height == 0) {
        SetImage(TDibImage());
        return;
    }
    const int bitCount = BitCountOf(FPixelFormat);
    const bool samePalette = !Empty() && FImage.BitCount() == bitCount;
    TDibImage image(width, height, bitCount, samePalette ? FImage.Palette() : TDibImage::DefaultPalette(bitCount));
    if (samePalette) {
        const TDibImage& old = Synced();
        for (int y = 0; y < std::min(height, old.Height()); ++y)
            for (int x = 0; x < std::min(width, old.Width()); ++x)
                image.SetValue(x, y, old.Value(x, y));
    }
    const TPixelFormat format = FPixelFormat;
    SetImage(std::move(image));
    FPixelFormat = format; // pfDevice stays pfDevice
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == FPixelFormat)
        return;
    if (!Empty() && BitCountOf(value) != FImage.BitCount())
        SetImage(Synced().Converted(BitCountOf(value)));
    FPixelFormat = value;
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
    TGdiBitmap owned(bitmap);
    if (!bitmap) {
        SetImage(TDibImage());
        return;
    }
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        throw EInvalidGraphic("Bitmap image is not valid: the handle is not a bitmap");
    const int bitCount = info.bmBitsPixel == 1 ? 1 : info.bmBitsPixel == 32 ? 32 : 24;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    TDibImage image(info.bmWidth, height, bitCount, TDibImage::DefaultPalette(bitCount));
    {
        TBitmapDC from(bitmap);
        TBitmapDC to(image.Handle());
        BitBlt(to.Get(), 0, 0, image.Width(), image.Height(), from.Get(), 0, 0, SRCCOPY);
    }
    SetImage(std::move(image));
}

void TBitmap::LoadFromBmpBytes(const TBytes& bytes) { SetImage(DecodeBmpFile(bytes.data(), bytes.size())); }

TBytes TBitmap::SaveToBmpBytes() const { return EncodeBmpFile(Synced()); }

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    TResourceStream resource(instance, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    SetImage(DecodePackedDib(reinterpret_cast<const uint8_t*>(resource.Memory()),
                             static_cast<size_t>(resource.Size())));
}

void TBitmap::CheckInside(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        throw EInvalidGraphic("Pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") lies outside the " +
                              std::to_string(Width()) + " x " + std::to_string(Height()) + " bitmap");
}

TColor TBitmap::Pixel(int x, int y) const
{
    CheckInside(x, y);
    return static_cast<TColor>(Synced().Color(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    CheckInside(x, y);
    GdiFlush();
    FImage.SetColor(x, y, ColorToRGB(color));
    ImageChanged();
}

TColor TBitmap::TransparentColor() const
{
    if (!Transparent() || Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (Empty())
        return;
    HDC to = canvas.Handle();
    HDC from = nullptr;
    try {
        from = OwnCanvas().SourceDC();
    } catch (const EOutOfResources&) {
        // Drawing keeps GDI's own rule: a call that cannot draw leaves the target as
        // it was. Raising here would report the same failure from every repaint.
        return;
    }
    if (Transparent())
        TransparentBlt(to, rect.left, rect.top, rect.Width(), rect.Height(), from, 0, 0, Width(), Height(),
                       ColorToRGB(TransparentColor()));
    else
        CopyPixels(to, rect, from, TRect(0, 0, Width(), Height()));
}

void TBitmap::AssignResampled(TBitmap& Source, int Width, int Height)
{
    SetPixelFormat(pf24bit);
    SetSize(Width, Height);
    HDC to = OwnCanvas().SourceDC();
    const int mode = SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr); // HALFTONE leaves the brush origin undefined
    StretchBlt(to, 0, 0, Width, Height, Source.OwnCanvas().SourceDC(), 0, 0, Source.Width(), Source.Height(), SRCCOPY);
    SetStretchBltMode(to, mode);
    SetTransparent(Source.Transparent());
    ImageChanged();
}

void TBitmap::Assign(TPersistent* Source)
{
    if (!Source) {
        SetImage(TDibImage());
        return;
    }
    auto* other = dynamic_cast<TBitmap*>(Source);
    if (!other) {
        TGraphic::Assign(Source);
        return;
    }
    if (other == this)
        return;
    SetImage(other->Synced().Copy());
    FPixelFormat = other->FPixelFormat;
    SetTransparent(other->Transparent());
}
