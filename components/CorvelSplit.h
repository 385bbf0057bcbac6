#pragma once
// A bar, 6 pixels thick, that the user drags with the left button to share its
// parent between two sibling controls: Control1 left of (or above) it, Control2
// right of (or below) it. The bar stretches itself across its parent, stays between
// two margins, may snap to a step, and re-positions both controls whenever it paints,
// so they follow it during a drag.
#include "framework/controls/Controls.h"

class TCorvelSplit : public TCustomControl {
    FW_CLASS(TCorvelSplit)
public:
    explicit TCorvelSplit(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    virtual void SetKind(TScrollBarKind value);
    int Overlap() const { return FOverlap; }
    // How far Control1 reaches under the bar; a negative value stores 0.
    virtual void SetOverlap(int value);
    // Not owned; a control destroyed first is cleared from the property. The bar
    // itself is refused with EInvalidOperation.
    TControl* Control1() const { return FControl1; }
    virtual void SetControl1(TControl* value);
    TControl* Control2() const { return FControl2; }
    virtual void SetControl2(TControl* value);
    // Positions in the parent's client coordinates; -1 is the smallest value and,
    // for MargeRightBottom, means no upper limit.
    int MargeLeftTop() const { return FMargeLeftTop; }
    virtual void SetMargeLeftTop(int value);
    int MargeRightBottom() const { return FMargeRightBottom; }
    virtual void SetMargeRightBottom(int value);
    // A design-time switch for both controls' auto-resize; at run time it stores nothing.
    bool ControlsAutoResize() const { return FControlsAutoResize; }
    virtual void SetAutoResize(bool value);

    bool Control1AutoResize() const { return FControl1AutoResize; }
    void SetControl1AutoResize(bool value) { FControl1AutoResize = value; }
    bool Control2AutoResize() const { return FControl2AutoResize; }
    void SetControl2AutoResize(bool value) { FControl2AutoResize = value; }
    bool CorvelSplitAutoResize() const { return FCorvelSplitAutoResize; }
    void SetCorvelSplitAutoResize(bool value) { FCorvelSplitAutoResize = value; }
    // Only values above 1 snap.
    int Step() const { return FStep; }
    void SetStep(int value) { FStep = value; }

    // Moves the bar's leading edge to a point given in the bar's client coordinates,
    // kept between the margins and snapped to Step.
    void ApplyMarges(int X, int Y);
    void ApplyMarges() { ApplyMarges(1, 1); }
    // Rounds Pos to the nearest multiple of Step, halves up; negative positions go toward 0.
    void Snap(int& Pos) const;
    // Stretches the bar across its parent and re-positions the two controls beside it.
    void RecalcPosition();

    void Dispatch(TMessage& Message) override;
    void MyMouseDown(TMessage& Message);
    void MyMouseUp(TMessage& Message);
    void MouseMove(TShiftState Shift, int X, int Y) override;

    TNotifyEvent OnBeginMove;
    TNotifyEvent OnEndMove;

protected:
    void Paint() override;
    void BoundsChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ChangeScale(int M, int D) override;

private:
    void StoreControl(TControl*& slot, TControl* value);
    void StretchAcrossParent();
    void FitControl1();
    void FitControl2();

    TControl* FControl1 = nullptr;
    TControl* FControl2 = nullptr;
    int FMargeLeftTop = 10;
    int FMargeRightBottom = -1;
    bool FVertical = true;
    bool FControlsAutoResize = false;
    bool FControl1AutoResize = false;
    bool FControl2AutoResize = false;
    bool FCorvelSplitAutoResize = true;
    TScrollBarKind FKind = sbVertical;
    int FOverlap = 0;
    int FStep = 0;
};

namespace CorvelSplit {
// Puts TCorvelSplit on the palette page "Corvel".
void Register();
} // namespace CorvelSplit
