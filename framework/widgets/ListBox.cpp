#include "framework/widgets/ListBox.h"

#include "framework/core/Exceptions.h"

namespace {
const TListMessages ListBoxMessages{LB_GETCOUNT,      LB_GETTEXT,       LB_GETTEXTLEN,   LB_ADDSTRING,
                                    LB_INSERTSTRING,  LB_DELETESTRING,  LB_RESETCONTENT, LB_GETITEMDATA,
                                    LB_SETITEMDATA,   LB_FINDSTRING,    LB_FINDSTRINGEXACT, LB_GETCURSEL,  LB_SETCURSEL,
                                    LB_GETITEMHEIGHT, LB_SETITEMHEIGHT};
} // namespace

const TEnumInfo& ListBoxStyleInfo()
{
    static const TEnumInfo info{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
    return info;
}

FW_BEGIN_CLASS(TCustomListBox, TCustomListControl)
    .Enum("BorderStyle", BorderStyleInfo(), &C::BorderStyle, &C::SetBorderStyle, bsSingle).Unpublished()
    .Integer("Columns", &C::Columns, &C::SetColumns, 0).Unpublished()
    .Bool("ExtendedSelect", &C::ExtendedSelect, &C::SetExtendedSelect, true).Unpublished()
    .Bool("IntegralHeight", &C::IntegralHeight, &C::SetIntegralHeight, false).Unpublished()
    .Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false).Unpublished()
    .Bool("Sorted", &C::Sorted, &C::SetSorted, false).Unpublished()
    .Enum("Style", ListBoxStyleInfo(), &C::Style, &C::SetStyle, lbStandard).Unpublished()
    .Integer("TabWidth", &C::TabWidth, &C::SetTabWidth, 0).Unpublished()
    .Integer("ScrollWidth", &C::ScrollWidth, &C::SetScrollWidth, 0).Unpublished()
FW_END_CLASS

FW_BEGIN_CLASS(TListBox, TCustomListBox)
    .Publish({"Align", "BorderStyle", "Color", "Columns", "DragCursor", "DragMode", "Enabled", "ExtendedSelect",
              "Font", "Hint", "IntegralHeight", "ItemHeight", "MultiSelect", "ParentColor", "ParentFont",
              "ParentShowHint", "ShowHint", "Sorted", "Style", "TabOrder", "TabStop", "TabWidth", "Visible", "Items",
              "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnDrawItem", "OnEndDrag", "OnEnter", "OnExit",
              "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnMouseDown", "OnMouseMove", "OnMouseUp",
              "OnStartDrag"})
FW_END_CLASS

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListControl(AOwner, ListBoxMessages)
{
    SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TCustomListControl::CreateParams(Params);
    Params.SysClassName = "LISTBOX";
    Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL | WS_HSCROLL;
    if (FMultiSelect)
        Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FSorted)
        Params.Style |= LBS_SORT;
    if (FStyle == lbOwnerDrawFixed)
        Params.Style |= LBS_OWNERDRAWFIXED;
    else if (FStyle == lbOwnerDrawVariable)
        Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (!FIntegralHeight)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (FColumns > 0)
        Params.Style |= LBS_MULTICOLUMN;
    if (FTabWidth > 0)
        Params.Style |= LBS_USETABSTOPS;
    if (FBorderStyle == bsSingle)
        AddBorder(Params);
}

void TCustomListBox::CreateWnd()
{
    TCustomListControl::CreateWnd();
    ApplyColumnWidth();
    if (FTabWidth > 0) {
        INT stops[] = {FTabWidth};
        SendMessageA(Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops));
    }
    if (FScrollWidth > 0)
        SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TCustomListBox::ChangeScale(int M, int D)
{
    TCustomListControl::ChangeScale(M, D);
    if (const int extent = ScrollWidth(); extent > 0)
        SetScrollWidth(MulDiv(extent, M, D));
}

int TCustomListBox::ScrollWidth() const
{
    // A descendant may set the extent with the message itself: the window knows best.
    return HandleAllocated() ? static_cast<int>(SendToList(LB_GETHORIZONTALEXTENT)) : FScrollWidth;
}

void TCustomListBox::SetScrollWidth(int value)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Invalid scroll width %d", value));
    FScrollWidth = value;
    if (HandleAllocated())
        SendToList(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(value));
}

void TCustomListBox::SaveWindowState()
{
    FScrollWidth = ScrollWidth();
    TCustomListControl::SaveWindowState();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value)
{
    if (value != bsNone && value != bsSingle)
        throw EInvalidOperation("A list box border is bsNone or bsSingle");
    SetCreationProperty(FBorderStyle, value);
}

void TCustomListBox::SetColumns(int value)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Invalid column count %d", value));
    SetCreationProperty(FColumns, value);
}

void TCustomListBox::SetExtendedSelect(bool value) { SetCreationProperty(FExtendedSelect, value); }
void TCustomListBox::SetIntegralHeight(bool value) { SetCreationProperty(FIntegralHeight, value); }
void TCustomListBox::SetMultiSelect(bool value) { SetCreationProperty(FMultiSelect, value); }
void TCustomListBox::SetSorted(bool value) { SetCreationProperty(FSorted, value); }
void TCustomListBox::SetStyle(TListBoxStyle value) { SetCreationProperty(FStyle, value); }

void TCustomListBox::SetTabWidth(int value)
{
    if (value < 0)
        throw EInvalidOperation(Exception::Fmt("Invalid tab width %d", value));
    SetCreationProperty(FTabWidth, value);
}

void TCustomListBox::ApplyColumnWidth()
{
    if (FColumns > 0 && HandleAllocated())
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(ClientWidth() / FColumns, 1)), 0);
}

void TCustomListBox::Resize()
{
    TCustomListControl::Resize();
    ApplyColumnWidth();
}

// --- selection ---

int TCustomListBox::ItemIndex() const
{
    if (!FMultiSelect)
        return TCustomListControl::ItemIndex();
    // The caret of an empty list still reports item 0.
    return WindowItems().Count() == 0 ? -1 : static_cast<int>(SendToList(LB_GETCARETINDEX));
}

void TCustomListBox::SetItemIndex(int value)
{
    if (!FMultiSelect) {
        TCustomListControl::SetItemIndex(value);
        return;
    }
    if (value < -1 || value >= WindowItems().Count())
        throw EListError(Exception::Fmt("List index out of bounds (%d)", value));
    if (value >= 0)
        SendToList(LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
    else
        SendToList(LB_SETSEL, FALSE, -1); // none: every item deselected
}

bool TCustomListBox::Selected(int Index) const
{
    const LRESULT state = SendToList(LB_GETSEL, static_cast<WPARAM>(Index));
    if (state < 0)
        throw EListError(Exception::Fmt("List index out of bounds (%d)", Index));
    return state > 0;
}

void TCustomListBox::SetSelected(int Index, bool value)
{
    if (Index < 0 || Index >= WindowItems().Count())
        throw EListError(Exception::Fmt("List index out of bounds (%d)", Index));
    if (FMultiSelect)
        SendToList(LB_SETSEL, value ? TRUE : FALSE, static_cast<LPARAM>(Index));
    else if (value)
        SetItemIndex(Index);
    else if (ItemIndex() == Index)
        SetItemIndex(-1);
}

int TCustomListBox::SelCount() const
{
    if (!FMultiSelect)
        return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendToList(LB_GETSELCOUNT));
}

std::vector<int> TCustomListBox::SelectedItems() const
{
    std::vector<int> selected;
    if (!FMultiSelect)
        return selected;
    const int count = SelCount();
    if (count <= 0)
        return selected;
    selected.resize(static_cast<size_t>(count));
    SendToList(LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(selected.data()));
    return selected;
}

void TCustomListBox::SelectItem(int Index) { SetSelected(Index, true); }

void TCustomListBox::Clear()
{
    Items()->Clear();
    DiscardSavedState();
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        switch (HIWORD(Message.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK: DblClick(); break;
        default: break;
        }
        return;
    }
    TCustomListControl::Dispatch(Message);
}
