#include "framework/widgets/ComboBox.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

namespace {
const TListMessages ComboBoxMessages{CB_GETCOUNT,      CB_GETLBTEXT,     CB_GETLBTEXTLEN, CB_ADDSTRING,
                                     CB_INSERTSTRING,  CB_DELETESTRING,  CB_RESETCONTENT, CB_GETITEMDATA,
                                     CB_SETITEMDATA,   CB_FINDSTRING,    CB_FINDSTRINGEXACT, CB_GETCURSEL,  CB_SETCURSEL,
                                     CB_GETITEMHEIGHT, CB_SETITEMHEIGHT};
} // namespace

const TEnumInfo& ComboBoxStyleInfo()
{
    static const TEnumInfo info{"TComboBoxStyle",
                                {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
    return info;
}

FW_BEGIN_CLASS(TCustomComboBox, TCustomListControl)
    .Enum("Style", ComboBoxStyleInfo(), &C::Style, &C::SetStyle, csDropDown).Unpublished()
    .Integer("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, 8).Unpublished()
    .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0).Unpublished()
    .Event("OnChange", &C::OnChange).Unpublished()
    .Event("OnDropDown", &C::OnDropDown).Unpublished()
FW_END_CLASS

FW_BEGIN_CLASS(TComboBox, TCustomComboBox)
    .Bool("Sorted", &C::Sorted, &C::SetSorted, false).Unpublished()
    .Publish({"Style", "Color", "DragCursor", "DragMode", "DropDownCount", "Enabled", "Font", "ItemHeight",
              "MaxLength", "ParentColor", "ParentFont", "ParentShowHint", "ShowHint", "Sorted", "TabOrder", "TabStop",
              "Visible", "Items", "Text", "Hint", "OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver",
              "OnDrawItem", "OnDropDown", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
              "OnMeasureItem", "OnStartDrag"})
FW_END_CLASS

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomListControl(AOwner, ComboBoxMessages), FEditHook([this](TMessage& m) { EditWndProc(m); })
{
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox()
{
    // The edit part's procedure calls into this object: the windows go while it is whole.
    Destroying();
    DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TCustomListControl::CreateParams(Params);
    Params.SysClassName = "COMBOBOX";
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    Params.Style |= styles[FStyle] | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL;
    if (FSorted)
        Params.Style |= CBS_SORT;
    if (FStyle != csSimple)
        Params.Height = WithDropDownList(Params.Height);
}

void TCustomComboBox::CreateWnd()
{
    TCustomListControl::CreateWnd();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(Handle(), &info);
    FListHandle = info.hwndList;
    FEditHandle = HasEditPart() && info.hwndItem != Handle() ? info.hwndItem : nullptr;
    if (FEditHandle)
        FDefEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditHook.Proc())));
    if (FMaxLength > 0)
        SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    // The list height made at creation assumed an item height; now the window knows it.
    if (FStyle != csSimple)
        ApplyDropDownHeight();
}

void TCustomComboBox::RestoreWindowState()
{
    TCustomListControl::RestoreWindowState();
    const std::string text = TControl::GetText();
    if (HasEditPart()) {
        if (GetText() != text)
            SetEditText(text);
    } else if (ItemIndex() < 0 && !text.empty()) {
        SetItemIndex(FindStringExact(text));
    }
}

// --- geometry ---

// A count or height read from a form may be any positive number: the window is held
// to the largest extent a window takes (the system clips the list to the screen anyway).
int TCustomComboBox::WithDropDownList(int height) const
{
    constexpr long long Largest = 32767;
    const long long list = static_cast<long long>(FDropDownCount) * ItemHeight() + 2;
    return static_cast<int>(std::min(Largest, height + list));
}

void TCustomComboBox::ApplyDropDownHeight()
{
    SetWindowPos(Handle(), nullptr, 0, 0, Width(), WithDropDownList(Height()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!HandleAllocated() || FStyle == csSimple) {
        TCustomListControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    // The height is the system's; only the position and width are the caller's.
    if (ALeft == Left() && ATop == Top() && AWidth == Width())
        return;
    TCustomListControl::SetBounds(ALeft, ATop, AWidth, WithDropDownList(Height()));
}

void TCustomComboBox::SetDropDownCount(int value)
{
    if (value < 1)
        throw EInvalidOperation(Exception::Fmt("Invalid drop-down count %d", value));
    FDropDownCount = value;
    if (HandleAllocated() && FStyle != csSimple)
        ApplyDropDownHeight();
}

bool TCustomComboBox::DroppedDown() const
{
    return HandleAllocated() && SendToList(CB_GETDROPPEDSTATE) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) { SendToList(CB_SHOWDROPDOWN, value ? TRUE : FALSE); }

// --- properties kept in the window ---

void TCustomComboBox::SetStyle(TComboBoxStyle value) { SetCreationProperty(FStyle, value); }

void TCustomComboBox::SetSorted(bool value) { SetCreationProperty(FSorted, value); }

void TCustomComboBox::SetMaxLength(int value)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Invalid maximum length %d", value));
    FMaxLength = value;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomComboBox::SetEditText(const std::string& value)
{
    if (!HandleAllocated()) {
        SetTextSilently(value);
        return;
    }
    const bool wasSetting = FSettingText;
    FSettingText = true;
    SetWindowTextA(Handle(), value.c_str());
    FSettingText = wasSetting;
}

void TCustomComboBox::SetText(const std::string& value)
{
    if (!HandleAllocated()) {
        TCustomListControl::SetText(value); // applied when the window is made
        return;
    }
    if (!HasEditPart()) {
        SetItemIndex(FindStringExact(value));
        return;
    }
    if (value == GetText())
        return;
    // The program's change is reported like the user's, once, whatever the system sends.
    SetEditText(value);
    Change();
}

int TCustomComboBox::SelStart() const
{
    DWORD start = 0, end = 0;
    SendToList(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomComboBox::SelLength() const
{
    DWORD start = 0, end = 0;
    SendToList(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelStart(int value) { SendToList(CB_SETEDITSEL, 0, MAKELPARAM(value, value)); }

void TCustomComboBox::SetSelLength(int value)
{
    const int start = SelStart();
    SendToList(CB_SETEDITSEL, 0, MAKELPARAM(start, start + value));
}

void TCustomComboBox::Clear()
{
    Items()->Clear();
    DiscardSavedState();
    SetText("");
}

void TCustomComboBox::ClearList()
{
    // The system empties the edit part with the list.
    const std::string text = GetText();
    WindowItems().Clear();
    DiscardSavedState();
    if (HasEditPart() && GetText() != text)
        SetEditText(text);
}

// --- notifications and focus ---

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::SelectionChanged()
{
    const int index = ItemIndex();
    // The system fills the edit part only after this notification; the handlers
    // must already see the chosen text.
    if (index >= 0 && HasEditPart())
        SetEditText(WindowItems().Get(index));
    Click();
    Change();
}

bool TCustomComboBox::IsOwnWindow(HWND window) const
{
    return window && HandleAllocated() &&
           (window == const_cast<TCustomComboBox*>(this)->Handle() || window == FEditHandle || window == FListHandle);
}

bool TCustomComboBox::Focused() const { return IsOwnWindow(GetFocus()); }

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(Message.WParam)) {
        case CBN_SELCHANGE: SelectionChanged(); break;
        case CBN_EDITCHANGE:
            if (!FSettingText)
                Change();
            break;
        case CBN_DROPDOWN: DropDown(); break;
        case CBN_DBLCLK: DblClick(); break;
        default: break;
        }
        break;
    // The focus moving between the combo box and its edit part stays inside the control.
    case WM_SETFOCUS:
        DefaultHandler(Message);
        ApplyInputMethod(Handle());
        if (!IsOwnWindow(reinterpret_cast<HWND>(Message.WParam)))
            DoEnter();
        break;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        if (!IsOwnWindow(reinterpret_cast<HWND>(Message.WParam)))
            DoExit();
        break;
    default: TCustomListControl::Dispatch(Message); break;
    }
}

// --- the edit part ---

void TCustomComboBox::EditWndProc(TMessage& Message)
{
    ComboWndProc(Message, FEditHandle, FDefEditProc);
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc)
{
    // A descendant's hook hands over the procedure it replaced, which is this
    // framework hook: the message is handled here once, then goes to the system.
    if (ComboProc == FEditHook.Proc())
        ComboProc = FDefEditProc;
    auto passOn = [&] {
        Message.Result = CallWindowProcA(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
    };
    // Its last message, whoever hooked it: the edit part is gone however the handlers fare.
    if (Message.Msg == WM_NCDESTROY && ComboWnd == FEditHandle)
        FEditHandle = nullptr;
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(Message))
            passOn();
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(Message))
            passOn();
        return;
    case WM_CHAR:
        if (!DoKeyPress(Message))
            passOn();
        return;
    case WM_CONTEXTMENU:
        if (!DoContextPopup(Message))
            passOn();
        return;
    case WM_SETFOCUS:
        passOn();
        ApplyInputMethod(ComboWnd);
        if (!IsOwnWindow(reinterpret_cast<HWND>(Message.WParam)))
            DoEnter();
        return;
    case WM_KILLFOCUS:
        passOn();
        if (!IsOwnWindow(reinterpret_cast<HWND>(Message.WParam)))
            DoExit();
        return;
    default:
        passOn();
        if (Message.Msg == WM_MOUSEMOVE || MouseButtonMessage(Message.Msg))
            EditMouseMessage(Message, ComboWnd);
        return;
    }
}

void TCustomComboBox::EditMouseMessage(const TMessage& Message, HWND EditWindow)
{
    // While the combo box is dragged the mouse is the drag's, as on its own window.
    if (Dragging())
        return;
    POINT p{Message.XPos(), Message.YPos()};
    MapWindowPoints(EditWindow, Handle(), &p, 1);
    TShiftState shift = KeysToShiftState(Message.WParam);
    const auto kind = MouseButtonMessage(Message.Msg);
    if (!kind) {
        MouseMove(shift, p.x, p.y);
        return;
    }
    if (!kind->Down) {
        MouseUp(kind->Button, shift, p.x, p.y);
        return;
    }
    if (kind->Double) {
        shift.Include(ssDouble);
        if (kind->Button == mbLeft)
            DblClick();
    }
    MouseDown(kind->Button, shift, p.x, p.y);
    if (kind->Button == mbLeft && !kind->Double && DragMode() == dmAutomatic && !Dragging())
        BeginDrag(false);
}
