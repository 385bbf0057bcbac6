#include "framework/controls/Controls.h"

#include "framework/controls/Anchors.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

// ---------------------------------------------------------------------------
// Enumerations and identifiers for the form resources

const TEnumInfo& AlignInfo()
{
    static const TEnumInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
    return info;
}

const TEnumInfo& AlignmentInfo()
{
    static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
    return info;
}

const TEnumInfo& DragModeInfo()
{
    static const TEnumInfo info{"TDragMode", {"dmManual", "dmAutomatic"}};
    return info;
}

const TEnumInfo& ScrollBarKindInfo()
{
    static const TEnumInfo info{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};
    return info;
}

const TEnumInfo& BorderStyleInfo()
{
    static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
    return info;
}

const TIdentMap& CursorIdents()
{
    static const TIdentMap map{{{crDefault, "crDefault"},   {crNone, "crNone"},       {crArrow, "crArrow"},
                                {crCross, "crCross"},       {crIBeam, "crIBeam"},     {crSizeNESW, "crSizeNESW"},
                                {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
                                {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
                                {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},   {crVSplit, "crVSplit"},
                                {crNo, "crNo"},             {crAppStart, "crAppStart"}, {crHandPoint, "crHandPoint"},
                                {crSizeAll, "crSizeAll"}},
                               false, "TCursor"};
    return map;
}

HCURSOR CursorHandle(TCursor cursor)
{
    const char* id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursorA(nullptr, id);
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    s.Set(ssShift, keys & MK_SHIFT).Set(ssCtrl, keys & MK_CONTROL);
    s.Set(ssLeft, keys & MK_LBUTTON).Set(ssRight, keys & MK_RBUTTON).Set(ssMiddle, keys & MK_MBUTTON);
    s.Set(ssAlt, GetKeyState(VK_MENU) < 0);
    return s;
}

std::optional<TMouseButtonMessage> MouseButtonMessage(UINT Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN: return TMouseButtonMessage{mbLeft, true, false};
    case WM_LBUTTONDBLCLK: return TMouseButtonMessage{mbLeft, true, true};
    case WM_LBUTTONUP: return TMouseButtonMessage{mbLeft, false, false};
    case WM_RBUTTONDOWN: return TMouseButtonMessage{mbRight, true, false};
    case WM_RBUTTONDBLCLK: return TMouseButtonMessage{mbRight, true, true};
    case WM_RBUTTONUP: return TMouseButtonMessage{mbRight, false, false};
    case WM_MBUTTONDOWN: return TMouseButtonMessage{mbMiddle, true, false};
    case WM_MBUTTONDBLCLK: return TMouseButtonMessage{mbMiddle, true, true};
    case WM_MBUTTONUP: return TMouseButtonMessage{mbMiddle, false, false};
    default: return std::nullopt;
    }
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    s.Set(ssShift, GetKeyState(VK_SHIFT) < 0).Set(ssCtrl, GetKeyState(VK_CONTROL) < 0);
    s.Set(ssAlt, GetKeyState(VK_MENU) < 0);
    s.Set(ssLeft, GetKeyState(VK_LBUTTON) < 0).Set(ssRight, GetKeyState(VK_RBUTTON) < 0);
    s.Set(ssMiddle, GetKeyState(VK_MBUTTON) < 0);
    return s;
}

// ---------------------------------------------------------------------------
// Device contexts of control canvases taken outside painting

void ClipToBounds(HDC DC, int Width, int Height)
{
    // A clip region makes GDI test every later shape against it, which slows a
    // control that draws many: a DC that cannot reach outside the bounds anyway
    // (a bitmap of the control's size, an update region within it) is left alone.
    RECT box;
    const int kind = GetClipBox(DC, &box);
    if (kind != ERROR && box.left >= 0 && box.top >= 0 && box.right <= Width && box.bottom <= Height)
        return;
    IntersectClipRect(DC, 0, 0, Width, Height);
}

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC()
{
    static std::vector<TControlCanvas*> list;
    return list;
}
} // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    FreeHandle();
    TControl* windowOwner = FControl;
    int dx = 0, dy = 0;
    while (windowOwner && !windowOwner->IsWindowed()) {
        dx += windowOwner->Left();
        dy += windowOwner->Top();
        windowOwner = windowOwner->Parent();
    }
    if (!windowOwner)
        return;
    FWindow = static_cast<TWinControl*>(windowOwner)->Handle();
    FOwnedDC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    if (!FOwnedDC)
        return;
    CountMade(TCountedKind::GdiObjects);
    // Measuring outside painting (a list's TextWidth) must use the control's font too.
    Font()->Assign(FControl->Font());
    if (FControl != windowOwner) {
        SetViewportOrgEx(FOwnedDC, dx, dy, nullptr);
        ClipToBounds(FOwnedDC, FControl->Width(), FControl->Height());
    }
    SetHandle(FOwnedDC);
    CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle()
{
    if (!FOwnedDC)
        return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FOwnedDC);
    CountReleased(TCountedKind::GdiObjects);
    FOwnedDC = nullptr;
    FWindow = nullptr;
    auto& list = CanvasesWithDC();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts()
{
    while (!CanvasesWithDC().empty())
        CanvasesWithDC().back()->FreeHandle();
}

// ---------------------------------------------------------------------------
// Mouse capture and dragging

namespace {
TControl* gCaptureControl = nullptr;

struct TDragOperation {
    TControl* Source = nullptr;
    TPoint Start;
    int Threshold = 0;
    bool Started = false;
    TControl* Target = nullptr;
};
std::optional<TDragOperation> gDrag;
} // namespace

TControl* GetCaptureControl()
{
    if (gCaptureControl) {
        // The system may have given the capture to another window meanwhile.
        const TControl* windowOwner = gCaptureControl;
        while (windowOwner && !windowOwner->IsWindowed())
            windowOwner = windowOwner->Parent();
        auto* win = static_cast<const TWinControl*>(windowOwner);
        if (!win || !win->HandleAllocated() || GetCapture() != const_cast<TWinControl*>(win)->Handle())
            gCaptureControl = nullptr;
    }
    return gCaptureControl;
}

void SetCaptureControl(TControl* control)
{
    gCaptureControl = nullptr;
    if (!control) {
        ReleaseCapture();
        return;
    }
    TControl* windowOwner = control;
    while (windowOwner && !windowOwner->IsWindowed())
        windowOwner = windowOwner->Parent();
    if (!windowOwner)
        return;
    SetCapture(static_cast<TWinControl*>(windowOwner)->Handle());
    gCaptureControl = control;
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() != value)
        SetCaptureControl(value ? this : nullptr);
}

bool TControl::Dragging() const { return gDrag && gDrag->Source == this; }

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    const int distance = Threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : Threshold;
    if (gDrag) {
        // A control that starts its own drag from a part the framework already
        // watches (a combo box's edit part) overrides the framework's pending one.
        if (gDrag->Source != this || gDrag->Started)
            return;
        gDrag->Threshold = distance;
    } else {
        POINT p;
        GetCursorPos(&p);
        gDrag = TDragOperation{this, TPoint(p.x, p.y), distance, false, nullptr};
        SetCaptureControl(this);
    }
    if (Immediate || gDrag->Threshold == 0) {
        gDrag->Started = true;
        if (OnStartDrag)
            OnStartDrag(this);
    }
}

void TControl::DragMouseMove(const TPoint& screen)
{
    if (!gDrag->Started) {
        if (std::abs(screen.x - gDrag->Start.x) < gDrag->Threshold && std::abs(screen.y - gDrag->Start.y) < gDrag->Threshold)
            return;
        gDrag->Started = true;
        if (OnStartDrag)
            OnStartDrag(this);
    }
    TControl* target = FindControlAtScreen(screen);
    if (gDrag->Target && gDrag->Target != target && gDrag->Target->OnDragOver) {
        bool accept = false;
        const TPoint p = gDrag->Target->ScreenToClient(screen);
        gDrag->Target->OnDragOver(gDrag->Target, this, p.x, p.y, dsDragLeave, accept);
    }
    bool accept = false;
    if (target && target->OnDragOver) {
        const TPoint p = target->ScreenToClient(screen);
        accept = true;
        target->OnDragOver(target, this, p.x, p.y, target == gDrag->Target ? dsDragMove : dsDragEnter, accept);
    }
    gDrag->Target = accept ? target : nullptr;
    ::SetCursor(CursorHandle(accept ? DragCursor() : crNoDrop));
}

void TControl::DragMouseUp(const TPoint& screen) { (void)screen; EndDrag(true); }

void TControl::EndDrag(bool Drop)
{
    if (!Dragging())
        return;
    TDragOperation drag = *gDrag;
    gDrag.reset();
    SetMouseCapture(false);
    POINT screen;
    GetCursorPos(&screen);
    TControl* target = Drop && drag.Started ? drag.Target : nullptr;
    TPoint at;
    if (target) {
        at = target->ScreenToClient(TPoint(screen.x, screen.y));
        if (target->OnDragDrop)
            target->OnDragDrop(target, this, at.x, at.y);
    }
    if (drag.Started && OnEndDrag)
        OnEndDrag(this, target, at.x, at.y);
}

// ---------------------------------------------------------------------------
// TControl

FW_BEGIN_CLASS(TControl, TComponent)
    .Integer("Left", &C::Left, &C::SetLeft).Bounded(MinCoordinate, MaxCoordinate)
    .Integer("Top", &C::Top, &C::SetTop).Bounded(MinCoordinate, MaxCoordinate)
    .Integer("Width", &C::Width, &C::SetWidth).StoredIf(&C::IsSizeStored).Bounded(0, MaxCoordinate)
    .Integer("Height", &C::Height, &C::SetHeight).StoredIf(&C::IsSizeStored).Bounded(0, MaxCoordinate)
    .Enum("Align", AlignInfo(), &C::Align, &C::SetAlign, alNone).Unpublished()
    .String("Caption", &C::Caption, &C::SetCaption).Unpublished()
    .Integer("Color", &C::Color, &C::SetColor, std::nullopt, &ColorIdents()).Unpublished().StoredIf(&C::IsColorStored)
    .Integer("Cursor", &C::Cursor, &C::SetCursor, crDefault, &CursorIdents()).Unpublished()
    .Integer("DragCursor", &C::DragCursor, &C::SetDragCursor, crDrag, &CursorIdents()).Unpublished()
    .Enum("DragMode", DragModeInfo(), &C::DragMode, &C::SetDragMode, dmManual).Unpublished()
    .Bool("Enabled", &C::Enabled, &C::SetEnabled, true).Unpublished()
    .Object("Font", TFont::StaticClass(), &C::Font).Unpublished().StoredIf(&C::IsFontStored)
    .Bool("ParentColor", &C::ParentColor, &C::SetParentColor, true).Unpublished()
    .Bool("ParentFont", &C::ParentFont, &C::SetParentFont, true).Unpublished()
    .Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true).Unpublished()
    .String("Hint", &C::Hint, &C::SetHint).Unpublished()
    .Bool("ShowHint", &C::ShowHint, &C::SetShowHint, false).Unpublished()
    .Bool("Visible", &C::Visible, &C::SetVisible, true).Unpublished()
    .Event("OnClick", &C::OnClick).Unpublished()
    .Event("OnDblClick", &C::OnDblClick).Unpublished()
    .Event("OnDragDrop", &C::OnDragDrop).Unpublished()
    .Event("OnDragOver", &C::OnDragOver).Unpublished()
    .Event("OnEndDrag", &C::OnEndDrag).Unpublished()
    .Event("OnMouseDown", &C::OnMouseDown).Unpublished()
    .Event("OnMouseMove", &C::OnMouseMove).Unpublished()
    .Event("OnMouseUp", &C::OnMouseUp).Unpublished()
    .Event("OnResize", &C::OnResize).Unpublished()
    .Event("OnStartDrag", &C::OnStartDrag).Unpublished()
    .Event("OnContextPopup", &C::OnContextPopup).Unpublished()
    .String("Text", &C::Text, &C::SetText).Unpublished()
FW_END_CLASS

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    ReleaseInput();
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::ReleaseInput()
{
    if (gDrag && gDrag->Target == this)
        gDrag->Target = nullptr;
    if (Dragging())
        gDrag.reset();
    if (gCaptureControl == this)
        SetCaptureControl(nullptr);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* win = dynamic_cast<TWinControl*>(parent))
        SetParent(win);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    FWidth = AWidth;
    FHeight = AHeight;
    BoundsChanged();
    Invalidate();
    if (resized)
        Resize();
    AnchorsMoved();
    RequestAlign();
}

void TControl::ConstrainSize(int& AWidth, int& AHeight) const
{
    if (FConstraints)
        FConstraints->Constrain(AWidth, AHeight);
}

void TControl::AnchorsMoved()
{
    if (FAnchorRules)
        FAnchorRules->ControlPlaced(*this);
}

void TControl::UpdateBoundsSilently(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (resized)
        Resize();
}

void TControl::BoundsChanged() {}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

TRect TControl::ClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return TPoint(FLeft, FTop);
    const TPoint origin = FParent->ClientOrigin();
    return TPoint(origin.x + FLeft, origin.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& p) const
{
    const TPoint origin = ClientOrigin();
    return TPoint(p.x + origin.x, p.y + origin.y);
}

TPoint TControl::ScreenToClient(const TPoint& p) const
{
    const TPoint origin = ClientOrigin();
    return TPoint(p.x - origin.x, p.y - origin.y);
}

void TControl::SetAlign(TAlign value)
{
    if (value == FAlign)
        return;
    FAlign = value;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent && !IsLoading())
        FParent->Realign();
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    if (!value)
        Invalidate();
    FVisible = value;
    VisibleChanged();
    if (value)
        Invalidate();
    RequestAlign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::VisibleChanged() {}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::SetText(const std::string& value)
{
    if (value == GetText())
        return;
    FText = value;
    TextChanged();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SetShowHint(bool value)
{
    FShowHint = value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool value)
{
    FParentShowHint = value;
    if (value && FParent)
        FShowHint = FParent->ShowHint();
}

void TControl::SetParentFont(bool value)
{
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (value)
        ApplyParentFont();
}

void TControl::ApplyParentFont()
{
    if (!FParentFont || !FParent)
        return;
    FApplyingParentFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FApplyingParentFont = false;
        throw;
    }
    FApplyingParentFont = false;
}

void TControl::FontChanged()
{
    if (!FApplyingParentFont)
        FParentFont = false;
    Invalidate();
}

void TControl::ParentFontChanged() { ApplyParentFont(); }

void TControl::ChangeScale(int M, int D)
{
    ScaleBounds(M, D);
    // A font of the control's own is given in pixels; one taken from the parent
    // follows the parent's.
    if (!FParentFont) {
        FFont->SetHeight(MulDiv(FFont->Height(), M, D));
        FFont->SetPixelsPerInch(MulDiv(FFont->PixelsPerInch(), M, D));
    }
}

void TControl::ScaleBounds(int M, int D)
{
    const int left = MulDiv(FLeft, M, D), top = MulDiv(FTop, M, D);
    SetBounds(left, top, MulDiv(FLeft + FWidth, M, D) - left, MulDiv(FTop + FHeight, M, D) - top);
}

void TControl::SetColor(TColor value)
{
    FParentColor = false;
    if (value == FColor)
        return;
    FColor = value;
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    if (value)
        ApplyParentColor();
}

void TControl::ApplyParentColor()
{
    if (!FParentColor || !FParent || FColor == FParent->Color())
        return;
    FColor = FParent->Color();
    ColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::ParentColorChanged() { ApplyParentColor(); }

void TControl::SetCursor(TCursor value) { FCursor = value; }

void TControl::Loaded()
{
    TComponent::Loaded();
    RequestAlign();
}

// --- painting: a graphic control asks its parent to repaint its area ---

void TControl::Invalidate()
{
    if (!FParent || !FVisible || !FParent->HandleAllocated())
        return;
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::PaintTo(HDC, int, int) {}

void TControl::BringToFront() { SetZOrder(true); }

void TControl::SendToBack() { SetZOrder(false); }

bool TControl::MoveInParentList(bool TopMost)
{
    if (!FParent)
        return false;
    auto& list = FParent->FControls;
    if ((TopMost ? list.back() : list.front()) == this)
        return false;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(TopMost ? list.end() : list.begin(), this);
    return true;
}

void TControl::SetZOrder(bool TopMost)
{
    // Nothing is repainted when the control is already in place, so that a control
    // may call this while painting without painting forever.
    if (MoveInParentList(TopMost))
        Invalidate();
}

// --- messages ---

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message{Msg, WParam, LParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Dragging() && Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        POINT p;
        GetCursorPos(&p);
        if (Message.Msg == WM_MOUSEMOVE)
            DragMouseMove(TPoint(p.x, p.y));
        else if (Message.Msg == WM_LBUTTONUP)
            DragMouseUp(TPoint(p.x, p.y));
        return;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    if (const auto kind = MouseButtonMessage(Message.Msg)) {
        HandleMouseButton(Message, *kind);
        return;
    }
    switch (Message.Msg) {
    case WM_MOUSEMOVE: HandleMouseMove(Message); break;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

bool TControl::ContextPopup(const TPoint& Screen, bool FromKeyboard)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, FromKeyboard ? TPoint(-1, -1) : ScreenToClient(Screen), handled);
    if (handled)
        return true;
    if (!FPopupMenu || !FPopupMenu->AutoPopup())
        return false;
    // From the keyboard the menu opens at the control's top-left corner.
    const TPoint at = FromKeyboard ? ClientToScreen(TPoint(0, 0)) : Screen;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(at.x, at.y); // virtual: a program without menus does not link them
    return true;
}

void TControl::HandleMouseButton(TMessage& Message, const TMouseButtonMessage& Kind)
{
    DefaultHandler(Message);
    const TMouseButton Button = Kind.Button;
    const bool Down = Kind.Down, Double = Kind.Double;
    const int x = Message.XPos(), y = Message.YPos();
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (Down) {
        if (Button == mbLeft) {
            if (FControlStyle.Contains(csCaptureMouse))
                SetMouseCapture(true);
            if (FControlStyle.Contains(csClickEvents))
                FControlState.Include(csClicked);
            if (Double && FControlStyle.Contains(csDoubleClicks))
                DblClick();
        }
        if (Double)
            shift.Include(ssDouble);
        MouseDown(Button, shift, x, y);
        if (Button == mbLeft && FDragMode == dmAutomatic && !Double && !Dragging())
            BeginDrag(false);
        return;
    }
    if (Button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            if (ClientRect().Contains(TPoint(x, y)))
                Click();
        }
    }
    MouseUp(Button, shift, x, y);
}

void TControl::HandleMouseMove(TMessage& Message)
{
    DefaultHandler(Message);
    MouseMove(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}
