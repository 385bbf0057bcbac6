#include "ScreenFormFixture.h"
#include "ShortDateFormatScope.h"

#include "components/WineControl.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>
#include <string>

namespace {

int ButtonWidth() { return GetSystemMetrics(SM_CXHSCROLL); }

} // namespace

TEST(WineControlDatePattern, FourDigitYearsAndTwoLetterDaysAndMonths)
{
    TWineControl field(nullptr);
    const std::pair<const char*, const char*> examples[] = {
        {"d/M/yy", "dd/MM/yyyy"},      {"M/d/yyyy", "MM/dd/yyyy"},   {"dd.MM.yyyy", "dd.MM.yyyy"},
        {"yy/MM/dd", "yyyy/MM/dd"},    {"dd-MMM-yy", "dd-MMM-yyyy"}, {"d/M/y", "dd/MM/yyyy"},
        {"yyy-M-d", "yyy-MM-dd"},      {"dd/MM", "dd/MM"},           {"dddd d MMMM yy", "dddd dd MMMM yyyy"},
    };
    // One field for all: the pattern is derived again on every read.
    for (const auto& [locale, expected] : examples) {
        ShortDateFormatScope scope(locale);
        EXPECT_EQ(field.DateFormat(), expected) << locale;
    }
    ShortDateFormatScope scope("d/M/yy");
    field.SetDate(EncodeDate(2004, 3, 7));
    EXPECT_EQ(field.Text(), "07/03/2004");
}

TEST(WineControlLocale, DatesInTheUserLocale)
{
    struct TExpected {
        const char* Pattern;
        const char* Text;
    };
    const std::map<LCID, TExpected> byLocale = {
        {0x0409, {"MM/dd/yyyy", "03/07/2004"}},
        {0x040C, {"dd/MM/yyyy", "07/03/2004"}},
        {0x0407, {"dd.MM.yyyy", "07.03.2004"}},
        {0x0C0C, {"yyyy-MM-dd", "2004-03-07"}},
    };
    const LCID locale = GetUserDefaultLCID();
    const auto expected = byLocale.find(locale);
    ASSERT_NE(expected, byLocale.end()) << "no expectation for locale " << std::hex << locale;
    TWineControl field(nullptr);
    EXPECT_EQ(field.DateFormat(), expected->second.Pattern);
    field.SetDate(EncodeDate(2004, 3, 7));
    EXPECT_EQ(field.Text(), expected->second.Text);
}

using WineControlOnForm = ScreenFormFixture;

TEST_F(WineControlOnForm, SettersFireTheirEventsOnlyOnChange)
{
    ShortDateFormatScope scope("M/d/yyyy");
    auto& field = Place<PaintCounting<TWineControl>>(10, 10, 120, 21);
    int changes = 0, codeChanges = 0;
    field.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &field);
        ++changes;
    };
    field.OnSelectedCodeChange = [&](TObject*) { ++codeChanges; };
    Pump();
    field.Paints = 0;

    field.SetDate(EncodeDate(2004, 3, 7));
    EXPECT_EQ(field.Text(), "03/07/2004");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(field.Paints, 1);
    field.SetDate(EncodeDate(2004, 3, 7));
    field.SetCaption("03/07/2004");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(field.Paints, 1);

    // A date that cannot be shown is refused whole.
    EXPECT_THROW(field.SetDate(1e7), EConvertError);
    EXPECT_EQ(field.Date(), EncodeDate(2004, 3, 7));
    EXPECT_EQ(field.Text(), "03/07/2004");
    EXPECT_EQ(changes, 1);

    field.SetDate(0);
    EXPECT_EQ(field.Text(), "");
    EXPECT_EQ(changes, 2);
    field.SetDate(0);
    EXPECT_EQ(changes, 2);

    field.SetSelectedCode("12");
    field.SetSelectedCode("12");
    EXPECT_EQ(field.SelectedCode(), "12");
    EXPECT_EQ(codeChanges, 1);
    EXPECT_EQ(field.Paints, 2);

    field.SetStyle(wcEdit);
    field.SetStyle(wcEdit);
    field.SetColor(clYellow);
    field.SetColor(clYellow);
    field.SetAlignment(taCenter);
    field.SetEnabled(false);
    EXPECT_EQ(field.Paints, 6);
}

TEST_F(WineControlOnForm, AlignedTextPositions)
{
    auto& field = Place<TWineControl>(10, 10, 150, 21);
    field.SetColor(clWhite);
    field.Font()->SetColor(clBlack);
    const std::string text = "Bordeaux";
    field.SetCaption(text);
    TBitmap measure;
    measure.Canvas()->Font()->Assign(field.Font());
    const int textWidth = measure.Canvas()->TextWidth(text);
    const int width = field.Width();

    // Glyphs have side bearings of their own: compare the ink of an aligned text with
    // that of the same text at its left-aligned position x = 3.
    auto inkOf = [&](WineControlStyle style, TAlignment alignment) {
        field.SetStyle(style);
        field.SetAlignment(alignment);
        const int right = style == wcEdit ? width - 2 : width - ButtonWidth() - 2;
        return InkBounds(*Painted(field), TRect(2, 2, right, field.Height() - 2), Rgb(clWhite));
    };
    const TRect left = inkOf(wcCombo, taLeftJustify);
    ASSERT_LT(left.left, left.right) << "no text drawn";

    const TRect comboRight = inkOf(wcCombo, taRightJustify);
    EXPECT_EQ(comboRight.left - left.left, width - ButtonWidth() - 5 - textWidth - 3);
    EXPECT_EQ(comboRight.top, left.top);
    const TRect editRight = inkOf(wcEdit, taRightJustify);
    EXPECT_EQ(editRight.left - left.left, width - 2 - textWidth - 3);
    const TRect comboCentre = inkOf(wcCombo, taCenter);
    EXPECT_EQ(comboCentre.left - left.left, (width - ButtonWidth() - 3 - textWidth) / 2 - 3);
    // The date style sits one pixel further right and down.
    const TRect dateRight = inkOf(wcDate, taRightJustify);
    EXPECT_EQ(dateRight.left, comboRight.left + 1);
    EXPECT_EQ(dateRight.top, comboRight.top + 1);

    field.SetCaption("");
    const TRect none = inkOf(wcCombo, taLeftJustify);
    EXPECT_TRUE(none.IsEmpty()) << "an empty text draws only the background";
}

TEST_F(WineControlOnForm, DisabledTextInShadowColourButtonUnchanged)
{
    auto& field = Place<TWineControl>(10, 10, 150, 21);
    field.SetColor(clWhite);
    field.Font()->SetColor(clBlack);
    field.SetCaption("Bordeaux");
    const TRect textArea(2, 2, field.Width() - ButtonWidth() - 2, field.Height() - 2);
    auto count = [&](TBitmap& image, TColor color) {
        int n = 0;
        for (int y = textArea.top; y < textArea.bottom; ++y)
            for (int x = textArea.left; x < textArea.right; ++x)
                n += image.Pixel(x, y) == color;
        return n;
    };
    auto enabled = Painted(field);
    field.SetEnabled(false);
    auto disabled = Painted(field);

    EXPECT_GT(count(*enabled, clBlack), 0);
    EXPECT_EQ(count(*disabled, clBlack), 0);
    EXPECT_GT(count(*disabled, Rgb(clBtnShadow)), 0);
    const TRect button = field.ButtonRect();
    ASSERT_FALSE(button.IsEmpty());
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            ASSERT_EQ(disabled->Pixel(x, y), enabled->Pixel(x, y)) << x << "," << y;
    // The canvas font, which the disabled text was drawn with, has its colour back.
    EXPECT_EQ(field.Canvas()->Font()->Color(), clBlack);
}

TEST_F(WineControlOnForm, ButtonPressedByTheLeftButtonRaisedByItsRelease)
{
    auto& field = Place<TWineControl>(20, 40, 150, 21);
    Pump();
    const TRect button = field.ButtonRect();
    EXPECT_EQ(button, TRect(150 - ButtonWidth() - 2, 2, 148, 19));
    // Where the arrow lies inside the button's edges, as the window shows it now.
    auto arrow = [&] {
        return BoundsWhere(TRect(button.left + 2, button.top + 2, button.right - 2, button.bottom - 2),
                           [&](int x, int y) { return OnWindow(field, x, y) != Rgb(clBtnFace); });
    };
    auto corner = [&] { return OnWindow(field, button.left, button.top); };
    const TRect raisedArrow = arrow();
    ASSERT_FALSE(raisedArrow.IsEmpty()) << "no arrow drawn";
    ASSERT_NE(corner(), Rgb(clBtnShadow));

    const int x = field.Left() + button.left + 5, y = field.Top() + button.top + 5;
    Mouse(Form(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    EXPECT_EQ(corner(), Rgb(clBtnShadow));
    EXPECT_EQ(arrow(), raisedArrow.Offset(1, 1));
    // The release counts wherever it happens.
    Mouse(Form(), WM_LBUTTONUP, 390, 290);
    EXPECT_NE(corner(), Rgb(clBtnShadow));
    EXPECT_EQ(arrow(), raisedArrow);

    // A press on the text part leaves the button alone, and so does a right press on it.
    Mouse(Form(), WM_LBUTTONDOWN, field.Left() + 10, field.Top() + 10, MK_LBUTTON);
    EXPECT_EQ(arrow(), raisedArrow);
    Mouse(Form(), WM_LBUTTONUP, field.Left() + 10, field.Top() + 10);
    Mouse(Form(), WM_RBUTTONDOWN, x, y, MK_RBUTTON);
    EXPECT_EQ(arrow(), raisedArrow);
    Mouse(Form(), WM_RBUTTONUP, x, y);
}

TEST_F(WineControlOnForm, ClickTellsFromThePointerWhetherItHitTheButton)
{
    auto& field = Place<TWineControl>(20, 40, 150, 21);
    Pump();
    std::vector<bool> reports;
    field.OnWineClick = [&](TObject* sender, bool onButton) {
        EXPECT_EQ(sender, &field);
        reports.push_back(onButton);
    };
    // The message says where the press was; the field asks the pointer itself.
    auto click = [&](TPoint message, TPoint pointer) {
        const TPoint screen = field.ClientToScreen(pointer);
        ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
        Mouse(Form(), WM_LBUTTONDOWN, field.Left() + message.x, field.Top() + message.y, MK_LBUTTON);
        Mouse(Form(), WM_LBUTTONUP, field.Left() + message.x, field.Top() + message.y);
    };
    const TRect button = field.ButtonRect();
    const TPoint onButton(button.left + 4, 8), onText(10, 8);
    click(onButton, onButton);
    click(onText, onText);
    click(TPoint(button.left, button.top), TPoint(button.left, button.top));
    click(TPoint(button.right, 8), TPoint(button.right, 8)); // right edge excluded
    click(onButton, onText);
    click(onText, onButton);
    field.SetStyle(wcEdit);
    click(onButton, onButton);
    EXPECT_EQ(reports, (std::vector<bool>{true, false, true, false, false, true, false}));
}

TEST_F(WineControlOnForm, DrawingFailuresAreDropped)
{
    auto& field = Place<TWineControl>(20, 40, 150, 21);
    EXPECT_TRUE(field.ButtonRect().IsEmpty());
    Pump();
    const TRect button = field.ButtonRect();
    ASSERT_FALSE(button.IsEmpty());
    // Off its form the field has no surface: drawing the button fails inside.
    field.SetParent(nullptr);
    EXPECT_NO_THROW(field.MouseDown(mbLeft, TShiftState(), button.left + 2, button.top + 2));
    EXPECT_NO_THROW(field.MouseUp(mbLeft, TShiftState(), 0, 0));
}

TEST(WineControlAlone, TheReferencedControlDestroyedFirstIsCleared)
{
    TWineControl field(nullptr);
    auto* first = new TWineControl(nullptr);
    auto* second = new TWineControl(nullptr);
    field.SetControl(first);
    field.SetControl(second);
    delete first; // replaced, so no longer watched
    EXPECT_EQ(field.Control(), second);
    delete second;
    EXPECT_EQ(field.Control(), nullptr);
}
