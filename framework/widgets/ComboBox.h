#pragma once
// The system COMBOBOX: an edit field or a plain selection field with a list that
// drops down (or, in the simple style, stays open below it).
//
// Choosing an item in the list sets the text to the item's, then raises Click,
// then Change; typing in the edit part raises Change. The key, mouse, focus and
// context-menu messages of the edit part reach the combo box's own handlers
// (KeyDown, KeyPress, MouseDown, OnEnter, OnContextPopup...) through
// ComboWndProc, which a descendant may call from a hook of its own installed on
// EditHandle() after CreateWnd.
#include "framework/widgets/ListControl.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

const TEnumInfo& ComboBoxStyleInfo();

class TCustomComboBox : public TCustomListControl {
    FW_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    // Re-creates the window; items, objects and selection stay.
    void SetStyle(TComboBoxStyle value);
    // Lines of the list shown when it drops down.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    // Characters the user may type; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    // Without an edit part, setting the text selects the item of that text.
    void SetText(const std::string& value) override;
    // The selection in the edit part, in characters from 0.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    // Empties the list and the text.
    void Clear();
    // Empties the window's list only; the edit part keeps its text. An item store of
    // a descendant calls it from its own Clear.
    void ClearList();

    // The edit part of the drop-down and simple styles, null otherwise or before
    // the window exists.
    HWND EditHandle() const { return FEditHandle; }
    bool Focused() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    void Dispatch(TMessage& Message) override;

protected:
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);

    virtual void Change();
    virtual void DropDown();
    // The edit part's messages: keys, mouse, focus and the context menu go to the
    // combo box's handlers, then to ComboProc, the procedure below the caller's
    // hook on ComboWnd.
    virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc);

    // Puts text into the edit part (before the window exists: into the text it will
    // have) without reporting it as the user's change: no Change, no OnChange.
    void SetEditText(const std::string& value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void RestoreWindowState() override;
    bool SortsItems() const override { return FSorted; }
    bool OwnerDrawn() const override { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    bool VariableItemHeight() const override { return FStyle == csOwnerDrawVariable; }

private:
    bool HasEditPart() const { return FStyle == csDropDown || FStyle == csSimple; }
    // The combo box's own windows: itself, its edit part and its list.
    bool IsOwnWindow(HWND window) const;
    // The system keeps a drop-down combo box as tall as its edit part and gives
    // the list whatever height the window is asked for beyond that.
    int WithDropDownList(int height) const;
    void ApplyDropDownHeight();
    void SelectionChanged();
    void EditWndProc(TMessage& Message);
    void EditMouseMessage(const TMessage& Message, HWND EditWindow);

    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    bool FSorted = false;
    bool FSettingText = false;
    HWND FEditHandle = nullptr;
    HWND FListHandle = nullptr;
    WNDPROC FDefEditProc = nullptr;
    TWndProcThunk FEditHook;
};

class TComboBox : public TCustomComboBox {
    FW_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
    using TCustomComboBox::Sorted;
    using TCustomComboBox::SetSorted;
};
