// The coded combo box: selection by code and its events, SeeCode rebuilding the
// list, descriptions, clearing, a real choice in the real drop-down and re-creation.
#include "CodedComboTestSupport.h"

#include "framework/WindowTestSupport.h"

#include "framework/widgets/ListBox.h"

#include <imm.h>

#include <string>
#include <vector>

namespace {
using CodedComboBox = CodedComboFixture;
using Texts = std::vector<std::string>;
} // namespace

TEST_F(CodedComboBox, SelectedCodeReachesTheFirstItemWithTheCodeIgnoringCase)
{
    TProbedComboBox& combo = MakeCombo();
    combo.ItemsCode()->SetText("BOR Bordeaux\r\nbor Bordeaux superieur\r\n Sans code\r\nCHA Champagne\r\n");
    struct Case {
        const char* Code;
        int Index;
        const char* Selected;
        const char* Text;
    };
    for (const Case& c : {Case{"cha", 3, "CHA", "Champagne"}, Case{"Bor", 0, "BOR", "Bordeaux"},
                          Case{"", 2, "", "Sans code"}, Case{"JUR", -1, "", ""}}) {
        SCOPED_TRACE(c.Code);
        combo.SetSelectedCode(c.Code);
        EXPECT_EQ(combo.ItemIndex(), c.Index);
        EXPECT_EQ(combo.GetSelectedCode(), c.Selected);
        EXPECT_EQ(combo.Text(), c.Text);
    }
    EXPECT_EQ(combo.IndexOfCode("BOR"), 0);
    EXPECT_EQ(combo.GetCode(-1), "");
    EXPECT_EQ(combo.GetCode(4), "");
}

TEST_F(CodedComboBox, SetSelectedCodeClicksOnAMoveAndReportsANewCode)
{
    TProbedComboBox& combo = RegionCombo();
    int clicks = 0, codeChanges = 0;
    combo.OnClick = [&](TObject*) { ++clicks; };
    combo.OnSelectedCodeChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &combo);
        ++codeChanges;
    };
    struct Step {
        const char* Code;
        int Clicks;
        int CodeChanges;
    };
    // Each step's counts are for that step alone.
    for (const Step& s : {Step{"CHA", 1, 1}, Step{"cha", 0, 0}, Step{"JUR", 1, 1}, Step{"JUR", 0, 0},
                          Step{"BOR", 1, 1}}) {
        SCOPED_TRACE(s.Code);
        clicks = codeChanges = 0;
        combo.SetSelectedCode(s.Code);
        EXPECT_EQ(clicks, s.Clicks);
        EXPECT_EQ(codeChanges, s.CodeChanges);
    }
}

TEST_F(CodedComboBox, GetDescriptionLeavesTheCodeOut)
{
    TProbedComboBox& combo = RegionCombo();
    combo.ItemsCode()->Add("bor Bordeaux superieur");
    for (bool seeCode : {false, true}) {
        SCOPED_TRACE(seeCode ? "codes shown" : "codes hidden");
        combo.SetSeeCode(seeCode);
        EXPECT_EQ(combo.GetDescription("LOI"), "Val de Loire");
        EXPECT_EQ(combo.GetDescription("BOR"), "Bordeaux");
        EXPECT_EQ(combo.GetDescription("JUR"), "");
    }
    combo.SetSeeCode(false);
    combo.SetDesigning(true); // the designer shows descriptions whatever SeeCode says
    for (bool seeCode : {false, true}) {
        combo.SetSeeCode(seeCode);
        EXPECT_EQ(combo.GetDescription("LOI"), "Val de Loire");
        EXPECT_EQ(combo.GetDescription("JUR"), "");
    }
}

TEST_F(CodedComboBox, SeeCodeRebuildsTheListKeepingCodesObjectsAndTheSelectedPosition)
{
    TProbedComboBox& combo = RegionCombo();
    TStrings* const items = combo.ItemsCode();
    combo.SetItemIndex(4);
    int changes = 0;
    combo.OnChange = [&](TObject*) { ++changes; };

    combo.SetSeeCode(true);
    EXPECT_EQ(Shown(combo), Regions());
    EXPECT_EQ(combo.Text(), "LOI Val de Loire");
    EXPECT_EQ(combo.ItemIndex(), 4);
    EXPECT_EQ(combo.ItemsCode(), items) << "the item list is filled again, not replaced";
    EXPECT_EQ(combo.Items(), items) << "the framework's Items are the coded items";

    combo.SetSeeCode(false);
    EXPECT_EQ(Shown(combo), (Texts{"Bordeaux", "Bourgogne", "Champagne", "Alsace", "Val de Loire", "Cotes du Rhone"}));
    EXPECT_EQ(Codes(combo), (Texts{"BOR", "BOU", "CHA", "ALS", "LOI", "RHO"}));
    EXPECT_EQ(Objects(combo), (std::vector<TObject*>{Tag(0), Tag(1), Tag(2), Tag(3), Tag(4), Tag(5)}));
    EXPECT_EQ(combo.GetSelectedCode(), "LOI");
    EXPECT_EQ(combo.Text(), "Val de Loire");
    EXPECT_EQ(changes, 0) << "showing the codes changes no value";

    // The value it already has rebuilds nothing; a rebuild keeps a text typed with
    // nothing selected.
    combo.SetItemIndex(-1);
    combo.SetText("Graves");
    combo.Redraws.clear();
    combo.SetSeeCode(false);
    EXPECT_TRUE(combo.Redraws.empty());
    combo.SetSeeCode(true);
    EXPECT_EQ(combo.Redraws, (std::vector<WPARAM>{FALSE, TRUE}));
    EXPECT_EQ(combo.Text(), "Graves");
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(CodedComboBox, ClearEmptiesCodesListAndText)
{
    TProbedComboBox& combo = RegionCombo();
    combo.SetSelectedCode("ALS");
    combo.Clear();
    EXPECT_EQ(combo.ItemsCode()->Count(), 0);
    EXPECT_TRUE(Shown(combo).empty());
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(combo.GetSelectedCode(), "");
}

TEST_F(CodedComboBox, AChoiceInTheRealDropDownClicksThenReportsTheCodeThenTheChange)
{
    TProbedComboBox& combo = RegionCombo();
    std::vector<std::string> log;
    combo.OnClick = [&](TObject*) { log.push_back("Click " + combo.Text()); };
    combo.OnSelectedCodeChange = [&](TObject*) { log.push_back("Code " + combo.GetSelectedCode()); };
    combo.OnChange = [&](TObject*) { log.push_back("Change " + combo.Text()); };
    ASSERT_TRUE(ChooseInDropDown(combo, 1)); // Bourgogne
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 3; })) << ::testing::PrintToString(log);
    EXPECT_EQ(log, (Texts{"Click Bourgogne", "Code BOU", "Change Bourgogne"}));

    // The program's own selection compares with what it saw last itself, not with the user's choice.
    log.clear();
    combo.SetSelectedCode("BOU");
    EXPECT_EQ(log, (Texts{"Code BOU"}));
}

TEST_F(CodedComboBox, ANewStyleKeepsItemsCodesAndSelectionAndTheSystemsDropDownWidth)
{
    TProbedComboBox& combo = RegionCombo();
    const LRESULT systemWidth = SendMessageA(combo.Handle(), CB_GETDROPPEDWIDTH, 0, 0);
    combo.SetDroppedWidth(static_cast<int>(systemWidth) + 120);
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETDROPPEDWIDTH, 0, 0), systemWidth + 120);
    combo.SetSelectedCode("CHA");
    const HWND firstWindow = combo.Handle();
    const LONG_PTR hook = GetWindowLongPtrA(combo.EditHandle(), GWLP_WNDPROC);

    combo.SetStyle(csDropDownList);
    ASSERT_NE(combo.Handle(), firstWindow);
    EXPECT_EQ(Shown(combo)[2], "Champagne");
    EXPECT_EQ(Codes(combo), (Texts{"BOR", "BOU", "CHA", "ALS", "LOI", "RHO"}));
    EXPECT_EQ(Objects(combo)[5], Tag(5));
    EXPECT_EQ(combo.GetSelectedCode(), "CHA");
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETDROPPEDWIDTH, 0, 0), systemWidth);
    EXPECT_EQ(combo.DroppedWidth(), systemWidth + 120) << "the width last sent";

    // Back to an edit part: the hook is on the new one, and its keys reach the combo box once.
    combo.SetStyle(csDropDown);
    ASSERT_NE(combo.EditHandle(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(combo.EditHandle(), GWLP_WNDPROC), hook);
    std::string pressed;
    combo.OnKeyPress = [&](TObject*, char& key) { pressed += key; };
    SendMessageA(combo.EditHandle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(pressed, "x");
}

TEST_F(CodedComboBox, TheInputMethodIsPutInTheModeAskedForWhenTheFocusArrives)
{
    TProbedComboBox& combo = RegionCombo();
    auto& list = Place<TListBox>(240, 10, 100, 80);
    SetForegroundWindow(Form().Handle());
    Pump();
    // "off" when the window has no input context, else "open" or "closed".
    auto state = [](HWND window) {
        const HIMC context = ImmGetContext(window);
        if (!context)
            return std::string("off");
        const bool open = ImmGetOpenStatus(context);
        ImmReleaseContext(window, context);
        return std::string(open ? "open" : "closed");
    };
    struct Case {
        TImeMode Mode;
        const char* State;
    };
    const Case cases[] = {{imOpen, "open"}, {imClose, "closed"}, {imDisable, "off"}, {imOpen, "open"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(ImeModeInfo().NameOf(c.Mode));
        // The combo box's focus is its edit part's.
        combo.SetImeMode(c.Mode);
        combo.SetFocus();
        ASSERT_EQ(GetFocus(), combo.EditHandle());
        EXPECT_EQ(state(combo.EditHandle()), c.State);
        list.SetImeMode(c.Mode);
        list.SetFocus();
        ASSERT_EQ(GetFocus(), list.Handle());
        EXPECT_EQ(state(list.Handle()), c.State);
    }
}
