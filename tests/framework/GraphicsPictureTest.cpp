// Pictures as the form resources store them: inline bytes or a resource name.
#include "GraphicsTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/graphics/Picture.h"

#include <gtest/gtest.h>

namespace {
bool Stored(const TPicture& picture, const char* property)
{
    return TPicture::StaticClass().FindProp(property)->Stored(picture);
}

// A file a writer of our own would not produce: a full table announced as 0 colours.
TBytes ForeignFile()
{
    TBmpFile f;
    f.Width = 2;
    f.Height = 2;
    f.BitCount = 4;
    f.Palette.assign(16, 0x000000);
    f.Palette[7] = 0xE7DFD6;
    f.Pixels = {7, 0, 0, 7};
    TBytes bytes = f.Bytes();
    bytes[6] = 0x5A; // reserved field, kept as it is
    return bytes;
}
} // namespace

TEST(GraphicsPicture, InlineDataReadsBackByteForByteUntilTheBitmapChanges)
{
    TPicture picture;
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_FALSE(Stored(picture, "Data"));
    int changes = 0;
    picture.OnChange = [&changes](TObject*) { ++changes; };

    const TBytes bytes = ForeignFile();
    TPicture::StaticClass().FindProp("Data")->Set(picture, TValue(bytes));
    EXPECT_GT(changes, 0);
    EXPECT_EQ(picture.Graphic(), picture.Bitmap());
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Bitmap()->Pixel(0, 0), FromRgb(0xE7DFD6));
    EXPECT_EQ(picture.Data(), bytes);
    EXPECT_TRUE(Stored(picture, "Data"));
    EXPECT_FALSE(Stored(picture, "ResourceName"));

    picture.Bitmap()->SetTransparent(true); // not part of the file
    EXPECT_EQ(picture.Data(), bytes);

    const TColor beige = FromRgb(0xE7DFD6);
    picture.Bitmap()->Canvas()->SetPixel(1, 0, beige);
    const TBytes changed = picture.Data();
    EXPECT_NE(changed, bytes);
    TBitmap reread;
    reread.LoadFromBmpBytes(changed);
    EXPECT_EQ(reread.Pixel(1, 0), beige);
    EXPECT_EQ(reread.Pixel(0, 1), clBlack);

    EXPECT_THROW(picture.SetData(TBytes(bytes.begin(), bytes.begin() + 30)), EInvalidGraphic);
    EXPECT_EQ(picture.Bitmap()->Pixel(1, 0), beige);

    picture.SetData({});
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(GraphicsPicture, AResourceNameStandsForThePictureUntilItChanges)
{
    TPicture picture;
    picture.SetResourceName("GRAPHICS_SAMPLE");
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Bitmap()->Pixel(0, 0), FromRgb(0xFF0000));
    EXPECT_TRUE(Stored(picture, "ResourceName"));
    EXPECT_FALSE(Stored(picture, "Data"));

    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.ResourceName(), "GRAPHICS_SAMPLE");
    EXPECT_EQ(copy.Bitmap()->Pixel(1, 1), FromRgb(0xD6DFE7));

    EXPECT_THROW(picture.SetResourceName("NO_SUCH_BITMAP"), EResNotFound);
    EXPECT_EQ(picture.ResourceName(), "GRAPHICS_SAMPLE");
    EXPECT_EQ(picture.Width(), 3);

    picture.Bitmap()->SetPixel(0, 0, clBlack);
    EXPECT_EQ(picture.ResourceName(), "");
    EXPECT_FALSE(Stored(picture, "ResourceName"));
    EXPECT_TRUE(Stored(picture, "Data"));
}
