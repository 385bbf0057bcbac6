#include "components/WineWall.h"

#include "framework/controls/HintInfo.h"
#include "framework/controls/Menus.h"
#include "framework/designer/Registration.h"
#include "framework/forms/Application.h"
#include "framework/text/SysUtils.h"

#include <algorithm>
#include <climits>
#include <cstdint>

const TEnumInfo& WallEnumerationTypeInfo()
{
    static const TEnumInfo info{"WallEnumerationType", {"weNumeric", "weAlpha"}};
    return info;
}

FW_BEGIN_CLASS(TWineWall, TGraphicControl)
    .Component("PopupMenu", TPopupMenu::StaticClass(), &C::PopupMenu, &C::SetPopupMenu).Unpublished()
    .Publish({"Cursor", "OnResize", "Hint", "ShowHint", "Visible", "ParentShowHint", "PopupMenu"})
    .Integer("Color", &C::Color, &C::SetColor, clWindow, &ColorIdents())
    .Bool("AutoChangeWidthHeight", &C::AutoChangeWidthHeight, &C::SetAutoChangeWidthHeight, false)
    .Integer("MaxWidth", &C::MaxWidth, &C::SetMaxWidth, 0)
    .Integer("MaxHeight", &C::MaxHeight, &C::FMaxHeight, 0)
    .Integer("CaseWidthHeight", &C::CaseWidthHeight, &C::SetCaseWidthHeight, 20)
    .Integer("WallNumber", &C::WallNumber, &C::FWallNumber, 1)
    .Integer("NbCaseWidth", &C::NbCaseWidth, &C::SetNbCaseWidth, 9)
    .Integer("NbCaseHeight", &C::NbCaseHeight, &C::SetNbCaseHeight, 18)
    .Enum("TypeHorizontal", WallEnumerationTypeInfo(), &C::TypeHorizontal, &C::SetTypeHorizontal, weNumeric)
    .Enum("TypeVertical", WallEnumerationTypeInfo(), &C::TypeVertical, &C::SetTypeVertical, weNumeric)
    .Event("OnDrawing", &C::OnDrawing)
    .Event("OnClick", &C::OnClick)
    .Event("OnDblClick", &C::OnDblClick)
    .Event("OnMouseDown", &C::OnMouseDown)
    .Event("OnNeedHint", &C::OnNeedHint)
FW_END_CLASS

// --- layout ---

namespace {
int Saturated(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

// GDI draws nothing beyond 2^27 either way. Keeping positions inside that range
// leaves room for the joints and insets that drawing adds to them, whatever the
// compartment size or the index an owner asks to draw.
int Position(int64_t value)
{
    constexpr int64_t farthest = int64_t{1} << 27;
    return static_cast<int>(std::clamp(value, -farthest, farthest));
}
} // namespace

TPoint TWallLayout::CellOrigin(int iRow, int iCol) const
{
    auto edge = [this](int index) { return Position((int64_t{index} - 1) * CaseSize + Margin); };
    return TPoint(edge(iCol), edge(iRow));
}

TRect TWallLayout::CellRect(int iRow, int iCol) const
{
    const TPoint origin = CellOrigin(iRow, iCol);
    return TRect(origin.x, origin.y, Position(int64_t{origin.x} + CaseSize), Position(int64_t{origin.y} + CaseSize));
}

int TWallLayout::GridRight() const { return Position(int64_t{Columns} * CaseSize + Margin); }

int TWallLayout::NaturalWidth(int Size) const { return Saturated(Size / 5 + int64_t{Columns} * Size + 24); }

int TWallLayout::NaturalHeight(int Size) const { return Saturated(int64_t{Rows} * Size + Margin); }

TPoint TWallLayout::ColRowAt(const TPoint& Client) const
{
    // Division truncates toward zero: a point less than one compartment before the
    // grid lands in the first row or column.
    return TPoint((Client.x - Margin) / CaseSize + 1, (Client.y - Margin) / CaseSize + 1);
}

int TWallLayout::LargestFittingSize(int From, int To, int Width, int Height) const
{
    // Natural sizes grow with the compartment size, so the sizes that fit come first.
    auto fits = [&](int size) { return NaturalWidth(size) <= Width && NaturalHeight(size) <= Height; };
    int low = From - 1, high = To;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// --- construction and properties ---

TWineWall::TWineWall(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // The parent's background shows wherever the wall paints nothing: the label
    // margins and the strip right of the last column.
    ExcludeStyle(csOpaque);
    // The wall's colour is its own, whatever its parent's is.
    TGraphicControl::SetColor(clWindow);
    SetBounds(Left(), Top(), 30, 60);
}

TWineWall::~TWineWall() = default;

void TWineWall::Loaded()
{
    TGraphicControl::Loaded();
    FLoadedCaseWidthHeight = FCaseWidthHeight;
}

void TWineWall::ChangeScale(int M, int D)
{
    TGraphicControl::ChangeScale(M, D);
    // The form scales while its controls load: the designed size seen by Loaded is
    // then the scaled one.
    FCaseWidthHeight = std::clamp(MulDiv(FCaseWidthHeight, M, D), MinCaseWidthHeight, MaxCaseWidthHeight);
    FMargin = MulDiv(FMargin, M, D);
    FMaxWidth = MulDiv(FMaxWidth, M, D);
    FMaxHeight = MulDiv(FMaxHeight, M, D);
}

template <class T>
void TWineWall::Store(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    Refresh();
}

void TWineWall::StoreInRange(int& field, int value, int lowest, int highest)
{
    if (value >= lowest && value <= highest)
        Store(field, value);
}

void TWineWall::SetNbCaseWidth(int value) { StoreInRange(FNbCaseWidth, value, 1); }

void TWineWall::SetNbCaseHeight(int value) { StoreInRange(FNbCaseHeight, value, 1); }

void TWineWall::SetCaseWidthHeight(int value)
{
    StoreInRange(FCaseWidthHeight, value, MinCaseWidthHeight, MaxCaseWidthHeight);
}

void TWineWall::SetAutoChangeWidthHeight(bool value) { Store(FAutoChangeWidthHeight, value); }

void TWineWall::SetTypeHorizontal(WallEnumerationType value) { Store(FTypeHorizontal, value); }

void TWineWall::SetTypeVertical(WallEnumerationType value) { Store(FTypeVertical, value); }

void TWineWall::SetColor(TColor value)
{
    if (value == Color())
        return;
    TGraphicControl::SetColor(value);
    Refresh();
}

void TWineWall::SetMaxWidth(int value) { StoreInRange(FMaxWidth, value, 0); }

void TWineWall::SetMaxHeight(int value) { StoreInRange(FMaxHeight, value, 0); }

// --- drawing ---

void TWineWall::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    const TRect grid(FMargin, FMargin, Layout().GridRight(), ClientHeight());
    if (Width() < 10 || Height() < 10)
        return;
    const TRect clip = canvas->ClipRect();
    if (clip.IsEmpty())
        return;
    // The label margins and the strip right of the grid keep the parent's background.
    canvas->FillRect(clip.Intersect(grid));
    if (FAutoChangeWidthHeight)
        AutoCalculate();
    const TCellRange cells = CellsAround(clip);
    struct TPaintingScope {
        bool& Painting;
        ~TPaintingScope() { Painting = false; }
    } painting{FPainting};
    FPainting = true;
    for (int row = cells.FirstRow; row < cells.EndRow; ++row)
        for (int col = cells.FirstCol; col < cells.EndCol; ++col)
            DrawCell(row + 1, col + 1, true, false, false);
    canvas->Brush()->SetColor(Color());
}

TWineWall::TCellRange TWineWall::CellsAround(const TRect& Clip) const
{
    if (int64_t{FNbCaseWidth} * FNbCaseHeight <= 30)
        return {0, FNbCaseHeight, 0, FNbCaseWidth};
    // From one compartment before the clip rectangle to two after it, so that the
    // joints and labels reaching into it are drawn again. The clip rectangle is
    // taken whole, margins included: a repaint of the label strips alone must
    // still reach the compartments whose labels stand there.
    const int size = FCaseWidthHeight, margin = FMargin;
    auto first = [size, margin](int edge) {
        const int index = (edge - margin) / size - 1;
        return index <= 1 ? 0 : index;
    };
    auto end = [size, margin](int edge, int count) { return std::min((edge - margin) / size + 2, count); };
    return {first(Clip.top), end(Clip.bottom, FNbCaseHeight), first(Clip.left), end(Clip.right, FNbCaseWidth)};
}

void TWineWall::DrawCell(int iRow, int iCol, bool Frame, bool, bool)
{
    bool bEmpty = true;
    TColor color = clWhite, ellipseColor = clBlack;
    if (OnDrawing)
        OnDrawing(this, iRow, iCol, bEmpty, color, ellipseColor);

    TCanvas* canvas = Canvas();
    const TWallLayout layout = Layout();
    const TRect cell = layout.CellRect(iRow, iCol);
    if (Frame) {
        canvas->Brush()->SetColor(clBlack);
        if (iRow != 1) {
            // Neighbours share their vertical lines; between rows, the bottom line of
            // one row and the top line of the next lie side by side.
            canvas->FrameRect(TRect(cell.left - 1, cell.top, cell.right, cell.bottom));
            DrawJoint(cell.left, cell.top);
        } else {
            // The first row is one band, without inner lines or joints.
            canvas->FrameRect(TRect(layout.Margin - 1, cell.top, layout.GridRight(), cell.bottom));
        }
    }
    DrawBottleEnd(cell, bEmpty, color, ellipseColor);
    if (Frame && iRow != 1)
        DrawJoint(cell.right, cell.top);
    if (FPainting)
        DrawLabels(iRow, iCol, cell);
}

void TWineWall::Draw(int iRow, int iCol) { DrawCell(iRow, iCol, false, true, true); }

// A small teal diamond centred on a compartment corner, outlined in the canvas pen.
void TWineWall::DrawJoint(int X, int Y)
{
    const int d = FCaseWidthHeight / 4;
    Canvas()->Brush()->SetColor(clTeal);
    Canvas()->Polygon({TPoint(X - d, Y), TPoint(X, Y - d), TPoint(X + d, Y), TPoint(X, Y + d)});
}

void TWineWall::DrawBottleEnd(const TRect& Cell, bool bEmpty, TColor Fill, TColor Ring)
{
    // An empty end in the wall's own colour erases a bottle drawn there before.
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(bEmpty ? Color() : Fill);
    canvas->Pen()->SetColor(bEmpty ? Color() : Ring);
    canvas->Ellipse(Cell.left + 1, Cell.top + 1, Cell.right - 1, Cell.bottom - 1);
    // A coloured ring is two pixels wide, a black one a single pixel.
    if (!bEmpty && Ring != clBlack)
        canvas->Ellipse(Cell.left + 2, Cell.top + 2, Cell.right - 2, Cell.bottom - 2);
    canvas->Pen()->SetColor(clBlack);
}

void TWineWall::DrawLabels(int iRow, int iCol, const TRect& Cell)
{
    if (iRow != 1 && iCol != 1)
        return;
    TCanvas* canvas = Canvas();
    auto label = [](WallEnumerationType type, int n) { return type == weAlpha ? GetAlpha(n) : IntToStr(n); };
    // The labels stand on the parent's background: the margins are never filled.
    SetBkMode(canvas->Handle(), TRANSPARENT);
    if (iRow == 1) {
        const std::string text = label(FTypeHorizontal, iCol);
        canvas->TextOut(Cell.left + (FCaseWidthHeight - canvas->TextWidth(text)) / 2, 0, text);
    }
    if (iCol == 1) {
        const std::string text = label(FTypeVertical, iRow);
        canvas->TextOut(0, Cell.top + (FCaseWidthHeight - canvas->TextHeight(text)) / 2, text);
    }
}

std::string TWineWall::GetAlpha(int n)
{
    std::string letters;
    for (int64_t rest = n; rest > 0; rest = (rest - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return letters;
}

// --- fitting ---

void TWineWall::AutoCalculate()
{
    const TWallLayout layout = Layout();
    for (;;) {
        const int size = FCaseWidthHeight;
        const int width = layout.NaturalWidth(size), height = layout.NaturalHeight(size);
        std::optional<int> estimate;
        auto consider = [&estimate](int candidate) {
            estimate = estimate ? std::min(*estimate, candidate) : candidate;
        };
        if (FMaxWidth > 0 && width > FMaxWidth)
            consider((FMaxWidth - size / 5 - 15) / FNbCaseWidth);
        if (FMaxHeight > 0 && height > FMaxHeight)
            consider((FMaxHeight - 4) / FNbCaseHeight);
        if (!estimate) {
            SetBounds(Left(), Top(), width, height);
            return;
        }
        // Too large even at the smallest compartments: keep the size we have.
        if (size <= MinCaseWidthHeight)
            return;
        // The estimates allow for the margins differently from the natural size, so
        // a pass may propose the size it started from, or a larger one, while a
        // maximum is still exceeded: step down instead, so that every pass shrinks.
        FCaseWidthHeight = std::clamp(*estimate, MinCaseWidthHeight, size - 1);
    }
}

void TWineWall::CenterInRectangle(const TRect& Rect, bool Fit)
{
    const int w = Rect.Width(), h = Rect.Height();
    const TWallLayout layout = Layout();
    std::optional<TSize> size;
    if (Fit) {
        // A natural width is always more than the compartment size: w bounds the search.
        const int fitting = layout.LargestFittingSize(2, std::max(2, w), w, h);
        FCaseWidthHeight = std::clamp(fitting, MinCaseWidthHeight, MaxCaseWidthHeight);
        size = TSize(layout.NaturalWidth(FCaseWidthHeight), layout.NaturalHeight(FCaseWidthHeight));
    } else {
        if (FLoadedCaseWidthHeight > FCaseWidthHeight && FAutoChangeWidthHeight) {
            // Grow back toward the designed size as far as the rectangle allows.
            const int fitting = layout.LargestFittingSize(FCaseWidthHeight, FLoadedCaseWidthHeight, w, h);
            if (fitting == FLoadedCaseWidthHeight) {
                FCaseWidthHeight = fitting;
            } else {
                FCaseWidthHeight = std::max(fitting, MinCaseWidthHeight);
                size = TSize(layout.NaturalWidth(FCaseWidthHeight), layout.NaturalHeight(FCaseWidthHeight));
            }
        }
        if (!size) {
            if (FAutoChangeWidthHeight) {
                FMaxWidth = w;
                FMaxHeight = h;
                AutoCalculate();
            }
            size = TSize(Width(), Height());
        }
    }
    SetBounds(Rect.left + (w - size->cx) / 2, Rect.top + (h - size->cy) / 2, size->cx, size->cy);
}

// --- hit-testing and mouse ---

void TWineWall::ClientToRowCol(TPoint& Point, bool Screen) const
{
    if (Screen)
        Point = ScreenToClient(Point);
    Point = Layout().ColRowAt(Point);
}

std::optional<TPoint> TWineWall::CellAt(const TPoint& Client) const
{
    TPoint colRow = Client;
    ClientToRowCol(colRow, false);
    if (!Layout().IsCell(colRow.y, colRow.x))
        return std::nullopt;
    return colRow;
}

std::string TWineWall::GetHint(int X, int Y, TRect& CursorRect)
{
    if (!OnNeedHint)
        return Hint();
    const std::optional<TPoint> cell = CellAt(TPoint(X, Y));
    if (!cell)
        return std::string();
    OnNeedHint(this, cell->y, cell->x);
    CursorRect = Layout().CellRect(cell->y, cell->x);
    return Hint();
}

void TWineWall::Dispatch(TMessage& Message)
{
    // The tooltip names the compartment under the pointer and is asked for again
    // once the pointer leaves it.
    if (Message.Msg == CM_HINTSHOW && OnNeedHint) {
        THintInfo& info = *reinterpret_cast<THintInfo*>(Message.LParam);
        info.HintStr = GetShortHint(GetHint(info.CursorPos.x, info.CursorPos.y, info.CursorRect));
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TWineWall::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FPressed = true;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!OnMouseDown)
        return;
    if (const std::optional<TPoint> cell = CellAt(TPoint(X, Y)))
        OnMouseDown(this, cell->y, cell->x);
}

void TWineWall::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Whatever a handler does, the press ends with this release.
    struct TEndPress {
        bool& Pressed;
        ~TEndPress() { Pressed = false; }
    } endPress{FPressed};
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!OnClick || Button != mbLeft || !FPressed)
        return;
    if (const std::optional<TPoint> cell = CellAt(TPoint(X, Y)))
        OnClick(this, cell->y, cell->x);
}

void TWineWall::DblClick()
{
    TGraphicControl::DblClick();
    if (!OnDblClick)
        return;
    // The double-click message carries no position the wall keeps: the pointer's
    // own position says where it happened.
    POINT pointer;
    if (!GetCursorPos(&pointer))
        return;
    TPoint colRow(pointer);
    ClientToRowCol(colRow, true);
    if (Layout().IsCell(colRow.y, colRow.x))
        OnDblClick(this, colRow.y, colRow.x);
}

namespace WineWall {
void Register() { DesignerRegistry().RegisterComponents("Corvel", {&TWineWall::StaticClass()}); }
} // namespace WineWall
