// OBM_COMBO, the system's combo-box arrow, is declared only with OEMRESOURCE, and
// <windows.h> must see it first, whichever header includes it.
#define OEMRESOURCE
#include "components/WineControl.h"

#include "framework/designer/Registration.h"
#include "framework/graphics/Bitmap.h"
#include "framework/text/SysUtils.h"

#include <cctype>

const TEnumInfo& WineControlStyleInfo()
{
    static const TEnumInfo info{"WineControlStyle", {"wcCombo", "wcEdit", "wcDate"}};
    return info;
}

const TEnumInfo& WineControlTypeInfo()
{
    static const TEnumInfo info{"WineControlType", {"wtAny", "wtInteger", "wtNumeric"}};
    return info;
}

FW_BEGIN_CLASS(TWineControl, TGraphicControl)
    .Publish({"Cursor", "Hint"})
    .String("DateFormat", &C::DateFormat)
    .Integer("Color", &C::Color, &C::SetColor, clWindow, &ColorIdents())
    .String("Text", &C::Text, &C::SetCaption, "")
    .Float("Date", &C::Date, &C::SetDate, 0.0)
    .String("SelectedCode", &C::SelectedCode, &C::SetSelectedCode, "")
    .String("CodeTableType", &C::CodeTableType, &C::SetCodeTableType, "")
    .Enum("Style", WineControlStyleInfo(), &C::Style, &C::SetStyle, wcCombo)
    .Enum("Type", WineControlTypeInfo(), &C::Type, &C::SetType, wtAny)
    .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
    .Component("Control", TControl::StaticClass(), &C::Control, &C::SetControl)
    .Enum("Alignment", AlignmentInfo(), &C::Alignment, &C::SetAlignment, taLeftJustify)
    .Event("OnWineClick", &C::OnWineClick)
    .Event("OnChange", &C::OnChange)
    .Event("OnSelectedCodeChange", &C::OnSelectedCodeChange)
    .Bool("Enabled", &C::Enabled, &C::SetEnabled, true)
FW_END_CLASS

// --- the date pattern ---

namespace {
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
} // namespace

std::string FourDigitYearDatePattern(const std::string& ShortDateFormat)
{
    std::string upper;
    for (char c : ShortDateFormat)
        upper += Upper(c);

    if (upper.find("YYY") == std::string::npos) {
        if (const size_t yy = upper.find("YY"); yy != std::string::npos)
            upper.replace(yy, 2, "yyyy");
        else if (const size_t y = upper.find('Y'); y != std::string::npos)
            upper.replace(y, 1, "yyyy");
    }

    // A lone day or month letter would print 7/3 for the 7th of March; two letters
    // keep the field's width steady. Runs (names, two-digit fields) stay as they are.
    std::string pattern;
    for (size_t i = 0; i < upper.size(); ++i) {
        const char c = upper[i];
        const bool sameBefore = i > 0 && Upper(upper[i - 1]) == c;
        const bool sameAfter = i + 1 < upper.size() && Upper(upper[i + 1]) == c;
        const bool alone = !sameBefore && !sameAfter;
        if (c == 'D')
            pattern += alone ? "dd" : "d";
        else if (c == 'M')
            pattern += alone ? "MM" : "M";
        else
            pattern += Lower(c);
    }
    return pattern;
}

// --- construction and properties ---

TWineControl::TWineControl(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // The field has a background of its own, whatever its parent's colour.
    SetParentColor(false);
    TGraphicControl::SetColor(clWindow);
    IncludeStyle(csOpaque);
}

TWineControl::~TWineControl() = default;

std::string TWineControl::GetDateFormatA() const { return FourDigitYearDatePattern(FormatSettings.ShortDateFormat); }

void TWineControl::SetCaption(const std::string& value)
{
    if (value == GetText())
        return;
    SetTextSilently(value);
    Refresh();
    if (OnChange)
        OnChange(this);
}

void TWineControl::SetDate(TDateTime value)
{
    if (value == FDate)
        return;
    // Formatted before anything is stored: a date that cannot be shown leaves the
    // field as it was instead of a Date that its Text does not show.
    const std::string text = value == 0 ? std::string() : FormatDateTime(DateFormat(), value);
    FDate = value;
    SetCaption(text);
}

void TWineControl::SetColor(TColor value)
{
    if (value == Color())
        return;
    TGraphicControl::SetColor(value);
    Refresh();
}

void TWineControl::SetControl(TControl* value) { SetWatchedReference(FControl, value); }

void TWineControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl)
        FControl = nullptr;
}

void TWineControl::SetSelectedCode(const std::string& value)
{
    if (value == FSelectedCode)
        return;
    FSelectedCode = value;
    if (OnSelectedCodeChange)
        OnSelectedCodeChange(this);
}

void TWineControl::SetStyle(WineControlStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Refresh();
}

void TWineControl::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Refresh();
}

void TWineControl::SetEnabled(bool value)
{
    if (value == Enabled())
        return;
    TGraphicControl::SetEnabled(value);
    Refresh();
}

// --- drawing ---

void TWineControl::Paint()
{
    // The field is drawn while the system paints its parent: a failure here must not
    // reach the message loop, which would report it at every repaint.
    try {
        TCanvas& canvas = *Canvas();
        TRect client = ClientRect();
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
        if (!Text().empty())
            DrawValue(canvas);
        DrawEdge(canvas.Handle(), &client, EDGE_SUNKEN, BF_RECT);
        if (HasButton())
            DrawComboButton(false);
    } catch (...) {
    }
}

void TWineControl::DrawValue(TCanvas& canvas)
{
    const std::string text = Text();
    TFont& font = *canvas.Font();
    const TColor fontColor = font.Color();
    if (!Enabled())
        font.SetColor(clBtnShadow);

    int x = 3, y = 3;
    if (FAlignment != taLeftJustify) {
        int available = Width();
        if (HasButton())
            available -= GetSystemMetrics(SM_CXHSCROLL) + 3;
        const int textWidth = canvas.TextWidth(text);
        x = FAlignment == taCenter ? (available - textWidth) / 2 : available - 2 - textWidth;
    }
    if (FStyle == wcDate) {
        ++x;
        ++y;
    }
    canvas.TextOut(x, y, text);
    if (font.Color() != fontColor)
        font.SetColor(fontColor);
}

void TWineControl::DrawComboButton(bool Pressed)
{
    try {
        TCanvas& canvas = *Canvas();
        canvas.Brush()->SetColor(clBtnFace);
        const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL);
        FButtonRect = TRect(Width() - (buttonWidth + 2), 2, Width() - 2, Height() - 2);
        canvas.FillRect(FButtonRect);
        TRect edge = FButtonRect;
        if (Pressed) {
            DrawEdge(canvas.Handle(), &edge, BDR_SUNKENOUTER, BF_RECT);
            canvas.Brush()->SetColor(clBtnShadow);
            canvas.FrameRect(FButtonRect);
        } else {
            DrawEdge(canvas.Handle(), &edge, EDGE_RAISED, BF_RECT);
        }
        DrawArrow(canvas, Pressed);
        canvas.Brush()->SetColor(Color());
    } catch (...) {
        // Drawn from mouse handlers too, where the field may have no surface to draw on.
    }
}

void TWineControl::DrawArrow(TCanvas& canvas, bool Pressed)
{
    HBITMAP loaded = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_COMBO));
    if (!loaded)
        return; // the button is still a button without its arrow
    TBitmap arrow;
    arrow.SetHandle(loaded);
    const int shift = Pressed ? 1 : 0;
    const int left = FButtonRect.left + (FButtonRect.Width() - arrow.Width()) / 2 + shift;
    const int top = FButtonRect.top + (FButtonRect.Height() - arrow.Height()) / 2 + shift;
    canvas.Draw(left, top, &arrow);
}

// --- mouse ---

void TWineControl::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft && HasButton() && FButtonRect.Contains(TPoint(X, Y)))
        DrawComboButton(true);
}

void TWineControl::MouseUp(TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft && HasButton())
        DrawComboButton(false);
}

void TWineControl::Click()
{
    if (!OnWineClick)
        return;
    // The framework gives Click no position: the pointer's own tells where it was.
    bool onButton = false;
    POINT pointer;
    if (GetCursorPos(&pointer) && Parent()) {
        ::ScreenToClient(Parent()->Handle(), &pointer);
        const TPoint inField(pointer.x - Left(), pointer.y - Top());
        onButton = HasButton() && FButtonRect.Contains(inField);
    }
    OnWineClick(this, onButton);
}

namespace WineControl {
void Register() { RegisterComponents("Corvel", {&TWineControl::StaticClass()}); }
} // namespace WineControl
