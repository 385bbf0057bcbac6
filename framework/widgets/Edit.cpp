#include "framework/widgets/Edit.h"

#include "framework/core/Exceptions.h"

FW_BEGIN_CLASS(TEdit, TWinControl)
    .Enum("BorderStyle", BorderStyleInfo(), &C::BorderStyle, &C::SetBorderStyle, bsSingle)
    .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
    .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
    .Event("OnChange", &C::OnChange)
    .Publish({"Color", "DragCursor", "DragMode", "Enabled", "Font", "Hint", "ParentColor", "ParentFont",
              "ParentShowHint", "ShowHint", "TabOrder", "TabStop", "Text", "Visible", "OnClick", "OnDblClick",
              "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
              "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDrag"})
    .Default("Color", int64_t{clWindow})
    .Default("ParentColor", false)
    .Default("TabStop", true)
FW_END_CLASS

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    // The system edit tracks the mouse itself (selecting text with a drag).
    SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.SysClassName = "EDIT";
    Params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    if (FBorderStyle == bsSingle)
        AddBorder(Params);
}

void TEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FMaxLength > 0)
        SendToEdit(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength));
}

LRESULT TEdit::SendToEdit(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return SendMessageA(const_cast<TEdit*>(this)->Handle(), Msg, WParam, LParam);
}

void TEdit::GetSelection(DWORD& Start, DWORD& End) const
{
    Start = End = 0;
    SendToEdit(EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
}

int TEdit::SelStart() const
{
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(start);
}

int TEdit::SelLength() const
{
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(end - start);
}

void TEdit::SetSelStart(int value) { SendToEdit(EM_SETSEL, static_cast<WPARAM>(value), value); }

void TEdit::SetSelLength(int value)
{
    const int start = SelStart();
    SendToEdit(EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

void TEdit::SelectAll() { SendToEdit(EM_SETSEL, 0, -1); }

void TEdit::SetMaxLength(int value)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Invalid maximum length %d", value));
    FMaxLength = value;
    if (HandleAllocated())
        SendToEdit(EM_LIMITTEXT, static_cast<WPARAM>(value));
}

void TEdit::SetReadOnly(bool value)
{
    FReadOnly = value;
    if (HandleAllocated())
        SendToEdit(EM_SETREADONLY, value ? TRUE : FALSE);
}

void TEdit::SetBorderStyle(TBorderStyle value)
{
    if (value != bsNone && value != bsSingle)
        throw EInvalidOperation("An edit border is bsNone or bsSingle");
    SetCreationProperty(FBorderStyle, value);
}

void TEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == EN_CHANGE)
            Change();
        return;
    }
    TWinControl::Dispatch(Message);
}
