// The coded list box as a list editor on a shown form: a real edit or combo box and
// real Add, Update and Delete buttons, clicked with the real pointer; the buttons'
// states, the before and after events, sorting with codes, the horizontal extent
// and the associations' lifetimes.
#include "ScreenFormFixture.h"

#include "components/CorvelListBox.h"
#include "framework/WindowTestSupport.h"
#include "framework/core/Exceptions.h"
#include "support/DialogWatcher.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

TObject* Tag(int n)
{
    static TObject objects[8];
    return &objects[n];
}

class CorvelListEditor : public ScreenFormFixture {
protected:
    void SetUp() override
    {
        ScreenFormFixture::SetUp();
        Application->MessageBoxHook = nullptr;
        Edit = &Place<TEdit>(10, 10, 200, 21);
        Add = &Place<TButton>(220, 10, 70, 25);
        Update = &Place<TButton>(220, 40, 70, 25);
        Delete = &Place<TButton>(220, 70, 70, 25);
        List = &Place<TCorvelListBox>(10, 40, 200, 150);
    }

    // The list box wired to the edit and the three buttons, holding Items.
    void Wire(const Texts& Items = {"BOR Bordeaux", "CHA Champagne", "ALS Alsace"})
    {
        for (size_t i = 0; i < Items.size(); ++i)
            List->ItemsCode()->AddObject(Items[i], Tag(static_cast<int>(i)));
        List->SetEdit(Edit);
        List->SetButtonAdd(Add);
        List->SetButtonUpdate(Update);
        List->SetButtonDelete(Delete);
    }

    static void ClickButton(TButton& Button)
    {
        ClickAt(Button.ClientToScreen(TPoint(Button.Width() / 2, Button.Height() / 2)));
    }
    void ShowOnTop()
    {
        SetForegroundWindow(Form().Handle());
        Form().Update();
        Pump();
    }

    // "ADU" for the enabled buttons, "-" for a disabled one.
    std::string Buttons() const
    {
        return std::string(Add->Enabled() ? "A" : "-") + (Delete->Enabled() ? "D" : "-") +
               (Update->Enabled() ? "U" : "-");
    }
    Texts Shown() const
    {
        Texts texts;
        for (int i = 0; i < List->ItemsCode()->Count(); ++i)
            texts.push_back(List->CodedItems()->DisplayText(i));
        return texts;
    }
    Texts Codes() const { return List->CodedItems()->CodeList()->Lines(); }

    TEdit* Edit = nullptr;
    TButton* Add = nullptr;
    TButton* Update = nullptr;
    TButton* Delete = nullptr;
    TCorvelListBox* List = nullptr;
};
} // namespace

TEST_F(CorvelListEditor, EveryTextChangeSetsTheButtonsAndTheSelection)
{
    struct Case {
        const char* Text;
        int SelectedBefore;
        const char* Buttons; // Add, Delete, Update
        int SelectedAfter;
    };
    const Case cases[] = {
        {"", 1, "---", -1},              // empty: nothing selected, nothing to do
        {"champagne", -1, "-D-", 1},     // an item's text in any case selects it
        {"Graves", 2, "ADU", 2},         // a new text: add it, or put it in place of the selection
        {"Graves", -1, "A--", -1},
    };
    Wire();
    int changes = 0;
    List->OnEditChange = [&](TObject* sender) {
        EXPECT_EQ(sender, List);
        ++changes;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.Text + "\" with item " + std::to_string(c.SelectedBefore));
        Edit->SetText("something else");
        List->SetItemIndex(c.SelectedBefore);
        changes = 0;
        Edit->SetText(c.Text);
        EXPECT_EQ(Buttons(), c.Buttons);
        EXPECT_EQ(List->ItemIndex(), c.SelectedAfter);
        EXPECT_EQ(changes, 1);
    }

    // Without an Add button the text selects nothing; the others follow the selection.
    List->SetButtonAdd(nullptr);
    Add->SetEnabled(true);
    List->SetItemIndex(0);
    Edit->SetText("");
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Buttons(), "AD-");
    Edit->SetText("Alsace");
    EXPECT_EQ(List->ItemIndex(), 0) << "the matching item is not selected without an Add button";
    EXPECT_EQ(Buttons(), "AD-");

    // A combo box takes the edit's place, and the edit's changes no longer count.
    auto& combo = Place<TComboBox>(10, 200, 200, 21);
    combo.HandleNeeded();
    List->SetComboBox(&combo);
    List->SetButtonAdd(Add);
    EXPECT_EQ(List->ControlEdit(), nullptr);
    combo.SetText("Bordeaux");
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Buttons(), "-D-");
    Edit->SetText("Champagne");
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(CorvelListEditor, AddUpdateAndDeleteThroughRealClicks)
{
    Wire();
    ShowOnTop();
    std::vector<std::string> log;
    List->OnAssociateButtonAfterClick = [&](TObject*, AssociateButton b) { log.push_back(std::to_string(b)); };

    Edit->SetText("JUR Jura");
    ClickButton(*Add);
    EXPECT_EQ(Codes(), (Texts{"BOR", "CHA", "ALS", "JUR"}));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Edit->Text(), "Jura") << "the item's display text comes back";
    EXPECT_EQ(Edit->SelLength(), 4);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Buttons(), "-D-");

    // Codes hidden, the user edits a description: the item keeps its code and object.
    List->SetItemIndex(1);
    Edit->SetText("Champagne Brut");
    ClickButton(*Update);
    EXPECT_EQ(Codes(), (Texts{"BOR", "CHA", "ALS", "JUR"}));
    EXPECT_EQ(Shown()[1], "Champagne Brut");
    EXPECT_EQ(List->ItemsCode()->Objects(1), Tag(1));
    EXPECT_EQ(Buttons(), "-D-");

    // Deleting selects the item that moved up, then the new last one, then nothing.
    List->SetItemIndex(2);
    ClickButton(*Delete);
    EXPECT_EQ(Codes(), (Texts{"BOR", "CHA", "JUR"}));
    EXPECT_EQ(Edit->Text(), "Jura");
    ClickButton(*Delete);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Champagne Brut");
    ClickButton(*Delete);
    ClickButton(*Delete);
    EXPECT_EQ(List->ItemsCode()->Count(), 0);
    EXPECT_EQ(Buttons(), "A--") << "the text stays, and can be added again";
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(log, (Texts{"0", "1", "2", "2", "2", "2"}));
}

TEST_F(CorvelListEditor, UpdateWithCodesShownTakesTheCodeFromTheTextAndStaysInPlaceInASortedList)
{
    Wire();
    List->SetSorted(true);
    List->SetSeeCode(true);
    EXPECT_EQ(Shown(), (Texts{"ALS Alsace", "BOR Bordeaux", "CHA Champagne"}));
    List->SetItemIndex(0);
    Edit->SetText("ZZZ Vin de table");
    List->UpdateClick(Update);
    EXPECT_EQ(Codes(), (Texts{"ZZZ", "BOR", "CHA"}));
    EXPECT_EQ(Shown()[0], "ZZZ Vin de table");
    EXPECT_EQ(List->ItemsCode()->Objects(0), Tag(2));
}

TEST_F(CorvelListEditor, ABeforeHandlerCancelsEachActionAndMaySetTheText)
{
    Wire();
    ShowOnTop();
    int after = 0;
    List->OnAssociateButtonAfterClick = [&](TObject*, AssociateButton) { ++after; };
    std::vector<AssociateButton> asked;
    List->OnAssociateButtonBeforeClick = [&](TObject* sender, AssociateButton b, bool& proceed) {
        EXPECT_EQ(sender, List);
        asked.push_back(b);
        proceed = false;
    };
    List->SetItemIndex(1);
    Edit->SetText("Graves");
    for (TButton* button : {Add, Update, Delete})
        ClickButton(*button);
    EXPECT_EQ(asked, (std::vector<AssociateButton>{abAdd, abUpdate, abDelete}));
    EXPECT_EQ(after, 0);
    EXPECT_EQ(Shown(), (Texts{"Bordeaux", "Champagne", "Alsace"}));
    EXPECT_EQ(List->ItemIndex(), 1);

    // The text is read after the question.
    List->OnAssociateButtonBeforeClick = [&](TObject*, AssociateButton, bool&) { Edit->SetText("SUD Sud-Ouest"); };
    ClickButton(*Add);
    EXPECT_EQ(List->GetCode(3), "SUD");
    EXPECT_EQ(after, 1);
}

TEST_F(CorvelListEditor, NothingSelectedLeavesDeleteDisabledAndDoesNothing)
{
    Wire();
    List->SetItemIndex(0);
    Edit->SetText("Bordeaux");
    ASSERT_TRUE(Delete->Enabled());
    int after = 0;
    List->OnAssociateButtonAfterClick = [&](TObject*, AssociateButton) { ++after; };

    List->Clear();
    EXPECT_FALSE(Delete->Enabled());
    EXPECT_EQ(List->ItemsCode()->Count(), 0);
    EXPECT_NO_THROW(List->DeleteClick(Delete));
    EXPECT_EQ(after, 0);

    Wire({"BOR Bordeaux"});
    List->SetItemIndex(0);
    List->SetSelectedCode("JUR"); // no such code: nothing selected
    EXPECT_FALSE(Delete->Enabled());
    EXPECT_FALSE(Update->Enabled());
}

// The focus was given to a text control that could not take it: the error reached
// the user after the list had changed, and the after event never came.
TEST_F(CorvelListEditor, EveryActionCompletesWhenTheTextControlCannotTakeTheFocus)
{
    const std::pair<TControl*, void (TControl::*)(bool)> blocks[] = {
        {Edit, &TControl::SetEnabled}, {Edit, &TControl::SetVisible}, {&Form(), &TControl::SetVisible}};
    struct Case {
        void (TCorvelListBox::*Click)(TObject*);
        const char* Text;
        Texts Codes; // of Bordeaux and Champagne, or of Bordeaux alone when it is the last one
    };
    const Case cases[] = {{&TCorvelListBox::AddClick, "JUR Jura", {"BOR", "CHA", "JUR"}},
                          {&TCorvelListBox::UpdateClick, "Graves", {"BOR", "CHA"}},
                          {&TCorvelListBox::DeleteClick, "Bordeaux", {"CHA"}},
                          {&TCorvelListBox::DeleteClick, "Bordeaux", {}}};
    int after = 0;
    List->OnAssociateButtonAfterClick = [&](TObject*, AssociateButton) { ++after; };
    for (const auto& [control, set] : blocks)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(control->ClassName()) + " blocked, then " + c.Text);
            List->Clear();
            Wire(c.Codes.empty() ? Texts{"BOR Bordeaux"} : Texts{"BOR Bordeaux", "CHA Champagne"});
            List->SetItemIndex(0);
            Edit->SetText(c.Text);
            after = 0;
            (control->*set)(false);
            EXPECT_NO_THROW((List->*c.Click)(nullptr));
            (control->*set)(true);
            EXPECT_EQ(Codes(), c.Codes);
            EXPECT_EQ(after, 1);
        }
}

TEST_F(CorvelListEditor, TheMouseCopiesTheChosenItemAndTheKeysDoNot)
{
    Wire();
    ShowOnTop();
    const int itemHeight = static_cast<int>(SendMessageA(List->Handle(), LB_GETITEMHEIGHT, 0, 0));
    ClickAt(List->ClientToScreen(TPoint(20, itemHeight * 2 + itemHeight / 2)));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "Alsace");
    EXPECT_EQ(Edit->SelLength(), 6);
    EXPECT_TRUE(List->Focused()) << "the focus stays in the list";
    EXPECT_EQ(Buttons(), "-D-");

    PressKey(VK_UP);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Alsace");
}

TEST_F(CorvelListEditor, SortingKeepsEveryCodeAndObjectBesideItsItem)
{
    // The codes run in the opposite order to their descriptions.
    const Texts items{"3 Alsace", "1 Corse", "2 Bordeaux", "0 Savoie"};
    for (bool seeCode : {false, true}) {
        SCOPED_TRACE(seeCode ? "codes shown" : "codes hidden");
        List->Clear();
        List->SetSorted(false);
        List->SetSeeCode(seeCode);
        for (size_t i = 0; i < items.size(); ++i)
            List->ItemsCode()->AddObject(items[i], Tag(static_cast<int>(i)));
        List->SetSelectedCode("1");

        List->SetSorted(true);
        EXPECT_EQ(Codes(), seeCode ? (Texts{"0", "1", "2", "3"}) : (Texts{"3", "2", "1", "0"}));
        for (int i = 0; i < 4; ++i) {
            const std::string description = Shown()[i].substr(seeCode ? 2 : 0);
            const auto was = static_cast<int>(std::find(items.begin(), items.end(), Codes()[i] + " " + description) -
                                              items.begin());
            ASSERT_LT(was, 4) << Codes()[i] << " beside " << Shown()[i];
            EXPECT_EQ(List->ItemsCode()->Objects(i), Tag(was));
        }
        EXPECT_EQ(List->GetSelectedCode(), "1") << "the selected item stays selected";
        List->SetSeeCode(!seeCode);
        EXPECT_EQ(List->GetSelectedCode(), "1") << "codes shown or hidden re-sort the list, the selection follows";
        List->SetSeeCode(seeCode);

        // Added to the sorted list, an item lands in its place with its code.
        List->ItemsCode()->Add("4 Jura");
        EXPECT_EQ(List->GetCode(List->IndexOf(seeCode ? "4 Jura" : "Jura")), "4");

        // Unsorted again, the order stays.
        const Texts sortedCodes = Codes();
        List->SetSorted(false);
        EXPECT_EQ(Codes(), sortedCodes);
    }
}

TEST_F(CorvelListEditor, SeeCodeRebuildsOncePerChange)
{
    Wire();
    TStrings* const items = List->ItemsCode();
    List->SetItemIndex(2);
    for (int round = 0; round < 2; ++round)
        List->SetSeeCode(true);
    EXPECT_EQ(Shown(), (Texts{"BOR Bordeaux", "CHA Champagne", "ALS Alsace"}));
    List->SetSeeCode(false);
    EXPECT_EQ(Shown(), (Texts{"Bordeaux", "Champagne", "Alsace"}));
    EXPECT_EQ(Codes(), (Texts{"BOR", "CHA", "ALS"}));
    EXPECT_EQ(items->Objects(2), Tag(2));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(List->ItemsCode(), items) << "the item list is filled again, not replaced";
    EXPECT_EQ(List->Items(), items) << "the framework's items are the coded ones";
}

TEST_F(CorvelListEditor, TheHorizontalExtentGrowsAndNeverShrinks)
{
    Wire();
    auto extent = [&] { return SendMessageA(List->Handle(), LB_GETHORIZONTALEXTENT, 0, 0); };
    EXPECT_TRUE(List->SetHorizontalScroll());
    EXPECT_EQ(extent(), 0) << "narrower than the list box: nothing sent";

    const std::string wide = "LAN Languedoc-Roussillon, coteaux du Languedoc et Corbieres";
    const int wideWidth = List->Canvas()->TextWidth(wide);
    ASSERT_GT(wideWidth, List->Width());
    Edit->SetText(wide);
    List->AddClick(Add);
    EXPECT_EQ(extent(), wideWidth + 10) << "measured as entered";

    Edit->SetText("Jura");
    List->AddClick(Add);
    List->SetItemIndex(List->IndexOfCode("LAN"));
    List->DeleteClick(Delete);
    EXPECT_TRUE(List->SetHorizontalScroll());
    EXPECT_EQ(extent(), wideWidth + 10) << "never narrowed";

    List->SetHorizontal(false);
    EXPECT_FALSE(List->SetHorizontalScroll());
    List->SetHorizontal(true);
    List->Clear();
    EXPECT_FALSE(List->SetHorizontalScroll());
}

TEST_F(CorvelListEditor, AButtonServesOnePropertyRefusedSilentlyAtRunTimeAndWithAMessageInTheDesigner)
{
    Wire();
    int boxes = 0;
    Application->MessageBoxHook = [&](const std::string&, const std::string&, UINT) { return ++boxes, IDOK; };
    struct Case {
        void (TCorvelListBox::*Set)(TButton*);
        TButton* Taken;
    };
    for (const Case& c : {Case{&TCorvelListBox::SetButtonUpdate, Add}, Case{&TCorvelListBox::SetButtonUpdate, Delete},
                          Case{&TCorvelListBox::SetButtonAdd, Update}, Case{&TCorvelListBox::SetButtonAdd, Delete},
                          Case{&TCorvelListBox::SetButtonDelete, Add}, Case{&TCorvelListBox::SetButtonDelete, Update}})
        (List->*c.Set)(c.Taken);
    EXPECT_EQ(List->ControlUpdate(), Update);
    EXPECT_EQ(List->ControlAdd(), Add);
    EXPECT_EQ(List->ControlDelete(), Delete);
    EXPECT_EQ(boxes, 0);

    // In the designer, through the real message box.
    Application->MessageBoxHook = nullptr;
    const std::string title = Application->Title();
    Application->SetTitle("Cellar designer");
    List->SetDesigning(true);
    TMessageBoxWatcher watcher("Cellar designer");
    List->SetButtonUpdate(Delete);
    Application->SetTitle(title);
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(watcher.Text(), "This button is already used by another property of this ListBox.");
    EXPECT_EQ(List->ControlUpdate(), Update);
}

TEST_F(CorvelListEditor, DestroyedPartnersAreForgottenAndAGoneListBoxLeavesItsButtonsHarmless)
{
    Wire();
    delete Edit;
    delete Update;
    EXPECT_EQ(List->ControlEdit(), nullptr);
    EXPECT_EQ(List->ControlUpdate(), nullptr);
    List->SetItemIndex(0);
    List->DeleteClick(Delete); // no text control, no Update button: nothing reached through them
    EXPECT_EQ(List->GetCode(0), "CHA");

    // A button replaced keeps the list box's handler; once the list box is gone it does nothing.
    auto& spare = Place<TButton>(300, 10, 70, 25);
    List->SetButtonAdd(&spare);
    delete List;
    for (TButton* button : {Add, &spare, Delete})
        button->SetEnabled(true);
    ShowOnTop();
    ClickButton(*Add);
    ClickButton(spare);
    ClickButton(*Delete);
    SUCCEED() << "the buttons outlived the list box";
}

TEST_F(CorvelListEditor, GetAllAndTheSelectedItemsByTextOrCode)
{
    Wire({"BOR Bordeaux", "CHA Champagne", "ALS Alsace", "JUR Jura"});
    List->SetMultiSelect(true);
    List->SetSelected(1, true);
    List->SetSelected(3, true);
    TStringList target;
    target.Add("kept");
    List->GetAllSelected(&target);
    List->GetAllSelectedCode(&target);
    EXPECT_EQ(target.Lines(), (Texts{"kept", "Champagne", "Jura", "CHA", "JUR"}));

    List->GetAll(&target);
    EXPECT_EQ(target.Lines(), (Texts{"Bordeaux", "Champagne", "Alsace", "Jura"})) << "codes hidden: replaced";
    EXPECT_EQ(target.Objects(2), Tag(2));
    List->SetSeeCode(true);
    List->GetAll(&target);
    EXPECT_EQ(target.Count(), 8) << "codes shown: appended";
    EXPECT_EQ(target.Strings(7), "JUR Jura");
    List->GetAllCode(&target);
    EXPECT_EQ(target.Lines(), (Texts{"BOR", "CHA", "ALS", "JUR"}));
}
