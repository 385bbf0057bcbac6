#include "components/CorvelComboBox.h"

#include "framework/designer/Registration.h"

// ---------------------------------------------------------------------------
// TCorvelComboStrings

FW_BEGIN_CLASS(TCorvelComboStrings, TCodedStrings)
FW_END_CLASS

TCorvelComboStrings::TCorvelComboStrings(TCorvelComboBox& ComboBox)
    : TCodedStrings(ComboBox.WindowItems().Messages()), FComboBox(&ComboBox)
{
}

TWinControl* TCorvelComboStrings::Control() const { return FComboBox; }

bool TCorvelComboStrings::SeeCode() const { return FComboBox && FComboBox->SeeCode(); }

int TCorvelComboStrings::PlaceItem(int Index, const std::string& Code, const std::string& Display)
{
    TStringList& codes = *CodeList();
    const int at = Index < 0 ? codes.Count() : Index;
    // The code first: a bad index raises before the window is touched. No code
    // stays without its window item, whatever stops the window from taking it.
    codes.Insert(at, Code);
    LRESULT placed = CB_ERR;
    try {
        placed = Index < 0 ? Send(Messages().AddString, 0, reinterpret_cast<LPARAM>(Display.c_str()))
                           : Send(Messages().InsertString, static_cast<WPARAM>(Index),
                                  reinterpret_cast<LPARAM>(Display.c_str()));
    } catch (...) {
        codes.Delete(at);
        throw;
    }
    if (placed < 0)
        codes.Delete(at);
    return Placed(placed, Display);
}

void TCorvelComboStrings::ResetWindowList()
{
    FComboBox->ClearList();
    FComboBox->Update();
}

// ---------------------------------------------------------------------------
// TCorvelComboBox

const TEnumInfo& CorvelComboTypeInfo()
{
    static const TEnumInfo info{"CorvelComboType", {"ctAny", "ctInteger", "ctNumeric"}};
    return info;
}

FW_BEGIN_CLASS(TCorvelComboBox, TCustomComboBox)
    .Publish({"Style", "Color", "Ctl3D", "DragMode", "DragCursor", "DropDownCount", "Enabled", "Font", "ImeMode",
              "ImeName", "ItemHeight", "MaxLength", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
              "ShowHint", "TabOrder", "TabStop", "Text", "Visible", "OnChange", "OnClick", "OnDblClick", "OnDragDrop",
              "OnDragOver", "OnDrawItem", "OnDropDown", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress",
              "OnKeyUp", "OnMeasureItem", "OnStartDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp"})
    .Object("ItemsCode", TStrings::StaticClass(), &C::ItemsCode)
    .Integer("DroppedWidth", &C::DroppedWidth, &C::SetDroppedWidth, 0)
    .Bool("SeeCode", &C::SeeCode, &C::SetSeeCode, false)
    .String("SelectedCode", &C::GetSelectedCode, &C::SetSelectedCode)
    .Bool("AutoSelectItem", &C::AutoSelectItem, &C::SetAutoSelectItem, true)
    .Component("Control", TControl::StaticClass(), &C::Control, &C::SetControl)
    .String("CodeTableType", &C::CodeTableType, &C::SetCodeTableType)
    .Bool("CanClear", &C::CanClear, &C::SetCanClear, false)
    .Enum("Type", CorvelComboTypeInfo(), &C::Type, &C::SetType, ctAny)
    .Bool("AllowNegative", &C::AllowNegative, &C::SetAllowNegative, false)
    .Event("OnSelectedCodeChange", &C::OnSelectedCodeChange)
FW_END_CLASS

TCorvelComboBox::TCorvelComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FItemsCode(new TCorvelComboStrings(*this)),
      FEditHook([this](TMessage& m) { MyEditWndProc(m); })
{
    ReplaceItems(std::unique_ptr<TStrings>(FItemsCode));
}

TCorvelComboBox::~TCorvelComboBox()
{
    // The edit part's procedure is FEditHook: the windows go while it exists.
    Destroying();
    DestroyHandle();
}

void TCorvelComboBox::Loaded()
{
    TCustomComboBox::Loaded();
    FLoaded = true;
    // The items were read before SeeCode, with their descriptions as display texts.
    if (FSeeCode && !IsDesigning())
        ReconstructList();
}

// --- properties ---

void TCorvelComboBox::SetItemsCode(TStrings* value) { FItemsCode->Assign(value); }

void TCorvelComboBox::SetDroppedWidth(int value)
{
    FDroppedWidth = value;
    SendMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(value), 0);
}

void TCorvelComboBox::SetSeeCode(bool value)
{
    if (value == FSeeCode)
        return;
    FSeeCode = value;
    // While a form is read, Loaded applies SeeCode once the items are all there. A
    // combo box made by the program is never loaded: it rebuilds at once.
    if ((FLoaded || !IsLoading()) && !IsDesigning())
        ReconstructList();
}

void TCorvelComboBox::SetType(CorvelComboType value) { FType = value; }

void TCorvelComboBox::SetControl(TControl* value)
{
    if (value == FControl)
        return;
    RemoveFreeNotification(FControl);
    FControl = value;
    FreeNotification(value);
}

void TCorvelComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl)
        FControl = nullptr;
}

// --- by code ---

std::string TCorvelComboBox::GetCode(int Index) const
{
    const TStringList& codes = *FItemsCode->CodeList();
    return Index >= 0 && Index < codes.Count() ? codes.Get(Index) : std::string();
}

std::string TCorvelComboBox::GetSelectedCode() const { return GetCode(ItemIndex()); }

int TCorvelComboBox::IndexOfCode(const std::string& Code) const { return FItemsCode->CodeList()->IndexOf(Code); }

int TCorvelComboBox::IndexOf(const std::string& Text) const { return FindStringExact(Text); }

void TCorvelComboBox::SetSelectedCode(const std::string& Code)
{
    const int index = IndexOfCode(Code);
    if (ItemIndex() != index) {
        SetItemIndex(index);
        if (OnClick)
            OnClick(this);
    }
    const std::string selected = GetSelectedCode();
    if (FLastSelectedCode != selected && OnSelectedCodeChange)
        OnSelectedCodeChange(this);
    FLastSelectedCode = selected;
}

std::string TCorvelComboBox::GetDescription(const std::string& Code) const
{
    const int index = IndexOfCode(Code);
    if (index < 0)
        return "";
    // The display text holds the code only when the list shows codes, which the
    // designer's never does.
    std::string text = FItemsCode->DisplayText(index);
    if (FSeeCode && !IsDesigning())
        if (const size_t space = text.find(' '); space != std::string::npos)
            text.erase(0, space + 1);
    return text;
}

void TCorvelComboBox::ReconstructList()
{
    if (!FItemsCode->ComboBox())
        return;
    const int selected = ItemIndex();
    const TCodedStrings::TEntries entries = FItemsCode->EntriesFor(FSeeCode);
    // The same item list is filled again, so references to it stay good; emptying
    // it keeps the edit text, so nothing reports a change and a typed text stays.
    FItemsCode->Clear();
    FItemsCode->AddEntries(entries);
    SetItemIndex(selected);
}

// --- events ---

void TCorvelComboBox::Click()
{
    TCustomComboBox::Click();
    if (OnSelectedCodeChange)
        OnSelectedCodeChange(this);
}

// --- messages ---

void TCorvelComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: WMChar(Message); break;
    case WM_COMMAND: CNCommandResponse(Message); break;
    case WM_TIMER: OnTimer(Message); break;
    case CB_SETCURSEL: CBSetCurSel(Message); break;
    case WM_PASTE: MyPaste(Message); break;
    default: TCustomComboBox::Dispatch(Message); break;
    }
}

void TCorvelComboBox::WMChar(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

void TCorvelComboBox::CNCommandResponse(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

void TCorvelComboBox::OnTimer(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

void TCorvelComboBox::CBSetCurSel(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

void TCorvelComboBox::MyPaste(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

// --- the edit part ---

void TCorvelComboBox::CreateWnd()
{
    TCustomComboBox::CreateWnd();
    // Each new window has a new edit part: the hook goes on every one.
    FHookedEdit = EditHandle();
    if (FHookedEdit)
        FPrevEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FHookedEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditHook.Proc())));
}

void TCorvelComboBox::MyEditWndProc(TMessage& Message) { ComboWndProc(Message, FHookedEdit, FPrevEditProc); }

// ---------------------------------------------------------------------------

namespace CorvelComboBox {
void Register() { RegisterComponents("Corvel", {&TCorvelComboBox::StaticClass()}); }
} // namespace CorvelComboBox
