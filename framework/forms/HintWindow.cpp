#include "framework/forms/HintWindow.h"

#include "framework/forms/Application.h"
#include "framework/graphics/GdiHandles.h"

#include <algorithm>

FW_BEGIN_CLASS(THintWindow, TCustomControl)
FW_END_CLASS

namespace {
constexpr int Padding = 2;
constexpr UINT TextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
} // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    // The font the system gives its own tooltips and status lines.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        Font()->SetName(metrics.lfStatusFont.lfFaceName);
        Font()->SetHeight(metrics.lfStatusFont.lfHeight);
    }
    Font()->SetColor(clInfoText);
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = Application ? Application->Handle() : nullptr;
    Params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Text)
{
    TWindowDC dc(nullptr);
    TObjectSelection font(dc.Get(), Font()->Handle());
    RECT r{0, 0, MaxWidth > 0 ? MaxWidth : GetSystemMetrics(SM_CXSCREEN), 0};
    DrawTextA(dc.Get(), Text.c_str(), static_cast<int>(Text.size()), &r, TextFormat | DT_CALCRECT);
    // The border, then the padding on each side.
    const int frame = 2 * (GetSystemMetrics(SM_CXBORDER) + Padding);
    return TRect(0, 0, r.right + frame + 2, r.bottom + frame);
}

void THintWindow::ActivateHint(const TPoint& Screen, const std::string& Text, int MaxWidth)
{
    const TRect size = CalcHintRect(MaxWidth, Text);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = std::max<int>(work.left, std::min<int>(Screen.x, work.right - size.Width()));
    int top = Screen.y;
    if (top + size.Height() > work.bottom) // no room below the pointer: above it
        top = std::max<int>(work.top, Screen.y - size.Height() - GetSystemMetrics(SM_CYCURSOR));
    SetText(Text);
    SetBounds(left, top, size.Width(), size.Height());
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Repaint();
}

void THintWindow::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    const std::string text = GetText();
    RECT r = ClientRect();
    InflateRect(&r, -Padding, -Padding);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r, TextFormat);
}

void THintWindow::TimerElapsed(UINT_PTR Id)
{
    if (OnTimer)
        OnTimer(Id);
}

void THintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; break; // the pointer passes through to what lies below
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; break;
    default: TCustomControl::Dispatch(Message); break;
    }
}
