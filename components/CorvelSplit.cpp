#include "components/CorvelSplit.h"

#include "framework/controls/Menus.h"
#include "framework/core/Exceptions.h"
#include "framework/designer/Registration.h"

#include <cmath>
#include <utility>

FW_BEGIN_CLASS(TCorvelSplit, TCustomControl)
    .Component("PopupMenu", TPopupMenu::StaticClass(), &C::PopupMenu, &C::SetPopupMenu).Unpublished()
    .Publish({"Hint", "ParentShowHint", "ShowHint", "PopupMenu", "Enabled", "OnMouseUp", "OnMouseMove", "OnMouseDown",
              "OnResize"})
    .Event("OnEndMove", &C::OnEndMove)
    .Event("OnBeginMove", &C::OnBeginMove)
    .Enum("Kind", ScrollBarKindInfo(), &C::Kind, &C::SetKind, sbVertical)
    .Bool("ControlsAutoResize", &C::ControlsAutoResize, &C::SetAutoResize, false)
    .Bool("Control1AutoResize", &C::Control1AutoResize, &C::SetControl1AutoResize, false)
    .Bool("Control2AutoResize", &C::Control2AutoResize, &C::SetControl2AutoResize, false)
    .Bool("CorvelSplitAutoResize", &C::CorvelSplitAutoResize, &C::SetCorvelSplitAutoResize, true)
    .Integer("Overlap", &C::Overlap, &C::SetOverlap, 0)
    .Integer("Step", &C::Step, &C::SetStep, 0)
    .Component("Control1", TControl::StaticClass(), &C::Control1, &C::SetControl1)
    .Component("Control2", TControl::StaticClass(), &C::Control2, &C::SetControl2)
    .Integer("MargeLeftTop", &C::MargeLeftTop, &C::SetMargeLeftTop, 10)
    .Integer("MargeRightBottom", &C::MargeRightBottom, &C::SetMargeRightBottom, -1)
FW_END_CLASS

namespace {
constexpr int BarThickness = 6;
} // namespace

TCorvelSplit::TCorvelSplit(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(Left(), 0, BarThickness, 100);
}

// --- geometry ---
// Sizes come from the parents' client areas, where the bar and the controls live: a
// bordered form's outer size would run them under its frame.

void TCorvelSplit::StretchAcrossParent()
{
    // A bar not yet placed has nothing to stretch across; it does so once painted.
    TWinControl* parent = Parent();
    if (!parent)
        return;
    if (FVertical)
        SetBounds(Left(), 0, BarThickness, parent->ClientHeight());
    else
        SetBounds(0, Top(), parent->ClientWidth(), BarThickness);
}

void TCorvelSplit::FitControl1()
{
    TWinControl* parent = FControl1->Parent();
    if (!parent)
        return;
    if (FVertical)
        FControl1->SetBounds(0, FControl1->Top(), Left() + FOverlap, parent->ClientHeight());
    else
        FControl1->SetBounds(FControl1->Left(), 0, parent->ClientWidth() - FControl1->Left(), Top() + FOverlap);
}

void TCorvelSplit::FitControl2()
{
    TWinControl* parent = FControl2->Parent();
    TWinControl* barParent = Parent();
    if (!parent || !barParent)
        return;
    if (FVertical)
        FControl2->SetBounds(Left() + Width(), FControl2->Top(), barParent->ClientWidth() - Width() - Left(),
                             parent->ClientHeight() - FControl2->Top());
    else
        FControl2->SetBounds(FControl2->Left(), Top() + Height(), parent->ClientWidth() - FControl2->Left(),
                             barParent->ClientHeight() - Height() - Top());
}

void TCorvelSplit::RecalcPosition()
{
    if (FCorvelSplitAutoResize)
        StretchAcrossParent();
    if (FControl1 && FControl1AutoResize)
        FitControl1();
    if (FControl2 && FControl2AutoResize)
        FitControl2();
    // Control1 may reach under the bar by Overlap: the bar stays visible above it.
    BringToFront();
}

void TCorvelSplit::Snap(int& Pos) const
{
    if (FStep <= 1)
        return; // nothing to snap to, and no division by zero
    const double step = FStep;
    const double remainder = std::fmod(static_cast<double>(Pos), step);
    Pos = static_cast<int>(remainder / step >= 0.5 ? Pos - remainder + step : Pos - remainder);
}

void TCorvelSplit::ApplyMarges(int X, int Y)
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    const TPoint inParent = parent->ScreenToClient(ClientToScreen(TPoint(X, Y)));
    int pos = FVertical ? inParent.x : inParent.y;
    // The lower margin wins when the two cross.
    if (pos < FMargeLeftTop)
        pos = FMargeLeftTop;
    else if (FMargeRightBottom != -1 && pos > FMargeRightBottom)
        pos = FMargeRightBottom;
    if (FStep > 1)
        Snap(pos);
    if (FVertical)
        SetLeft(pos);
    else
        SetTop(pos);
}

// --- drawing ---

void TCorvelSplit::Paint()
{
    // Every move of the bar repaints it, which is how the controls follow a drag.
    if (!IsDesigning())
        RecalcPosition();
    TCanvas& canvas = *Canvas();
    canvas.Pen()->SetColor(clSilver);
    canvas.Brush()->SetColor(clSilver);
    canvas.Rectangle(0, 0, Width(), Height());
    canvas.Pen()->SetColor(clWhite);
    canvas.MoveTo(1, 1);
    if (FVertical)
        canvas.LineTo(1, Height());
    else
        canvas.LineTo(Width(), 1);
    canvas.Pen()->SetColor(clGray);
    if (FVertical) {
        canvas.MoveTo(5, 1);
        canvas.LineTo(5, Height());
    } else {
        canvas.MoveTo(1, 5);
        canvas.LineTo(Width(), 5);
    }
}

void TCorvelSplit::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    // The system moves a window by copying its pixels, without painting it; the bar
    // repaints anyway, because painting is what brings the controls beside it along.
    Invalidate();
}

// --- mouse ---

void TCorvelSplit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: MyMouseDown(Message); break;
    case WM_LBUTTONUP: MyMouseUp(Message); break;
    default: TCustomControl::Dispatch(Message); break;
    }
}

void TCorvelSplit::MyMouseDown(TMessage& Message)
{
    if (IsDesigning() && !Enabled())
        return;
    TCanvas& canvas = *Canvas();
    canvas.Pen()->SetColor(clGray);
    canvas.Brush()->SetColor(clGray);
    if (FVertical) {
        if (FControl1 && FOverlap > 0)
            FControl1->SetWidth(FControl1->Width() + Width());
        canvas.Rectangle(2, 0, 5, Height());
    } else {
        if (FControl1 && FOverlap > 0)
            FControl1->SetHeight(FControl1->Height() + Height());
        canvas.Rectangle(0, 2, Width(), 5);
    }
    SetCapture(Handle());
    if (OnBeginMove)
        OnBeginMove(this);
    TCustomControl::Dispatch(Message);
}

void TCorvelSplit::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!IsDesigning() && Shift.Contains(ssLeft) && GetCapture() == Handle())
        ApplyMarges(X, Y);
}

void TCorvelSplit::MyMouseUp(TMessage& Message)
{
    if (IsDesigning())
        return;
    ReleaseCapture();
    Refresh();
    RecalcPosition();
    if (OnEndMove)
        OnEndMove(this);
    TCustomControl::Dispatch(Message);
}

// --- properties ---

void TCorvelSplit::SetKind(TScrollBarKind value)
{
    const bool vertical = value == sbVertical;
    const bool turned = vertical != FVertical;
    FKind = value;
    FVertical = vertical;
    StretchAcrossParent();
    if (turned)
        Refresh();
}

void TCorvelSplit::SetOverlap(int value)
{
    if (value == FOverlap)
        return;
    FOverlap = value < 0 ? 0 : value;
    RecalcPosition();
}

void TCorvelSplit::SetControl1(TControl* value) { StoreControl(FControl1, value); }

void TCorvelSplit::SetControl2(TControl* value) { StoreControl(FControl2, value); }

void TCorvelSplit::StoreControl(TControl*& slot, TControl* value)
{
    if (value == slot)
        return;
    // Stretching itself and fitting itself beside itself would undo each other at
    // every paint, and every paint would ask for another.
    if (value == this)
        throw EInvalidOperation("A splitter cannot be one of the controls it places");
    TControl* const former = std::exchange(slot, value);
    // One control may stand in both slots: the link goes with the last reference.
    if (former && former != FControl1 && former != FControl2)
        RemoveFreeNotification(former);
    FreeNotification(value);
    RecalcPosition();
}

void TCorvelSplit::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FControl1)
        FControl1 = nullptr;
    if (AComponent == FControl2)
        FControl2 = nullptr;
}

void TCorvelSplit::SetAutoResize(bool value)
{
    // Only the designer sets both switches at once; a running program keeps the
    // values stored for each control.
    if (!IsDesigning())
        return;
    FControl1AutoResize = value;
    FControl2AutoResize = value;
    FControlsAutoResize = value;
}

void TCorvelSplit::ChangeScale(int M, int D)
{
    TCustomControl::ChangeScale(M, D);
    // The margins are places on the parent, which scales with the bar; -1 marks no limit.
    auto scaled = [M, D](int pos) { return pos <= 0 ? pos : MulDiv(pos, M, D); };
    FMargeLeftTop = scaled(FMargeLeftTop);
    FMargeRightBottom = scaled(FMargeRightBottom);
    FOverlap = scaled(FOverlap);
    FStep = FStep > 1 ? MulDiv(FStep, M, D) : FStep;
}

void TCorvelSplit::SetMargeLeftTop(int value) { FMargeLeftTop = value < -1 ? -1 : value; }

void TCorvelSplit::SetMargeRightBottom(int value) { FMargeRightBottom = value < -1 ? -1 : value; }

namespace CorvelSplit {
void Register() { RegisterComponents("Corvel", {&TCorvelSplit::StaticClass()}); }
} // namespace CorvelSplit
