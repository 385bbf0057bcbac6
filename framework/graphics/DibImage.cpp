#include "framework/graphics/DibImage.h"

#include "framework/core/Exceptions.h"

#include <cstring>
#include <string>
#include <utility>

namespace {
RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }
COLORREF ColorOf(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }
} // namespace

TDibImage::TDibImage(int width, int height, int bitCount, std::vector<RGBQUAD> palette)
{
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide)
        throw EInvalidGraphic("Invalid bitmap size (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    const bool indexed = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (!indexed && bitCount != 24 && bitCount != 32)
        throw EInvalidGraphic(std::to_string(bitCount) + " bits per pixel are not supported");
    if (indexed ? palette.empty() || palette.size() > (1u << bitCount) : !palette.empty())
        throw EInvalidGraphic("A colour table of " + std::to_string(palette.size()) + " entries does not fit " +
                              std::to_string(bitCount) + " bits per pixel");

    std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + palette.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biClrUsed = static_cast<DWORD>(palette.size());
    std::memcpy(buffer.data(), &header, sizeof header);
    if (!palette.empty())
        std::memcpy(buffer.data() + sizeof header, palette.data(), palette.size() * sizeof(RGBQUAD));

    void* bits = nullptr;
    // Owned at once: a section without bits is refused and must not stay behind.
    TGdiBitmap handle(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(buffer.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0));
    if (!handle || !bits)
        throw EOutOfResources("Cannot create a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels");
    FHandle = std::move(handle);
    FBits = static_cast<uint8_t*>(bits);
    FWidth = width;
    FHeight = height;
    FBitCount = bitCount;
    FPalette = std::move(palette);
}

void TDibImage::Swap(TDibImage& other) noexcept
{
    std::swap(FHandle, other.FHandle);
    std::swap(FBits, other.FBits);
    std::swap(FWidth, other.FWidth);
    std::swap(FHeight, other.FHeight);
    std::swap(FBitCount, other.FBitCount);
    std::swap(FPalette, other.FPalette);
}

uint32_t TDibImage::Value(int x, int y) const
{
    const uint8_t* row = Row(y);
    switch (FBitCount) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xFu;
    case 8:
        return row[x];
    case 24: {
        const uint8_t* p = row + 3 * static_cast<size_t>(x);
        return p[0] | p[1] << 8 | p[2] << 16;
    }
    default: {
        uint32_t v;
        std::memcpy(&v, row + 4 * static_cast<size_t>(x), 4);
        return v;
    }
    }
}

void TDibImage::SetValue(int x, int y, uint32_t value)
{
    uint8_t* row = Row(y);
    switch (FBitCount) {
    case 1: {
        const uint8_t bit = static_cast<uint8_t>(0x80u >> (x % 8));
        row[x / 8] = static_cast<uint8_t>(value & 1u ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
    }
    case 4: {
        const int shift = x % 2 ? 0 : 4;
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & ~(0xFu << shift)) | (value & 0xFu) << shift);
        break;
    }
    case 8:
        row[x] = static_cast<uint8_t>(value);
        break;
    case 24: {
        uint8_t* p = row + 3 * static_cast<size_t>(x);
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        p[2] = static_cast<uint8_t>(value >> 16);
        break;
    }
    default:
        std::memcpy(row + 4 * static_cast<size_t>(x), &value, 4);
        break;
    }
}

COLORREF TDibImage::Color(int x, int y) const
{
    const uint32_t v = Value(x, y);
    if (FBitCount <= 8)
        return v < FPalette.size() ? ColorOf(FPalette[v]) : RGB(0, 0, 0);
    return RGB(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
}

void TDibImage::SetColor(int x, int y, COLORREF color)
{
    if (FBitCount <= 8)
        SetValue(x, y, NearestIndex(color));
    else
        SetValue(x, y, static_cast<uint32_t>(GetRValue(color)) << 16 | GetGValue(color) << 8 | GetBValue(color));
}

uint32_t TDibImage::NearestIndex(COLORREF color) const
{
    uint32_t best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < FPalette.size(); ++i) {
        const long dr = long(FPalette[i].rgbRed) - GetRValue(color);
        const long dg = long(FPalette[i].rgbGreen) - GetGValue(color);
        const long db = long(FPalette[i].rgbBlue) - GetBValue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<uint32_t>(i);
            bestDistance = distance;
        }
    }
    return best;
}

TDibImage TDibImage::Copy() const
{
    if (Empty())
        return {};
    TDibImage copy(FWidth, FHeight, FBitCount, FPalette);
    std::memcpy(copy.FBits, FBits, ImageSize());
    return copy;
}

TDibImage TDibImage::Converted(int bitCount) const
{
    if (Empty())
        return {};
    TDibImage result(FWidth, FHeight, bitCount, DefaultPalette(bitCount));
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            result.SetColor(x, y, Color(x, y));
    return result;
}

std::vector<RGBQUAD> TDibImage::DefaultPalette(int bitCount)
{
    if (bitCount > 8)
        return {};
    if (bitCount == 1)
        return {Quad(0, 0, 0), Quad(255, 255, 255)};
    std::vector<RGBQUAD> colors = {
        Quad(0, 0, 0),     Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
        Quad(0, 0, 128),   Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
        Quad(128, 128, 128), Quad(255, 0, 0), Quad(0, 255, 0),   Quad(255, 255, 0),
        Quad(0, 0, 255),   Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255),
    };
    if (bitCount == 4)
        return colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.push_back(Quad(static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51)));
    for (int i = 1; colors.size() < 256; ++i)
        colors.push_back(Quad(static_cast<BYTE>(i * 10), static_cast<BYTE>(i * 10), static_cast<BYTE>(i * 10)));
    return colors;
}
