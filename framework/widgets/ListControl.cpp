#include "framework/widgets/ListControl.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TListControlItems

FW_BEGIN_CLASS(TListControlItems, TStrings)
FW_END_CLASS

TListControlItems::TListControlItems(TCustomListControl& Control, const TListMessages& Messages)
    : FControl(Control), FMessages(Messages)
{
}

LRESULT TListControlItems::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return SendMessageA(FControl.Handle(), Msg, WParam, LParam);
}

void TListControlItems::CheckIndex(int Index, bool AllowEnd) const
{
    const int count = GetCount();
    if (Index < 0 || Index > count || (Index == count && !AllowEnd))
        Error("List index out of bounds (%d)", Index);
}

int TListControlItems::Placed(LRESULT Result, const std::string& S) const
{
    if (Result < 0)
        throw EOutOfResources(Exception::Fmt("The list has no room for the item \"%s\"", S.c_str()));
    return static_cast<int>(Result);
}

std::string TListControlItems::Get(int Index) const
{
    const LRESULT length = Send(FMessages.GetTextLen, static_cast<WPARAM>(Index));
    if (Index < 0 || length < 0)
        Error("List index out of bounds (%d)", Index);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(FMessages.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

int TListControlItems::GetCount() const { return static_cast<int>(Send(FMessages.GetCount)); }

TObject* TListControlItems::GetObject(int Index) const
{
    CheckIndex(Index);
    return reinterpret_cast<TObject*>(Send(FMessages.GetItemData, static_cast<WPARAM>(Index)));
}

void TListControlItems::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Send(FMessages.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

void TListControlItems::CheckUnsorted() const
{
    if (FControl.SortsItems())
        throw EStringListError("Operation not allowed on sorted list");
}

int TListControlItems::InsertItem(int Index, const std::string& S)
{
    CheckIndex(Index, true);
    return Placed(Send(FMessages.InsertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())), S);
}

void TListControlItems::Insert(int Index, const std::string& S)
{
    CheckUnsorted();
    InsertItem(Index, S);
}

void TListControlItems::Put(int Index, const std::string& S)
{
    CheckUnsorted();
    TStrings::Put(Index, S);
}

void TListControlItems::Exchange(int Index1, int Index2)
{
    CheckUnsorted();
    TStrings::Exchange(Index1, Index2);
}

void TListControlItems::Move(int CurIndex, int NewIndex)
{
    CheckUnsorted();
    TStrings::Move(CurIndex, NewIndex);
}

int TListControlItems::Add(const std::string& S)
{
    return Placed(Send(FMessages.AddString, 0, reinterpret_cast<LPARAM>(S.c_str())), S);
}

void TListControlItems::Delete(int Index)
{
    CheckIndex(Index);
    Send(FMessages.DeleteString, static_cast<WPARAM>(Index));
}

void TListControlItems::Clear() { Send(FMessages.ResetContent); }

int TListControlItems::IndexOf(const std::string& S) const { return FControl.FindStringExact(S); }

void TListControlItems::SetUpdateState(bool Updating)
{
    Send(WM_SETREDRAW, Updating ? FALSE : TRUE);
    if (!Updating)
        FControl.Invalidate();
}

// ---------------------------------------------------------------------------
// TCustomListControl

FW_BEGIN_CLASS(TCustomListControl, TWinControl)
    .Integer("ItemHeight", &C::ItemHeight, &C::SetItemHeight, 16).Unpublished().StoredIf(&C::IsItemHeightStored)
    .Object("Items", TStrings::StaticClass(), &C::Items).Unpublished()
    .Event("OnDrawItem", &C::OnDrawItem).Unpublished()
    .Event("OnMeasureItem", &C::OnMeasureItem).Unpublished()
    .Bool("Ctl3D", &C::Ctl3D, &C::SetCtl3D, true).Unpublished().StoredIf(&C::IsCtl3DStored)
    .Bool("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D, true).Unpublished()
    .Enum("ImeMode", ImeModeInfo(), &C::ImeMode, &C::SetImeMode, imDontCare).Unpublished()
    .String("ImeName", &C::ImeName, &C::SetImeName, "").Unpublished()
    .Default("Color", int64_t{clWindow})
    .Default("ParentColor", false)
    .Default("TabStop", true)
FW_END_CLASS

TCustomListControl::TCustomListControl(TComponent* AOwner, const TListMessages& Messages)
    : TWinControl(AOwner), FMessages(Messages), FWindowItems(std::make_unique<TListControlItems>(*this, Messages)),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    // The system control tracks the mouse and reports choices itself.
    SetControlStyle(TControlStyle{csSetCaption});
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomListControl::~TCustomListControl() = default;

std::unique_ptr<TStrings> TCustomListControl::ReplaceItems(std::unique_ptr<TStrings> Store)
{
    std::swap(FItemStore, Store);
    return Store;
}

namespace {
int Found(LRESULT Result) { return Result < 0 ? -1 : static_cast<int>(Result); }
} // namespace

int TCustomListControl::FindString(const std::string& S, int StartAfter) const
{
    return Found(SendToList(FMessages.FindString, static_cast<WPARAM>(StartAfter), reinterpret_cast<LPARAM>(S.c_str())));
}

int TCustomListControl::FindStringExact(const std::string& S, int StartAfter) const
{
    return Found(SendToList(FMessages.FindStringExact, static_cast<WPARAM>(StartAfter), reinterpret_cast<LPARAM>(S.c_str())));
}

LRESULT TCustomListControl::SendToList(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return SendMessageA(const_cast<TCustomListControl*>(this)->Handle(), Msg, WParam, LParam);
}

int TCustomListControl::ItemIndex() const { return static_cast<int>(SendToList(FMessages.GetCurSel)); }

void TCustomListControl::SetItemIndex(int value)
{
    if (value < -1 || value >= FWindowItems->Count())
        throw EListError(Exception::Fmt("List index out of bounds (%d)", value));
    // Sent only for a change: a descendant may watch the message itself.
    if (ItemIndex() != value)
        SendToList(FMessages.SetCurSel, static_cast<WPARAM>(value));
}

void TCustomListControl::ChangeScale(int M, int D)
{
    TWinControl::ChangeScale(M, D);
    if (OwnerDrawn())
        SetItemHeight(std::max(1, MulDiv(FItemHeight, M, D)));
}

int TCustomListControl::ItemHeight() const
{
    if (OwnerDrawn() || !HandleAllocated())
        return FItemHeight;
    return static_cast<int>(SendToList(FMessages.GetItemHeight));
}

void TCustomListControl::SetItemHeight(int value)
{
    if (value <= 0)
        throw EInvalidOperation(Exception::Fmt("Invalid item height %d", value));
    FItemHeight = value;
    if (OwnerDrawn() && !VariableItemHeight() && HandleAllocated()) {
        SendToList(FMessages.SetItemHeight, 0, value);
        Invalidate();
    }
}

void TCustomListControl::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    FCanvas->TextOut(Rect.left + 2, Rect.top, FWindowItems->Get(Index));
}

void TCustomListControl::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomListControl::DrawItemMessage(const DRAWITEMSTRUCT& Item)
{
    TOwnerDrawState state;
    state.Set(odSelected, Item.itemState & ODS_SELECTED).Set(odGrayed, Item.itemState & ODS_GRAYED);
    state.Set(odDisabled, Item.itemState & ODS_DISABLED).Set(odChecked, Item.itemState & ODS_CHECKED);
    state.Set(odFocused, Item.itemState & ODS_FOCUS).Set(odDefault, Item.itemState & ODS_DEFAULT);
    state.Set(odComboBoxEdit, Item.itemState & ODS_COMBOBOXEDIT);
    const TRect rect(Item.rcItem);
    const int index = static_cast<int>(Item.itemID);
    FCanvas->PaintOn(Item.hDC, [&] {
        const bool selected = state.Contains(odSelected);
        FCanvas->Brush()->SetColor(selected ? clHighlight : Color());
        FCanvas->Font()->SetColor(selected ? clHighlightText : Font()->Color());
        if (index >= 0 && index < FWindowItems->Count())
            DrawItem(index, rect, state);
        else
            FCanvas->FillRect(rect); // an empty list still has its focused line
        if (state.Contains(odFocused)) {
            RECT focus = rect;
            DrawFocusRect(FCanvas->Handle(), &focus);
        }
    });
}

void TCustomListControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_DRAWITEM:
        DrawItemMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        break;
    case CN_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        int height = FItemHeight;
        // Items are asked one by one only in the variable style; -1 is a combo box's edit field.
        if (VariableItemHeight() && static_cast<int>(item.itemID) >= 0)
            MeasureItem(static_cast<int>(item.itemID), height);
        item.itemHeight = static_cast<UINT>(std::max(height, 1));
        Message.Result = TRUE;
        break;
    }
    case WM_SETFOCUS:
        TWinControl::Dispatch(Message);
        ApplyInputMethod(Handle());
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}

// --- the input method ---

void TCustomListControl::SetImeMode(TImeMode value)
{
    FImeMode = value;
    if (Focused())
        ApplyInputMethod(GetFocus());
}

void TCustomListControl::SetImeName(const std::string& value)
{
    FImeName = value;
    if (Focused())
        ApplyInputMethod(GetFocus());
}

void TCustomListControl::ApplyInputMethod(HWND Window) const
{
    ApplyImeName(FImeName);
    ApplyImeMode(Window, FImeMode);
}

// --- state kept across re-creation ---

void TCustomListControl::SaveWindowState()
{
    // A control being destroyed has nothing to keep; its window goes with it.
    if (IsDestroying())
        return;
    auto state = std::make_unique<TSavedState>();
    const int count = FWindowItems->Count();
    state->Items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        state->Items.emplace_back(FWindowItems->Get(i), FWindowItems->GetObject(i));
    state->ItemIndex = ItemIndex();
    state->Selected = SelectedItems();
    FSaved = std::move(state);
}

std::vector<int> TCustomListControl::AddSavedItems(const TSavedState& State)
{
    std::vector<int> positions;
    positions.reserve(State.Items.size());
    FWindowItems->BeginUpdate();
    try {
        for (const auto& [text, object] : State.Items) {
            const int at = FWindowItems->Add(text);
            FWindowItems->PutObject(at, object);
            // An item placed before earlier ones (a sorted list) moves them down.
            if (at < static_cast<int>(positions.size()))
                for (int& p : positions)
                    if (p >= at)
                        ++p;
            positions.push_back(at);
        }
    } catch (...) {
        FWindowItems->EndUpdate();
        throw;
    }
    FWindowItems->EndUpdate();
    return positions;
}

void TCustomListControl::RestoreWindowState()
{
    if (!FSaved)
        return;
    const std::unique_ptr<TSavedState> state = std::move(FSaved);
    const std::vector<int> positions = AddSavedItems(*state);
    for (int selected : state->Selected)
        SelectItem(positions[static_cast<size_t>(selected)]);
    if (state->ItemIndex >= 0 && state->ItemIndex < static_cast<int>(positions.size()))
        SetItemIndex(positions[static_cast<size_t>(state->ItemIndex)]);
}
