#pragma once
// Helpers of the graphics tests: .bmp files written byte by byte, independently of
// the framework's own encoder, and blank drawing surfaces.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <cstdint>
#include <vector>

// A .bmp file described pixel by pixel. Pixels are stored values (palette indexes,
// or 0xRRGGBB), top row first.
struct TBmpFile {
    int Width = 0;
    int Height = 0;
    int BitCount = 24;
    bool TopDown = false;
    std::vector<uint32_t> Palette; // 0xRRGGBB
    uint32_t ColorsUsed = 0;       // the header's field; 0 means a full table
    std::vector<uint32_t> Pixels;

    TBytes Bytes() const
    {
        const size_t stride = (static_cast<size_t>(Width) * BitCount + 31) / 32 * 4;
        const size_t offset = 14 + 40 + Palette.size() * 4;
        TBytes out(offset + stride * Height);
        auto put = [&out](size_t at, uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                out[at + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        out[0] = 'B';
        out[1] = 'M';
        put(2, static_cast<uint32_t>(out.size()), 4);
        put(10, static_cast<uint32_t>(offset), 4);
        put(14, 40, 4);
        put(18, static_cast<uint32_t>(Width), 4);
        put(22, static_cast<uint32_t>(TopDown ? -Height : Height), 4);
        put(26, 1, 2);
        put(28, static_cast<uint32_t>(BitCount), 2);
        put(46, ColorsUsed, 4);
        for (size_t i = 0; i < Palette.size(); ++i)
            put(54 + 4 * i, Palette[i], 3); // blue, green, red in the file: 0xRRGGBB little-endian
        for (int y = 0; y < Height; ++y) {
            const size_t row = offset + stride * (TopDown ? y : Height - 1 - y);
            for (int x = 0; x < Width; ++x) {
                const uint32_t v = Pixels[static_cast<size_t>(y * Width + x)];
                if (BitCount >= 24) {
                    put(row + static_cast<size_t>(x) * (BitCount / 8), v, BitCount / 8);
                } else {
                    const size_t bit = static_cast<size_t>(x) * BitCount;
                    const int shift = 8 - BitCount - static_cast<int>(bit % 8);
                    out[row + bit / 8] = static_cast<uint8_t>(out[row + bit / 8] | v << shift);
                }
            }
        }
        return out;
    }
};

// The TColor (0x00BBGGRR) of a 0xRRGGBB value.
constexpr TColor FromRgb(uint32_t rgb) { return static_cast<TColor>((rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16); }

// A 24-bit bitmap filled with one colour.
inline void MakeBlank(TBitmap& bitmap, int width, int height, TColor color = clWhite)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(TRect(0, 0, width, height));
}
