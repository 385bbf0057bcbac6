#include "components/CorvelComboBox.h"

#include "framework/controls/Menus.h"
#include "framework/designer/Registration.h"
#include "framework/system/Beep.h"
#include "framework/system/Clipboard.h"
#include "framework/text/SysUtils.h"

#include <algorithm>

namespace {
// The type-ahead search: characters typed within this time of each other make one prefix.
constexpr UINT_PTR TypeAheadTimer = 100;
constexpr UINT TypeAheadInterval = 1000;

// What may be typed into the edit part of a numeric combo box: digits, the
// locale's decimal separator once (ctNumeric), and a leading minus when allowed.
struct TNumberEntry {
    CorvelComboType Type;
    bool AllowNegative;
    char Separator;

    // Key typed over the selection [Start, End) of Text.
    bool Accepts(char Key, const std::string& Text, size_t Start, size_t End) const
    {
        if (Key >= '0' && Key <= '9')
            return true;
        if (Key == '-')
            return AllowNegative && Start == 0 && (End > Start || Text.compare(0, 1, "-") != 0);
        if (Type == ctNumeric && Key == Separator)
            return Text.find(Separator) == std::string::npos ||
                   Text.find(Separator, Start) < End; // typing replaces the selected one
        return false;
    }

    // Typed, character by character, over the selection.
    bool AcceptsAll(const std::string& Typed, std::string Text, size_t Start, size_t End) const
    {
        for (const char key : Typed) {
            if (!Accepts(key, Text, Start, End))
                return false;
            Text.replace(Start, End - Start, 1, key);
            End = ++Start;
        }
        return true;
    }
};

// Holds a flag for one scope and gives its former value back, also on an exception.
class TFlagScope {
public:
    TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FFormer(Flag) { Flag = Value; }
    ~TFlagScope() { FFlag = FFormer; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    const bool FFormer;
};
} // namespace

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
    // The code first, and no code stays without its window item, whatever stops the
    // window from taking it.
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

std::vector<int> TCorvelComboStrings::Refill(const std::vector<TItem>& Items)
{
    Clear();
    std::vector<int> landed;
    landed.reserve(Items.size());
    WithinUpdate([&] {
        for (const TItem& item : Items) {
            landed.push_back(PlaceItem(-1, item.Code, item.Display));
            PutObject(landed.back(), item.Object);
        }
    });
    return landed;
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
    .Component("PopupMenu", TPopupMenu::StaticClass(), &C::PopupMenu, &C::SetPopupMenu).Unpublished()
    .Publish({"Style", "Color", "Ctl3D", "DragMode", "DragCursor", "DropDownCount", "Enabled", "Font", "ImeMode",
              "ImeName", "ItemHeight", "MaxLength", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
              "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Text", "Visible", "OnChange", "OnClick",
              "OnDblClick", "OnDragDrop", "OnDragOver", "OnDrawItem", "OnDropDown", "OnEndDrag", "OnEnter", "OnExit",
              "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnStartDrag", "OnMouseDown", "OnMouseMove",
              "OnMouseUp"})
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

void TCorvelComboBox::SetControl(TControl* value) { SetWatchedReference(FControl, value); }

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
    if (FLastSelectedCode != selected)
        SelectedCodeChanged();
    FLastSelectedCode = selected;
}

void TCorvelComboBox::SelectedCodeChanged()
{
    FReportedCode = GetSelectedCode();
    if (OnSelectedCodeChange)
        OnSelectedCodeChange(this);
}

std::string TCorvelComboBox::GetDescription(const std::string& Code) const
{
    const int index = IndexOfCode(Code);
    return index < 0 ? std::string() : FItemsCode->ItemAt(index).Description;
}

void TCorvelComboBox::ReconstructList()
{
    if (!FItemsCode->ComboBox())
        return;
    const int selected = ItemIndex();
    // The same item list is filled again, so references to it stay good; emptying
    // it keeps the edit text, so nothing reports a change and a typed text stays.
    FItemsCode->Reshow();
    SetItemIndex(selected);
}

// --- events ---

void TCorvelComboBox::Click()
{
    TCustomComboBox::Click();
    SelectedCodeChanged();
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

// --- the typing filter ---

void TCorvelComboBox::KeyPress(char& Key)
{
    if (FSkipNextChar) {
        // The type-ahead search has taken this character: the handlers see it once,
        // the system's own one-letter selection never.
        FSkipNextChar = false;
        TCustomComboBox::KeyPress(Key);
        Key = 0;
        return;
    }
    TCustomComboBox::KeyPress(Key);
    if (Style() == csDropDown && FType != ctAny && Key != '\b' && !TypedFits(std::string(1, Key)))
        Key = 0;
}

bool TCorvelComboBox::TypedFits(const std::string& Typed) const
{
    const std::string text = Text();
    const size_t start = std::min<size_t>(static_cast<size_t>(SelStart()), text.size());
    const size_t end = std::min<size_t>(start + static_cast<size_t>(SelLength()), text.size());
    return TNumberEntry{FType, FAllowNegative, FormatSettings.DecimalSeparator}.AcceptsAll(Typed, text, start, end);
}

bool TCorvelComboBox::PasteFits() const
{
    if (Style() != csDropDown || FType == ctAny)
        return true;
    if (!IsClipboardFormatAvailable(CF_TEXT))
        return false;
    // A number, and one that could have been typed there.
    const std::string pasted = Clipboard()->AsText();
    double value;
    return TryStrToFloat(pasted, value) && TypedFits(pasted);
}

// The system hands a paste sent to the combo box to its edit part, whose hook
// filters every paste, its own (Shift+Insert, its context menu) included.
void TCorvelComboBox::MyPaste(TMessage& Message) { TCustomComboBox::Dispatch(Message); }

// --- auto-completion ---

void TCorvelComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    FLastKey = Key;
    TCustomComboBox::KeyDown(Key, Shift);
    // The edit part pastes Shift+Insert itself, without a WM_PASTE to filter.
    if (Key == VK_INSERT && Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !PasteFits())
        Key = 0;
}

void TCorvelComboBox::Change()
{
    if (FUserEdit)
        LeaveEditedItem();
    if (!FAutoSelectItem) {
        TCustomComboBox::Change();
        return;
    }
    FTypedText = Text();
    if (FSeeCode)
        if (const size_t space = FTypedText.find(' '); space != std::string::npos) {
            // The user types codes: a whole item string is cut back to its code.
            FTypedText.erase(space);
            SetEditText(FTypedText);
            const int length = static_cast<int>(FTypedText.size());
            SelectInEdit(length, length);
        }
    if (FLastKey == VK_BACK || FLastKey == VK_DELETE) {
        // A deletion completes nothing, not even with a candidate an earlier change found.
        FLastKey = 0;
        FCompleteIndex = -1;
        if (FSeeCode) {
            SetSelectedCode("");
            TCustomComboBox::Change();
        } else if (Text().empty() && !GetSelectedCode().empty()) {
            TCustomComboBox::Change();
            SetSelectedCode("");
        } else {
            TCustomComboBox::Change();
        }
        return;
    }
    FLastKey = 0;
    // Typing inside the text is editing it, not asking for an item.
    if (!FSeeCode && SelStart() != static_cast<int>(FTypedText.size())) {
        TCustomComboBox::Change();
        return;
    }
    FCompleteIndex = FindStringExact(FTypedText);
    if (FCompleteIndex == -1)
        FCompleteIndex = FindString(FTypedText);
    TCustomComboBox::Change();
}

void TCorvelComboBox::CNCommandResponse(TMessage& Message)
{
    const int before = ItemIndex();
    {
        // The system turns the edit part's notification into the combo box's, which
        // runs Change: for a change of the edit part, only when the user made it.
        const TFlagScope edit(FUserEdit, HIWORD(Message.WParam) == EN_CHANGE);
        TCustomComboBox::Dispatch(Message);
    }
    if (FAutoSelectItem && Style() == csDropDown && ItemIndex() == -1 && FCompleteIndex != -1)
        CompleteTyped();
    // The user's edit has left the item: its code goes too. No candidate is kept
    // for later, as the next notification would complete it at once and undo a
    // deletion.
    if (ItemIndex() == -1 && before != -1 && FindStringExact(Text()) == -1) {
        SetSelectedCode("");
        // A code chosen in the list never reached SetSelectedCode, which therefore
        // does not report its loss.
        if (!FReportedCode.empty())
            SelectedCodeChanged();
    }
}

void TCorvelComboBox::LeaveEditedItem()
{
    const int index = ItemIndex();
    if (index < 0 || Text() == FItemsCode->DisplayText(index))
        return;
    // Only the list part's selection: CB_SETCURSEL would empty the edit part too.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(Handle(), &info) && info.hwndList)
        SendMessageA(info.hwndList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TCorvelComboBox::CompleteTyped()
{
    const std::string old = Text();
    SetSelectedCode(GetCode(FCompleteIndex));
    // The system filled the edit part without a word: the handler learns it here.
    if (Text() != old && OnChange)
        OnChange(this);
    const int typed = static_cast<int>(FTypedText.size());
    if (FSeeCode) {
        // Home shows the code at the start of a long item string.
        if (const HWND edit = EditHandle()) {
            SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0);
            SendMessageA(edit, WM_KEYUP, VK_HOME, 0);
        }
        SelectInEdit(typed, static_cast<int>(GetSelectedCode().size()));
    } else {
        SelectInEdit(typed, -1);
    }
    FCompleteIndex = -1;
}

void TCorvelComboBox::SelectInEdit(int Start, int End)
{
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(Start, End));
}

// --- the type-ahead search of a drop-down list ---

void TCorvelComboBox::WMChar(TMessage& Message)
{
    const char key = static_cast<char>(LOBYTE(Message.WParam));
    // Control characters (Enter, Escape, Backspace) are keys, not letters to look for.
    if (!TypeAheadActive() || static_cast<unsigned char>(key) < ' ') {
        TCustomComboBox::Dispatch(Message);
        return;
    }
    FSearchIndex = -1;
    StopTimer(TypeAheadTimer);
    if (FNewSearch)
        FSearchText.assign(1, key);
    else
        FSearchText += key;
    FSearchIndex = FindString(FSearchText);
    // The same letter twice stays on the first item with it rather than failing.
    if (FSearchIndex == -1 && FSearchText.size() == 2) {
        const std::string single(1, key);
        FSearchIndex = FindString(single);
        if (FSearchIndex != -1)
            FSearchText = single;
    }
    if (FSearchIndex == -1)
        MessageBeepProc()(0);
    else
        SetItemIndex(FSearchIndex); // quietly: no OnClick, OnChange or OnSelectedCodeChange
    FNewSearch = false;
    StartTimer(TypeAheadTimer, TypeAheadInterval);
    FSkipNextChar = true;
    TCustomComboBox::Dispatch(Message);
    FSkipNextChar = false; // whether or not a form's key preview let it reach KeyPress
}

void TCorvelComboBox::OnTimer(TMessage& Message)
{
    if (Message.WParam == TypeAheadTimer)
        EndSearch();
    else
        TCustomComboBox::Dispatch(Message);
}

void TCorvelComboBox::EndSearch()
{
    StopTimer(TypeAheadTimer);
    FSkipNextChar = false;
    FNewSearch = true;
    // The selection belongs to the program again.
    FSearchIndex = -1;
}

void TCorvelComboBox::CBSetCurSel(TMessage& Message)
{
    // Within the second, whatever else asks for a selection gets the search's.
    if (TypeAheadActive() && FSearchIndex != -1 && static_cast<int>(Message.WParam) != FSearchIndex)
        Message.WParam = static_cast<WPARAM>(FSearchIndex);
    TCustomComboBox::Dispatch(Message);
}

// --- the edit part ---

void TCorvelComboBox::CreateWnd()
{
    TCustomComboBox::CreateWnd();
    // Each new window has a new edit part: the hook goes on every one.
    FHookedEdit = EditHandle();
    if (!FHookedEdit)
        return;
    FPrevEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(FHookedEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditHook.Proc())));
    // The new window had its font before the hook could see it.
    RemoveLeftMargin(FHookedEdit);
}

void TCorvelComboBox::RemoveLeftMargin(HWND Edit)
{
    // The text starts at the edge, as the drop-down list's items do; systems before
    // version 4 have no margins.
    if (LOBYTE(LOWORD(GetVersion())) >= 4)
        SendMessageA(Edit, EM_SETMARGINS, EC_LEFTMARGIN, 0);
}

void TCorvelComboBox::MyEditWndProc(TMessage& Message)
{
    const HWND edit = FHookedEdit;
    switch (Message.Msg) {
    case WM_SYSCOMMAND: WndProc(Message); return;
    case WM_PASTE:
        if (!PasteFits())
            return;
        break;
    case WM_NCDESTROY: FHookedEdit = nullptr; break;
    default: break;
    }
    // The framework's handling of the edit part, once: keys, mouse (a release over
    // the edit part reaches OnMouseUp in the combo box's coordinates), focus.
    ComboWndProc(Message, edit, FPrevEditProc);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (DragMode() == dmAutomatic)
            DragFromEdit(edit);
        break;
    case WM_SETFONT:
        // Each font brings the margin that suits it.
        RemoveLeftMargin(edit);
        break;
    default: break;
    }
}

void TCorvelComboBox::DragFromEdit(HWND Edit)
{
    // At once, without waiting for the pointer to move: the press on the text is
    // the start of the drag, not of a selection.
    BeginDrag(false, 0);
    // The edit part stops selecting text; the mouse is the drag's now.
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    SendMessageA(Edit, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// ---------------------------------------------------------------------------

namespace CorvelComboBox {
void Register() { RegisterComponents("Corvel", {&TCorvelComboBox::StaticClass()}); }
} // namespace CorvelComboBox
