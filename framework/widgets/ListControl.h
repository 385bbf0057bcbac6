#pragma once
// What a combo box and a list box share. Their items live in the system control's
// own list, each with one data word that holds the item's object, so the program
// and the user always see the same list. Items are drawn by the owner through the
// control's canvas when the style asks for it. The items, their objects and the
// selection survive a re-creation of the window (a change of style or sorting).
#include "framework/controls/Controls.h"
#include "framework/controls/InputMethod.h"
#include "framework/core/Strings.h"

#include <memory>
#include <utility>
#include <vector>

// The messages of one family of system lists: CB_ for combo boxes, LB_ for list boxes.
struct TListMessages {
    UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent;
    UINT GetItemData, SetItemData, FindString, FindStringExact, GetCurSel, SetCurSel, GetItemHeight, SetItemHeight;
};

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = TEvent<TWinControl*, int, const TRect&, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TWinControl*, int, int&>;

class TCustomListControl;

// The items of a list control, read from and written to its window, which is
// created on demand. Bad indexes raise "List index out of bounds (%d)".
// A descendant store may build on it and send further messages through Send.
class TListControlItems : public TStrings {
    FW_CLASS(TListControlItems)
public:
    TListControlItems(TCustomListControl& Control, const TListMessages& Messages);

    std::string Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // Placing an item, replacing, exchanging or moving one would break the order of a
    // sorted list: refused with "Operation not allowed on sorted list", as a sorted
    // string list refuses them, before anything changes.
    void Insert(int Index, const std::string& S) override;
    void Put(int Index, const std::string& S) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetUpdateState(bool Updating) override;
    // At the sorted position in a sorted list.
    int Add(const std::string& S) override;
    // The system's own search: the first item equal to S ignoring case.
    int IndexOf(const std::string& S) const override;

    TCustomListControl& Control() const { return FControl; }
    const TListMessages& Messages() const { return FMessages; }

protected:
    // To the control's window, created on demand.
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    void CheckIndex(int Index, bool AllowEnd = false) const;
    // Inserts at Index even in a sorted list (a store that keeps its own order);
    // returns where the window put the item.
    int InsertItem(int Index, const std::string& S);

private:
    // The position the window gave the new item; it refuses only when out of memory.
    int Placed(LRESULT Result, const std::string& S) const;
    void CheckUnsorted() const;

    TCustomListControl& FControl;
    const TListMessages& FMessages;
};

class TCustomListControl : public TWinControl {
    FW_CLASS(TCustomListControl)
public:
    ~TCustomListControl() override;

    // The item store: the window's own list, unless a descendant put its own in place.
    TStrings* Items() const { return FItemStore ? FItemStore.get() : FWindowItems.get(); }
    void SetItems(TStrings* value) { Items()->Assign(value); }
    // The first item from StartAfter + 1 on (wrapping round) that begins with S, or
    // that equals S, ignoring case; -1 when none. -1 searches the whole list.
    int FindString(const std::string& S, int StartAfter = -1) const;
    int FindStringExact(const std::string& S, int StartAfter = -1) const;
    // -1 for none. Raises "List index out of bounds (%d)" below -1 or past the last item.
    virtual int ItemIndex() const;
    virtual void SetItemIndex(int value);
    // Draws items in the control's font, measures text for the program outside painting.
    TCanvas* Canvas() const { return FCanvas.get(); }
    // The height of an owner-drawn item; a standard list reports the height the system chose.
    int ItemHeight() const;
    void SetItemHeight(int value);

    // The input method the control asks for whenever it receives the focus.
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode value);
    const std::string& ImeName() const { return FImeName; }
    void SetImeName(const std::string& value);

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(TMessage& Message) override;

protected:
    TCustomListControl(TComponent* AOwner, const TListMessages& Messages);
    // An owner-drawn list's item height is the form's, in pixels; the system's own
    // lists measure their font.
    void ChangeScale(int M, int D) override;

    friend class TListControlItems;
    // The window keeps its items in order and places every added item itself.
    virtual bool SortsItems() const = 0;
    virtual bool OwnerDrawn() const = 0;
    virtual bool VariableItemHeight() const = 0;
    // With the canvas set up for the item's state (highlight colours when selected).
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    bool IsItemHeightStored() const { return OwnerDrawn(); }
    LRESULT SendToList(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    // Window (the control or its edit part) has just received the focus.
    void ApplyInputMethod(HWND Window) const;

    // A descendant that keeps more per item than the window does (a code beside each
    // text) owns a store of its own, which talks to the window itself: Items() and
    // everything built on it then go through Store. Returns the store it replaces
    // (null for the window's own list); null puts the window's own list back. What
    // the framework does on its own (keeping the items across a re-creation of the
    // window, drawing, the selection) reads and writes the window list directly and
    // never calls the store.
    std::unique_ptr<TStrings> ReplaceItems(std::unique_ptr<TStrings> Store);
    // The window's own list, whatever the store.
    TListControlItems& WindowItems() const { return *FWindowItems; }

    void SaveWindowState() override;
    void RestoreWindowState() override;
    // Forgets what was saved from a former window (the program emptied the list).
    void DiscardSavedState() { FSaved.reset(); }
    // The selected items of a list that selects several, which re-creation keeps too.
    virtual std::vector<int> SelectedItems() const { return {}; }
    virtual void SelectItem(int Index) { (void)Index; }

private:
    struct TSavedState {
        std::vector<std::pair<std::string, TObject*>> Items;
        int ItemIndex = -1;
        std::vector<int> Selected;
    };
    void DrawItemMessage(const DRAWITEMSTRUCT& Item);
    // Adds the saved items to the new window; returns where each landed (a sorted
    // list may order them differently from before).
    std::vector<int> AddSavedItems(const TSavedState& State);

    const TListMessages& FMessages;
    std::unique_ptr<TListControlItems> FWindowItems;
    std::unique_ptr<TStrings> FItemStore;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<TSavedState> FSaved;
    int FItemHeight = 16;
    TImeMode FImeMode = imDontCare;
    std::string FImeName;
};
