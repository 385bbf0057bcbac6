#pragma once
// Controls: TControl (anything on a form), TWinControl (with a window of its own),
// TGraphicControl (windowless, painted by its parent), TCustomControl (a window
// that paints itself). Every message a control receives goes through WndProc and
// the virtual Dispatch; a class handles a message by overriding Dispatch and
// passing what it does not handle to its parent class.
#include "framework/controls/Messages.h"
#include "framework/controls/WndProcThunk.h"
#include "framework/core/Component.h"
#include "framework/graphics/Canvas.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TWinControl;
class TPopupMenu;       // controls/Menus.h
class TSizeConstraints; // controls/SizeConstraints.h
class TAnchorRules;     // controls/Anchors.h

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// A form's frame; a control's border (an edit, a list) takes only bsNone or bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TDragMode { dmManual, dmAutomatic };
// The parent's edges a control keeps its distance to when the parent is resized.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crNo = -18, crAppStart = -19, crHandPoint = -21,
                  crSizeAll = -22;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse, // a left press captures the mouse until the release
    csClickEvents,  // a press and release inside the control make a Click
    csSetCaption,
    csOpaque,       // paints every pixel of its bounds: the parent need not erase under it
    csDoubleClicks,
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csCustomPaint, // the window paints itself through its canvas
    csCreatingHandle,
    csAlignmentNeeded,
    csRecreating,  // the window is being destroyed and made again
};
using TControlState = TSet<TControlStateFlag>;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;
using TStartDragEvent = TEvent<TObject*>;
using TContextPopupEvent = TEvent<TObject*, TPoint, bool&>;

const TEnumInfo& AlignInfo();
const TEnumInfo& AlignmentInfo();
const TEnumInfo& DragModeInfo();
const TEnumInfo& ScrollBarKindInfo();
const TEnumInfo& BorderStyleInfo(); // bsNone and bsSingle
const TIdentMap& CursorIdents();
HCURSOR CursorHandle(TCursor cursor);

TShiftState KeysToShiftState(WPARAM keys); // MK_ flags of a mouse message, plus Alt
TShiftState KeyboardShiftState();          // the keys held now

// What a mouse button message says: which button, pressed or released, double-click.
struct TMouseButtonMessage {
    TMouseButton Button;
    bool Down;
    bool Double;
};
std::optional<TMouseButtonMessage> MouseButtonMessage(UINT Msg);

class TControl;

class TControl : public TComponent {
    FW_CLASS(TControl)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- tree ---
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    bool HasParent() const { return FParent != nullptr; }
    virtual bool IsWindowed() const { return false; }

    // --- bounds, in the parent's client coordinates (screen for a top-level window) ---
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);

    // Anchors, size constraints and the context menu each have their machinery in
    // a unit of its own (controls/Anchors.cpp, SizeConstraints.cpp, Menus.cpp): a
    // program links it by calling these setters or by publishing the property.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    // The smallest and largest size SetBounds gives the control; made on first use.
    TSizeConstraints* Constraints() const;
    // Shown by a right click or the context-menu key unless OnContextPopup handles it.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    // --- state ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the top-level window too.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return FText; }
    virtual void SetText(const std::string& value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    TDragMode DragMode() const { return FDragMode; }
    virtual void SetDragMode(TDragMode value) { FDragMode = value; }
    // Shown while this control is dragged over a control that accepts it.
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    // Starts dragging this control: at once, or once the pointer has moved
    // Threshold pixels (-1: the system's drag distance). Asked again before the
    // pointer has moved far enough, the later request applies.
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }

    // --- painting ---
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Paints the control into DC with its top-left corner at (X, Y), as it would
    // look on the screen (children included).
    virtual void PaintTo(HDC DC, int X, int Y);

    // --- messages and input ---
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
    TContextPopupEvent OnContextPopup;

    void Loaded() override;

    // Text is drawn left to right only: DrawText flags pass unchanged.
    UINT DrawTextBiDiModeFlags(UINT Flags) const { return Flags; }

protected:
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void Resize();
    virtual void BoundsChanged();
    // Resizes what the control holds in pixels by M / D, once, when the form it sits
    // on was designed at another screen density. A control that keeps sizes of its
    // own scales them here and calls the inherited one.
    virtual void ChangeScale(int M, int D);
    // Its position and size: each edge is scaled, so that controls that touched still touch.
    virtual void ScaleBounds(int M, int D);
    // The parent re-arranges its aligned children.
    void RequestAlign();
    // Moves the control to the top (or bottom) of its siblings' z-order.
    virtual void SetZOrder(bool TopMost);
    // Moves the control to the end (top) or start of its parent's list; false when it is already there.
    bool MoveInParentList(bool TopMost);
    void SetTextSilently(const std::string& value) { FText = value; }
    void SetControlState(TControlState value) { FControlState = value; }
    void IncludeStyle(TControlStyleFlag flag) { FControlStyle.Include(flag); }
    void IncludeState(TControlStateFlag flag) { FControlState.Include(flag); }
    void ExcludeState(TControlStateFlag flag) { FControlState.Exclude(flag); }
    void ExcludeStyle(TControlStyleFlag flag) { FControlStyle.Exclude(flag); }

    // Bounds as the window reports them, without moving it again.
    void UpdateBoundsSilently(int ALeft, int ATop, int AWidth, int AHeight);
    bool IsFontStored() const { return !FParentFont; }
    // A form states its client size instead.
    virtual bool IsSizeStored() const { return true; }
    bool IsColorStored() const { return !FParentColor; }

    // Raises OnContextPopup (Client is (-1, -1) from the keyboard), then shows the
    // popup menu at Screen; false when neither took the request.
    bool ContextPopup(const TPoint& Screen, bool FromKeyboard);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TWinControl;
    void ConstrainSize(int& AWidth, int& AHeight) const;
    void AnchorsMoved();
    void HandleMouseButton(TMessage& Message, const TMouseButtonMessage& Kind);
    void HandleMouseMove(TMessage& Message);
    void DragMouseMove(const TPoint& screen);
    void DragMouseUp(const TPoint& screen);
    // A control going away stops being the drag's source or target and the capture holder.
    void ReleaseInput();
    void ApplyParentFont();
    void ApplyParentColor();

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TCursor FCursor = crDefault;
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    TAnchors FAnchors{akLeft, akTop};
    std::unique_ptr<TAnchorRules> FAnchorRules; // only while anchored otherwise than left and top
    mutable std::unique_ptr<TSizeConstraints> FConstraints;
    TPopupMenu* FPopupMenu = nullptr;
};

// Confines drawing on DC to the rectangle (0, 0, Width, Height) of its logical
// coordinates: a graphic control's bounds once the origin is moved onto it.
void ClipToBounds(HDC DC, int Width, int Height);

// A graphic control's canvas draws on its parent's window, moved and clipped to
// the control; a window's canvas draws on the window. Outside painting the canvas
// takes a window device context on demand; the application releases those after
// each message.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;
    void FreeHandle();
    static void FreeDeviceContexts();

    // Runs Paint with this canvas drawing on DC in the control's font; the DC is
    // given back to its owner even when painting raises.
    template <class F>
    void PaintOn(HDC DC, F&& Paint)
    {
        FreeHandle();
        SetHandle(DC);
        struct TGiveBack {
            TControlCanvas* Canvas;
            ~TGiveBack() { Canvas->SetHandle(nullptr); }
        } giveBack{this};
        Font()->Assign(FControl->Font());
        Paint();
    }

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FOwnedDC = nullptr;
};

// The program's icon: its MAINICON resource, or null when it has none. A shared icon
// from LoadIcon, which nobody destroys.
HICON ProgramIcon();

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
    // The framework registers one window class per control class; a control that
    // wraps a system control names that class here and inherits its behaviour.
    std::string WinClassName;
    std::string SysClassName;
};

class TWinControl : public TControl {
    FW_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    // --- the window ---
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window and creates it again, keeping the control's state.
    void RecreateWnd();
    // The framework control that owns a window, if any.
    static TWinControl* FindControl(HWND window);

    // --- children, in creation order ---
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child at a client point; windowed children too when asked.
    TControl* ControlAtPos(const TPoint& pos, bool AllowDisabled = false, bool AllowWinControls = false) const;
    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;
    // Sends a message to every descendant, depth first in control order, until one
    // answers with a non-zero result, which is returned.
    LRESULT Broadcast(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    // --- focus and keys ---
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    virtual bool CanFocus() const;
    // A control made of several windows (a combo box and its edit part) counts
    // as focused while any of them has the focus.
    virtual bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window".
    virtual void SetFocus();
    // The windowed children that take part in tabbing, in tab order.
    std::vector<TWinControl*> TabList() const;
    // The top-level window this control sits in (itself for a form).
    TWinControl* TopLevel();
    // A form that sees keys before its controls do answers true.
    virtual bool PreviewsKeys() const { return false; }

    // --- timers of the window ---
    // Starts (or restarts) timer Id on this window, every Interval milliseconds; its
    // WM_TIMER goes through Dispatch to TimerElapsed. The timer is armed again on
    // every new window of the control (a re-creation), until it is stopped.
    void StartTimer(UINT_PTR Id, UINT Interval);
    void StopTimer(UINT_PTR Id);

    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    TBrush* Brush() const { return FBrush.get(); }

    // The border of a control that has one: sunken in 3-D, or a flat line. With
    // ParentCtl3D the control takes its parent's; setting Ctl3D ends that.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value);

    // --- overrides ---
    std::string GetText() const override;
    void SetText(const std::string& value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void PaintTo(HDC DC, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // Re-arranges the aligned children in the client area.
    void Realign();
    void Loaded() override;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Hooks for state that lives in the window (a list's items): saved before the
    // window goes, restored once the new one exists.
    virtual void SaveWindowState() {}
    virtual void RestoreWindowState() {}
    // Stores a value that the window takes only when it is made (a style), and
    // makes the window again.
    template <class T>
    void SetCreationProperty(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        RecreateWnd();
    }
    virtual void PaintWindow(HDC DC);
    void PaintControls(HDC DC);
    // Returns true when the key was consumed (set to 0) by the form or the control.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    // WM_CONTEXTMENU: OnContextPopup with the point in client coordinates (-1, -1
    // from the keyboard); true when the handler took the menu over.
    bool DoContextPopup(const TMessage& Message);
    // The focus came from outside the control, or left it: the form learns its
    // active control, then OnEnter or OnExit.
    void DoEnter();
    void DoExit();
    // No enter or exit while the control or a parent is destroyed or re-created:
    // the focus moves only because windows come and go.
    bool FocusEventsSuppressed() const;

    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void BoundsChanged() override;
    void SetZOrder(bool TopMost) override;
    // The children too, after the control's own font has passed to those that take it.
    void ChangeScale(int M, int D) override;

    WNDPROC DefWndProc() const { return FDefWndProc; }
    // A timer started with StartTimer is due.
    virtual void TimerElapsed(UINT_PTR Id) { (void)Id; }

    // A control whose border follows Ctl3D answers true and asks for it in
    // CreateParams with AddBorder; a change of Ctl3D then re-creates its window.
    virtual bool HasCtl3DBorder() const { return false; }
    void AddBorder(TCreateParams& Params) const;
    // The classes that publish Ctl3D declare it in their own tables, so that programs
    // without such controls carry neither.
    bool IsCtl3DStored() const { return !FParentCtl3D; }

private:
    friend class TControl;
    void AttachWindow(HWND window);
    void RouteMouseToChild(TMessage& Message, TControl* child);
    void ReflectNotification(TMessage& Message, HWND child);
    void HandleSetCursor(TMessage& Message);
    // The child-window id, unique among the windowed siblings and kept for the
    // control's life, so ids stay as few as the children.
    UINT ChildId();
    TWinControl* ChildWithId(UINT id) const;
    void WMPaint(TMessage& Message);
    void ConstrainTracking(MINMAXINFO& Info) const;
    void UpdateBoundsFromWindow();
    static LRESULT CALLBACK InitialWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = DefWindowProcA;
    TWndProcThunk FWindowProc;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    struct TWindowTimer {
        UINT_PTR Id;
        UINT Interval;
    };
    std::vector<TWindowTimer> FTimers;
    int FLoadedTabOrder = -1; // a tab order read from a form, applied once all siblings exist
    UINT FChildId = 0;
    bool FTabStop = false;
    std::unique_ptr<TBrush> FBrush;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    void Ctl3DChanged();
    void ApplyParentCtl3D();
};

// A windowless control: its parent paints it and hands it the mouse messages of its area.
class TGraphicControl : public TControl {
    FW_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;
    void PaintTo(HDC DC, int X, int Y) override;

protected:
    virtual void Paint() {}
    TControlCanvas* ControlCanvas() const { return FCanvas.get(); }

private:
    void PaintWithDC(HDC DC);
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A window of our own that paints itself through its canvas.
class TCustomControl : public TWinControl {
    FW_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// The control holding the mouse capture (a graphic control captures through its
// parent's window), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The framework control under a screen point: the deepest visible child, graphic
// or windowed, of the framework window there; null over foreign windows.
TControl* FindControlAtScreen(const TPoint& screen, bool AllowDisabled = false);
