#pragma once
// The system LISTBOX: a list of items, one or several selected. Changing how the
// list sorts, selects, lays out or draws its items re-creates the window; the
// items, their objects and the selection stay.
#include "framework/widgets/ListControl.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

const TEnumInfo& ListBoxStyleInfo();

class TCustomListBox : public TCustomListControl {
    FW_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* AOwner);

    // In a list that selects several items, the item with the focus rectangle.
    int ItemIndex() const override;
    void SetItemIndex(int value) override;
    bool Selected(int Index) const;
    void SetSelected(int Index, bool value);
    int SelCount() const;
    void Clear();

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Items laid out in this many columns, scrolling sideways; 0 for one scrolling column.
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    // The height shrinks to show whole items only.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    // How far the list scrolls sideways, in pixels: the width of its widest line.
    // 0 shows no horizontal scroll bar; the window keeps it across a re-creation.
    int ScrollWidth() const;
    void SetScrollWidth(int value);
    // The distance between tab stops in dialog units; 0 leaves tabs unexpanded.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Resize() override;
    void ChangeScale(int M, int D) override;
    bool HasCtl3DBorder() const override { return FBorderStyle == bsSingle; }
    void SaveWindowState() override;
    bool SortsItems() const override { return FSorted; }
    bool OwnerDrawn() const override { return FStyle != lbStandard; }
    bool VariableItemHeight() const override { return FStyle == lbOwnerDrawVariable; }
    std::vector<int> SelectedItems() const override;
    void SelectItem(int Index) override;

private:
    void ApplyColumnWidth();

    TBorderStyle FBorderStyle = bsSingle;
    int FColumns = 0;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    bool FMultiSelect = false;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    int FTabWidth = 0;
    int FScrollWidth = 0;
};

class TListBox : public TCustomListBox {
    FW_CLASS(TListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
