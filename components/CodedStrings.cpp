#include "components/CodedStrings.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

FW_BEGIN_CLASS(TCodedStrings, TStrings)
    .Lines("Strings", &C::ItemStrings, &C::SetLines)
    .Object("CodeList", TStringList::StaticClass(), &C::CodeList)
FW_END_CLASS

TCodedStrings::TCodedStrings(const TListMessages& Messages)
    : FMessages(Messages), FCodeList(std::make_unique<TStringList>())
{
}

// The window items stay: they belong to the control's window.
TCodedStrings::~TCodedStrings() = default;

TCodedStrings::TSplitItem TCodedStrings::Split(const std::string& S)
{
    const size_t space = S.find(' ');
    if (space == std::string::npos)
        return {"", S, false};
    return {S.substr(0, space), S.substr(space + 1), true};
}

bool TCodedStrings::Designing() const { return Control() && Control()->IsDesigning(); }

std::string TCodedStrings::ShownAs(const TSplitItem& Item, bool WithCode)
{
    return Item.HasSpace && WithCode ? Item.Code + ' ' + Item.Description : Item.Description;
}

std::string TCodedStrings::DisplayTextOf(const TSplitItem& Item)
{
    if (GetCount() == 0)
        FShowsCodes = OwnerShowsCodes();
    return ShownAs(Item, FShowsCodes);
}

void TCodedStrings::WithinUpdate(const std::function<void()>& Change)
{
    BeginUpdate();
    try {
        Change();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

LRESULT TCodedStrings::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    if (!Control())
        throw EInvalidOperation("The item list belongs to no control");
    return SendMessageA(Control()->Handle(), Msg, WParam, LParam);
}

int TCodedStrings::Placed(LRESULT Result, const std::string& Display)
{
    if (Result < 0)
        throw EOutOfResources(Exception::Fmt("The list has no room for the item \"%s\"", Display.c_str()));
    return static_cast<int>(Result);
}

void TCodedStrings::CheckIndex(int Index, bool AllowEnd) const
{
    if (Index < 0 || Index > GetCount() || (Index == GetCount() && !AllowEnd))
        Error("List index out of bounds (%d)", Index);
}

// --- reading ---

std::string TCodedStrings::DisplayText(int Index) const
{
    // Asked first, so that a text of any length is read whole and nothing overflows.
    const LRESULT length = Send(FMessages.GetTextLen, static_cast<WPARAM>(Index));
    if (length < 0)
        return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(FMessages.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

std::string TCodedStrings::Get(int Index) const
{
    if (Designing())
        return FCodeList->Get(Index) + ' ' + DisplayText(Index);
    return DisplayText(Index);
}

TCodedStrings::TSplitItem TCodedStrings::ItemAt(int Index) const
{
    const std::string code = FCodeList->Get(Index);
    const std::string display = DisplayText(Index);
    // An item without a code is shown as its description either way: with codes it
    // must not gain a leading space.
    if (!FShowsCodes)
        return {code, display, !code.empty()};
    // Shown with codes, a display text is the whole item string, and one without a
    // space is shown whole. The code is the list's own, never read again from a
    // text: a description may begin with a word and a space too.
    if (display.compare(0, code.size() + 1, code + ' ') == 0)
        return {code, display.substr(code.size() + 1), true};
    return {code, display, !code.empty()};
}

TLines TCodedStrings::ItemStrings() const
{
    TLines lines;
    const int count = GetCount();
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(ShownAs(ItemAt(i), true));
    return lines;
}

int TCodedStrings::GetCount() const { return FCodeList->Count(); }

TObject* TCodedStrings::GetObject(int Index) const
{
    return reinterpret_cast<TObject*>(Send(FMessages.GetItemData, static_cast<WPARAM>(Index)));
}

void TCodedStrings::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Send(FMessages.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

// --- changing ---

int TCodedStrings::Add(const std::string& S)
{
    const TSplitItem item = Split(S);
    return PlaceItem(-1, item.Code, DisplayTextOf(item));
}

void TCodedStrings::Insert(int Index, const std::string& S)
{
    CheckIndex(Index, true);
    const TSplitItem item = Split(S);
    PlaceItem(Index, item.Code, DisplayTextOf(item));
}

void TCodedStrings::Delete(int Index)
{
    FCodeList->Delete(Index); // raises before the window is touched
    Send(FMessages.DeleteString, static_cast<WPARAM>(Index));
}

void TCodedStrings::Clear()
{
    FCodeList->Clear();
    if (Control())
        ResetWindowList();
}

void TCodedStrings::ResetWindowList()
{
    Send(FMessages.ResetContent);
    Control()->Update();
}

void TCodedStrings::SetUpdateState(bool Updating)
{
    if (!Control())
        return;
    Send(WM_SETREDRAW, Updating ? FALSE : TRUE);
    if (!Updating)
        Control()->Refresh();
}

// Re-splitting a display text would take the first word of a description for the
// code when codes are hidden: a moved item keeps exactly what it had.
void TCodedStrings::MoveItem(int CurIndex, int NewIndex)
{
    const std::string code = FCodeList->Get(CurIndex);
    const std::string display = DisplayText(CurIndex);
    TObject* const object = GetObject(CurIndex);
    Delete(CurIndex);
    PutObject(PlaceItem(NewIndex, code, display), object);
}

void TCodedStrings::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex)
        return;
    WithinUpdate([&] { MoveItem(CurIndex, NewIndex); });
}

void TCodedStrings::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    if (Index1 == Index2)
        return;
    const int low = std::min(Index1, Index2), high = std::max(Index1, Index2);
    WithinUpdate([&] {
        MoveItem(high, low); // the item at low is now at low + 1
        MoveItem(low + 1, high);
    });
}

// --- rebuilding for a new SeeCode ---

std::vector<int> TCodedStrings::Reshow()
{
    const bool withCodes = OwnerShowsCodes();
    std::vector<TItem> items;
    const int count = GetCount();
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        items.push_back({FCodeList->Get(i), ShownAs(ItemAt(i), withCodes), GetObject(i)});
    // Before the refill: the items placed are shown the new way, even when the
    // window refuses one of them midway.
    FShowsCodes = withCodes;
    return Refill(items);
}
