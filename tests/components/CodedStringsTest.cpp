// The coded item model as the combo box's item list: the split of item strings,
// codes paired with the items of the real system list, reading, moving, clearing
// and the window's refusals.
#include "CodedComboTestSupport.h"

#include "components/CorvelListBox.h"
#include "framework/core/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

class CodedStrings : public CodedComboFixture {
protected:
    // A twin holding three items with objects, and its owner's SeeCode and rebuild.
    struct Twin {
        TCodedStrings& Items;
        std::function<void(bool)> SetSeeCode;
        std::function<void()> Rebuild;
    };
    std::vector<Twin> BothTwins(bool seeCode)
    {
        TProbedComboBox& combo = MakeCombo();
        auto& list = Place<TCorvelListBox>(10, 40, 200, 150);
        std::vector<Twin> twins{
            {*combo.CodedItems(), [&combo](bool v) { combo.SetSeeCode(v); }, [&combo] { combo.ReconstructList(); }},
            {*list.CodedItems(), [&list](bool v) { list.SetSeeCode(v); }, [&list] { list.ReconstructList(); }}};
        for (const Twin& twin : twins) {
            twin.SetSeeCode(seeCode);
            for (const char* item : {"BOR Bordeaux", "PIN Pinot noir", "Jura"})
                twin.Items.AddObject(item, Tag(twin.Items.Count()));
        }
        return twins;
    }
    // Each item as "code|display text|object".
    static Texts Snapshot(const TCodedStrings& items)
    {
        Texts lines;
        for (int i = 0; i < items.Count(); ++i)
            lines.push_back(items.CodeList()->Get(i) + "|" + items.DisplayText(i) + "|" +
                            std::to_string(reinterpret_cast<uintptr_t>(items.Objects(i))));
        return lines;
    }
};
} // namespace

TEST_F(CodedStrings, AnItemStringIsSplitAtItsFirstSpaceAndShownAsTheOwnerSays)
{
    enum TMode { RunTime, RunTimeSeeCode, Designing };
    struct Case {
        const char* Item;
        TMode Mode;
        const char* Code;
        const char* Shown;
        const char* Get;
    };
    const Case cases[] = {
        {"12 Bordeaux", RunTime, "12", "Bordeaux", "Bordeaux"},
        {"12 Bordeaux", RunTimeSeeCode, "12", "12 Bordeaux", "12 Bordeaux"},
        {"12 Bordeaux", Designing, "12", "Bordeaux", "12 Bordeaux"},
        {"Bordeaux", RunTime, "", "Bordeaux", "Bordeaux"},
        {"Bordeaux", RunTimeSeeCode, "", "Bordeaux", "Bordeaux"},
        {" Bordeaux", RunTime, "", "Bordeaux", "Bordeaux"},
        {"12  Cotes du Rhone", RunTime, "12", " Cotes du Rhone", " Cotes du Rhone"},
        {"12 ", RunTime, "12", "", ""},
        {"12 ", Designing, "12", "", "12 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.Item + "\" mode " + std::to_string(c.Mode));
        TProbedComboBox& combo = MakeCombo();
        if (c.Mode == Designing)
            combo.SetDesigning(true);
        combo.SetSeeCode(c.Mode != RunTime);
        EXPECT_EQ(combo.ItemsCode()->Add(c.Item), 0);
        EXPECT_EQ(Codes(combo), Texts{c.Code});
        EXPECT_EQ(Shown(combo), Texts{c.Shown});
        EXPECT_EQ(combo.ItemsCode()->Get(0), c.Get);
        delete &combo;
    }
}

TEST_F(CodedStrings, ObjectsCountsAndReplacedItems)
{
    TProbedComboBox& combo = RegionCombo();
    TStrings& items = *combo.ItemsCode();
    EXPECT_EQ(items.Count(), 6);
    EXPECT_EQ(items.Objects(3), Tag(3));

    items.Put(1, "GRA Graves de Vayres"); // the code is parsed afresh; the object stays
    EXPECT_EQ(combo.GetCode(1), "GRA");
    EXPECT_EQ(items.Strings(1), "Graves de Vayres");
    EXPECT_EQ(items.Objects(1), Tag(1));

    // Out of range: the window's answers at run time, the code list's error for a deletion.
    EXPECT_EQ(items.Strings(6), "");
    EXPECT_EQ(items.Objects(6), reinterpret_cast<TObject*>(-1));
    EXPECT_THROW(items.Delete(6), EListError);
    EXPECT_EQ(items.Count(), 6);
    EXPECT_EQ(Shown(combo).size(), 6u);
    combo.SetDesigning(true);
    EXPECT_THROW(items.Strings(6), EListError);

    items.Delete(0);
    EXPECT_EQ(Codes(combo), (Texts{"GRA", "CHA", "ALS", "LOI", "RHO"}));
    EXPECT_EQ(Shown(combo)[0], "Graves de Vayres");
}

TEST_F(CodedStrings, IndexOfComparesDisplayTextsIgnoringCase)
{
    for (bool seeCode : {false, true}) {
        SCOPED_TRACE(seeCode ? "codes shown" : "codes hidden");
        TProbedComboBox& combo = MakeCombo();
        combo.SetSeeCode(seeCode);
        combo.ItemsCode()->SetText("BOR Bordeaux\r\nBOU Bourgogne\r\n");
        const int description = seeCode ? -1 : 1, whole = seeCode ? 1 : -1;
        EXPECT_EQ(combo.ItemsCode()->IndexOf("BOURGOGNE"), description);
        EXPECT_EQ(combo.IndexOf("bourgogne"), description);
        EXPECT_EQ(combo.ItemsCode()->IndexOf("bou bourgogne"), whole);
        EXPECT_EQ(combo.IndexOf("BOU BOURGOGNE"), whole);
        delete &combo;
    }
}

TEST_F(CodedStrings, ClearingKeepsTheEditTextAndReportsNoChange)
{
    TProbedComboBox& combo = RegionCombo();
    combo.SetText("Graves");
    int changes = 0;
    combo.OnChange = [&](TObject*) { ++changes; };
    combo.ItemsCode()->Clear();
    EXPECT_EQ(combo.ItemsCode()->Count(), 0);
    EXPECT_TRUE(Shown(combo).empty());
    EXPECT_EQ(combo.Text(), "Graves");
    EXPECT_EQ(changes, 0);
}

// Moving re-inserted display texts once, so that with codes hidden a moved item took
// the first word of its description for its code.
TEST_F(CodedStrings, MovedAndExchangedItemsKeepTheirCodesTextsAndObjects)
{
    TProbedComboBox& combo = MakeCombo();
    TStrings& items = *combo.ItemsCode();
    items.AddObject("LOI Val de Loire", Tag(0));
    items.AddObject("RHO Cotes du Rhone", Tag(1));
    items.AddObject("BOR Bordeaux", Tag(2));

    items.Move(0, 2);
    EXPECT_EQ(Codes(combo), (Texts{"RHO", "BOR", "LOI"}));
    EXPECT_EQ(Shown(combo), (Texts{"Cotes du Rhone", "Bordeaux", "Val de Loire"}));
    EXPECT_EQ(Objects(combo), (std::vector<TObject*>{Tag(1), Tag(2), Tag(0)}));

    items.Exchange(2, 0);
    EXPECT_EQ(Codes(combo), (Texts{"LOI", "BOR", "RHO"}));
    EXPECT_EQ(Shown(combo), (Texts{"Val de Loire", "Bordeaux", "Cotes du Rhone"}));
    EXPECT_EQ(Objects(combo), (std::vector<TObject*>{Tag(0), Tag(2), Tag(1)}));

    EXPECT_THROW(items.Move(0, 3), EListError);
    EXPECT_THROW(items.Exchange(-1, 1), EListError);
    EXPECT_EQ(Codes(combo), (Texts{"LOI", "BOR", "RHO"}));
    EXPECT_EQ(Shown(combo).size(), 3u);
}

TEST_F(CodedStrings, LongDisplayTextsAreReadWhole)
{
    TProbedComboBox& combo = MakeCombo();
    for (size_t length : {4095u, 4096u, 10000u}) {
        SCOPED_TRACE(length);
        std::string description(length, 'v');
        description.back() = 'z';
        const int at = combo.ItemsCode()->Add("LONG " + description);
        EXPECT_EQ(combo.ItemsCode()->Get(at), description);
        EXPECT_EQ(combo.GetDescription("long"), combo.ItemsCode()->Get(0));
    }
}

TEST_F(CodedStrings, AnItemTheWindowRefusesLeavesNoCodeBehind)
{
    TProbedComboBox& combo = RegionCombo();
    combo.RefuseItems = true;
    EXPECT_THROW(combo.ItemsCode()->Add("JUR Jura"), EOutOfResources);
    EXPECT_THROW(combo.ItemsCode()->Insert(0, "JUR Jura"), EOutOfResources);
    EXPECT_THROW(combo.ItemsCode()->AddStrings(*combo.ItemsCode()), EOutOfResources);
    EXPECT_EQ(Codes(combo), (Texts{"BOR", "BOU", "CHA", "ALS", "LOI", "RHO"}));
    EXPECT_EQ(Shown(combo).size(), 6u);
    combo.RefuseItems = false;
    EXPECT_EQ(combo.ItemsCode()->Add("JUR Jura"), 6);
    EXPECT_EQ(combo.GetCode(6), "JUR");
}

TEST_F(CodedStrings, AListThatCannotReachAWindowRaisesAndKeepsNoCode)
{
    TCorvelComboBox loose(nullptr); // no parent: its window cannot be made
    EXPECT_THROW(loose.ItemsCode()->Add("JUR Jura"), EInvalidOperation);
    EXPECT_EQ(loose.ItemsCode()->Count(), 0);

    TProbedComboBox& combo = RegionCombo();
    combo.CodedItems()->SetComboBox(nullptr);
    EXPECT_THROW(combo.ItemsCode()->Insert(0, "JUR Jura"), EInvalidOperation);
    EXPECT_EQ(combo.ItemsCode()->Count(), 6);
    combo.ItemsCode()->Clear(); // the one change an unlinked list takes: its codes only
    EXPECT_EQ(combo.ItemsCode()->Count(), 0);
    EXPECT_EQ(Shown(combo).size(), 6u);
}

TEST_F(CodedStrings, ListFacilitiesSplitEveryLineInOneRedrawPause)
{
    TProbedComboBox& combo = MakeCombo();
    TStringList source;
    source.AddObject("ALS Alsace", Tag(4));
    source.AddObject("JUR Jura", Tag(5));
    combo.ItemsCode()->Assign(&source);
    EXPECT_EQ(combo.Redraws, (std::vector<WPARAM>{FALSE, TRUE}));
    EXPECT_EQ(Codes(combo), (Texts{"ALS", "JUR"}));
    EXPECT_EQ(Shown(combo), (Texts{"Alsace", "Jura"}));
    EXPECT_EQ(Objects(combo), (std::vector<TObject*>{Tag(4), Tag(5)}));
    // The lines a form stores are whole item strings, at run time too.
    EXPECT_EQ(combo.CodedItems()->ItemStrings(), (Texts{"ALS Alsace", "JUR Jura"}));
}

// An insertion at -1 was taken for an addition and an object put at a bad index was
// dropped without a word: every index is checked first, in both twins.
TEST_F(CodedStrings, ABadIndexRaisesTheListErrorBeforeAnythingChanges)
{
    using TCall = void (*)(TStrings&, int);
    const std::pair<int, TCall> cases[] = {
        {-1, [](TStrings& s, int i) { s.Insert(i, "COR Corse"); }}, {4, [](TStrings& s, int i) { s.Insert(i, "COR"); }},
        {3, [](TStrings& s, int i) { s.Put(i, "COR Corse"); }},     {-1, [](TStrings& s, int i) { s.Delete(i); }},
        {3, [](TStrings& s, int i) { s.PutObject(i, Tag(7)); }},    {-1, [](TStrings& s, int i) { s.Move(i, 0); }},
        {3, [](TStrings& s, int i) { s.Move(i, i); }},              {3, [](TStrings& s, int i) { s.Exchange(0, i); }},
    };
    for (const Twin& twin : BothTwins(false))
        for (size_t k = 0; k < std::size(cases); ++k) {
            SCOPED_TRACE(twin.Items.ClassName() + " case " + std::to_string(k));
            const Texts before = Snapshot(twin.Items);
            try {
                cases[k].second(twin.Items, cases[k].first);
                ADD_FAILURE() << "no error";
            } catch (const EListError& e) {
                EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(cases[k].first) + ")");
            }
            EXPECT_EQ(Snapshot(twin.Items), before);
        }
}

// A direct rebuild read the codes again out of descriptions, or put the codes in
// front a second time.
TEST_F(CodedStrings, ARebuildKeepsEveryItemAsItIsWhateverSeeCodeHolds)
{
    for (bool seeCode : {false, true})
        for (const Twin& twin : BothTwins(seeCode))
            for (bool shown : {seeCode, !seeCode}) {
                SCOPED_TRACE(twin.Items.ClassName() + (shown ? " codes shown" : " codes hidden"));
                twin.SetSeeCode(shown);
                const Texts before = Snapshot(twin.Items);
                twin.Rebuild();
                twin.Rebuild();
                EXPECT_EQ(Snapshot(twin.Items), before);
                EXPECT_EQ(twin.Items.CodeList()->Lines(), (Texts{"BOR", "PIN", ""}));
                EXPECT_EQ(twin.Items.DisplayText(1), shown ? "PIN Pinot noir" : "Pinot noir");
            }
}
