// The list box over the system LISTBOX: selection, sorting and the other
// creation-time properties re-creating the window without losing anything, the
// user's clicks, owner drawing and measuring text in the list's own font.
#include "WindowTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/ListBox.h"

#include <functional>

#include <string>
#include <vector>

namespace {

TObject* Tag(int n)
{
    static TObject objects[8];
    return &objects[n];
}

class WidgetsListBox : public TFormFixture {
protected:
    TListBox* MakeList()
    {
        auto* list = Add<TListBox>(20, 20, 150, 120);
        const char* names[] = {"Syrah", "Merlot", "Gamay", "Pinot"};
        for (int i = 0; i < 4; ++i)
            list->Items()->AddObject(names[i], Tag(i));
        return list;
    }
    static std::vector<std::string> Texts(TListBox& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.Items()->Count(); ++i)
            texts.push_back(list.Items()->Strings(i));
        return texts;
    }
};

} // namespace

TEST_F(WidgetsListBox, SelectionIsTheSystemsInBothSelectionModes)
{
    TListBox* list = MakeList();
    list->SetItemIndex(2);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_FALSE(list->Selected(1));
    list->SetSelected(1, true); // one selection: choosing another moves it
    EXPECT_EQ(list->ItemIndex(), 1);
    list->SetSelected(1, false);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Selected(4), EListError);
    EXPECT_THROW(list->SetItemIndex(4), EListError);

    list->SetMultiSelect(true);
    list->SetSelected(0, true);
    list->SetSelected(3, true);
    list->SetItemIndex(3);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETSEL, 3, 0), 1);
    EXPECT_EQ(list->ItemIndex(), 3); // the item with the focus rectangle
    list->SetItemIndex(-1);
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(WidgetsListBox, RecreatingKeepsItemsObjectsAndSelectionEvenWhenTheOrderChanges)
{
    TListBox* list = MakeList();
    list->SetItemIndex(1); // Merlot
    HWND before = list->Handle();
    list->SetSorted(true);
    EXPECT_NE(list->Handle(), before);
    EXPECT_TRUE(GetWindowLongPtrA(list->Handle(), GWL_STYLE) & LBS_SORT);
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Gamay", "Merlot", "Pinot", "Syrah"}));
    EXPECT_EQ(list->Items()->Objects(0), Tag(2));
    EXPECT_EQ(list->Items()->Objects(3), Tag(0));
    EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), "Merlot");
    list->Items()->Add("Cinsault");
    EXPECT_EQ(list->Items()->Strings(0), "Cinsault");

    list->SetSorted(false); // the items stay in the order they have
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Cinsault", "Gamay", "Merlot", "Pinot", "Syrah"}));

    list->SetMultiSelect(true);
    list->SetSelected(1, true);
    list->SetSelected(4, true);
    for (auto change : {+[](TListBox& l) { l.SetExtendedSelect(false); }, +[](TListBox& l) { l.SetColumns(2); },
                        +[](TListBox& l) { l.SetIntegralHeight(true); }, +[](TListBox& l) { l.SetTabWidth(20); },
                        +[](TListBox& l) { l.SetBorderStyle(bsNone); }}) {
        before = list->Handle();
        change(*list);
        EXPECT_NE(list->Handle(), before);
        EXPECT_EQ(list->SelCount(), 2);
        EXPECT_TRUE(list->Selected(1));
        EXPECT_TRUE(list->Selected(4));
        EXPECT_EQ(list->Items()->Objects(4), Tag(0));
    }
    const LONG_PTR style = GetWindowLongPtrA(list->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & LBS_MULTIPLESEL);
    EXPECT_TRUE(style & LBS_MULTICOLUMN);
    EXPECT_TRUE(style & LBS_USETABSTOPS);
    EXPECT_FALSE(style & LBS_NOINTEGRALHEIGHT);
    EXPECT_FALSE(GetWindowLongPtrA(list->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    // The program emptying the list also forgets what a hidden window had.
    list->Clear();
    EXPECT_EQ(list->Items()->Count(), 0);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(WidgetsListBox, ARealClickChoosesTheItemAndADoubleClickIsReported)
{
    TListBox* list = MakeList();
    std::vector<std::string> events;
    list->OnClick = [&](TObject*) { events.push_back("click " + std::to_string(list->ItemIndex())); };
    list->OnDblClick = [&](TObject*) { events.push_back("dblclick"); };
    int ups = 0;
    list->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    ShowForm();
    RECT item;
    SendMessageA(list->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const TPoint onGamay = list->ClientToScreen(TPoint(item.left + 10, (item.top + item.bottom) / 2));
    ClickAt(onGamay);
    EXPECT_EQ(events, std::vector<std::string>{"click 2"});
    EXPECT_EQ(ups, 1);
    ClickAt(onGamay); // the second press within the double-click time
    EXPECT_EQ(events, (std::vector<std::string>{"click 2", "dblclick"}));
}

TEST_F(WidgetsListBox, TheCanvasMeasuresTextInTheListsFont)
{
    TListBox* list = MakeList();
    list->Font()->SetHeight(-24);
    TBitmap reference;
    reference.SetSize(1, 1);
    reference.Canvas()->Font()->Assign(list->Font());
    const int expected = reference.Canvas()->TextWidth("Chardonnay");
    EXPECT_EQ(list->Canvas()->TextWidth("Chardonnay"), expected);
    reference.Canvas()->Font()->SetHeight(-11);
    EXPECT_GT(expected, reference.Canvas()->TextWidth("Chardonnay")); // the list's font, not the default one
}

TEST_F(WidgetsListBox, OwnerDrawnItemsGetTheirHeightsAndArePaintedByTheProgram)
{
    TListBox* list = Add<TListBox>(20, 20, 150, 120);
    list->SetStyle(lbOwnerDrawVariable);
    list->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 12 + 4 * index; };
    list->OnDrawItem = [list](TWinControl*, int index, const TRect& rect, TOwnerDrawState state) {
        list->Canvas()->Brush()->SetColor(state.Contains(odSelected) ? clRed : (index == 0 ? clLime : clBlue));
        list->Canvas()->FillRect(rect);
    };
    list->Items()->SetText("A\r\nB\r\nC\r\n");
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 2, 0), 20);
    list->SetItemIndex(1);
    auto shot = Snapshot(*list);
    RECT first, second;
    SendMessageA(list->Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(list->Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const int border = (list->Width() - list->ClientWidth()) / 2; // the snapshot shows the frame too
    EXPECT_EQ(shot->Pixel(border + 20, border + (first.top + first.bottom) / 2), clLime);
    EXPECT_EQ(shot->Pixel(border + 20, border + (second.top + second.bottom) / 2), clRed);

    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(30);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 30);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_THROW(list->SetItemHeight(0), EInvalidOperation);
}

TEST_F(WidgetsListBox, SortedListsRefuseWhatWouldBreakTheirOrderAndLoseNothing)
{
    auto* list = MakeList();
    list->SetSorted(true);
    auto* combo = Add<TComboBox>(200, 20, 150, 21);
    combo->SetSorted(true);
    combo->Items()->SetText("Syrah\r\nMerlot\r\nGamay\r\n");
    const std::pair<const char*, std::function<void(TStrings&)>> refused[] = {
        {"Insert", [](TStrings& items) { items.Insert(0, "Zinfandel"); }},
        {"Put", [](TStrings& items) { items.Put(0, "Zinfandel"); }},
        {"Exchange", [](TStrings& items) { items.Exchange(0, 2); }},
        {"Move", [](TStrings& items) { items.Move(0, 2); }},
    };
    for (TStrings* items : {list->Items(), combo->Items()}) {
        const std::string before = items->Text();
        for (const auto& [name, operation] : refused) {
            SCOPED_TRACE(name);
            try {
                operation(*items);
                ADD_FAILURE() << "accepted";
            } catch (const EStringListError& e) {
                EXPECT_STREQ(e.what(), "Operation not allowed on sorted list");
            }
            EXPECT_EQ(items->Text(), before);
        }
        items->Add("Cabernet"); // adding finds the sorted place
        EXPECT_EQ(items->Strings(0), "Cabernet");
    }
    EXPECT_EQ(list->Items()->Objects(1), Tag(2)) << "Gamay keeps its object";
}
