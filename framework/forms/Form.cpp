#include "framework/forms/Form.h"

#include "framework/forms/Application.h"
#include "framework/graphics/ScreenDensity.h"
#include "framework/streaming/FormReader.h"

#include <algorithm>

const TEnumInfo& FormBorderStyleInfo()
{
    static const TEnumInfo info{"TFormBorderStyle",
                                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
    return info;
}

const TEnumInfo& PositionInfo()
{
    static const TEnumInfo info{"TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                              "poScreenCenter", "poDesktopCenter"}};
    return info;
}

FW_BEGIN_CLASS(TCustomForm, TWinControl)
    .Enum("BorderStyle", FormBorderStyleInfo(), &C::BorderStyle, &C::SetBorderStyle, bsSizeable).Unpublished()
    .Integer("ClientHeight", &C::ClientHeight, &C::SetClientHeight).Unpublished().Bounded(0, MaxCoordinate)
    .Integer("ClientWidth", &C::ClientWidth, &C::SetClientWidth).Unpublished().Bounded(0, MaxCoordinate)
    .Bool("KeyPreview", &C::KeyPreview, &C::SetKeyPreview, false).Unpublished()
    // A resource's density scales every size in it: one out of this range is damage,
    // not a screen anybody designed on.
    .Integer("PixelsPerInch", &C::PixelsPerInch, &C::SetPixelsPerInch).Unpublished().Bounded(24, 960)
    .Enum("Position", PositionInfo(), &C::Position, &C::SetPosition, poDesigned).Unpublished()
    .Bool("Scaled", &C::Scaled, &C::SetScaled, true).Unpublished()
    .Integer("TextHeight", &C::TextHeight, &C::SetTextHeight).Unpublished()
    .Event("OnClose", &C::OnClose).Unpublished()
    .Event("OnHide", &C::OnHide).Unpublished()
    .Event("OnShow", &C::OnShow).Unpublished()
FW_END_CLASS

FW_BEGIN_CLASS(TForm, TCustomForm)
    .Publish({"BorderStyle", "Caption", "ClientHeight", "ClientWidth", "Color", "Font", "KeyPreview", "OnClose",
              "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnShow", "PixelsPerInch", "Position", "Scaled", "TextHeight"})
FW_END_CLASS

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetClientWidth(320);
    SetClientHeight(240);
}

TCustomForm::~TCustomForm()
{
    if (Application && Application->MainForm() == this && !Application->Terminated())
        Application->Terminate();
}

void TCustomForm::LoadFromResource() { ReadComponentRes(ClassName(), *this); }

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    // Scaled while the controls are still loading, so that auto-sized ones measure
    // their text once, in their scaled fonts. The form then states the screen's
    // density: written back, it reads the same again.
    const int screen = ScreenPixelsPerInch();
    if (FScaled && !IsDesigning() && FPixelsPerInch != screen) {
        ChangeScale(screen, FPixelsPerInch);
        FPixelsPerInch = screen;
    }
    Realign();
}

void TCustomForm::ChangeScale(int M, int D)
{
    TWinControl::ChangeScale(M, D);
    FTextHeight = MulDiv(FTextHeight, M, D);
}

void TCustomForm::ScaleBounds(int M, int D)
{
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    SetClientWidth(MulDiv(clientWidth, M, D));
    SetClientHeight(MulDiv(clientHeight, M, D));
}

// --- geometry: the client size is what a form resource states ---

TRect TCustomForm::WindowRectForClient(int clientWidth, int clientHeight) const
{
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    return TRect(r);
}

TRect TCustomForm::ClientRect() const
{
    if (HandleAllocated())
        return TWinControl::ClientRect();
    const TRect frame = WindowRectForClient(0, 0);
    return TRect(0, 0, Width() - frame.Width(), Height() - frame.Height());
}

void TCustomForm::SetClientWidth(int v) { SetWidth(v + WindowRectForClient(0, 0).Width()); }

void TCustomForm::SetClientHeight(int v) { SetHeight(v + WindowRectForClient(0, 0).Height()); }

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    FBorderStyle = value;
    if (HandleAllocated()) {
        RecreateWnd();
    }
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_CONTROLPARENT;
    switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER; break;
    case bsSizeable: Params.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_SYSMENU;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    // Owned by the application window, whose entry the task bar shows instead.
    Params.WndParent = Application ? Application->Handle() : nullptr;
}

// --- showing and closing ---

void TCustomForm::Show()
{
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::VisibleChanged()
{
    if (!Visible()) {
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
        if (OnHide)
            OnHide(this);
        return;
    }
    HandleNeeded();
    if (!FPositioned && (FPosition == poScreenCenter || FPosition == poDesktopCenter))
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
                  Height());
    FPositioned = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    TWinControl* first = FActiveControl;
    if (!first || !first->CanFocus()) {
        const auto order = FocusOrder();
        first = order.empty() ? nullptr : order.front();
    }
    if (first)
        first->SetFocus();
    if (OnShow)
        OnShow(this);
}

void TCustomForm::Close()
{
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    if (action == caFree)
        Release();
    else if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    FActiveControl = control;
    if (control && Visible() && control->CanFocus())
        control->SetFocus();
}

// --- keyboard interface ---

std::vector<TWinControl*> TCustomForm::FocusOrder() const
{
    std::vector<TWinControl*> order;
    auto visit = [&order](const TWinControl* parent, auto& self) -> void {
        for (TWinControl* c : parent->TabList()) {
            if (!c->Visible() || !c->Enabled())
                continue;
            if (c->TabStop())
                order.push_back(c);
            self(c, self);
        }
    };
    visit(this, visit);
    return order;
}

void TCustomForm::SelectNext(bool forward)
{
    const auto order = FocusOrder();
    if (order.empty())
        return;
    auto it = std::find(order.begin(), order.end(), FActiveControl);
    size_t next;
    if (it == order.end())
        next = forward ? 0 : order.size() - 1;
    else {
        const size_t at = static_cast<size_t>(it - order.begin());
        next = forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
    }
    order[next]->SetFocus();
}

bool TCustomForm::DialogKey(WORD key)
{
    switch (key) {
    case VK_TAB: SelectNext(GetKeyState(VK_SHIFT) >= 0); return true;
    case VK_RETURN:
        // The focused button takes Enter first, then the default button.
        if (FActiveControl && FActiveControl->Focused() && FActiveControl->Perform(CM_DIALOGKEY, key, 1))
            return true;
        return Broadcast(CM_DIALOGKEY, key, 0) != 0;
    case VK_ESCAPE: return Broadcast(CM_DIALOGKEY, key, 0) != 0;
    default: return false;
    }
}

bool TCustomForm::DialogChar(char ch) { return Broadcast(CM_DIALOGCHAR, static_cast<unsigned char>(ch), 0) != 0; }

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE: Close(); break;
    case WM_ACTIVATE:
        DefaultHandler(Message);
        if (LOWORD(Message.WParam) != WA_INACTIVE && FActiveControl && FActiveControl->HandleAllocated() &&
            FActiveControl->CanFocus())
            ::SetFocus(FActiveControl->Handle());
        break;
    case CM_FOCUSCHANGED: FActiveControl = reinterpret_cast<TWinControl*>(Message.LParam); break;
    case CM_CONTROLREMOVING: {
        auto* removed = reinterpret_cast<TControl*>(Message.LParam);
        if (FActiveControl && (removed == FActiveControl ||
                               (removed->IsWindowed() && static_cast<TWinControl*>(removed)->ContainsControl(FActiveControl))))
            FActiveControl = nullptr;
        break;
    }
    case CM_RELEASE: delete this; break;
    default: TWinControl::Dispatch(Message); break;
    }
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* top = control;
    while (top && top->Parent())
        top = top->Parent();
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(top));
}
