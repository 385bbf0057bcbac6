#include "framework/controls/Controls.h"

#include "framework/controls/Anchors.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <type_traits>
#include <map>

namespace {

// The control whose window is being created: its first messages (WM_GETMINMAXINFO
// comes before WM_NCCREATE) arrive before CreateWindowExA returns.
TWinControl* gCreatingControl = nullptr;

const char* const ControlProperty = "Framework.Control";

// The system window procedure behind each framework window class.
std::map<std::string, WNDPROC>& ClassProcs()
{
    static std::map<std::string, WNDPROC> procs;
    return procs;
}

bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg < CN_BASE + 0x400; }

} // namespace

FW_BEGIN_CLASS(TWinControl, TControl)
    .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Unpublished()
    .Bool("TabStop", &C::TabStop, &C::SetTabStop, false).Unpublished()
    .Event("OnEnter", &C::OnEnter).Unpublished()
    .Event("OnExit", &C::OnExit).Unpublished()
    .Event("OnKeyDown", &C::OnKeyDown).Unpublished()
    .Event("OnKeyPress", &C::OnKeyPress).Unpublished()
    .Event("OnKeyUp", &C::OnKeyUp).Unpublished()
FW_END_CLASS

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FWindowProc([this](TMessage& m) { WndProc(m); }), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(Color());
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TWinControl::~TWinControl()
{
    Destroying();
    ReleaseInput();
    // Leaves the parent while it is still windowed, so it leaves the tab list too.
    if (Parent())
        Parent()->RemoveControl(this);
    DestroyComponents();
    // A parent takes its child controls with it, owned or not.
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
}

// --- the window ---

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle)
        return;
    if (Parent())
        Parent()->HandleNeeded(); // creating the parent creates its children too
    if (!FHandle)
        CreateHandle();
}

TWinControl* TWinControl::FindControl(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropA(window, ControlProperty)) : nullptr;
}

TWinControl* TWinControl::TopLevel()
{
    TWinControl* c = this;
    while (c->Parent())
        c = c->Parent();
    return c;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = TControl::GetText();
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    Params.WinClassName = ClassName();
}

HICON ProgramIcon()
{
    static const HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    return icon;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    HINSTANCE instance = GetModuleHandleA(nullptr);

    auto& procs = ClassProcs();
    auto known = procs.find(params.WinClassName);
    if (known == procs.end()) {
        WNDCLASSA wc{};
        WNDPROC systemProc = DefWindowProcA;
        if (!params.SysClassName.empty()) {
            if (!GetClassInfoA(nullptr, params.SysClassName.c_str(), &wc))
                throw EOutOfResources(Exception::Fmt("Window class %s is not available", params.SysClassName.c_str()));
            systemProc = wc.lpfnWndProc;
            wc.style &= ~CS_GLOBALCLASS;
        } else {
            wc.style = params.ClassStyle;
            wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            // A top-level window shows the program's icon in its caption bar.
            if (!(params.Style & WS_CHILD))
                wc.hIcon = ProgramIcon();
        }
        wc.lpfnWndProc = &TWinControl::InitialWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassA(&wc))
            RaiseLastOSError("Registering a window class");
        known = procs.emplace(params.WinClassName, systemProc).first;
    }
    FDefWndProc = known->second;

    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(Exception::Fmt("Control '%s' has no parent window", Name().c_str()));
    HMENU id = (params.Style & WS_CHILD) && Parent() ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ChildId())) : nullptr;
    gCreatingControl = this;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, id, instance, nullptr);
    gCreatingControl = nullptr;
    if (!window)
        throw EOutOfResources(Exception::Fmt("Error creating window of %s", ClassName().c_str()));
    if (!FHandle)
        AttachWindow(window);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    // Timers die with their window: each new one gets them again.
    for (const TWindowTimer& timer : FTimers)
        SetTimer(window, timer.Id, timer.Interval, nullptr);
}

UINT TWinControl::ChildId()
{
    auto taken = [this](UINT id) {
        const TWinControl* holder = Parent()->ChildWithId(id);
        return holder && holder != this;
    };
    // A control moved to another parent may find its id taken there.
    if (FChildId == 0 || taken(FChildId)) {
        FChildId = 100;
        while (taken(FChildId))
            ++FChildId;
    }
    return FChildId;
}

TWinControl* TWinControl::ChildWithId(UINT id) const
{
    for (TControl* c : FControls)
        if (c->IsWindowed() && static_cast<TWinControl*>(c)->FChildId == id)
            return static_cast<TWinControl*>(c);
    return nullptr;
}

void TWinControl::StartTimer(UINT_PTR Id, UINT Interval)
{
    auto it = std::find_if(FTimers.begin(), FTimers.end(), [Id](const TWindowTimer& t) { return t.Id == Id; });
    if (it == FTimers.end())
        FTimers.push_back({Id, Interval});
    else
        it->Interval = Interval;
    if (FHandle && !SetTimer(FHandle, Id, Interval, nullptr))
        RaiseLastOSError("Starting a timer");
}

void TWinControl::StopTimer(UINT_PTR Id)
{
    FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(), [Id](const TWindowTimer& t) { return t.Id == Id; }),
                  FTimers.end());
    if (FHandle)
        KillTimer(FHandle, Id);
}

LRESULT CALLBACK TWinControl::InitialWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = gCreatingControl;
    if (!control)
        return DefWindowProcA(window, msg, wParam, lParam);
    gCreatingControl = nullptr;
    control->AttachWindow(window);
    return CallWindowProcA(control->FWindowProc.Proc(), window, msg, wParam, lParam);
}

void TWinControl::AttachWindow(HWND window)
{
    FHandle = window;
    CountMade(TCountedKind::UserObjects);
    SetPropA(window, ControlProperty, this);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FWindowProc.Proc()));
}

void TWinControl::CreateHandle()
{
    if (FHandle)
        return;
    CreateWnd();
    for (TControl* child : FControls)
        if (child->IsWindowed())
            static_cast<TWinControl*>(child)->CreateHandle();
    RestoreWindowState();
    Realign();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    for (TControl* child : FControls)
        if (child->IsWindowed())
            static_cast<TWinControl*>(child)->DestroyHandle();
    SaveWindowState();
    SetTextSilently(GetText());
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    HWND window = FHandle;
    DestroyWindow(window); // WM_NCDESTROY detaches the window
    FHandle = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    // The focus, in this window or one inside it, comes back to the same control.
    TWinControl* focused = nullptr;
    for (HWND w = GetFocus(); w && !focused; w = GetParent(w))
        focused = FindControl(w);
    if (!ContainsControl(focused))
        focused = nullptr;
    const bool outermost = !ControlState().Contains(csRecreating);
    IncludeState(csRecreating);
    struct TEnd {
        TWinControl& Control;
        bool Outermost;
        ~TEnd()
        {
            if (Outermost)
                Control.ExcludeState(csRecreating);
        }
    } end{*this, outermost};
    DestroyHandle();
    CreateHandle();
    if (focused && focused->CanFocus())
        ::SetFocus(focused->Handle());
}

// --- children ---

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    control->FParent = this;
    if (control->IsWindowed())
        FTabList.push_back(static_cast<TWinControl*>(control));
    control->AnchorsMoved();
    control->ApplyParentFont();
    control->ApplyParentColor();
    if (control->IsWindowed())
        static_cast<TWinControl*>(control)->ApplyParentCtl3D();
    if (control->ParentShowHint())
        control->FShowHint = ShowHint();
    if (control->IsWindowed() && FHandle)
        static_cast<TWinControl*>(control)->CreateHandle();
    control->Invalidate();
    Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    TopLevel()->Perform(CM_CONTROLREMOVING, 0, reinterpret_cast<LPARAM>(control));
    control->Invalidate();
    if (control->IsWindowed())
        static_cast<TWinControl*>(control)->DestroyHandle();
    // By address: a control half destroyed no longer answers IsWindowed truly.
    FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(), [control](TWinControl* c) { return c == control; }),
                   FTabList.end());
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    control->FParent = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& pos, bool AllowDisabled, bool AllowWinControls) const
{
    auto accepts = [&](const TControl* c) {
        return c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(pos);
    };
    // Child windows lie above every graphic control of their parent.
    if (AllowWinControls)
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
            if ((*it)->IsWindowed() && accepts(*it))
                return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (!(*it)->IsWindowed() && accepts(*it))
            return *it;
    return nullptr;
}

void TWinControl::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    for (TControl* c : FControls)
        if (c->Owner() == root)
            children.push_back(c);
    if (root == this)
        TComponent::GetChildren(children, root);
}

LRESULT TWinControl::Broadcast(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (const LRESULT r = c->Perform(Msg, WParam, LParam))
            return r;
        if (c->IsWindowed())
            if (const LRESULT r = static_cast<TWinControl*>(c)->Broadcast(Msg, WParam, LParam))
                return r;
    }
    return 0;
}

TControl* FindControlAtScreen(const TPoint& screen, bool AllowDisabled)
{
    HWND window = WindowFromPoint(screen);
    TWinControl* control = nullptr;
    while (window && !(control = TWinControl::FindControl(window)))
        window = GetParent(window);
    if (!control)
        return nullptr;
    TControl* result = control;
    for (;;) {
        TControl* child = control->ControlAtPos(control->ScreenToClient(screen), AllowDisabled, true);
        if (!child)
            break;
        result = child;
        if (!child->IsWindowed())
            break;
        control = static_cast<TWinControl*>(child);
    }
    return result;
}

void TWinControl::Realign()
{
    if (FControls.empty() || IsLoading() || ControlState().Contains(csAlignmentNeeded))
        return;
    SetControlState(ControlState() | TControlState{csAlignmentNeeded}); // guards against re-entry
    TRect area = ClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
        for (TControl* c : FControls) {
            if (c->Align() != align || !c->Visible())
                continue;
            switch (align) {
            case alTop:
                c->SetBounds(area.left, area.top, area.Width(), c->Height());
                area.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(area.left, area.bottom - c->Height(), area.Width(), c->Height());
                area.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(area.left, area.top, c->Width(), area.Height());
                area.left += c->Width();
                break;
            case alRight:
                c->SetBounds(area.right - c->Width(), area.top, c->Width(), area.Height());
                area.right -= c->Width();
                break;
            default:
                c->SetBounds(area.left, area.top, area.Width(), area.Height());
                break;
            }
        }
    for (TControl* c : FControls)
        if (c->FAnchorRules && c->Align() == alNone)
            c->FAnchorRules->ParentResized(*c);
    SetControlState(ControlState() & TControlState::FromBits(~TControlState{csAlignmentNeeded}.Bits()));
}

// --- focus and keys ---

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (IsLoading())
        FLoadedTabOrder = value;
    if (!Parent())
        return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const int at = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    // Tab orders read from a form may name positions of siblings created later.
    std::vector<std::pair<int, TWinControl*>> keyed;
    for (size_t i = 0; i < FTabList.size(); ++i) {
        TWinControl* c = FTabList[i];
        keyed.emplace_back(c->FLoadedTabOrder >= 0 ? c->FLoadedTabOrder : static_cast<int>(i), c);
        c->FLoadedTabOrder = -1;
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        FTabList[i] = keyed[i].second;
    Realign();
}

void TWinControl::SetTabStop(bool value)
{
    FTabStop = value;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
        SetWindowLongPtrA(FHandle, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
}

std::vector<TWinControl*> TWinControl::TabList() const { return FTabList; }

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

bool TWinControl::DoContextPopup(const TMessage& Message)
{
    const TPoint screen(Message.XPos(), Message.YPos());
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    // A windowless child has no window to be asked through: the one under the pointer is asked here.
    TControl* target = fromKeyboard ? nullptr : ControlAtPos(ScreenToClient(screen));
    return (target ? target : this)->ContextPopup(screen, fromKeyboard);
}

bool TWinControl::FocusEventsSuppressed() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (c->IsDestroying() || c->ControlState().Contains(csRecreating))
            return true;
    return false;
}

void TWinControl::DoEnter()
{
    if (FocusEventsSuppressed())
        return;
    if (TopLevel() != this)
        TopLevel()->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (FocusEventsSuppressed())
        return;
    if (OnExit)
        OnExit(this);
}

namespace {
// A key goes first to a form that previews keys, then to the control; either may
// consume it by setting it to 0. Message carries the key as it ends up.
template <class Key, class Deliver>
bool DeliverKey(TWinControl& control, TMessage& Message, Deliver deliver)
{
    Key key = static_cast<Key>(Message.WParam);
    TWinControl* top = control.TopLevel();
    if (top != &control && top->PreviewsKeys()) {
        deliver(*top, key);
        if (key == 0)
            return true;
    }
    deliver(control, key);
    Message.WParam = static_cast<std::make_unsigned_t<Key>>(key);
    return key == 0;
}
} // namespace

bool TWinControl::DoKeyDown(TMessage& Message)
{
    const TShiftState shift = KeyboardShiftState();
    return DeliverKey<WORD>(*this, Message, [shift](TWinControl& c, WORD& key) { c.KeyDown(key, shift); });
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    const TShiftState shift = KeyboardShiftState();
    return DeliverKey<WORD>(*this, Message, [shift](TWinControl& c, WORD& key) { c.KeyUp(key, shift); });
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    return DeliverKey<char>(*this, Message, [](TWinControl& c, char& key) { c.KeyPress(key); });
}

// --- properties living in the window ---

std::string TWinControl::GetText() const
{
    if (!FHandle)
        return TControl::GetText();
    const int length = GetWindowTextLengthA(FHandle);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    const int copied = GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::SetText(const std::string& value)
{
    if (value == GetText())
        return;
    SetTextSilently(value);
    TextChanged();
}

void TWinControl::TextChanged()
{
    if (FHandle)
        SetWindowTextA(FHandle, TControl::GetText().c_str());
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ConstrainSize(AWidth, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height())
        return;
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBoundsFromWindow();
    } else {
        UpdateBoundsSilently(ALeft, ATop, AWidth, AHeight);
    }
    BoundsChanged();
    AnchorsMoved();
    Realign();
    RequestAlign();
}

void TWinControl::BoundsChanged() {}

void TWinControl::UpdateBoundsFromWindow()
{
    RECT r;
    GetWindowRect(FHandle, &r);
    HWND parent = GetParent(FHandle);
    if (parent && (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    UpdateBoundsSilently(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TRect TWinControl::ClientRect() const
{
    if (!FHandle)
        return TControl::ClientRect();
    RECT r;
    GetClientRect(FHandle, &r);
    return TRect(r);
}

TPoint TWinControl::ClientOrigin() const
{
    if (!FHandle)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return TPoint(p.x, p.y);
}

bool TWinControl::Showing() const
{
    if (!Visible())
        return false;
    return Parent() ? Parent()->Showing() : (FHandle && IsWindowVisible(FHandle));
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    if (FHandle)
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* c : FControls)
        c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged()
{
    FBrush->SetColor(Color());
    TControl::ColorChanged();
    for (TControl* c : FControls)
        c->Perform(CM_PARENTCOLORCHANGED);
}

// --- the 3-D border ---

void TWinControl::SetCtl3D(bool value)
{
    FParentCtl3D = false;
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    Ctl3DChanged();
}

void TWinControl::SetParentCtl3D(bool value)
{
    if (value == FParentCtl3D)
        return;
    FParentCtl3D = value;
    ApplyParentCtl3D();
}

void TWinControl::ApplyParentCtl3D()
{
    if (!FParentCtl3D || !Parent() || FCtl3D == Parent()->Ctl3D())
        return;
    FCtl3D = Parent()->Ctl3D();
    Ctl3DChanged();
}

void TWinControl::Ctl3DChanged()
{
    if (HasCtl3DBorder())
        RecreateWnd();
    for (TControl* c : FControls)
        if (c->IsWindowed())
            static_cast<TWinControl*>(c)->ApplyParentCtl3D();
}

void TWinControl::AddBorder(TCreateParams& Params) const
{
    if (FCtl3D)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TWinControl::EnabledChanged()
{
    if (FHandle)
        EnableWindow(FHandle, Enabled());
    Invalidate();
}

void TWinControl::SetZOrder(bool TopMost)
{
    MoveInParentList(TopMost);
    // Sibling windows overlap in the system's z-order, not in the control list's;
    // a window already in place is left alone (SetWindowPos would repaint it).
    if (FHandle && GetWindow(FHandle, TopMost ? GW_HWNDPREV : GW_HWNDNEXT))
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged()
{
    if (FHandle)
        ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

// --- painting ---

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC)
{
    RECT clip;
    if (GetClipBox(DC, &clip) == NULLREGION)
        return;
    for (TControl* c : FControls) {
        if (c->IsWindowed() || !c->Visible())
            continue;
        RECT bounds = c->BoundsRect(), common;
        if (!IntersectRect(&common, &bounds, &clip))
            continue;
        const int saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
        ClipToBounds(DC, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    HandleNeeded();
    const int saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, X, Y, nullptr);
    POINT origin;
    GetViewportOrgEx(DC, &origin);
    SetBrushOrgEx(DC, origin.x, origin.y, nullptr);
    if (FDefWndProc == DefWindowProcA) {
        IntersectClipRect(DC, 0, 0, ClientWidth(), ClientHeight());
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        PaintWindow(DC);
        PaintControls(DC);
    } else {
        // A system control prints its frame too: it fills its whole window rectangle.
        IntersectClipRect(DC, 0, 0, Width(), Height());
        SendMessageA(FHandle, WM_PRINT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
    }
    RestoreDC(DC, saved);
    for (TControl* c : FControls)
        if (c->IsWindowed() && c->Visible())
            c->PaintTo(DC, X + c->Left(), Y + c->Top());
}

// --- messages ---

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK && !Dragging()) {
        TControl* capture = GetCaptureControl();
        if (capture && capture != this && capture->Parent() == this && !capture->IsWindowed()) {
            RouteMouseToChild(Message, capture);
            return;
        }
        if (!capture || capture == this) {
            TControl* child = ControlAtPos(TPoint(Message.XPos(), Message.YPos()));
            if (child && !capture) {
                RouteMouseToChild(Message, child);
                // The system raises WM_CONTEXTMENU from the release of the right button.
                if (Message.Msg == WM_RBUTTONUP)
                    DefaultHandler(Message);
                return;
            }
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::RouteMouseToChild(TMessage& Message, TControl* child)
{
    Message.Result = child->Perform(Message.Msg, Message.WParam,
                                    PointToLParam(Message.XPos() - child->Left(), Message.YPos() - child->Top()));
}

void TWinControl::ReflectNotification(TMessage& Message, HWND child)
{
    TWinControl* control = FindControl(child);
    if (control && control != this)
        Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    else
        DefaultHandler(Message);
}

void TWinControl::HandleSetCursor(TMessage& Message)
{
    if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
        POINT p;
        GetCursorPos(&p);
        TControl* target = ControlAtPos(ScreenToClient(TPoint(p.x, p.y)));
        const TCursor cursor = target ? target->Cursor() : Cursor();
        if (cursor != crDefault) {
            ::SetCursor(CursorHandle(cursor));
            Message.Result = TRUE;
            return;
        }
    }
    DefaultHandler(Message);
}

// Out of Dispatch, whose frame every nested message pays for: the 32-bit program
// under Wine's WoW64 mode stopped painting once that frame grew (seen, not understood).
void TWinControl::WMPaint(TMessage& Message)
{
    const bool paintsItself = ControlState().Contains(csCustomPaint) ||
                              std::any_of(FControls.begin(), FControls.end(), [](TControl* c) { return !c->IsWindowed(); });
    if (!paintsItself && FDefWndProc != DefWindowProcA) {
        DefaultHandler(Message);
        return;
    }
    if (Message.WParam) {
        auto dc = reinterpret_cast<HDC>(Message.WParam);
        PaintWindow(dc);
        PaintControls(dc);
    } else {
        // Ended even when painting raises: a window left invalid would ask for
        // the failing paint again, for ever.
        struct TPaint {
            HWND Window;
            PAINTSTRUCT Info;
            explicit TPaint(HWND window) : Window(window) { BeginPaint(window, &Info); }
            ~TPaint() { EndPaint(Window, &Info); }
        } paint(FHandle);
        PaintWindow(paint.Info.hdc);
        PaintControls(paint.Info.hdc);
    }
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND:
        if (FDefWndProc == DefWindowProcA) {
            auto dc = reinterpret_cast<HDC>(Message.WParam);
            RECT r = ClientRect();
            FillRect(dc, &r, FBrush->Handle());
            Message.Result = 1;
        } else {
            DefaultHandler(Message);
        }
        break;
    case WM_COMMAND: ReflectNotification(Message, reinterpret_cast<HWND>(Message.LParam)); break;
    case WM_NOTIFY: ReflectNotification(Message, reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom); break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        if (item->CtlType == ODT_MENU)
            DefaultHandler(Message);
        else
            ReflectNotification(Message, item->hwndItem);
        break;
    }
    case WM_MEASUREITEM: {
        // The one notification that names its sender by id only.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        TWinControl* child = item->CtlType == ODT_MENU ? nullptr : ChildWithId(item->CtlID);
        if (child)
            Message.Result = child->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
        else
            DefaultHandler(Message);
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: ReflectNotification(Message, reinterpret_cast<HWND>(Message.LParam)); break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(Message))
            DefaultHandler(Message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(Message))
            DefaultHandler(Message);
        break;
    case WM_CHAR:
        if (!DoKeyPress(Message))
            DefaultHandler(Message);
        break;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        DoEnter();
        break;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        DoExit();
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        UpdateBoundsFromWindow();
        break;
    case WM_SIZE:
        DefaultHandler(Message);
        UpdateBoundsFromWindow();
        Realign();
        break;
    case WM_SETCURSOR: HandleSetCursor(Message); break;
    case WM_GETMINMAXINFO:
        DefaultHandler(Message);
        if (FConstraints) // the user's resizing keeps to them too
            ConstrainTracking(*reinterpret_cast<MINMAXINFO*>(Message.LParam));
        break;
    case WM_TIMER: {
        // The system's own controls run timers of their own on their windows.
        const auto id = static_cast<UINT_PTR>(Message.WParam);
        if (std::any_of(FTimers.begin(), FTimers.end(), [id](const TWindowTimer& t) { return t.Id == id; }))
            TimerElapsed(id);
        else
            DefaultHandler(Message);
        break;
    }
    case WM_CONTEXTMENU:
        if (!DoContextPopup(Message))
            DefaultHandler(Message);
        break;
    case WM_NCDESTROY:
        DefaultHandler(Message);
        RemovePropA(FHandle, ControlProperty);
        FHandle = nullptr;
        CountReleased(TCountedKind::UserObjects);
        break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::ConstrainTracking(MINMAXINFO& Info) const
{
    for (POINT* size : {&Info.ptMinTrackSize, &Info.ptMaxTrackSize}) {
        int width = size->x, height = size->y;
        ConstrainSize(width, height);
        *size = POINT{width, height};
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!FHandle || IsFrameworkMessage(Message.Msg))
        return;
    Message.Result = CallWindowProcA(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::ChangeScale(int M, int D)
{
    TControl::ChangeScale(M, D);
    for (TControl* child : std::vector<TControl*>(FControls))
        child->ChangeScale(M, D);
}
