#pragma once
// A combo box of coded items: the program reads and sets the selection by code
// (SelectedCode, GetCode, IndexOfCode, GetDescription) while the user sees the
// descriptions, or whole item strings (code, space, description) with SeeCode on.
// The items are kept in ItemsCode, which takes the place of the framework's Items;
// the list is never sorted.
#include "components/CodedStrings.h"
#include "framework/widgets/ComboBox.h"

class TCorvelComboBox;

// The combo box's item list: codes here, display texts and objects in the combo
// box's own list. A code is appended before its window item, and taken back when
// the window refuses the item. Clearing keeps the combo box's edit text.
class TCorvelComboStrings : public TCodedStrings {
    FW_CLASS(TCorvelComboStrings)
public:
    // Linked to ComboBox from the start; it talks to that combo box's window.
    explicit TCorvelComboStrings(TCorvelComboBox& ComboBox);

    TCorvelComboBox* ComboBox() const { return FComboBox; }
    // Null unlinks the list: only Clear and Count work then.
    void SetComboBox(TCorvelComboBox* value) { FComboBox = value; }
    // Unsorted: each item lands at the end, beside its code.
    std::vector<int> Refill(const std::vector<TItem>& Items) override;

protected:
    TWinControl* Control() const override;
    bool SeeCode() const override;
    int PlaceItem(int Index, const std::string& Code, const std::string& Display) override;
    void ResetWindowList() override;

private:
    TCorvelComboBox* FComboBox;
};

enum CorvelComboType : uint8_t { ctAny, ctInteger, ctNumeric };

const TEnumInfo& CorvelComboTypeInfo();

class TCorvelComboBox : public TCustomComboBox {
    FW_CLASS(TCorvelComboBox)
public:
    explicit TCorvelComboBox(TComponent* AOwner);
    ~TCorvelComboBox() override;

    void Loaded() override;

    // --- published ---
    // The combo box's Items too: whatever the program does through either keeps the
    // codes beside their items.
    TStrings* ItemsCode() const { return FItemsCode; }
    virtual void SetItemsCode(TStrings* value);
    // The width last sent for the drop-down list; a re-created window has the
    // system's default again until this is set.
    int DroppedWidth() const { return FDroppedWidth; }
    virtual void SetDroppedWidth(int value);
    bool SeeCode() const { return FSeeCode; }
    // After loading and outside the designer, rebuilds the list for the new value.
    virtual void SetSeeCode(bool value);
    virtual std::string GetSelectedCode() const;
    // Selects the first item with Code (ignoring case), or none; see OnSelectedCodeChange.
    virtual void SetSelectedCode(const std::string& Code);
    bool AutoSelectItem() const { return FAutoSelectItem; }
    void SetAutoSelectItem(bool value) { FAutoSelectItem = value; }
    // Kept for the application; the combo box never reads them. Control is not
    // owned, and cleared when that control is destroyed first.
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value);
    const std::string& CodeTableType() const { return FCodeTableType; }
    void SetCodeTableType(const std::string& value) { FCodeTableType = value; }
    bool CanClear() const { return FCanClear; }
    void SetCanClear(bool value) { FCanClear = value; }
    CorvelComboType Type() const { return FType; }
    virtual void SetType(CorvelComboType value);
    bool AllowNegative() const { return FAllowNegative; }
    void SetAllowNegative(bool value) { FAllowNegative = value; }

    // Raised for every choice the user makes in the list, and by SetSelectedCode
    // when the code differs from the one the previous SetSelectedCode left.
    TNotifyEvent OnSelectedCodeChange;

    // --- by code ---
    TCorvelComboStrings* CodedItems() const { return FItemsCode; }
    // "" outside 0 .. count - 1.
    std::string GetCode(int Index) const;
    // The first item whose code equals Code ignoring case; -1 when none.
    int IndexOfCode(const std::string& Code) const;
    // The first item whose display text equals Text ignoring case; -1 when none.
    int IndexOf(const std::string& Text) const;
    // The description of the first item with Code; "" when no item has it.
    std::string GetDescription(const std::string& Code) const;
    // Re-adds every item shown as the current SeeCode says; codes, objects, the
    // selected position and a text typed with nothing selected stay, and a second
    // call changes nothing.
    void ReconstructList();

    void Click() override;
    void Dispatch(TMessage& Message) override;

    // The typing aids. A drop-down list searches the characters typed within a
    // second of each other (WMChar, OnTimer, CBSetCurSel); a drop-down combo box
    // completes what is typed with the first item that begins with it (Change, KeyDown,
    // CNCommandResponse) and, for Type ctInteger or ctNumeric, lets through only
    // what makes a number (KeyPress, and the edit part's paste).
    void WMChar(TMessage& Message);
    void CNCommandResponse(TMessage& Message);
    void OnTimer(TMessage& Message);
    void CBSetCurSel(TMessage& Message);
    void MyPaste(TMessage& Message);
    // The edit part's window procedure: automatic dragging from it, its paste
    // filtered, and no left margin.
    void MyEditWndProc(TMessage& Message);

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    friend class TCorvelComboStrings;

    bool TypeAheadActive() const { return FAutoSelectItem && Style() == csDropDownList; }
    void EndSearch();
    // Selects the candidate found by Change and leaves its untyped rest selected.
    void CompleteTyped();
    // The system keeps the item chosen in the list through the first edit after the
    // choice: an item whose text the user has edited is selected no more, so that
    // the code follows what the edit part shows.
    void LeaveEditedItem();
    // Raises OnSelectedCodeChange for the code selected now.
    void SelectedCodeChanged();
    // Whether the typing filter lets Typed through, character by character, over
    // the edit selection.
    bool TypedFits(const std::string& Typed) const;
    // Whether the clipboard holds a number that TypedFits.
    bool PasteFits() const;
    // Selects characters Start to End of the edit part (End -1: to the end of the text).
    void SelectInEdit(int Start, int End);
    void DragFromEdit(HWND Edit);
    static void RemoveLeftMargin(HWND Edit);

    std::string FLastSelectedCode;
    // The code OnSelectedCodeChange last reported, the user's choices included.
    std::string FReportedCode;
    std::string FCodeTableType;
    bool FCanClear = false;
    TControl* FControl = nullptr;
    CorvelComboType FType = ctAny;
    bool FAllowNegative = false;
    int FSearchIndex = -1;
    bool FLoaded = false;
    bool FSeeCode = false;
    bool FAutoSelectItem = true;
    TCorvelComboStrings* FItemsCode; // owned as the framework's item store
    int FDroppedWidth = 0;
    // The typing aids: what auto-completion and the type-ahead search remember
    // between keys (FSearchIndex above belongs to the type-ahead search too).
    WORD FLastKey = 0;
    std::string FTypedText;
    int FCompleteIndex = -1;
    bool FSkipNextChar = false;
    bool FUserEdit = false; // Change runs for the user's edit of the edit part
    bool FNewSearch = false;
    std::string FSearchText;
    // The edit part's procedure while the window exists; the destructor destroys the
    // window before any member goes.
    TWndProcThunk FEditHook;
    WNDPROC FPrevEditProc = nullptr;
    HWND FHookedEdit = nullptr;
};

namespace CorvelComboBox {
// Puts TCorvelComboBox on the palette page "Corvel".
void Register();
} // namespace CorvelComboBox
