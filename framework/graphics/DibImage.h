#pragma once
// A DIB section: a bitmap whose pixels lie in memory that GDI draws into and the
// program addresses directly. Rows are kept bottom-up, as in a .bmp file, each
// padded to a multiple of 4 bytes; palette formats carry their colour table.
#include "framework/graphics/GdiHandles.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include <windows.h>

class TDibImage {
public:
    // Larger sides than this are refused, which also keeps every size computation in range.
    static constexpr int MaxSide = 65535;

    TDibImage() = default;
    // Bit counts 1, 4, 8, 24 and 32; a palette format needs 1 to 2^bitCount colours.
    // Raises EInvalidGraphic for a size or format it cannot hold, EOutOfResources
    // when GDI refuses the memory. The pixels start as zero bytes.
    TDibImage(int width, int height, int bitCount, std::vector<RGBQUAD> palette);
    TDibImage(TDibImage&& other) noexcept { Swap(other); }
    TDibImage& operator=(TDibImage&& other) noexcept
    {
        TDibImage(std::move(other)).Swap(*this);
        return *this;
    }

    bool Empty() const { return !FHandle; }
    HBITMAP Handle() const { return FHandle.Get(); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int BitCount() const { return FBitCount; }
    const std::vector<RGBQUAD>& Palette() const { return FPalette; }
    size_t Stride() const { return StrideOf(FWidth, FBitCount); }
    // The pixel bytes, bottom row first, and their total size.
    const uint8_t* Bits() const { return FBits; }
    size_t ImageSize() const { return Stride() * static_cast<size_t>(FHeight); }
    // Row y counted from the top.
    uint8_t* Row(int y) { return FBits + Stride() * static_cast<size_t>(FHeight - 1 - y); }
    const uint8_t* Row(int y) const { return FBits + Stride() * static_cast<size_t>(FHeight - 1 - y); }

    // The stored value of a pixel: a palette index, or the bytes of a colour pixel as
    // 0x00RRGGBB (0xAARRGGBB for 32 bits). The caller keeps x and y inside the image
    // and calls GdiFlush after GDI drew on it.
    uint32_t Value(int x, int y) const;
    void SetValue(int x, int y, uint32_t value);
    // The colour of a pixel as GDI draws it; an index beyond the colour table reads as black.
    COLORREF Color(int x, int y) const;
    // Palette formats store the nearest colour of their table.
    void SetColor(int x, int y, COLORREF color);

    TDibImage Copy() const;
    // The same picture in another format, colour by colour.
    TDibImage Converted(int bitCount) const;
    // The colours of a new palette image: black and white; the 16 VGA colours; those
    // followed by a 6x6x6 colour cube and a grey ramp.
    static std::vector<RGBQUAD> DefaultPalette(int bitCount);
    static size_t StrideOf(int width, int bitCount)
    {
        return (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
    }

private:
    void Swap(TDibImage& other) noexcept;
    uint32_t NearestIndex(COLORREF color) const;

    TGdiBitmap FHandle;
    uint8_t* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FBitCount = 0;
    std::vector<RGBQUAD> FPalette;
};
