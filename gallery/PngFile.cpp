#include "gallery/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {
uint32_t Crc32(const std::string& bytes, size_t from)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i)
        crc = table[(crc ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.append(type, 4).append(data);
    PutBigEndian(out, Crc32(out, start));
}

// A zlib stream of stored blocks: no compression, so no compressor to get wrong.
std::string StoredZlib(const std::string& raw)
{
    std::string out("\x78\x01", 2);
    constexpr size_t MaxBlock = 65535;
    size_t at = 0;
    do {
        const size_t length = std::min(MaxBlock, raw.size() - at);
        out += static_cast<char>(at + length == raw.size() ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}
} // namespace

std::string EncodePng(const TBitmap& bitmap)
{
    const int width = bitmap.Width(), height = bitmap.Height();
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filters, not interlaced
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // each row unfiltered
        for (int x = 0; x < width; ++x) {
            const auto rgb = static_cast<uint32_t>(bitmap.Pixel(x, y));
            raw += static_cast<char>(rgb & 0xFF);
            raw += static_cast<char>((rgb >> 8) & 0xFF);
            raw += static_cast<char>((rgb >> 16) & 0xFF);
        }
    }
    std::string png("\x89PNG\r\n\x1A\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}
