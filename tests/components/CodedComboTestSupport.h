#pragma once
// Coded combo boxes on a form shown on the virtual display, with a few French wine
// regions, and a combo box whose window can be told to refuse new items.
#include "ScreenFormFixture.h"

#include "components/CorvelComboBox.h"
#include "framework/WindowTestSupport.h"

#include <string>
#include <vector>

// Its window counts the redraw switches and, when asked, refuses new items as a
// list out of memory would.
class TProbedComboBox : public TCorvelComboBox {
public:
    using TCorvelComboBox::TCorvelComboBox;
    bool RefuseItems = false;
    std::vector<WPARAM> Redraws;

    void Dispatch(TMessage& Message) override
    {
        if (RefuseItems && (Message.Msg == CB_ADDSTRING || Message.Msg == CB_INSERTSTRING)) {
            Message.Result = CB_ERRSPACE;
            return;
        }
        if (Message.Msg == WM_SETREDRAW)
            Redraws.push_back(Message.WParam);
        TCorvelComboBox::Dispatch(Message);
    }
};

inline const std::vector<std::string>& Regions()
{
    static const std::vector<std::string> regions{"BOR Bordeaux", "BOU Bourgogne", "CHA Champagne",
                                                  "ALS Alsace",   "LOI Val de Loire", "RHO Cotes du Rhone"};
    return regions;
}

// Objects to hang on items: only their addresses matter.
inline TObject* Tag(int n)
{
    static TObject objects[8];
    return &objects[n];
}

class CodedComboFixture : public ScreenFormFixture {
protected:
    TProbedComboBox& MakeCombo(TComboBoxStyle style = csDropDown)
    {
        auto& combo = Place<TProbedComboBox>(10, 10, 220, 21);
        combo.SetStyle(style);
        return combo;
    }
    // A combo box holding Regions(), each item with Tag(i).
    TProbedComboBox& RegionCombo(TComboBoxStyle style = csDropDown)
    {
        TProbedComboBox& combo = MakeCombo(style);
        for (size_t i = 0; i < Regions().size(); ++i)
            combo.ItemsCode()->AddObject(Regions()[i], Tag(static_cast<int>(i)));
        return combo;
    }

    // Item Index chosen with the real pointer in the real drop-down list; false when
    // the list did not drop down.
    bool ChooseInDropDown(TCorvelComboBox& combo, int Index)
    {
        Form().Update();
        SetForegroundWindow(Form().Handle());
        ClickAt(combo.ClientToScreen(TPoint(combo.Width() - 6, combo.Height() / 2))); // the arrow button
        if (!PumpUntil([&] { return combo.DroppedDown(); }))
            return false;
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo.Handle(), &info);
        RECT list;
        GetWindowRect(info.hwndList, &list);
        const int itemHeight = combo.ItemHeight();
        ClickAt(TPoint(list.left + 20, list.top + 1 + itemHeight * Index + itemHeight / 2));
        const bool closed = PumpUntil([&] { return !combo.DroppedDown(); });
        // Left over a list, the pointer would choose in the next one that drops down.
        MovePointer(TPoint(0, 0));
        return closed;
    }

    // What the system list holds, read straight from the window.
    static std::vector<std::string> Shown(TCorvelComboBox& combo)
    {
        std::vector<std::string> texts;
        const auto count = SendMessageA(combo.Handle(), CB_GETCOUNT, 0, 0);
        for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
            std::string text(static_cast<size_t>(SendMessageA(combo.Handle(), CB_GETLBTEXTLEN, i, 0)), '\0');
            SendMessageA(combo.Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            texts.push_back(text);
        }
        return texts;
    }
    static std::vector<std::string> Codes(TCorvelComboBox& combo) { return combo.CodedItems()->CodeList()->Lines(); }
    static std::vector<TObject*> Objects(TCorvelComboBox& combo)
    {
        std::vector<TObject*> objects;
        for (int i = 0; i < combo.ItemsCode()->Count(); ++i)
            objects.push_back(combo.ItemsCode()->Objects(i));
        return objects;
    }
};
