#include "framework/graphics/BmpFormat.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr size_t CoreHeaderSize = 12;

[[noreturn]] void Invalid(const std::string& reason)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + reason);
}

std::string Num(uint64_t n) { return std::to_string(n); }

// Little-endian reads from a buffer whose bounds the caller has checked.
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

// What the info header says about the picture, checked against the data it came with.
struct TDibLayout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    size_t PaletteOffset = 0;
    size_t PaletteCount = 0;  // only palette formats keep their table
    size_t PaletteEntrySize = 4;
    size_t ColorTableEnd = 0; // headers, masks and colour table: where packed pixels start
    bool Rle4 = false;        // 4-bit pixels run-length encoded, bottom row first
};

void CheckStandardMasks(const uint8_t* masks)
{
    if (U32(masks) != 0x00FF0000 || U32(masks + 4) != 0x0000FF00 || U32(masks + 8) != 0x000000FF)
        Invalid("only 8-bit red, green and blue masks in that order are supported");
}

TDibLayout ReadInfoHeader(const uint8_t* data, size_t size)
{
    if (size < 4)
        Invalid("the data ends before the info header");
    const uint32_t headerSize = U32(data);
    if (headerSize != CoreHeaderSize && headerSize < InfoHeaderSize)
        Invalid("unknown info header size " + Num(headerSize));
    if (headerSize > size)
        Invalid("the data ends inside the " + Num(headerSize) + "-byte info header");

    TDibLayout layout;
    int64_t width, height;
    uint32_t planes, bitCount, compression = BI_RGB, colorsUsed = 0;
    size_t maskBytes = 0;
    if (headerSize == CoreHeaderSize) {
        width = U16(data + 4);
        height = U16(data + 6);
        planes = U16(data + 8);
        bitCount = U16(data + 10);
        layout.PaletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(U32(data + 4));
        height = static_cast<int32_t>(U32(data + 8));
        planes = U16(data + 12);
        bitCount = U16(data + 14);
        compression = U32(data + 16);
        colorsUsed = U32(data + 32);
    }
    if (planes != 1)
        Invalid(Num(planes) + " colour planes instead of 1");
    layout.TopDown = height < 0;
    if (height < 0)
        height = -height;
    if (width < 1 || height < 1 || width > TDibImage::MaxSide || height > TDibImage::MaxSide)
        Invalid("a size of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        Invalid(Num(bitCount) + " bits per pixel are not supported");
    if (compression == BI_BITFIELDS && bitCount == 32) {
        // The masks follow a plain info header and lie inside the longer ones.
        if (headerSize == InfoHeaderSize) {
            maskBytes = 12;
            if (headerSize + maskBytes > size)
                Invalid("the data ends inside the colour masks");
        } else if (headerSize < InfoHeaderSize + 12) {
            Invalid("a " + Num(headerSize) + "-byte info header has no room for its colour masks");
        }
        CheckStandardMasks(data + InfoHeaderSize);
    } else if (compression == BI_RLE4 && bitCount == 4 && height > 0) {
        layout.Rle4 = true;
    } else if (compression != BI_RGB) {
        Invalid("compression " + Num(compression) + " is not supported");
    }

    const uint64_t addressable = bitCount <= 8 ? uint64_t(1) << bitCount : 0;
    const uint64_t entries = colorsUsed ? colorsUsed : addressable;
    if (bitCount <= 8 && entries > addressable)
        Invalid("a colour table of " + Num(entries) + " entries for " + Num(bitCount) + " bits per pixel");
    const uint64_t tableEnd = headerSize + maskBytes + entries * layout.PaletteEntrySize;
    if (tableEnd > size)
        Invalid("the data ends inside the colour table of " + Num(entries) + " entries");

    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(height);
    layout.BitCount = static_cast<int>(bitCount);
    layout.PaletteOffset = headerSize + maskBytes;
    layout.PaletteCount = bitCount <= 8 ? static_cast<size_t>(entries) : 0;
    layout.ColorTableEnd = static_cast<size_t>(tableEnd);
    return layout;
}

// Runs of 4-bit pixels: a count and two colours drawn in turn; or an escape (0): end of
// line (0), of picture (1), a move (2, dx, dy) or that many pixels as they are, padded
// to a word. Pixels outside the picture are dropped and unnamed ones stay colour 0, so
// that damaged data cannot write beyond it.
void DecodeRle4(const uint8_t* at, const uint8_t* end, TDibImage& image)
{
    int x = 0, row = 0;
    auto put = [&](int colour) {
        if (x < image.Width() && row < image.Height()) {
            uint8_t& pair = image.Row(image.Height() - 1 - row)[x / 2];
            pair = x % 2 ? (pair & 0xF0) | colour : (pair & 0x0F) | colour << 4;
        }
        ++x;
    };
    while (end - at >= 2 && row < image.Height()) {
        const int count = at[0], value = at[1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(i % 2 ? value & 0x0F : value >> 4);
        } else if (value == 0) {
            x = 0, ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - at < 2)
                Invalid("the pixels end inside a move");
            x += at[0], row += at[1];
            at += 2;
        } else {
            const ptrdiff_t bytes = (value + 3) / 4 * 2;
            if (end - at < bytes)
                Invalid("the pixels end inside a run of " + Num(static_cast<uint32_t>(value)));
            for (int i = 0; i < value; ++i)
                put(i % 2 ? at[i / 2] & 0x0F : at[i / 2] >> 4);
            at += bytes;
        }
    }
}

TDibImage Build(const uint8_t* data, size_t size, const TDibLayout& layout, uint64_t pixelOffset)
{
    std::vector<RGBQUAD> palette(layout.PaletteCount);
    for (size_t i = 0; i < palette.size(); ++i) {
        const uint8_t* entry = data + layout.PaletteOffset + i * layout.PaletteEntrySize;
        palette[i] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }
    const size_t stride = TDibImage::StrideOf(layout.Width, layout.BitCount);
    const uint64_t needed = uint64_t(stride) * uint64_t(layout.Height);
    const uint64_t available = pixelOffset <= size ? size - pixelOffset : 0;
    // A run draws at most 255 pixels in 2 bytes: a larger picture is a damaged header.
    if (layout.Rle4 ? needed > available * 64 : needed > available)
        Invalid("the pixels need " + Num(needed) + " bytes but only " + Num(available) + " follow");
    TDibImage image(layout.Width, layout.Height, layout.BitCount, std::move(palette));
    if (layout.Rle4) {
        std::memset(image.Row(layout.Height - 1), 0, needed);
        DecodeRle4(data + pixelOffset, data + size, image);
        return image;
    }
    const uint8_t* pixels = data + pixelOffset;
    for (int y = 0; y < layout.Height; ++y) {
        const int stored = layout.TopDown ? y : layout.Height - 1 - y;
        std::memcpy(image.Row(y), pixels + stride * static_cast<size_t>(stored), stride);
    }
    return image;
}
} // namespace

TDibImage DecodeBmpFile(const uint8_t* data, size_t size)
{
    if (size < FileHeaderSize)
        Invalid("the data ends inside the " + Num(FileHeaderSize) + "-byte file header");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("it does not start with the signature BM");
    const uint32_t pixelOffset = U32(data + 10);
    const TDibLayout layout = ReadInfoHeader(data + FileHeaderSize, size - FileHeaderSize);
    if (pixelOffset < FileHeaderSize + layout.ColorTableEnd)
        Invalid("the pixels at offset " + Num(pixelOffset) + " overlap the headers and colour table");
    return Build(data + FileHeaderSize, size - FileHeaderSize, layout, pixelOffset - FileHeaderSize);
}

TDibImage DecodePackedDib(const uint8_t* data, size_t size)
{
    const TDibLayout layout = ReadInfoHeader(data, size);
    return Build(data, size, layout, layout.ColorTableEnd);
}

TBytes EncodeBmpFile(const TDibImage& image)
{
    if (image.Empty())
        return {};
    const size_t paletteBytes = image.Palette().size() * 4;
    const size_t pixelOffset = FileHeaderSize + InfoHeaderSize + paletteBytes;
    TBytes out(pixelOffset + image.ImageSize());
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<uint32_t>(out.size()));
    Put32(p + 10, static_cast<uint32_t>(pixelOffset));
    uint8_t* info = p + FileHeaderSize;
    Put32(info, InfoHeaderSize);
    Put32(info + 4, static_cast<uint32_t>(image.Width()));
    Put32(info + 8, static_cast<uint32_t>(image.Height())); // positive: bottom-up
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<uint32_t>(image.BitCount()));
    Put32(info + 16, BI_RGB);
    Put32(info + 20, static_cast<uint32_t>(image.ImageSize()));
    Put32(info + 24, 3780); // 96 pixels per inch, in pixels per metre
    Put32(info + 28, 3780);
    Put32(info + 32, static_cast<uint32_t>(image.Palette().size()));
    uint8_t* entry = info + InfoHeaderSize;
    for (const RGBQUAD& q : image.Palette()) {
        *entry++ = q.rgbBlue;
        *entry++ = q.rgbGreen;
        *entry++ = q.rgbRed;
        *entry++ = 0;
    }
    // The image is bottom-up like the file: its bytes go out as they are.
    std::memcpy(p + pixelOffset, image.Bits(), image.ImageSize());
    return out;
}
