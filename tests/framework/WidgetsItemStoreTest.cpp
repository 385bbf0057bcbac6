// What descendants of the combo box and the list box build on: an item store of
// their own in place of the window's list, the searches of the system lists, text
// put into the edit part quietly, the list emptied under a kept text, and the list
// box's horizontal extent kept across re-creation.
#include "WindowTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/ListBox.h"

#include <memory>
#include <string>
#include <vector>

namespace {

TObject* Tag(int n)
{
    static TObject objects[4];
    return &objects[n];
}

// A store that keeps a code beside each item: "12 Bordeaux" shows Bordeaux and
// remembers 12. It counts its calls, to show what the framework leaves alone.
class TCodedItems : public TListControlItems {
public:
    using TListControlItems::TListControlItems;
    TStringList Codes;
    int Calls = 0;

    int GetCount() const override { return Codes.Count(); }
    void Insert(int Index, const std::string& S) override
    {
        ++Calls;
        const size_t space = S.find(' ');
        Codes.Insert(Index, space == std::string::npos ? "" : S.substr(0, space));
        InsertItem(Index, space == std::string::npos ? S : S.substr(space + 1));
    }
    int Add(const std::string& S) override
    {
        Insert(GetCount(), S);
        return GetCount() - 1;
    }
    void Delete(int Index) override
    {
        ++Calls;
        Codes.Delete(Index);
        TListControlItems::Delete(Index);
    }
    void Clear() override
    {
        ++Calls;
        Codes.Clear();
        static_cast<TCustomComboBox&>(Control()).ClearList();
    }
};

class TCodedCombo : public TCustomComboBox {
public:
    explicit TCodedCombo(TComponent* AOwner) : TCustomComboBox(AOwner) { Rebuild(); }
    TCodedItems* Coded = nullptr;

    // Puts a fresh store in place, as a descendant does when it rebuilds its list.
    std::unique_ptr<TStrings> Rebuild()
    {
        auto store = std::make_unique<TCodedItems>(*this, WindowItems().Messages());
        Coded = store.get();
        return ReplaceItems(std::move(store));
    }
    std::unique_ptr<TStrings> Restore() { return ReplaceItems(nullptr); }
    using TCustomComboBox::SetEditText;
    using TCustomComboBox::SetStyle;
    using TCustomComboBox::WindowItems;
};

class WidgetsItemStore : public TFormFixture {};

std::string WindowText(TWinControl& control, int index, UINT message = CB_GETLBTEXT)
{
    char text[64] = {};
    SendMessageA(control.Handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

TEST_F(WidgetsItemStore, ADescendantsStoreServesItemsAndTheFrameworkKeepsTheWindowListWithoutIt)
{
    auto* combo = Add<TCodedCombo>(20, 20, 160, 21);
    TStrings* items = combo->Items();
    ASSERT_EQ(items, combo->Coded);
    TStringList source;
    source.SetText("12 Bordeaux\r\n7 Alsace\r\n30 Jura\r\n");
    items->AddStrings(source);
    items->PutObject(1, Tag(1));
    EXPECT_EQ(WindowText(*combo, 0), "Bordeaux");
    EXPECT_EQ(combo->Coded->Codes.Text(), "12\r\n7\r\n30\r\n");

    // The framework's own work reads the window: the chosen text, the selection,
    // the items re-created with the window. The store hears nothing of it.
    combo->SetItemIndex(1);
    const int callsBefore = combo->Coded->Calls;
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(combo->Coded->Calls, callsBefore);
    EXPECT_EQ(combo->WindowItems().Count(), 3);
    EXPECT_EQ(WindowText(*combo, 1), "Alsace");
    EXPECT_EQ(combo->Items()->Objects(1), Tag(1));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Coded->Codes.Count(), 3);
    combo->SetText("jura"); // a selection field selects the item of that text
    EXPECT_EQ(combo->ItemIndex(), 2);

    // Replacing the store hands the former one back; null restores the window's list.
    TCodedItems* former = combo->Coded;
    std::unique_ptr<TStrings> replaced = combo->Rebuild();
    EXPECT_EQ(replaced.get(), former);
    EXPECT_NE(combo->Items(), former);
    EXPECT_EQ(combo->Items()->Count(), 0) << "the new store has no codes yet";
    std::unique_ptr<TStrings> second = combo->Restore();
    EXPECT_EQ(second.get(), combo->Coded);
    EXPECT_EQ(combo->Items(), &combo->WindowItems());
    EXPECT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->Restore(), nullptr) << "the window's list is never handed out";
}

TEST_F(WidgetsItemStore, ClearingTheComboGoesThroughTheStoreAndClearListKeepsTheEditText)
{
    auto* combo = Add<TCodedCombo>(20, 20, 160, 21);
    combo->Items()->Add("1 Red");
    combo->Items()->Add("2 White");
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };

    combo->SetEditText("typed");
    EXPECT_EQ(combo->Text(), "typed");
    combo->Items()->Clear();
    EXPECT_EQ(combo->WindowItems().Count(), 0);
    EXPECT_EQ(combo->Coded->Codes.Count(), 0);
    EXPECT_EQ(combo->Text(), "typed");
    EXPECT_EQ(changes, 0) << "neither the quiet text nor the kept one is the user's change";

    combo->Items()->Add("3 Rose");
    combo->Clear(); // everything, the store included
    EXPECT_EQ(combo->Coded->Codes.Count(), 0);
    EXPECT_EQ(combo->Text(), "");

    // Before the window exists the quiet text waits for it.
    auto* later = new TCodedCombo(Form.get());
    later->SetEditText("waiting");
    later->SetParent(Form.get());
    EXPECT_EQ(later->Text(), "waiting");
}

TEST_F(WidgetsItemStore, SearchesFindPrefixesAndWholeTextsIgnoringCaseFromAStartOn)
{
    auto* combo = Add<TComboBox>(20, 20, 160, 21);
    auto* list = Add<TListBox>(20, 60, 160, 100);
    for (TCustomListControl* control : std::vector<TCustomListControl*>{combo, list}) {
        for (const char* text : {"Bordeaux", "Bourgogne", "Alsace", "bordeaux"})
            control->Items()->Add(text);
        struct {
            const char* S;
            int StartAfter, Prefix, Exact;
        } const cases[] = {
            {"bo", -1, 0, -1},          {"BOURGOGNE", -1, 1, 1}, {"bordeaux", 0, 3, 3},
            {"bo", 3, 0, -1},           {"Jura", -1, -1, -1},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(control->ClassName()) + " '" + c.S + "' after " + std::to_string(c.StartAfter));
            EXPECT_EQ(control->FindString(c.S, c.StartAfter), c.Prefix);
            EXPECT_EQ(control->FindStringExact(c.S, c.StartAfter), c.Exact);
        }
    }
}

TEST_F(WidgetsItemStore, TheListBoxsHorizontalExtentOutlivesItsWindow)
{
    auto* list = Add<TListBox>(20, 20, 100, 100);
    list->Items()->Add("A line wider than the list box that shows it");
    EXPECT_EQ(list->ScrollWidth(), 0);
    EXPECT_THROW(list->SetScrollWidth(-1), EInvalidOperation);
    list->SetScrollWidth(300);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 300);
    list->SetSorted(true); // a new window
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 300);

    // An extent sent straight to the window is the property's too.
    SendMessageA(list->Handle(), LB_SETHORIZONTALEXTENT, 420, 0);
    EXPECT_EQ(list->ScrollWidth(), 420);
    list->SetSorted(false);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 420);
}
