#include "framework/controls/Controls.h"

FW_BEGIN_CLASS(TGraphicControl, TControl)
FW_END_CLASS

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintWithDC(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT && Message.WParam) {
        PaintWithDC(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    TControl::Dispatch(Message);
}

void TGraphicControl::PaintTo(HDC DC, int X, int Y)
{
    const int saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    ClipToBounds(DC, Width(), Height());
    PaintWithDC(DC);
    RestoreDC(DC, saved);
}

FW_BEGIN_CLASS(TCustomControl, TWinControl)
FW_END_CLASS

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetControlState(ControlState() | TControlState{csCustomPaint});
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}
