// The coded combo box's typing aids, typed for real on the virtual display: the
// numeric filter and the paste filter in the user's decimal separator, completion
// in a drop-down combo box, the type-ahead search of a drop-down list with its
// one-second timer, and the edit part's mouse.
#include "CodedComboTestSupport.h"

#include "framework/WindowTestSupport.h"
#include "framework/system/Beep.h"
#include "framework/system/Clipboard.h"
#include "framework/text/SysUtils.h"

#include <string>
#include <tuple>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

class ComboTyping : public CodedComboFixture {
protected:
    void SetUp() override
    {
        CodedComboFixture::SetUp();
        MessageBeepProc() = [this](UINT) {
            ++Beeps;
            return TRUE;
        };
    }
    void TearDown() override
    {
        MessageBeepProc() = MessageBeep;
        CodedComboFixture::TearDown();
    }

    // The combo box has the keyboard: its edit part, or itself without one.
    void Focus(TCorvelComboBox& combo)
    {
        SetForegroundWindow(Form().Handle());
        combo.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return combo.Focused(); }));
    }

    // Characters typed on the keyboard, one after the other; '\b' is the Backspace
    // key and '\x25' the Left arrow.
    static void Type(const std::string& text)
    {
        for (const char c : text) {
            if (c == '\b' || c == VK_LEFT) {
                PressKey(static_cast<WORD>(c == '\b' ? VK_BACK : VK_LEFT));
                continue;
            }
            INPUT input[2]{};
            for (INPUT& i : input) {
                i.type = INPUT_KEYBOARD;
                i.ki.wScan = static_cast<unsigned char>(c);
                i.ki.dwFlags = KEYEVENTF_UNICODE;
            }
            input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            SendInput(2, input, sizeof(INPUT));
            PumpFor(30);
        }
    }

    static void Select(TCorvelComboBox& combo, int start, int end)
    {
        SendMessageA(combo.Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    }
    // The edit selection as "start-end".
    static std::string Selection(TCorvelComboBox& combo)
    {
        return std::to_string(combo.SelStart()) + "-" + std::to_string(combo.SelStart() + combo.SelLength());
    }

    static void PutOnClipboard(const std::string& text)
    {
        if (!text.empty()) {
            Clipboard()->SetAsText(text);
            return;
        }
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }

    int Beeps = 0;
};

// The user's separator, and the other one, which is no separator here. Functions:
// the framework's settings may not be read yet when this unit's globals are made.
std::string Sep() { return std::string(1, FormatSettings.DecimalSeparator); }
std::string NotSep() { return FormatSettings.DecimalSeparator == '.' ? "," : "."; }

using ComboTypingLocale = ComboTyping;

struct FilterCase {
    TComboBoxStyle Style;
    CorvelComboType Type;
    bool AllowNegative;
    std::string Text;
    int SelStart, SelEnd;
    std::string Typed;
    std::string Expected;
};
} // namespace

TEST_F(ComboTypingLocale, TheNumericFilterLetsThroughOnlyWhatMakesANumber)
{
    TProbedComboBox& combo = MakeCombo();
    Focus(combo);
    const FilterCase cases[] = {
        {csDropDown, ctInteger, false, "", 0, 0, "1a2-" + Sep(), "12"},
        {csDropDown, ctInteger, false, "5", 0, 0, "-", "5"},
        {csDropDown, ctInteger, false, "123", 3, 3, "\b\b4", "14"},
        {csDropDown, ctInteger, true, "", 0, 0, "-12-", "-12"},
        {csDropDown, ctInteger, true, "5", 0, 0, "-", "-5"},
        {csDropDown, ctInteger, true, "-5", 0, 0, "-", "-5"},   // a second leading minus
        {csDropDown, ctInteger, true, "-5", 0, 1, "-", "-5"},   // over the selected one
        {csDropDown, ctInteger, true, "-5", 0, 2, "-", "-"},
        {csDropDown, ctInteger, true, "5", 1, 1, "-", "5"},     // after a digit
        {csDropDown, ctNumeric, false, "", 0, 0, "1" + Sep() + "5" + Sep() + NotSep() + "x", "1" + Sep() + "5"},
        {csDropDown, ctNumeric, false, "1" + Sep() + "5", 3, 3, Sep(), "1" + Sep() + "5"},
        {csDropDown, ctNumeric, false, "1" + Sep() + "5", 0, 2, Sep(), Sep() + "5"}, // the selection holds it
        {csDropDown, ctNumeric, false, "1" + Sep() + "5", 2, 3, Sep() + "7", "1" + Sep() + "7"},
        {csDropDown, ctNumeric, true, "2" + Sep() + "5", 0, 0, "-", "-2" + Sep() + "5"},
        {csDropDown, ctAny, false, "", 0, 0, "a-" + NotSep(), "a-" + NotSep()},
        {csSimple, ctInteger, false, "", 0, 0, "ab-", "ab-"},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE("\"" + c.Text + "\" typed \"" + c.Typed + "\"");
        if (combo.Style() != c.Style) {
            combo.SetStyle(c.Style);
            Focus(combo);
        }
        combo.SetType(c.Type);
        combo.SetAllowNegative(c.AllowNegative);
        combo.SetText(c.Text);
        Select(combo, c.SelStart, c.SelEnd);
        Type(c.Typed);
        EXPECT_EQ(combo.Text(), c.Expected);
    }
}

TEST_F(ComboTyping, EveryKeyReachesTheHandlersOnceAndMayBeChangedBeforeTheFilter)
{
    TProbedComboBox& combo = MakeCombo();
    combo.SetType(ctInteger);
    std::string pressed, downs;
    combo.OnKeyPress = [&](TObject*, char& key) {
        pressed += key;
        if (key == 'o')
            key = '0'; // a handler's digit passes the filter
    };
    combo.OnKeyDown = [&](TObject*, WORD& key, TShiftState) { downs += static_cast<char>(key == VK_PACKET ? 'p' : key); };
    Focus(combo);
    Type("1xo");
    EXPECT_EQ(pressed, "1xo");
    EXPECT_EQ(downs, "ppp");
    EXPECT_EQ(combo.Text(), "10");
}

TEST_F(ComboTypingLocale, APasteGoesInOnlyWhenTheTextItMakesCouldHaveBeenTyped)
{
    TProbedComboBox& combo = MakeCombo();
    struct Case {
        CorvelComboType Type;
        bool AllowNegative;
        std::string Text;
        std::string Clipboard;
        std::string Expected;
    };
    const Case cases[] = {
        {ctInteger, true, "", "-3", "-3"},
        {ctInteger, false, "", "-3", ""},
        {ctInteger, true, "12", "-3", "12"},               // the minus would not lead
        {ctInteger, false, "", "1" + Sep() + "5", ""},
        {ctNumeric, false, "", "1" + Sep() + "5", "1" + Sep() + "5"},
        {ctNumeric, false, "2" + Sep(), "5" + Sep() + "1", "2" + Sep()},  // a second separator
        {ctNumeric, false, "", "1" + NotSep() + "5", ""},
        {ctNumeric, false, "7", "abc", "7"},
        {ctNumeric, false, "7", "", "7"},                  // no text on the clipboard
        {ctAny, false, "7", "abc", "7abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.Clipboard + "\" pasted after \"" + c.Text + "\"");
        combo.SetType(c.Type);
        combo.SetAllowNegative(c.AllowNegative);
        combo.SetText(c.Text);
        const int end = static_cast<int>(c.Text.size());
        Select(combo, end, end);
        PutOnClipboard(c.Clipboard);
        SendMessageA(combo.Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(combo.Text(), c.Expected);
    }
}

TEST_F(ComboTyping, TheEditPartsOwnPasteKeysAreFilteredToo)
{
    TProbedComboBox& combo = MakeCombo();
    combo.SetType(ctInteger);
    Focus(combo);
    PutOnClipboard("4.5");
    PressKey(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(combo.Text(), "");
    PutOnClipboard("42");
    PressKey('V', VK_CONTROL); // Ctrl+V is a control character: the typing filter drops it
    EXPECT_EQ(combo.Text(), "");
    PressKey(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(combo.Text(), "42");
}

namespace {
// Items whose descriptions share their first letters, with numeric codes.
void Vineyards(TCorvelComboBox& combo)
{
    combo.ItemsCode()->SetText("12 Bordeaux\r\n13 Bourgogne\r\n20 Champagne\r\n");
}
} // namespace

TEST_F(ComboTyping, TypingCompletesWithTheFirstItemAndSelectsWhatWasNotTyped)
{
    TProbedComboBox& combo = MakeCombo();
    Vineyards(combo);
    std::vector<std::string> log;
    combo.OnSelectedCodeChange = [&](TObject*) { log.push_back("Code " + combo.GetSelectedCode()); };
    combo.OnChange = [&](TObject*) { log.push_back("Change " + combo.Text()); };
    struct Step {
        bool SeeCode;
        const char* Start; // the text typed into, with the caret at its end; null: as it is
        std::string Typed;
        std::string Text;
        std::string Selection;
        std::string Code;
    };
    const Step steps[] = {
        {false, "", "B", "Bordeaux", "1-8", "12"},
        {false, nullptr, "ou", "Bourgogne", "3-9", "13"},
        {false, nullptr, "\b", "Bou", "3-3", ""}, // a deletion completes nothing
        {false, nullptr, "\b", "Bo", "2-2", ""},
        {false, nullptr, "c", "Boc", "3-3", ""},
        {false, "Bx", "\x25o", "Box", "2-2", ""}, // inside the text (after Left)
        {true, "", "1", "12 Bordeaux", "1-2", "12"}, // only the rest of the code
        {true, nullptr, "3", "13 Bourgogne", "2-2", "13"},
        {true, nullptr, "\b", "1", "1-1", ""},
        {true, nullptr, "\b2", "20 Champagne", "1-2", "20"},
    };
    Focus(combo);
    for (const Step& s : steps) {
        SCOPED_TRACE("typed \"" + s.Typed + "\"");
        combo.SetSeeCode(s.SeeCode);
        if (s.Start) {
            combo.SetText(s.Start);
            const int end = static_cast<int>(std::string(s.Start).size());
            Select(combo, end, end);
        }
        Type(s.Typed);
        EXPECT_EQ(combo.Text(), s.Text);
        EXPECT_EQ(Selection(combo), s.Selection);
        EXPECT_EQ(combo.GetSelectedCode(), s.Code);
    }
    EXPECT_EQ(log.front(), "Change B") << ::testing::PrintToString(log);
}

TEST_F(ComboTyping, ADeletionThatEmptiesTheTextReportsTheChangeThenTheCode)
{
    TProbedComboBox& combo = MakeCombo();
    Vineyards(combo);
    Focus(combo);
    Type("B");
    ASSERT_EQ(combo.GetSelectedCode(), "12");
    std::vector<std::string> log;
    combo.OnSelectedCodeChange = [&](TObject*) { log.push_back("Code " + combo.GetSelectedCode()); };
    combo.OnChange = [&](TObject*) { log.push_back("Change " + combo.Text()); };
    Select(combo, 0, -1);
    PressKey(VK_DELETE);
    EXPECT_EQ(log, (Texts{"Change ", "Code "}));
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(combo.ItemIndex(), -1);
}

// The system kept the item chosen in the list through the first edit after it, so
// the program went on with a code the user no longer saw.
TEST_F(ComboTyping, TheFirstEditAfterAChoiceInTheListLeavesTheChosenItem)
{
    for (const auto& [seeCode, text, code] : {std::tuple(false, "1", ""), std::tuple(true, "12 Bordeaux", "12")}) {
        SCOPED_TRACE(text);
        TProbedComboBox& combo = MakeCombo();
        Vineyards(combo);
        combo.SetSeeCode(seeCode);
        Texts codes;
        combo.OnSelectedCodeChange = [&](TObject*) { codes.push_back(combo.GetSelectedCode()); };
        ASSERT_TRUE(ChooseInDropDown(combo, 1));
        Select(combo, 0, -1);
        Type("1");
        EXPECT_EQ(combo.Text(), text);
        EXPECT_EQ(combo.GetSelectedCode(), code);
        EXPECT_EQ(codes, (Texts{"13", code})) << "the code of the item chosen, then of what the edit part shows";
        delete &combo;
    }
}

TEST_F(ComboTyping, WithAutoSelectItemOffTypingIsLeftToTheSystem)
{
    TProbedComboBox& combo = RegionCombo();
    combo.SetAutoSelectItem(false);
    Focus(combo);
    Type("B");
    EXPECT_EQ(combo.Text(), "B") << "nothing completed";
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetStyle(csDropDownList);
    int clicks = 0;
    combo.OnClick = [&](TObject*) { ++clicks; };
    Focus(combo);
    Type("v");
    EXPECT_EQ(combo.Text(), "Val de Loire");
    EXPECT_EQ(clicks, 1) << "the system's letter selection, which reports itself";
    EXPECT_EQ(Beeps, 0);
}

TEST_F(ComboTyping, ChoosingAnItemWithCodesShownLeavesTheCodeWithTheCaretAfterIt)
{
    TProbedComboBox& combo = MakeCombo();
    Vineyards(combo);
    combo.SetSeeCode(true);
    std::vector<std::string> log;
    combo.OnChange = [&](TObject*) { log.push_back(combo.Text() + " " + Selection(combo)); };
    Focus(combo);
    combo.SetDroppedDown(true);
    PressKey(VK_DOWN); // the first item
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "12 2-2");
    EXPECT_EQ(combo.GetSelectedCode(), "12");
}

// --- the type-ahead search of a drop-down list ---

TEST_F(ComboTyping, ADropDownListSearchesWhatIsTypedWithinASecond)
{
    TProbedComboBox& combo = RegionCombo(csDropDownList);
    int events = 0;
    std::string pressed;
    combo.OnClick = combo.OnChange = combo.OnSelectedCodeChange = [&](TObject*) { ++events; };
    combo.OnKeyPress = [&](TObject*, char& key) { pressed += key; };
    Focus(combo);
    struct Step {
        int PauseMs;
        std::string Typed;
        std::string Selected;
        int Beeps;
    };
    const Step steps[] = {
        {0, "bou", "Bourgogne", 0},
        {1300, "v", "Val de Loire", 0},   // a new prefix after a second
        {1300, "BB", "Bordeaux", 0},      // the same letter twice stays on the first
        {0, "x", "Bordeaux", 1},          // "Bx" matches nothing
        {1300, "cz", "Champagne", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE("typed \"" + s.Typed + "\"");
        PumpFor(s.PauseMs);
        Beeps = 0;
        Type(s.Typed);
        EXPECT_EQ(combo.Text(), s.Selected);
        EXPECT_EQ(Beeps, s.Beeps);
    }
    EXPECT_EQ(events, 0) << "the search selects quietly";
    EXPECT_EQ(pressed, "bouvBBxcz");
}

TEST_F(ComboTyping, TheSearchResultHoldsTheSelectionOnlyUntilTheSecondEnds)
{
    TProbedComboBox& combo = RegionCombo(csDropDownList);
    Focus(combo);
    Type("c");
    ASSERT_EQ(combo.GetSelectedCode(), "CHA");
    combo.SetItemIndex(3);
    EXPECT_EQ(combo.GetSelectedCode(), "CHA") << "within the second the search's item stays";
    PumpFor(1300);
    combo.SetItemIndex(3);
    EXPECT_EQ(combo.GetSelectedCode(), "ALS");
    combo.SetSelectedCode("LOI");
    EXPECT_EQ(combo.GetSelectedCode(), "LOI");
}

TEST_F(ComboTyping, AFailingSearchBeepsThroughTheSystem)
{
    MessageBeepProc() = MessageBeep;
    const auto* target = MessageBeepProc().target<BOOL(WINAPI*)(UINT)>();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(*target, &MessageBeep);
    TProbedComboBox& combo = RegionCombo(csDropDownList);
    combo.SetItemIndex(1);
    Focus(combo);
    Type("q");
    EXPECT_EQ(combo.Text(), "Bourgogne");
}

// --- the edit part's mouse and margin ---

TEST_F(ComboTyping, TheEditPartsReleaseReachesOnMouseUpAndItsPressStartsAnAutomaticDragAtOnce)
{
    TProbedComboBox& combo = MakeCombo();
    auto& target = Place<TProbedComboBox>(10, 120, 200, 21);
    std::vector<std::string> log;
    combo.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    combo.OnStartDrag = [&](TObject*) { log.push_back("start"); };
    target.OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; };
    target.OnDragDrop = [&](TObject*, TObject* source, int, int) { log.push_back(source == &combo ? "drop" : "?"); };
    Form().Update();
    ClickAt(combo.ClientToScreen(TPoint(30, 8)));
    EXPECT_EQ(log, (Texts{"up 30,8"})) << "in the combo box's coordinates, once";

    log.clear();
    combo.SetDragMode(dmAutomatic);
    MovePointer(combo.ClientToScreen(TPoint(30, 8)));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(50);
    EXPECT_EQ(log, (Texts{"start"})) << "no movement is needed";
    MovePointer(target.ClientToScreen(TPoint(30, 8)));
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(50);
    EXPECT_EQ(log, (Texts{"start", "drop"}));
    EXPECT_FALSE(combo.Dragging());
}

TEST_F(ComboTyping, TheEditPartHasNoLeftMarginOnEveryNewWindow)
{
    TProbedComboBox& combo = MakeCombo();
    auto leftMargin = [&] { return LOWORD(SendMessageA(combo.EditHandle(), EM_GETMARGINS, 0, 0)); };
    EXPECT_EQ(leftMargin(), 0);
    combo.Font()->SetSize(14);
    EXPECT_EQ(leftMargin(), 0);
    combo.SetStyle(csDropDownList);
    combo.SetStyle(csDropDown);
    EXPECT_EQ(leftMargin(), 0);
    Vineyards(combo);
    Focus(combo);
    Type("C");
    EXPECT_EQ(combo.Text(), "Champagne") << "completion on the new edit part";
}
