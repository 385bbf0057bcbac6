#pragma once
// A list box of coded items that, wired by properties alone to a text control (an
// edit or a combo box) and to Add, Update and Delete buttons, makes a small list
// editor: it takes over the text control's change event and the buttons' clicks,
// copies the item the mouse picks into the text control, keeps each button enabled
// to match the text and the selection, and asks before and tells after each button
// action. It also keeps a horizontal scroll extent wide enough for its widest item.
//
// The items are kept in ItemsCode (the list box's Items answer with it), so every
// code stays beside its item, also in a sorted list.
#include "components/CodedStrings.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/ListBox.h"

#include <cstdint>
#include <memory>
#include <vector>

class TCorvelListBox;

// The list box's item list: codes here, display texts and objects in the list box's
// own list. The window places a new item first (its sorted place in a sorted list)
// and the code follows it there.
class TCorvelListStrings : public TCodedStrings {
    FW_CLASS(TCorvelListStrings)
public:
    // Linked to ListBox from the start; it talks to that list box's window.
    explicit TCorvelListStrings(TCorvelListBox& ListBox);

    TCorvelListBox* ListBox() const { return FListBox; }
    // Null unlinks the list: only Clear and Count work then.
    void SetListBox(TCorvelListBox* value) { FListBox = value; }

    // Every item, in order, the list emptied: what re-sorting takes out.
    std::vector<TItem> TakeAll();
    // The window places each item, in its sorted place in a sorted list.
    std::vector<int> Refill(const std::vector<TItem>& Items) override;

protected:
    TWinControl* Control() const override;
    bool SeeCode() const override;
    int PlaceItem(int Index, const std::string& Code, const std::string& Display) override;

private:
    TCorvelListBox* FListBox;
};

enum AssociateButton : uint8_t { abAdd, abUpdate, abDelete };

using TAssociateButtonBeforeClickEvent = TEvent<TObject*, AssociateButton, bool&>;
using TAssociateButtonAfterClickEvent = TEvent<TObject*, AssociateButton>;

class TCorvelListBox : public TCustomListBox {
    FW_CLASS(TCorvelListBox)
public:
    explicit TCorvelListBox(TComponent* AOwner);
    ~TCorvelListBox() override;

    void Loaded() override;

    // --- published ---
    // Items keep their codes across a change of sorting.
    virtual void SetSorted(bool value);
    TStrings* ItemsCode() const { return FItemsCode; }
    virtual void SetItemsCode(TStrings* value);
    bool SeeCode() const { return FSeeCode; }
    // After loading and outside the designer, rebuilds the list for the new value.
    virtual void SetSeeCode(bool value);
    virtual std::string GetSelectedCode() const;
    // Selects the first item with Code (ignoring case), or none; a move calls OnClick.
    virtual void SetSelectedCode(const std::string& Code);
    // Whether Add and SetHorizontalScroll keep the horizontal extent; changing it
    // changes nothing at once.
    bool Horizontal() const { return FHorizontal; }
    void SetHorizontal(bool value) { FHorizontal = value; }

    // The associated controls: references, cleared when the control is destroyed.
    // At most one text control: setting one clears the other.
    TEdit* ControlEdit() const { return FControlEdit; }
    virtual void SetEdit(TEdit* value);
    TComboBox* ControlCombo() const { return FControlCombo; }
    virtual void SetComboBox(TComboBox* value);
    // A button already serving another of the three is refused (with a message in
    // the designer); a button taken on has its OnClick replaced by this list box's.
    TButton* ControlUpdate() const { return FControlUpdate; }
    virtual void SetButtonUpdate(TButton* value);
    TButton* ControlAdd() const { return FControlAdd; }
    virtual void SetButtonAdd(TButton* value);
    TButton* ControlDelete() const { return FControlDelete; }
    virtual void SetButtonDelete(TButton* value);

    // At the end of every text change of the text control.
    TNotifyEvent OnEditChange;
    // First in each button action; setting bContinue to false cancels the action.
    TAssociateButtonBeforeClickEvent OnAssociateButtonBeforeClick;
    // Last in each button action that was not cancelled.
    TAssociateButtonAfterClickEvent OnAssociateButtonAfterClick;

    // --- by code ---
    TCorvelListStrings* CodedItems() const { return FItemsCode; }
    // "" outside 0 .. count - 1.
    std::string GetCode(int Index) const;
    // The first item whose code equals Code ignoring case; -1 when none.
    int IndexOfCode(const std::string& Code) const;
    // The first item whose display text equals Text ignoring case; -1 when none.
    int IndexOf(const std::string& Text) const;
    // Target's content replaced by every code, in item order.
    void GetAllCode(TStrings* Target) const;
    // Codes hidden: Target's content replaced by the items and their objects.
    // Codes shown: each display text appended to what Target holds.
    void GetAll(TStrings* Target) const;
    // The display texts, or the codes, of the selected items appended, in item order.
    void GetAllSelected(TStrings* Target) const;
    void GetAllSelectedCode(TStrings* Target) const;
    // Codes, items and selection emptied; Delete and Update disabled.
    void Clear();
    // Disables Delete and Update when nothing is selected any more.
    void SetItemIndex(int value) override;

    // Widens the horizontal extent to the widest item when that is wider than the
    // list box; never narrows it. False when Horizontal is off or the list is empty.
    bool SetHorizontalScroll();
    // Re-adds every item shown as the current SeeCode says; codes, objects and the
    // selected item stay (a sorted list may put it elsewhere), a second call
    // changes nothing, and ItemsCode remains the same object.
    void ReconstructList();
    // Selects Index and copies its text into the text control, whole text selected,
    // and focuses it when it can take the focus. -2: the first item, without moving
    // the focus.
    void SelectIndex(int Index);

    // The handlers installed on the associated controls.
    void AddClick(TObject* Sender);
    void UpdateClick(TObject* Sender);
    void DeleteClick(TObject* Sender);
    void EditChange(TObject* Sender);
    // A left button released over the list copies the selected item into the text control.
    void LMouseUp(TMessage& Message);

    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCorvelListStrings;
    // The edit, else the combo box, else none.
    TWinControl* TextControl() const;
    std::string CurrentText() const;
    // An item's display text into the text control, whole text selected; the
    // buttons follow the text even when the control does not report it.
    void CopyToTextControl(int Index, bool Focus);
    // Add, Delete and Update, and the selection, for the current text.
    void UpdateButtons();
    // Only when it can take the focus: visible and enabled, on a visible form.
    void FocusTextControl();
    // Asks OnAssociateButtonBeforeClick; false when the action is cancelled.
    bool MayProceed(AssociateButton Button);
    void Proceeded(AssociateButton Button);
    void DisableSelectionButtons();
    void WidenFor(const std::string& Text);
    // Takes the button on for Handler, unless another button property holds it;
    // true when a button was taken on.
    bool AssociateButtonTo(TButton*& Field, TButton* value, TButton* Other1, TButton* Other2,
                           void (TCorvelListBox::*Handler)(TObject*));
    void SetTextControl(TEdit* Edit, TComboBox* Combo);
    // Watches Now instead of Former for its destruction.
    void Watch(TComponent* Former, TComponent* Now);
    // A handler for another control's event that does nothing once this list box is gone.
    TNotifyEvent Guarded(void (TCorvelListBox::*Handler)(TObject*));

    bool FLoaded = false;
    bool FSeeCode = false;
    TCorvelListStrings* FItemsCode; // owned by the framework as the item store
    int FWidestText = 0;
    bool FHorizontal = true;
    TEdit* FControlEdit = nullptr;
    TComboBox* FControlCombo = nullptr;
    TButton* FControlUpdate = nullptr;
    TButton* FControlAdd = nullptr;
    TButton* FControlDelete = nullptr;
    unsigned FTextChanges = 0; // the text control's changes seen by EditChange
    // Held by the handlers given to other controls, which outlive this list box when
    // nobody clears them: expired, it tells them to do nothing.
    std::shared_ptr<TCorvelListBox*> FAlive = std::make_shared<TCorvelListBox*>(this);
};

namespace CorvelListBox {
// Puts TCorvelListBox on the palette page "Corvel".
void Register();
} // namespace CorvelListBox
