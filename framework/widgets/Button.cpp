#include "framework/widgets/Button.h"

#include <cctype>

bool IsAccel(char Key, const std::string& Caption)
{
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&')
            continue;
        if (Caption[i + 1] == '&') { // "&&" is a plain ampersand
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Caption[i + 1])) == std::toupper(static_cast<unsigned char>(Key));
    }
    return false;
}

FW_BEGIN_CLASS(TButton, TWinControl)
    .Bool("Cancel", &C::Cancel, &C::SetCancel, false)
    .Bool("Default", &C::Default, &C::SetDefault, false)
    .Publish({"Caption", "Enabled", "Font", "Hint", "ParentFont", "ParentShowHint", "ShowHint", "TabOrder", "TabStop",
              "Visible", "OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
              "OnMouseMove", "OnMouseUp"})
    .Default("TabStop", true)
FW_END_CLASS

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    // The system button tracks the mouse and reports clicks itself.
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.SysClassName = "BUTTON";
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    FDefault = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        break;
    case CM_DIALOGKEY: {
        const WORD key = static_cast<WORD>(Message.WParam);
        const bool focusedOnly = Message.LParam == 1;
        const bool mine = key == VK_RETURN ? (focusedOnly ? Focused() : FDefault) : (key == VK_ESCAPE && !focusedOnly && FCancel);
        if (mine && Visible() && Enabled()) {
            Click();
            Message.Result = 1;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<char>(Message.WParam), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}
