#pragma once
// One wall of a wine cellar: a grid of square compartments, each able to show the
// round end of a bottle, with row labels down the left margin and column labels
// along the top. The wall knows nothing about stock: it asks its owner through
// OnDrawing what every compartment holds, and reports clicks, presses and hint
// requests as (row, column), both counted from 1.
#include "framework/controls/Controls.h"

#include <climits>
#include <optional>
#include <string>

enum WallEnumerationType { weNumeric, weAlpha };
const TEnumInfo& WallEnumerationTypeInfo();

// (Sender, iRow, iCol)
using TWallCellEvent = TEvent<TObject*, int, int>;
// (Sender, iRow, iCol, bEmpty, Color, EllipseColor): the owner says whether the
// compartment holds a bottle and in which colours its end is drawn.
using TWallDrawingEvent = TEvent<TObject*, int, int, bool&, TColor&, TColor&>;

// The arithmetic of a wall: where each compartment lies, which one a point falls
// in, and how large the control is for a compartment size. Products are taken in
// 64 bits and limited, so that absurd counts, sizes or indexes cannot wrap around.
struct TWallLayout {
    int Columns = 1;
    int Rows = 1;
    int CaseSize = 20;
    // Width of the label strips left of and above the grid.
    int Margin = 15;

    // Top-left corner of compartment (iRow, iCol).
    TPoint CellOrigin(int iRow, int iCol) const;
    TRect CellRect(int iRow, int iCol) const;
    // Right edge of the last column.
    int GridRight() const;
    // The control's size that shows the whole grid with compartments of Size pixels.
    int NaturalWidth(int Size) const;
    int NaturalHeight(int Size) const;
    // (column, row) of a client point, not limited to the grid; the margins count
    // as the first row or column up to one compartment before the grid.
    TPoint ColRowAt(const TPoint& Client) const;
    bool IsCell(int iRow, int iCol) const { return iRow >= 1 && iRow <= Rows && iCol >= 1 && iCol <= Columns; }
    // The largest compartment size in [From, To] whose natural size fits Width by
    // Height; From - 1 when even From does not fit.
    int LargestFittingSize(int From, int To, int Width, int Height) const;
};

class TWineWall : public TGraphicControl {
    FW_CLASS(TWineWall)
public:
    // No path leaves a compartment smaller than this: the setter's own lower bound.
    static constexpr int MinCaseWidthHeight = 3;
    // Nor larger than this: GDI takes coordinates this far on every system, and
    // far larger bottle ends would take it minutes to draw.
    static constexpr int MaxCaseWidthHeight = 32767;

    explicit TWineWall(TComponent* AOwner);
    ~TWineWall() override;

    bool AutoChangeWidthHeight() const { return FAutoChangeWidthHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    int CaseWidthHeight() const { return FCaseWidthHeight; }
    // Width of the label strips left of and above the grid.
    int LabelMargin() const { return FMargin; }
    int LoadedCaseWidthHeight() const { return FLoadedCaseWidthHeight; }
    // For the owner's use (which wall this is); the control never reads it.
    int WallNumber() const { return FWallNumber; }
    void SetWallNumber(int value) { FWallNumber = value; }
    int NbCaseWidth() const { return FNbCaseWidth; }
    int NbCaseHeight() const { return FNbCaseHeight; }
    WallEnumerationType TypeHorizontal() const { return FTypeHorizontal; }
    WallEnumerationType TypeVertical() const { return FTypeVertical; }
    // From a press on the control until the next release on it.
    bool Pressed() const { return FPressed; }

    // Each setter ignores a value out of its range or equal to the current one,
    // and otherwise repaints at once.
    virtual void SetNbCaseWidth(int value);             // ignores below 1
    virtual void SetNbCaseHeight(int value);            // ignores below 1
    virtual void SetCaseWidthHeight(int value);         // ignores what lies outside the bounds above
    virtual void SetAutoChangeWidthHeight(bool value);
    virtual void SetTypeHorizontal(WallEnumerationType value);
    virtual void SetTypeVertical(WallEnumerationType value);
    void SetColor(TColor value) override;
    virtual void SetMaxWidth(int value);                // ignores negative values
    virtual void SetMaxHeight(int value);               // ignores negative values
    // A stored form writes MaxHeight and WallNumber straight into their members,
    // unchecked: a negative maximum means no limit, as 0 does.

    TWallDrawingEvent OnDrawing;
    // These take the place of the framework's click and mouse events.
    TWallCellEvent OnClick;
    TWallCellEvent OnDblClick;
    TWallCellEvent OnMouseDown;
    TWallCellEvent OnNeedHint;

    // Draws one compartment and, while painting, on the first row and column, its
    // labels: outside painting the labels already stand where the last paint put
    // them, and text drawn again over itself would thicken. Frame
    // asks for the compartment's frame and joints; the two flags after it are
    // accepted for existing callers and change nothing. Rows and columns are not
    // checked: the owner may draw beyond the grid.
    void DrawCell(int iRow, int iCol, bool Frame, bool, bool);
    // Redraws a compartment's content after it changed, straight on the canvas,
    // also outside painting.
    void Draw(int iRow, int iCol);
    void RefreshWall() { Refresh(); }
    // Shrinks the compartments until the natural size fits MaxWidth and MaxHeight,
    // then takes that size.
    void AutoCalculate();
    // Chooses a compartment size for Rect (in the parent's client coordinates) and
    // centres the control in it. Fit takes the largest size that fits; otherwise the
    // size grows back toward the designed one, or follows the maxima.
    void CenterInRectangle(const TRect& Rect, bool Fit);
    // Bijective base 26: 1 is A, 26 Z, 27 AA, 702 ZZ, 703 AAA; "" below 1.
    static std::string GetAlpha(int n);
    // Replaces Point by (column, row), not limited to the grid; a screen point is
    // first made a client point.
    void ClientToRowCol(TPoint& Point, bool Screen) const;
    // The hint for a client point: OnNeedHint is asked for the compartment there,
    // and CursorRect becomes that compartment, so the hint is asked again once the
    // pointer leaves it. Without OnNeedHint, the control's Hint.
    std::string GetHint(int X, int Y, TRect& CursorRect);

    void Loaded() override;
    void ChangeScale(int M, int D) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;

private:
    struct TCellRange {
        int FirstRow, EndRow, FirstCol, EndCol; // zero-based, ends excluded
    };

    TWallLayout Layout() const { return {FNbCaseWidth, FNbCaseHeight, FCaseWidthHeight, FMargin}; }
    // The compartment under a client point, if any.
    std::optional<TPoint> CellAt(const TPoint& Client) const;
    // The compartments around a client rectangle that painting it needs.
    TCellRange CellsAround(const TRect& Clip) const;
    void DrawJoint(int X, int Y);
    void DrawBottleEnd(const TRect& Cell, bool bEmpty, TColor Fill, TColor Ring);
    void DrawLabels(int iRow, int iCol, const TRect& Cell);
    // Stores a new value and repaints; an equal value changes nothing.
    template <class T>
    void Store(T& field, T value);
    void StoreInRange(int& field, int value, int lowest, int highest = INT_MAX);

    int FWallNumber = 1;
    int FNbCaseHeight = 18;
    int FNbCaseWidth = 9;
    int FCaseWidthHeight = 20;
    int FMargin = 15;
    int FLoadedCaseWidthHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
    bool FAutoChangeWidthHeight = false;
    WallEnumerationType FTypeHorizontal = weNumeric;
    WallEnumerationType FTypeVertical = weNumeric;
    bool FPressed = false;
    bool FPainting = false;
};

namespace WineWall {
// Puts TWineWall on the palette page "Corvel".
void Register();
} // namespace WineWall
