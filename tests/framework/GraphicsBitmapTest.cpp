// Bitmaps: .bmp files read and written, direct pixels against GDI's view of them,
// transparency, resources and bitmaps made by the system.
#define OEMRESOURCE // OBM_COMBO
#include "GraphicsTestSupport.h"

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// A 5 x 3 picture in 16 colours: odd width, so the last byte of each row holds one pixel.
TBmpFile FourBitFile()
{
    TBmpFile f;
    f.Width = 5;
    f.Height = 3;
    f.BitCount = 4;
    f.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xABCDEF};
    f.ColorsUsed = 6;
    f.Pixels = {1, 2, 3, 4, 5, //
                0, 0, 5, 0, 1, //
                4, 3, 2, 1, 0};
    return f;
}

TBmpFile TrueColorFile(bool topDown)
{
    TBmpFile f;
    f.Width = 3; // 9 bytes of pixels and 3 of padding per row
    f.Height = 2;
    f.TopDown = topDown;
    f.Pixels = {0x112233, 0x445566, 0x778899, //
                0xFF0000, 0x00FF00, 0x0000FF};
    return f;
}

void ExpectPixels(const TBitmap& bitmap, const TBmpFile& file)
{
    ASSERT_EQ(bitmap.Width(), file.Width);
    ASSERT_EQ(bitmap.Height(), file.Height);
    for (int y = 0; y < file.Height; ++y)
        for (int x = 0; x < file.Width; ++x) {
            const uint32_t v = file.Pixels[static_cast<size_t>(y * file.Width + x)];
            EXPECT_EQ(bitmap.Pixel(x, y), FromRgb(file.BitCount <= 8 ? file.Palette[v] : v)) << x << "," << y;
        }
}

// Our reading of the pixels must be GDI's: what it draws from the bitmap.
void ExpectGdiAgrees(TBitmap& bitmap)
{
    HDC dc = bitmap.Canvas()->Handle();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            EXPECT_EQ(static_cast<TColor>(GetPixel(dc, x, y)), bitmap.Pixel(x, y)) << x << "," << y;
}

std::string InvalidReason(const TBytes& bytes)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromBmpBytes(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "accepted";
}

void Put32(TBytes& bytes, size_t at, uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); }
} // namespace

TEST(GraphicsBitmap, ReadsPaletteAndTrueColourFilesBothWaysUp)
{
    TBitmap bitmap;
    const TBmpFile four = FourBitFile();
    bitmap.LoadFromBmpBytes(four.Bytes());
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    ExpectPixels(bitmap, four);
    ExpectGdiAgrees(bitmap);

    for (bool topDown : {false, true}) {
        const TBmpFile rgb = TrueColorFile(topDown);
        bitmap.LoadFromBmpBytes(rgb.Bytes());
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        ExpectPixels(bitmap, rgb);
        ExpectGdiAgrees(bitmap);
    }

    TBmpFile mono;
    mono.Width = 10;
    mono.Height = 2;
    mono.BitCount = 1;
    mono.Palette = {0x000000, 0xFFFFFF};
    mono.Pixels = {1, 0, 1, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 0, 1, 0};
    bitmap.LoadFromBmpBytes(mono.Bytes());
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    ExpectPixels(bitmap, mono);
}

TEST(GraphicsBitmap, SavedFilesReadBackUnchanged)
{
    for (const TBmpFile& file : {FourBitFile(), TrueColorFile(true)}) {
        TBitmap original;
        original.LoadFromBmpBytes(file.Bytes());
        TBitmap copy;
        copy.LoadFromBmpBytes(original.SaveToBmpBytes());
        EXPECT_EQ(copy.PixelFormat(), original.PixelFormat());
        ExpectPixels(copy, file);
        EXPECT_EQ(copy.SaveToBmpBytes(), original.SaveToBmpBytes());
    }
}

TEST(GraphicsBitmap, MalformedFilesAreRefusedWithTheirReason)
{
    const TBytes good = FourBitFile().Bytes();
    // Every truncation, however short, is refused without reading past the data.
    for (size_t n = 0; n < good.size(); ++n) {
        const std::string reason = InvalidReason(TBytes(good.begin(), good.begin() + static_cast<long>(n)));
        ASSERT_EQ(reason.rfind("Bitmap image is not valid: ", 0), 0u) << n << ": " << reason;
    }

    TBytes bytes = good;
    bytes[0] = 'M';
    EXPECT_NE(InvalidReason(bytes).find("signature"), std::string::npos);

    bytes = good;
    Put32(bytes, 18, 0x7FFFFFFF); // width
    EXPECT_NE(InvalidReason(bytes).find("size"), std::string::npos);
    bytes = good;
    Put32(bytes, 22, 0x80000000); // the most negative height
    EXPECT_NE(InvalidReason(bytes).find("size"), std::string::npos);
    bytes = good;
    Put32(bytes, 18, 4000); // plausible, but more pixels than the data holds
    EXPECT_NE(InvalidReason(bytes).find("pixels need"), std::string::npos);
    bytes = good;
    Put32(bytes, 46, 0xFFFFFFFF); // colours used
    EXPECT_NE(InvalidReason(bytes).find("colour table"), std::string::npos);
    bytes = good;
    Put32(bytes, 10, 0xFFFFFFF0); // pixel offset
    EXPECT_NE(InvalidReason(bytes).find("pixels need"), std::string::npos);
    bytes = good;
    Put32(bytes, 10, 20); // pixel offset inside the headers
    EXPECT_NE(InvalidReason(bytes).find("overlap"), std::string::npos);
    bytes = good;
    bytes[28] = 16; // bits per pixel
    EXPECT_NE(InvalidReason(bytes).find("16 bits per pixel"), std::string::npos);
    bytes = good;
    bytes[30] = BI_RLE8; // run-length 4-bit pixels are read, 8-bit ones are not
    EXPECT_NE(InvalidReason(bytes).find("compression"), std::string::npos);

    // A failed load keeps the picture there was.
    TBitmap bitmap;
    bitmap.LoadFromBmpBytes(good);
    EXPECT_THROW(bitmap.LoadFromBmpBytes(TBytes(good.begin(), good.end() - 1)), EInvalidGraphic);
    ExpectPixels(bitmap, FourBitFile());
}

TEST(GraphicsBitmap, TransparentDrawingLeavesTheBottomLeftColourUnpainted)
{
    TBmpFile file = FourBitFile(); // bottom-left pixel: entry 4, 0x123456
    TBitmap source;
    source.LoadFromBmpBytes(file.Bytes());
    EXPECT_EQ(source.TransparentColor(), clNone);
    source.SetTransparent(true);
    EXPECT_EQ(source.TransparentColor(), FromRgb(0x123456));

    for (int scale : {1, 2}) {
        TBitmap target;
        MakeBlank(target, 12, 8, clGray);
        target.Canvas()->StretchDraw(TRect(1, 1, 1 + 5 * scale, 1 + 3 * scale), &source);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const uint32_t v = file.Pixels[static_cast<size_t>(y * 5 + x)];
                const TColor expected = v == 4 ? clGray : FromRgb(file.Palette[v]);
                EXPECT_EQ(target.Pixel(1 + x * scale, 1 + y * scale), expected) << scale << ": " << x << "," << y;
            }
        EXPECT_EQ(target.Pixel(0, 0), clGray);
    }

    source.SetTransparent(false);
    TBitmap target;
    MakeBlank(target, 12, 8, clGray);
    target.Canvas()->Draw(1, 1, &source);
    EXPECT_EQ(target.Pixel(1, 3), FromRgb(0x123456));
}

TEST(GraphicsBitmap, SizeFormatAndCopiesKeepThePixels)
{
    TBitmap bitmap;
    MakeBlank(bitmap, 4, 4, clRed);
    bitmap.SetPixel(1, 1, clBlue);
    bitmap.SetSize(6, 3);
    EXPECT_EQ(bitmap.Pixel(1, 1), clBlue);
    EXPECT_EQ(bitmap.Pixel(3, 2), clRed);
    EXPECT_EQ(bitmap.Pixel(5, 2), clBlack);

    TBitmap copy;
    copy.Assign(&bitmap);
    copy.SetPixel(1, 1, clLime);
    EXPECT_EQ(bitmap.Pixel(1, 1), clBlue);

    bitmap.SetPixelFormat(pf4bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    EXPECT_EQ(bitmap.Pixel(1, 1), clBlue);
    bitmap.SetPixel(0, 0, static_cast<TColor>(RGB(250, 5, 5))); // nearest of the 16 colours
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
    ExpectGdiAgrees(bitmap);

    EXPECT_THROW(bitmap.Pixel(6, 0), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetSize(-1, 2), EInvalidGraphic);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.SaveToBmpBytes().empty());
}

TEST(GraphicsBitmap, DrawingOnItsCanvasCountsAsAChange)
{
    TBitmap bitmap;
    MakeBlank(bitmap, 4, 4);
    int changes = 0;
    bitmap.OnChange = [&changes](TObject*) { ++changes; };
    const uint64_t before = bitmap.ChangeCount();
    bitmap.Canvas()->FillRect(TRect(0, 0, 2, 2));
    EXPECT_EQ(changes, 1);
    EXPECT_GT(bitmap.ChangeCount(), before);
    bitmap.SetTransparent(true); // a property, not the picture
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmap.ChangeCount(), before + 1);
}

TEST(GraphicsBitmap, TakesOverASystemBitmap)
{
    HBITMAP arrow = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_COMBO));
    ASSERT_NE(arrow, nullptr);
    BITMAP info{};
    GetObjectA(arrow, sizeof info, &info);
    // A second copy to compare with: the first is deleted by the bitmap taking it over.
    TGdiBitmap reference(LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_COMBO)));
    TBitmapDC referenceDC(reference.Get());

    TBitmap bitmap;
    bitmap.SetHandle(arrow);
    ASSERT_EQ(bitmap.Width(), info.bmWidth);
    ASSERT_EQ(bitmap.Height(), info.bmHeight);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            EXPECT_EQ(bitmap.Pixel(x, y), static_cast<TColor>(GetPixel(referenceDC.Get(), x, y)));
}

TEST(GraphicsBitmap, ReadsBitmapResources)
{
    TBitmap bitmap;
    bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICS_SAMPLE");
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), FromRgb(0xFF0000));
    EXPECT_EQ(bitmap.Pixel(2, 0), FromRgb(0x0000FF));
    EXPECT_EQ(bitmap.Pixel(1, 1), FromRgb(0xD6DFE7));
    ExpectGdiAgrees(bitmap);

    try {
        bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP");
        FAIL() << "a missing resource loaded";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource NO_SUCH_BITMAP not found");
    }
    EXPECT_EQ(bitmap.Width(), 3);
}
