#pragma once
// Popup menus: a TPopupMenu holds a tree of TMenuItem and shows it as a system
// menu (TrackPopupMenu) at a screen point; the chosen item's OnClick runs. A
// control shows its PopupMenu on a right click or the context-menu key.
//
// In a form resource the items nest inside the menu, and sub-items inside their item:
//   TPopupMenu PM_Wall {
//     TMenuItem MI_Open { Caption = "&Open" ShortCut = 16463 Default = true }
//     TMenuItem MI_Line { Caption = "-" }
//   }
#include "framework/controls/Controls.h"

#include <memory>
#include <string>
#include <vector>

class TPopupMenu;

// A key with its modifiers, as a menu item shows it: the virtual key in the low
// byte, scShift, scCtrl and scAlt above it.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(WORD Key, TShiftState Shift);
// "Ctrl+Shift+S", "Del", "F5"; empty for 0.
std::string ShortCutToText(TShortCut value);

class TMenuItem : public TComponent {
    FW_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* AOwner);
    // Takes its sub-items with it, and leaves its parent item.
    ~TMenuItem() override;

    // "&Open" underlines O; "-" makes the item a separator.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    // Drawn in bold: what a double click on the control would do.
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    // Shown right of the caption.
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }
    TNotifyEvent OnClick;

    // --- sub-items ---
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    // The item leaves any other parent first. Raises EInvalidOperation for an
    // item that would contain itself.
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    bool Contains(const TMenuItem* item) const; // at any depth

    virtual void Click();

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

private:
    friend class TPopupMenu;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FDefault = false;
    bool FVisible = true;
    TShortCut FShortCut = 0;
    TMenuItem* FParent = nullptr;
    TPopupMenu* FMenu = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
    FW_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // The root item, whose sub-items are the menu's lines.
    TMenuItem* Items() const { return FItems.get(); }
    // Whether a right click or the context-menu key on a control opens it.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // The control the menu was last opened for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value) { FPopupComponent = value; }

    // Raises OnPopup, shows the menu with its top-left corner at the screen point
    // and returns once it is closed, after the chosen item's Click. Virtual, so
    // that controls open it without linking this unit.
    virtual void Popup(int X, int Y);
    TNotifyEvent OnPopup;

    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

private:
    std::unique_ptr<TMenuItem> FItems;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};
