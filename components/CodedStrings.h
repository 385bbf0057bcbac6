#pragma once
// The coded item model behind the coded combo box and the coded list box. An item
// string is a code, one space and a description; the code is everything before the
// first space, so a code never holds a space. The codes live here, in CodeList, in
// item order; the display texts and the item objects live in the owning control's
// system list, which this object drives with that list's messages, so the user and
// the program always see the same items.
//
// This is the half the two twins share: the split, reading items (whole item strings
// in the designer), objects, deletion, clearing, update state, moving items and
// storing. A twin says which control it belongs to, how it places a new item in the
// window (a sorted list box chooses the position itself) and how it empties the
// window list. It is no component: each coded control owns its twin.
#include "framework/widgets/ListControl.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TCodedStrings : public TStrings {
    FW_CLASS(TCodedStrings)
public:
    ~TCodedStrings() override;

    // The codes, one per item, in item order; a plain unsorted list. Stored in a
    // form after the item lines, which it agrees with.
    TStringList* CodeList() const { return FCodeList.get(); }

    // An item string taken apart at its first space.
    struct TSplitItem {
        std::string Code;        // "" when there is no space
        std::string Description; // the whole string when there is no space
        bool HasSpace = false;
    };
    static TSplitItem Split(const std::string& S);

    // At run time the text the user sees; in the designer the whole item string
    // (code, space, display text), which the item editor and stored forms see.
    // An invalid index reads as "" at run time; the designer's raises.
    std::string Get(int Index) const override;
    int GetCount() const override;
    // The item data word; an invalid index gives the window's error value, -1.
    TObject* GetObject(int Index) const override;
    // Every index below is checked before anything changes, as the framework's
    // string list does: the window would take a bad one for the end of the list, or
    // quietly ignore it.
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    // Index 0 to Count.
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetUpdateState(bool Updating) override;
    // Both keep each item's code, display text and object as they are.
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;

    // The text the window shows for an item, exactly as long as it is.
    std::string DisplayText(int Index) const;
    // An item taken apart as its item string was: its code, and its description
    // read out of its display text, which holds the code when the list shows codes.
    TSplitItem ItemAt(int Index) const;
    // Every item as its whole item string, whatever SeeCode and the designer say:
    // what a form stores, so that reading it back gives the same codes and texts.
    TLines ItemStrings() const;

    // One item whole, as it stands: what rebuilding and re-sorting take out and put back.
    struct TItem {
        std::string Code;
        std::string Display;
        TObject* Object;
    };
    // Empties the list, then places the items, each code and object beside its
    // text whatever order the window chooses; returns where each item landed.
    virtual std::vector<int> Refill(const std::vector<TItem>& Items) = 0;
    // Shows every item again as the owner's SeeCode says now, each with its own
    // code and object; called again, it changes nothing. Returns where each landed.
    std::vector<int> Reshow();

protected:
    explicit TCodedStrings(const TListMessages& Messages);

    // The control whose window holds the display texts; null until its owner links it.
    virtual TWinControl* Control() const = 0;
    // The owner's SeeCode: display texts chosen now include the code.
    virtual bool SeeCode() const = 0;
    // Stores a code and its display text at Index (0 to Count, checked by the
    // caller), or at the end (Index -1) of an unsorted list or the sorted place of a
    // sorted one; returns the position.
    virtual int PlaceItem(int Index, const std::string& Code, const std::string& Display) = 0;
    // Empties the window list; the control then repaints at once.
    virtual void ResetWindowList();

    bool Designing() const;
    // The display text a new item string gets: shown as the items already there
    // are, so that the list is shown one way until it is rebuilt; an empty list
    // starts from what its owner says now.
    std::string DisplayTextOf(const TSplitItem& Item);
    // Runs Change inside one update.
    void WithinUpdate(const std::function<void()>& Change);
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    const TListMessages& Messages() const { return FMessages; }
    // A position the window returned, or EOutOfResources when it refused the item.
    static int Placed(LRESULT Result, const std::string& Display);

private:
    // Index is an item's, or with AllowEnd the end of the list too.
    void CheckIndex(int Index, bool AllowEnd = false) const;
    // Re-places an item taken out by Move, with what it had.
    void MoveItem(int CurIndex, int NewIndex);

    // Codes shown at run time: what the owner's SeeCode asks for now.
    bool OwnerShowsCodes() const { return SeeCode() && !Designing(); }
    static std::string ShownAs(const TSplitItem& Item, bool WithCode);

    const TListMessages& FMessages;
    std::unique_ptr<TStringList> FCodeList;
    // Whether the display texts hold the codes. It changes only when the list is
    // rebuilt or starts empty: the owner's SeeCode may change without a rebuild
    // (while a form is read, in the designer), and the display texts do not follow.
    bool FShowsCodes = false;
};
