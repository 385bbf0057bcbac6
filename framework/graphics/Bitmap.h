#pragma once
// A bitmap picture held as a DIB section: GDI draws into it through its canvas and
// the program reads and writes its pixels directly.
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/DibImage.h"
#include "framework/graphics/Graphic.h"

#include <cstdint>
#include <memory>
#include <string>

class TCanvas;

// pfDevice stores as many bits per pixel as the screen has (1, 4, 8, 24 or 32,
// rounding a 16-bit screen up to 24).
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmap : public TGraphic {
    FW_CLASS(TBitmap)
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override { return FImage.Width(); }
    int Height() const override { return FImage.Height(); }
    bool Empty() const override { return FImage.Empty(); }
    // Keeps the pixels that still fit, top-left aligned; new pixels are black (palette
    // entry 0). A side of 0 empties the bitmap; a negative one raises EInvalidGraphic.
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels, each palette format to its default colour table.
    void SetPixelFormat(TPixelFormat value);

    HBITMAP Handle() const { return FImage.Handle(); }
    // Takes over a bitmap made elsewhere (LoadBitmapA): its picture is copied into
    // this bitmap (monochrome stays 1 bit, 32 bits stay 32, others become 24) and
    // the handle is deleted. A null handle empties the bitmap.
    void SetHandle(HBITMAP bitmap);

    // A whole .bmp file; raises EInvalidGraphic for malformed data and then keeps
    // the picture it had.
    void LoadFromBmpBytes(const TBytes& bytes);
    // A .bmp file in the bitmap's own format, with its colour table; empty for an empty bitmap.
    TBytes SaveToBmpBytes() const;
    // A BITMAP resource of the module; EResNotFound when there is none of that name.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    // A memory DC with this bitmap selected: drawing on it changes the bitmap.
    // Drawing straight through its Handle() bypasses ChangeCount and OnChange.
    TCanvas* Canvas();
    // Direct access, without GDI; EInvalidGraphic outside the bitmap.
    // Becomes Source resampled to Width x Height in 24 bits, with the system's
    // smoothing stretch: a picture drawn for one screen density shown at another
    // without doubled or dropped pixels.
    void AssignResampled(TBitmap& Source, int Width, int Height);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // The colour of the bottom-left pixel while the bitmap is transparent, else clNone.
    TColor TransparentColor() const;
    // Copies or stretches the bitmap onto Rect; while transparent, pixels of the
    // transparent colour leave the canvas as it was.
    void Draw(TCanvas& canvas, const TRect& rect) override;
    // A deep copy of another bitmap; nullptr empties this one.
    void Assign(TPersistent* Source) override;

    // Counts the changes of the picture itself (not of Transparent), so that holders
    // of a derived GDI object (a pattern brush) know when to make it again.
    uint64_t ChangeCount() const { return FChangeCount; }

private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;

    void SetImage(TDibImage image);
    void ImageChanged();
    // The image after GDI has finished any drawing into it.
    const TDibImage& Synced() const;
    void CheckInside(int x, int y) const;
    TBitmapCanvas& OwnCanvas();

    TDibImage FImage;
    TPixelFormat FPixelFormat = pf24bit;
    uint64_t FChangeCount = 0;
    std::unique_ptr<TBitmapCanvas> FCanvas; // declared last: lets go of its DC before the image goes
};
