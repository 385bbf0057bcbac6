#include "framework/controls/Menus.h"

#include "framework/core/Exceptions.h"
#include "framework/system/Handles.h"

#include <algorithm>

// --- shortcuts ---

TShortCut ShortCut(WORD Key, TShiftState Shift)
{
    TShortCut value = Key & 0xFF;
    if (Shift.Contains(ssShift))
        value |= scShift;
    if (Shift.Contains(ssCtrl))
        value |= scCtrl;
    if (Shift.Contains(ssAlt))
        value |= scAlt;
    return value;
}

namespace {
std::string KeyName(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return std::string("F").append(std::to_string(key - VK_F1 + 1));
    static const std::pair<WORD, const char*> names[] = {
        {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
        {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
        {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
    for (const auto& [vk, name] : names)
        if (vk == key)
            return name;
    // Punctuation follows the keyboard layout: the system names it.
    char text[32] = {};
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    return scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), text, sizeof(text)) > 0 ? text : "";
}
} // namespace

std::string ShortCutToText(TShortCut value)
{
    const std::string key = KeyName(value & 0xFF);
    if (key.empty())
        return "";
    std::string text;
    if (value & scCtrl)
        text += "Ctrl+";
    if (value & scShift)
        text += "Shift+";
    if (value & scAlt)
        text += "Alt+";
    return text + key;
}

// --- TMenuItem ---

FW_BEGIN_CLASS(TMenuItem, TComponent)
    .String("Caption", &C::Caption, &C::SetCaption, "")
    .Bool("Checked", &C::Checked, &C::SetChecked, false)
    .Bool("Default", &C::Default, &C::SetDefault, false)
    .Bool("Enabled", &C::Enabled, &C::SetEnabled, true)
    .Integer("ShortCut", &C::ShortCut, &C::SetShortCut, 0)
    .Bool("Visible", &C::Visible, &C::SetVisible, true)
    .Event("OnClick", &C::OnClick)
FW_END_CLASS

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!FItems.empty())
        delete FItems.back(); // each leaves this list on its way out
    if (FParent)
        FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Exception::Fmt("Menu index out of range (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        throw EInvalidOperation("Cannot insert a missing menu item");
    if (item == this || item->Contains(this))
        throw EInvalidOperation("A menu item cannot contain itself");
    if (index < 0 || index > Count())
        throw EListError(Exception::Fmt("Menu index out of range (%d)", index));
    if (item->FParent) {
        if (item->FParent == this && IndexOf(item) < index)
            --index;
        item->FParent->Remove(item);
    }
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

bool TMenuItem::Contains(const TMenuItem* item) const
{
    for (const TMenuItem* p = item ? item->FParent : nullptr; p; p = p->FParent)
        if (p == this)
            return true;
    return false;
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent && FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else
        throw EInvalidOperation("A menu item belongs in a menu or another menu item");
}

void TMenuItem::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    for (TMenuItem* item : FItems)
        if (item->Owner() == root)
            children.push_back(item);
}

// --- TPopupMenu ---

FW_BEGIN_CLASS(TPopupMenu, TComponent)
    .Bool("AutoPopup", &C::AutoPopup, &C::SetAutoPopup, true)
    .Event("OnPopup", &C::OnPopup)
FW_END_CLASS

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TPopupMenu::~TPopupMenu()
{
    Destroying();
    // Items owned by the form are the form's to destroy; they only leave the menu here.
    while (FItems->Count() > 0) {
        TMenuItem* item = FItems->Items(FItems->Count() - 1);
        FItems->Remove(item);
        if (!item->Owner())
            delete item;
    }
}

void TPopupMenu::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    FItems->GetChildren(children, root);
}

namespace {
using TMenuHandle = TUniqueHandle<HMENU, &DestroyMenu>;

// Appends the visible sub-items of Parent to Menu; an item's command number is
// its place in Commands, plus one (0 means nothing was chosen).
void AppendItems(HMENU menu, const TMenuItem& parent, std::vector<TMenuItem*>& commands)
{
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible())
            continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        std::string text = item->Caption();
        TMenuHandle submenu;
        if (item->IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            if (const std::string keys = ShortCutToText(item->ShortCut()); !keys.empty())
                text += "\t" + keys;
            commands.push_back(item);
            info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID;
            info.dwTypeData = text.data();
            info.wID = static_cast<UINT>(commands.size());
            info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->Enabled() ? 0 : MFS_DISABLED) |
                           (item->Default() ? MFS_DEFAULT : 0);
            if (item->Count() > 0) {
                submenu.Reset(CreatePopupMenu());
                if (!submenu)
                    RaiseLastOSError("Creating a menu");
                AppendItems(submenu.Get(), *item, commands);
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = submenu.Get();
            }
        }
        if (!InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info))
            RaiseLastOSError("Adding a menu item");
        submenu.Release(); // the menu destroys its sub-menus with itself
    }
}

// Whether Item, which may be gone, is still in the tree: compared, never followed.
bool StillIn(const TMenuItem& parent, const TMenuItem* item)
{
    for (int i = 0; i < parent.Count(); ++i)
        if (parent.Items(i) == item || StillIn(*parent.Items(i), item))
            return true;
    return false;
}

HWND OwnerWindow(TComponent* component)
{
    for (auto* c = dynamic_cast<TControl*>(component); c; c = c->Parent())
        if (c->IsWindowed())
            return static_cast<TWinControl*>(c)->TopLevel()->Handle();
    return GetActiveWindow();
}
} // namespace

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    HWND owner = OwnerWindow(FPopupComponent);
    if (!owner)
        throw EInvalidOperation("A popup menu needs a window of the program to open on");
    TMenuHandle menu(CreatePopupMenu());
    if (!menu)
        RaiseLastOSError("Creating a menu");
    std::vector<TMenuItem*> commands;
    AppendItems(menu.Get(), *FItems, commands);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X, Y, 0, owner, nullptr));
    // Messages handled while the menu was open may have removed the chosen item.
    if (chosen > 0 && chosen <= commands.size() && StillIn(*FItems, commands[chosen - 1]))
        commands[chosen - 1]->Click();
}

// --- the control's reference ---

// A menu destroyed first clears the reference (Notification).
void TControl::SetPopupMenu(TPopupMenu* value) { SetWatchedReference(FPopupMenu, value); }
