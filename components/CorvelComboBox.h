#pragma once
// A combo box of coded items: the program reads and sets the selection by code
// (SelectedCode, GetCode, IndexOfCode, GetDescription) while the user sees the
// descriptions, or whole item strings (code, space, description) with SeeCode on.
// The items are kept in ItemsCode, which takes the place of the framework's Items;
// the list is never sorted.
#include "components/CodedStrings.h"
#include "framework/widgets/ComboBox.h"

#include <memory>
#include <utility>

class TCorvelComboBox;

// The combo box's item list: codes here, display texts and objects in the combo
// box's own list. A code is appended before its window item, and taken back when
// the window refuses the item. Clearing keeps the combo box's edit text.
class TCorvelComboStrings : public TCodedStrings {
    FW_CLASS(TCorvelComboStrings)
public:
    TCorvelComboStrings();

    // Set by the combo box right after creating the list.
    TCorvelComboBox* ComboBox() const { return FComboBox; }
    void SetComboBox(TCorvelComboBox* value) { FComboBox = value; }

protected:
    TWinControl* Control() const override;
    bool SeeCode() const override;
    int PlaceItem(int Index, const std::string& Code, const std::string& Display) override;
    void ResetWindowList() override;

private:
    TCorvelComboBox* FComboBox = nullptr;
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
    TStrings* ItemsCode() const { return FItemsCode.get(); }
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
    // Kept for the application; the combo box never reads them. Control is a plain
    // reference, not told when that control goes.
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value) { FControl = value; }
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
    TCorvelComboStrings* CodedItems() const { return FItemsCode.get(); }
    // "" outside 0 .. count - 1.
    std::string GetCode(int Index) const;
    // The first item whose code equals Code ignoring case; -1 when none.
    int IndexOfCode(const std::string& Code) const;
    // The first item whose display text equals Text ignoring case; -1 when none.
    int IndexOf(const std::string& Text) const;
    // The description of the first item with Code; "" when no item has it.
    std::string GetDescription(const std::string& Code) const;
    // Re-adds every item for the current SeeCode; codes, objects and the selected
    // position stay. A text typed with nothing selected is lost.
    void ReconstructList();
    // Codes, items and the text emptied.
    void Clear();

    void Click() override;
    void Dispatch(TMessage& Message) override;

    // The routed messages, and the edit part's window procedure.
    void WMChar(TMessage& Message);
    void CNCommandResponse(TMessage& Message);
    void OnTimer(TMessage& Message);
    void CBSetCurSel(TMessage& Message);
    void MyPaste(TMessage& Message);
    void MyEditWndProc(TMessage& Message);

protected:
    void CreateWnd() override;
    // Silent while the combo box itself puts a text back.
    void Change() override;

private:
    friend class TCorvelComboStrings;
    // While it lives, the texts the combo box sets itself raise no change event.
    class TQuietText {
    public:
        explicit TQuietText(TCorvelComboBox& Combo) : FCombo(Combo), FWas(std::exchange(Combo.FQuietText, true)) {}
        ~TQuietText() { FCombo.FQuietText = FWas; }
        TQuietText(const TQuietText&) = delete;
        TQuietText& operator=(const TQuietText&) = delete;

    private:
        TCorvelComboBox& FCombo;
        bool FWas;
    };
    // Empties the system list; a drop-down combo box keeps its edit text.
    void ResetKeepingText();

    std::string FLastSelectedCode;
    std::string FCodeTableType;
    bool FCanClear = false;
    TControl* FControl = nullptr;
    CorvelComboType FType = ctAny;
    bool FAllowNegative = false;
    int FSearchIndex = -1;
    bool FLoaded = false;
    bool FSeeCode = false;
    bool FAutoSelectItem = true;
    std::unique_ptr<TCorvelComboStrings> FItemsCode;
    int FDroppedWidth = 0;
    WORD FLastKey = 0;
    std::string FTypedText;
    int FCompleteIndex = -1;
    bool FSkipNextChar = false;
    bool FNewSearch = false;
    UINT_PTR FTimerId = 0;
    std::string FSearchText;
    // Declared after everything the hook may touch, so it goes first.
    TWndProcThunk FEditHook;
    WNDPROC FPrevEditProc = nullptr;
    HWND FHookedEdit = nullptr;
    bool FQuietText = false;
};

namespace CorvelComboBox {
// Puts TCorvelComboBox on the palette page "Corvel".
void Register();
} // namespace CorvelComboBox
