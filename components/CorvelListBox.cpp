#include "components/CorvelListBox.h"

#include "framework/designer/Registration.h"
#include "framework/forms/Dialogs.h"

#include <algorithm>

namespace {
// Puts Text into an edit or a combo box, whole text selected.
template <class T>
void PutText(T& Control, const std::string& Text)
{
    Control.SetText(Text);
    Control.SetSelStart(0);
    Control.SetSelLength(static_cast<int>(Control.Text().size()));
}

// Room beyond the widest text, so that its last letter is not flush with the border.
constexpr int ExtentMargin = 10;
} // namespace

// ---------------------------------------------------------------------------
// TCorvelListStrings

FW_BEGIN_CLASS(TCorvelListStrings, TCodedStrings)
FW_END_CLASS

TCorvelListStrings::TCorvelListStrings(TCorvelListBox& ListBox)
    : TCodedStrings(ListBox.WindowItems().Messages()), FListBox(&ListBox)
{
}

TWinControl* TCorvelListStrings::Control() const { return FListBox; }

bool TCorvelListStrings::SeeCode() const { return FListBox && FListBox->SeeCode(); }

int TCorvelListStrings::PlaceItem(int Index, const std::string& Code, const std::string& Display)
{
    TStringList& codes = *CodeList();
    // The window first: a sorted list box chooses the place, and the code follows.
    const LRESULT placed = Index < 0 ? Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Display.c_str()))
                                     : Send(LB_INSERTSTRING, static_cast<WPARAM>(Index),
                                            reinterpret_cast<LPARAM>(Display.c_str()));
    const int at = Placed(placed, Display);
    codes.Insert(at, Code);
    return at;
}

std::vector<TCorvelListStrings::TItem> TCorvelListStrings::TakeAll()
{
    std::vector<TItem> items;
    const int count = GetCount();
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        items.push_back({CodeList()->Get(i), DisplayText(i), GetObject(i)});
    Clear();
    return items;
}

std::vector<int> TCorvelListStrings::Refill(const std::vector<TItem>& Items)
{
    // Each text goes in carrying its place in Items as its data word. Once all are
    // in, the words say which code and object belong at each position, whatever
    // order the window's comparison chose, and no code is ever moved.
    Clear();
    std::vector<int> landed(Items.size());
    BeginUpdate();
    try {
        for (size_t k = 0; k < Items.size(); ++k) {
            const std::string& display = Items[k].Display;
            const int at = Placed(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(display.c_str())), display);
            Send(LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(k));
        }
        TStringList& codes = *CodeList();
        for (int at = 0; at < static_cast<int>(Items.size()); ++at) {
            const auto k = static_cast<size_t>(Send(LB_GETITEMDATA, static_cast<WPARAM>(at)));
            landed[k] = at;
            codes.Add(Items[k].Code);
            PutObject(at, Items[k].Object);
        }
    } catch (...) {
        // No item may stand without its code.
        Clear();
        EndUpdate();
        throw;
    }
    EndUpdate();
    return landed;
}

// ---------------------------------------------------------------------------
// TCorvelListBox

FW_BEGIN_CLASS(TCorvelListBox, TCustomListBox)
    .Publish({"Align", "BorderStyle", "Color", "Columns", "Ctl3D", "DragCursor", "DragMode", "Enabled",
              "ExtendedSelect", "Font", "ImeMode", "ImeName", "IntegralHeight", "ItemHeight", "MultiSelect",
              "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "ShowHint", "Style", "TabOrder", "TabWidth",
              "Visible", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnDrawItem", "OnEndDrag", "OnEnter",
              "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnMouseDown", "OnMouseMove",
              "OnMouseUp", "OnStartDrag"})
    // Read in this order from a form: the sorting before the items, the items before SeeCode.
    .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
    .Event("OnEditChange", &C::OnEditChange)
    .Event("OnAssociateButtonBeforeClick", &C::OnAssociateButtonBeforeClick)
    .Event("OnAssociateButtonAfterClick", &C::OnAssociateButtonAfterClick)
    .Bool("Horizontal", &C::Horizontal, &C::SetHorizontal, true)
    .Component("ControlEdit", TEdit::StaticClass(), &C::ControlEdit, &C::SetEdit)
    .Component("ControlCombo", TComboBox::StaticClass(), &C::ControlCombo, &C::SetComboBox)
    .Component("ControlUpdate", TButton::StaticClass(), &C::ControlUpdate, &C::SetButtonUpdate)
    .Component("ControlAdd", TButton::StaticClass(), &C::ControlAdd, &C::SetButtonAdd)
    .Component("ControlDelete", TButton::StaticClass(), &C::ControlDelete, &C::SetButtonDelete)
    .Object("ItemsCode", TStrings::StaticClass(), &C::ItemsCode)
    .Bool("SeeCode", &C::SeeCode, &C::SetSeeCode, false)
    .String("SelectedCode", &C::GetSelectedCode, &C::SetSelectedCode)
FW_END_CLASS

TCorvelListBox::TCorvelListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    auto store = std::make_unique<TCorvelListStrings>(*this);
    FItemsCode = store.get();
    ReplaceItems(std::move(store));
}

TCorvelListBox::~TCorvelListBox()
{
    // The associated controls forget this list box first; the window goes while
    // the item store it answers to is whole.
    Destroying();
    DestroyHandle();
}

void TCorvelListBox::Loaded()
{
    TCustomListBox::Loaded();
    FLoaded = true;
    // The items were read before SeeCode, with their descriptions as display texts:
    // rebuilt before anything is copied, the text control shows what the list shows.
    if (FSeeCode && !IsDesigning())
        ReconstructList();
    if (TextControl()) {
        const bool hasText = !CurrentText().empty();
        if (FControlAdd)
            FControlAdd->SetEnabled(hasText);
        if (FControlUpdate)
            FControlUpdate->SetEnabled(hasText && ItemIndex() >= 0);
    }
    if (FItemsCode->Count() > 0) {
        // A stored SelectedCode keeps its item; otherwise the first is taken.
        const int selected = ItemIndex();
        if (selected < 0)
            SelectIndex(-2);
        else
            CopyToTextControl(selected, false);
        if (FControlDelete)
            FControlDelete->SetEnabled(true);
    }
}

// --- properties ---

void TCorvelListBox::SetSorted(bool value)
{
    if (value == Sorted())
        return;
    if (!value || FItemsCode->Count() == 0) {
        // Re-created unsorted, the window keeps its order, and the codes theirs.
        TCustomListBox::SetSorted(value);
        return;
    }
    const int selected = ItemIndex();
    const std::vector<TCorvelListStrings::TItem> items = FItemsCode->TakeAll();
    TCustomListBox::SetSorted(true);
    const std::vector<int> landed = FItemsCode->Refill(items);
    if (selected >= 0)
        TCustomListBox::SetItemIndex(landed[static_cast<size_t>(selected)]);
}

void TCorvelListBox::SetItemsCode(TStrings* value) { FItemsCode->Assign(value); }

void TCorvelListBox::SetSeeCode(bool value)
{
    if (value == FSeeCode)
        return;
    FSeeCode = value;
    // While a form is read, Loaded applies SeeCode once the items are all there. A
    // list box made by the program is never loaded: it rebuilds at once.
    if ((FLoaded || !IsLoading()) && !IsDesigning())
        ReconstructList();
}

std::string TCorvelListBox::GetSelectedCode() const { return GetCode(ItemIndex()); }

void TCorvelListBox::SetSelectedCode(const std::string& Code)
{
    const int index = IndexOfCode(Code);
    if (index == ItemIndex())
        return;
    SetItemIndex(index);
    // The system reports no selection made by the program.
    if (OnClick)
        OnClick(this);
}

void TCorvelListBox::SetItemIndex(int value)
{
    TCustomListBox::SetItemIndex(value);
    if (value < 0)
        DisableSelectionButtons();
}

void TCorvelListBox::DisableSelectionButtons()
{
    for (TButton* button : {FControlDelete, FControlUpdate})
        if (button)
            button->SetEnabled(false);
}

// --- associations ---

TNotifyEvent TCorvelListBox::Guarded(void (TCorvelListBox::*Handler)(TObject*))
{
    return [alive = std::weak_ptr<TCorvelListBox*>(FAlive), Handler](TObject* Sender) {
        if (const auto self = alive.lock())
            ((*self)->*Handler)(Sender);
    };
}

void TCorvelListBox::Watch(TComponent* Former, TComponent* Now)
{
    if (Former && Former != Now)
        RemoveFreeNotification(Former);
    if (Now)
        FreeNotification(Now);
}

void TCorvelListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomListBox::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FControlEdit)
        FControlEdit = nullptr;
    if (AComponent == FControlCombo)
        FControlCombo = nullptr;
    if (AComponent == FControlUpdate)
        FControlUpdate = nullptr;
    if (AComponent == FControlAdd)
        FControlAdd = nullptr;
    if (AComponent == FControlDelete)
        FControlDelete = nullptr;
}

void TCorvelListBox::SetTextControl(TEdit* Edit, TComboBox* Combo)
{
    Watch(FControlEdit, Edit);
    Watch(FControlCombo, Combo);
    FControlEdit = Edit;
    FControlCombo = Combo;
    TWinControl* const text = TextControl();
    if (text->Text().empty() && FControlAdd)
        FControlAdd->SetEnabled(false);
    if (Edit)
        Edit->OnChange = Guarded(&TCorvelListBox::EditChange);
    else
        Combo->OnChange = Guarded(&TCorvelListBox::EditChange);
}

void TCorvelListBox::SetEdit(TEdit* value)
{
    if (value) {
        SetTextControl(value, nullptr);
        return;
    }
    Watch(FControlEdit, nullptr);
    FControlEdit = nullptr;
}

void TCorvelListBox::SetComboBox(TComboBox* value)
{
    if (value) {
        SetTextControl(nullptr, value);
        return;
    }
    Watch(FControlCombo, nullptr);
    FControlCombo = nullptr;
}

bool TCorvelListBox::AssociateButtonTo(TButton*& Field, TButton* value, TButton* Other1, TButton* Other2,
                                       void (TCorvelListBox::*Handler)(TObject*))
{
    if (value && (value == Other1 || value == Other2)) {
        if (IsDesigning())
            ShowMessage("This button is already used by another property of this ListBox.");
        return false;
    }
    Watch(Field, value);
    Field = value;
    if (value)
        value->OnClick = Guarded(Handler);
    return value != nullptr;
}

void TCorvelListBox::SetButtonUpdate(TButton* value)
{
    if (AssociateButtonTo(FControlUpdate, value, FControlAdd, FControlDelete, &TCorvelListBox::UpdateClick) &&
        (ItemIndex() < 0 || CurrentText().empty()))
        value->SetEnabled(false);
}

void TCorvelListBox::SetButtonAdd(TButton* value)
{
    if (AssociateButtonTo(FControlAdd, value, FControlUpdate, FControlDelete, &TCorvelListBox::AddClick) &&
        CurrentText().empty())
        value->SetEnabled(false);
}

void TCorvelListBox::SetButtonDelete(TButton* value)
{
    if (AssociateButtonTo(FControlDelete, value, FControlAdd, FControlUpdate, &TCorvelListBox::DeleteClick) &&
        ItemIndex() < 0)
        DisableSelectionButtons();
}

TWinControl* TCorvelListBox::TextControl() const
{
    if (FControlEdit)
        return FControlEdit;
    return FControlCombo;
}

std::string TCorvelListBox::CurrentText() const
{
    const TWinControl* const text = TextControl();
    return text ? text->Text() : std::string();
}

// --- by code ---

std::string TCorvelListBox::GetCode(int Index) const
{
    const TStringList& codes = *FItemsCode->CodeList();
    return Index >= 0 && Index < codes.Count() ? codes.Get(Index) : std::string();
}

int TCorvelListBox::IndexOfCode(const std::string& Code) const { return FItemsCode->CodeList()->IndexOf(Code); }

int TCorvelListBox::IndexOf(const std::string& Text) const { return FindStringExact(Text); }

void TCorvelListBox::GetAllCode(TStrings* Target) const { Target->Assign(FItemsCode->CodeList()); }

void TCorvelListBox::GetAll(TStrings* Target) const
{
    if (!FSeeCode) {
        Target->Assign(FItemsCode);
        return;
    }
    const int count = FItemsCode->Count();
    for (int i = 0; i < count; ++i)
        Target->Add(FItemsCode->DisplayText(i));
}

void TCorvelListBox::GetAllSelected(TStrings* Target) const
{
    const int count = FItemsCode->Count();
    for (int i = 0; i < count; ++i)
        if (Selected(i))
            Target->Add(FItemsCode->DisplayText(i));
}

void TCorvelListBox::GetAllSelectedCode(TStrings* Target) const
{
    const int count = FItemsCode->Count();
    for (int i = 0; i < count; ++i)
        if (Selected(i))
            Target->Add(GetCode(i));
}

void TCorvelListBox::Clear()
{
    TCustomListBox::Clear(); // through the item store: codes and items together
    DisableSelectionButtons();
}

void TCorvelListBox::ReconstructList()
{
    const int selected = ItemIndex();
    // The same item list is filled again, so references to it stay good.
    const std::vector<int> landed = FItemsCode->Reshow();
    if (selected >= 0)
        TCustomListBox::SetItemIndex(landed[static_cast<size_t>(selected)]);
}

// --- the horizontal extent ---

bool TCorvelListBox::SetHorizontalScroll()
{
    if (!FHorizontal || FItemsCode->Count() == 0)
        return false;
    FWidestText = 0;
    const int count = FItemsCode->Count();
    for (int i = 0; i < count; ++i)
        FWidestText = std::max(FWidestText, Canvas()->TextWidth(FItemsCode->DisplayText(i)));
    if (FWidestText > Width())
        SetScrollWidth(FWidestText + ExtentMargin);
    return true;
}

void TCorvelListBox::WidenFor(const std::string& Text)
{
    const int width = Canvas()->TextWidth(Text);
    if (width <= FWidestText)
        return;
    FWidestText = width;
    if (FWidestText > Width())
        SetScrollWidth(FWidestText + ExtentMargin);
}

// --- the text control ---

void TCorvelListBox::SelectIndex(int Index)
{
    const bool focus = Index != -2;
    const int index = focus ? Index : 0;
    SetItemIndex(index);
    CopyToTextControl(index, focus);
}

void TCorvelListBox::CopyToTextControl(int Index, bool Focus)
{
    const std::string text = FItemsCode->DisplayText(Index);
    // A control reports only a new text, and only once its window exists (a drop-down
    // list never): what it did not report is followed here.
    const unsigned changesBefore = FTextChanges;
    if (FControlEdit)
        PutText(*FControlEdit, text);
    else if (FControlCombo)
        PutText(*FControlCombo, text);
    else
        return;
    if (FTextChanges == changesBefore)
        UpdateButtons();
    if (Focus)
        FocusTextControl();
}

void TCorvelListBox::FocusTextControl()
{
    // Asked of a control that cannot take it (disabled, hidden, on a hidden form),
    // the framework raises, and the action the user asked for would stop halfway.
    TWinControl* const text = TextControl();
    if (text && text->CanFocus())
        text->SetFocus();
}

void TCorvelListBox::EditChange(TObject*)
{
    ++FTextChanges;
    UpdateButtons();
    if (OnEditChange)
        OnEditChange(this);
}

void TCorvelListBox::UpdateButtons()
{
    const std::string text = CurrentText();
    const int found = IndexOf(text);
    if (FControlAdd) {
        FControlAdd->SetEnabled(!text.empty() && found < 0);
        // A text that names an item selects it; an empty one leaves nothing selected.
        if (!FControlAdd->Enabled())
            SetItemIndex(found);
    }
    const bool selected = ItemIndex() >= 0;
    if (FControlDelete)
        FControlDelete->SetEnabled(selected);
    if (FControlUpdate)
        FControlUpdate->SetEnabled(!text.empty() && selected && found < 0);
}

// --- button actions ---

bool TCorvelListBox::MayProceed(AssociateButton Button)
{
    bool proceed = true;
    if (OnAssociateButtonBeforeClick)
        OnAssociateButtonBeforeClick(this, Button, proceed);
    return proceed;
}

void TCorvelListBox::Proceeded(AssociateButton Button)
{
    if (OnAssociateButtonAfterClick)
        OnAssociateButtonAfterClick(this, Button);
}

void TCorvelListBox::AddClick(TObject*)
{
    if (!MayProceed(abAdd))
        return;
    const std::string text = CurrentText(); // the before event may have changed it
    SelectIndex(FItemsCode->Add(text));
    if (FControlAdd)
        FControlAdd->SetEnabled(false);
    if (FControlUpdate)
        FControlUpdate->SetEnabled(false);
    if (FControlDelete)
        FControlDelete->SetEnabled(true);
    if (FHorizontal)
        WidenFor(text);
    Proceeded(abAdd);
}

void TCorvelListBox::UpdateClick(TObject*)
{
    if (!MayProceed(abUpdate))
        return;
    const int index = ItemIndex();
    if (index >= 0) {
        const std::string text = CurrentText();
        // Codes hidden, the user edited a description: the item keeps its code.
        const bool showsCodes = FSeeCode && !IsDesigning();
        FItemsCode->Put(index, showsCodes ? text : GetCode(index) + ' ' + text);
        SelectIndex(index);
        if (FControlUpdate)
            FControlUpdate->SetEnabled(false);
        if (FControlAdd)
            FControlAdd->SetEnabled(false);
    }
    Proceeded(abUpdate);
}

void TCorvelListBox::DeleteClick(TObject*)
{
    if (!MayProceed(abDelete))
        return;
    const int index = ItemIndex();
    if (index < 0)
        return; // nothing to delete, nothing done
    FItemsCode->Delete(index);
    const int count = FItemsCode->Count();
    if (index < count) {
        SelectIndex(index);
    } else if (count > 0) {
        SelectIndex(count - 1);
    } else {
        DisableSelectionButtons();
        if (TextControl() && FControlAdd && !CurrentText().empty())
            FControlAdd->SetEnabled(true);
        FocusTextControl();
    }
    Proceeded(abDelete);
}

// --- messages ---

void TCorvelListBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_LBUTTONUP)
        LMouseUp(Message);
    else
        TCustomListBox::Dispatch(Message);
}

void TCorvelListBox::LMouseUp(TMessage& Message)
{
    TCustomListBox::Dispatch(Message);
    // Only the mouse copies: moving through the list with the keys leaves the text alone.
    const int index = ItemIndex();
    if (index >= 0)
        CopyToTextControl(index, false);
}

// ---------------------------------------------------------------------------

namespace CorvelListBox {
void Register() { RegisterComponents("Corvel", {&TCorvelListBox::StaticClass()}); }
} // namespace CorvelListBox
