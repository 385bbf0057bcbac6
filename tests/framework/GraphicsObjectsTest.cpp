// Colours, geometry and the drawing tools: what GDI receives and when tools change.
#include "framework/core/Exceptions.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Types.h"

#include <gtest/gtest.h>

TEST(GraphicsColors, SystemColoursGoThroughTheSystemAndOthersLoseTheirHighByte)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x00D6DFE7)), RGB(0xE7, 0xDF, 0xD6));
    EXPECT_EQ(ColorToRGB(clNone), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clDefault), RGB(0, 0, 0));
}

TEST(GraphicsColors, NamesReadAndWriteBothWays)
{
    const TIdentMap& idents = ColorIdents();
    EXPECT_TRUE(idents.WriteHex);
    EXPECT_STREQ(idents.NameOf(clBtnFace), "clBtnFace");
    EXPECT_EQ(idents.ValueOf("clBtnFace"), clBtnFace);
    EXPECT_EQ(idents.ValueOf("clNavy"), 0x800000);
    EXPECT_EQ(idents.NameOf(0x00D6DFE7), nullptr);
    EXPECT_EQ(CharsetIdents().ValueOf("DEFAULT_CHARSET"), DEFAULT_CHARSET);
}

TEST(GraphicsTypes, RectanglesFollowWin32)
{
    const TRect r(2, 3, 10, 7);
    EXPECT_TRUE(r.Contains(Point(2, 3)));
    EXPECT_FALSE(r.Contains(Point(10, 5)));
    EXPECT_FALSE(r.Contains(Point(5, 7)));
    EXPECT_EQ(r.Intersect(Rect(8, 0, 20, 4)), Rect(8, 3, 10, 4));
    EXPECT_EQ(r.Intersect(Rect(10, 3, 12, 7)), TRect());
    EXPECT_TRUE(Rect(5, 5, 5, 9).IsEmpty());
    const TRect* asWin32 = &r;
    EXPECT_EQ(PtInRect(asWin32, Point(9, 6)), TRUE);
}

TEST(GraphicsFont, SizeAndHeightConvertAtThePixelsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
    font.SetHeight(-19);
    EXPECT_EQ(font.Size(), 14);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetPixelsPerInch(120);
    EXPECT_EQ(font.Size(), 8); // 13 * 72 / 120 = 7.8
    EXPECT_THROW(font.SetPixelsPerInch(0), EConvertError);
    EXPECT_THROW(font.SetCharset(256), EConvertError);
}

TEST(GraphicsFont, HandleFollowsTheProperties)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&changes](TObject*) { ++changes; };
    font.SetName("Arial");
    font.SetStyle({fsBold, fsUnderline});
    EXPECT_EQ(changes, 2);

    LOGFONTA made{};
    ASSERT_EQ(GetObjectA(font.Handle(), sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, "Arial");
    EXPECT_EQ(made.lfHeight, -11);
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_TRUE(made.lfUnderline);
    EXPECT_FALSE(made.lfItalic);

    const TSharedGdiObject first = font.SharedHandle();
    font.SetColor(clRed); // the text colour is no part of the GDI font
    EXPECT_EQ(font.SharedHandle(), first);
    font.SetHeight(-11); // unchanged: no event, same object
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font.SharedHandle(), first);
    font.SetHeight(-20);
    EXPECT_EQ(changes, 4);
    EXPECT_NE(font.SharedHandle(), first);
    GetObjectA(font.Handle(), sizeof made, &made);
    EXPECT_EQ(made.lfHeight, -20);
}

TEST(GraphicsFont, AssignCopiesEverythingWithOneEvent)
{
    TFont source;
    source.SetName("Tahoma");
    source.SetHeight(-13);
    source.SetStyle({fsItalic});
    source.SetColor(clNavy);
    TFont font;
    int changes = 0;
    font.OnChange = [&changes](TObject*) { ++changes; };
    font.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -13);
    EXPECT_TRUE(font.Style().Contains(fsItalic));
    EXPECT_EQ(font.Color(), clNavy);
    EXPECT_EQ(font.SharedHandle(), source.SharedHandle()); // no second GDI font for equal properties

    TPen pen;
    EXPECT_THROW(font.Assign(&pen), EConvertError);
}

TEST(GraphicsFont, PublishesItsPropertiesInOrderWithDefaults)
{
    const auto& props = TFont::StaticClass().PublishedProps();
    std::vector<std::string> names;
    for (const TPropInfo* p : props)
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Style"}));

    TFont font;
    const TPropInfo* color = TFont::StaticClass().FindProp("Color");
    EXPECT_EQ(color->Get(font), *color->Default);
    EXPECT_EQ(color->Idents, &ColorIdents());
    color->Set(font, TValue(int64_t{clBtnFace}));
    EXPECT_EQ(font.Color(), clBtnFace);
    const TPropInfo* style = TFont::StaticClass().FindProp("Style");
    style->Set(font, TValue(int64_t{1 << fsBold | 1 << fsStrikeOut}));
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
}

TEST(GraphicsPenBrush, HandlesMatchTheirProperties)
{
    TPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(3);
    LOGPEN made{};
    ASSERT_NE(GetObjectA(pen.Handle(), sizeof made, &made), 0);
    EXPECT_EQ(made.lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(made.lopnWidth.x, 3);
    EXPECT_THROW(pen.SetWidth(-1), EConvertError);

    TBrush brush;
    int changes = 0;
    brush.OnChange = [&changes](TObject*) { ++changes; };
    brush.SetStyle(bsDiagCross);
    brush.SetColor(clBtnFace);
    LOGBRUSH made2{};
    ASSERT_NE(GetObjectA(brush.Handle(), sizeof made2, &made2), 0);
    EXPECT_EQ(made2.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(made2.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
    EXPECT_EQ(made2.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(brush.FillsTextBackground());
}

TEST(GraphicsPenBrush, ToolsOfOneLookShareARecentObject)
{
    // Switching back and forth between colours makes no GDI object per switch.
    TBrush brush;
    brush.SetColor(clRed);
    const HBRUSH red = brush.Handle();
    brush.SetColor(clTeal);
    const HBRUSH teal = brush.Handle();
    EXPECT_NE(red, teal);
    for (int i = 0; i < 10; ++i) {
        brush.SetColor(i % 2 ? clRed : clTeal);
        EXPECT_EQ(brush.Handle(), i % 2 ? red : teal);
    }

    // The object outlives the tool that made it, for the next tool of that look.
    HBRUSH made;
    {
        TBrush first;
        first.SetColor(0x123456);
        made = first.Handle();
    }
    TBrush second;
    second.SetColor(0x123456);
    EXPECT_EQ(second.Handle(), made);
    LOGBRUSH look{};
    ASSERT_NE(GetObjectA(second.Handle(), sizeof look, &look), 0);
    EXPECT_EQ(look.lbColor, RGB(0x56, 0x34, 0x12));

    // Pens are not brushes, and a width or style is part of the look.
    TPen pen;
    pen.SetColor(clRed);
    EXPECT_NE(static_cast<HGDIOBJ>(pen.Handle()), static_cast<HGDIOBJ>(red));
    const HPEN thin = pen.Handle();
    pen.SetWidth(2);
    EXPECT_NE(pen.Handle(), thin);
    TBrush hatched;
    hatched.SetColor(clRed);
    hatched.SetStyle(bsCross);
    EXPECT_NE(hatched.Handle(), red);

    // A pattern depends on its bitmap's pixels: never shared.
    TBitmap pattern;
    pattern.SetSize(8, 8);
    TBrush patterned1, patterned2;
    patterned1.SetBitmap(&pattern);
    patterned2.SetBitmap(&pattern);
    EXPECT_NE(patterned1.Handle(), patterned2.Handle());

    // Only a few looks are kept; one pushed out stays whole for the tools that hold it.
    TBrush holder;
    holder.SetColor(0x00ABCDEF);
    holder.Handle();
    TBrush passing;
    for (int i = 1; i <= 40; ++i) {
        passing.SetColor(i * 0x010203);
        passing.Handle();
    }
    ASSERT_NE(GetObjectA(holder.Handle(), sizeof look, &look), 0);
    EXPECT_EQ(look.lbColor, RGB(0xEF, 0xCD, 0xAB));
}
