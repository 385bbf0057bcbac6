// The combo box over the system COMBOBOX: items kept in the system list, the real
// drop-down, the edit part's messages, re-creation and the window's height.
#include "WindowTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Edit.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

// Objects to hang on items: only their addresses matter.
TObject* Tag(int n)
{
    static TObject objects[8];
    return &objects[n];
}

// Counts the CB_SETCURSEL messages that reach the window through the framework.
class TWatchedComboBox : public TComboBox {
public:
    using TComboBox::TComboBox;
    int SetCurSelCount = 0;
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CB_SETCURSEL)
            ++SetCurSelCount;
        TComboBox::Dispatch(Message);
    }
};

class WidgetsComboBox : public TFormFixture {
protected:
    TComboBox* MakeCombo(TComboBoxStyle style = csDropDown)
    {
        auto* combo = Add<TComboBox>(20, 20, 160, 21);
        combo->SetStyle(style);
        for (const char* text : {"Alsace", "Bordeaux", "Bourgogne", "Champagne"})
            combo->Items()->Add(text);
        for (int i = 0; i < 4; ++i)
            combo->Items()->PutObject(i, Tag(i));
        return combo;
    }
    static std::string WindowItem(HWND combo, int index)
    {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Where the list shows while it is dropped down.
    static RECT DroppedListRect(TComboBox& combo)
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo.Handle(), &info);
        RECT r;
        GetWindowRect(info.hwndList, &r);
        return r;
    }
    std::vector<std::string> Log;
};

} // namespace

TEST_F(WidgetsComboBox, ItemsAndTheirObjectsLiveInTheSystemList)
{
    TComboBox* combo = MakeCombo();
    HWND window = combo->Handle();
    ASSERT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(WindowItem(window, 2), "Bourgogne");
    EXPECT_EQ(reinterpret_cast<TObject*>(SendMessageA(window, CB_GETITEMDATA, 2, 0)), Tag(2));

    // What the user adds through the window, the program reads through Items.
    SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Jura"));
    EXPECT_EQ(combo->Items()->Count(), 5);
    EXPECT_EQ(combo->Items()->Strings(4), "Jura");

    combo->Items()->Put(1, "Graves"); // replaced in place, object kept
    EXPECT_EQ(WindowItem(window, 1), "Graves");
    EXPECT_EQ(combo->Items()->Objects(1), Tag(1));
    combo->Items()->Insert(0, "Ajaccio");
    EXPECT_EQ(combo->Items()->Objects(1), Tag(0));
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->Items()->IndexOf("bourgogne"), 2); // the system's search ignores case
    EXPECT_EQ(combo->Items()->IndexOf("Loire"), -1);

    for (int bad : {-1, 5}) {
        try {
            combo->Items()->Strings(bad);
            ADD_FAILURE() << "no error for index " << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(combo->Items()->Insert(6, "Loire"), EListError);
    EXPECT_THROW(combo->Items()->PutObject(5, Tag(0)), EListError);
    EXPECT_EQ(combo->Items()->Count(), 5); // nothing lost to the bad calls
}

TEST_F(WidgetsComboBox, ItemIndexIsTheSystemSelectionAndIsSentOnlyWhenItChanges)
{
    auto* combo = new TWatchedComboBox(Form.get());
    combo->SetParent(Form.get());
    combo->Items()->SetText("Alsace\r\nBordeaux\r\nBourgogne\r\n");
    EXPECT_EQ(combo->ItemIndex(), -1);

    combo->SetItemIndex(1);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->SetCurSelCount, 1);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo->Text(), "Bordeaux"); // the system fills the edit part

    SendMessageA(combo->Handle(), CB_SETCURSEL, 2, 0); // the user's or another program's choice
    EXPECT_EQ(combo->ItemIndex(), 2);

    EXPECT_THROW(combo->SetItemIndex(3), EListError);
    EXPECT_THROW(combo->SetItemIndex(-2), EListError);
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Text(), "");
}

TEST_F(WidgetsComboBox, AnItemChosenInTheRealDropDownGivesTextThenClickThenChange)
{
    for (TComboBoxStyle style : {csDropDown, csDropDownList}) {
        SCOPED_TRACE(ComboBoxStyleInfo().NameOf(style));
        TComboBox* combo = MakeCombo(style);
        Log.clear();
        combo->OnDropDown = [&](TObject*) { Log.push_back("DropDown"); };
        combo->OnClick = [&](TObject*) { Log.push_back("Click " + combo->Text()); };
        combo->OnChange = [&](TObject*) { Log.push_back("Change " + combo->Text()); };
        ShowForm();

        // The arrow button at the right end of the combo box.
        ClickAt(combo->ClientToScreen(TPoint(combo->Width() - 6, combo->Height() / 2)));
        ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
        const RECT list = DroppedListRect(*combo);
        const int itemHeight = combo->ItemHeight();
        ClickAt(TPoint(list.left + 20, list.top + 1 + itemHeight * 2 + itemHeight / 2)); // "Bourgogne"
        ASSERT_TRUE(PumpUntil([&] { return Log.size() >= 3; })) << ::testing::PrintToString(Log);
        PumpFor(50);

        EXPECT_EQ(Log, (std::vector<std::string>{"DropDown", "Click Bourgogne", "Change Bourgogne"}));
        EXPECT_EQ(combo->ItemIndex(), 2);
        EXPECT_FALSE(combo->DroppedDown());
        delete combo;
    }
}

TEST_F(WidgetsComboBox, TheEditPartsKeysReachTheComboBoxOnce)
{
    TComboBox* combo = MakeCombo();
    std::string pressed;
    int keyDowns = 0, keyUps = 0;
    combo->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
    combo->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++keyUps; };
    combo->OnKeyPress = [&](TObject*, char& key) {
        pressed += key;
        if (key == 'x')
            key = 0; // refused: the edit part never sees it
    };
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    ShowForm();
    combo->SetFocus();
    ASSERT_NE(combo->EditHandle(), nullptr);
    EXPECT_EQ(GetFocus(), combo->EditHandle());
    EXPECT_TRUE(combo->Focused());

    for (WORD key : {'B', 'X', 'O'})
        PressKey(key);
    ASSERT_TRUE(PumpUntil([&] { return pressed.size() == 3; }));
    EXPECT_EQ(pressed, "bxo");
    EXPECT_EQ(combo->Text(), "bo");
    EXPECT_EQ(keyDowns, 3);
    EXPECT_EQ(keyUps, 3);
    EXPECT_EQ(changes, 2); // one per character that reached the edit part
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(WidgetsComboBox, MouseMessagesOfTheEditPartArriveInComboBoxCoordinates)
{
    TComboBox* combo = MakeCombo();
    std::vector<std::string> events;
    combo->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    combo->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        events.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    ShowForm();
    RECT edit;
    GetWindowRect(combo->EditHandle(), &edit);
    const TPoint inCombo = combo->ScreenToClient(TPoint(edit.left + 5, edit.top + 4));
    ClickAt(TPoint(edit.left + 5, edit.top + 4));
    const std::string at = std::to_string(inCombo.x) + "," + std::to_string(inCombo.y);
    EXPECT_EQ(events, (std::vector<std::string>{"down 0 " + at, "up 0 " + at}));
    EXPECT_EQ(GetFocus(), combo->EditHandle()); // the system's own handling ran too

    // A right click on the edit part asks the combo box for its context menu.
    TPoint asked(-5, -5);
    combo->OnContextPopup = [&](TObject*, TPoint at, bool& handled) {
        asked = at;
        handled = true; // the program's menu, not the edit's own
    };
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return asked.x != -5; }));
    EXPECT_EQ(asked.x, inCombo.x);
    EXPECT_EQ(asked.y, inCombo.y);
    EXPECT_EQ(events.back(), "up 1 " + at);
}

TEST_F(WidgetsComboBox, FocusMovingBetweenTheComboBoxAndItsEditPartStaysInside)
{
    TComboBox* combo = MakeCombo();
    auto* edit = Add<TEdit>(20, 80, 100, 21);
    std::vector<std::string> events;
    combo->OnEnter = [&](TObject*) { events.push_back("enter"); };
    combo->OnExit = [&](TObject*) { events.push_back("exit"); };
    ShowForm();
    edit->SetFocus();
    events.clear();

    combo->SetFocus(); // the system hands the focus on to the edit part
    EXPECT_EQ(events, std::vector<std::string>{"enter"});
    EXPECT_EQ(Form->ActiveControl(), combo);
    edit->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    ClickAt(CentreOf(*combo)); // straight into the edit part
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit", "enter"}));
    EXPECT_TRUE(combo->Focused());
}

TEST_F(WidgetsComboBox, ARecreatedComboBoxKeepsItemsObjectsSelectionAndText)
{
    TComboBox* combo = MakeCombo(csDropDown);
    combo->SetItemIndex(2);
    HWND before = combo->Handle();

    combo->SetStyle(csDropDownList);
    EXPECT_NE(combo->Handle(), before);
    EXPECT_EQ(combo->EditHandle(), nullptr);
    ASSERT_EQ(combo->Items()->Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(combo->Items()->Objects(i), Tag(i));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "Bourgogne");

    // Sorting puts the items in another order: the selection follows its item.
    combo->SetStyle(csSimple);
    combo->Items()->Insert(0, "Savoie");
    combo->Items()->PutObject(0, Tag(7));
    combo->SetItemIndex(1); // Alsace
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->Text(), "Alsace\r\nBordeaux\r\nBourgogne\r\nChampagne\r\nSavoie\r\n");
    EXPECT_EQ(combo->Items()->Objects(4), Tag(7));
    EXPECT_EQ(combo->Items()->Objects(0), Tag(0));
    EXPECT_EQ(combo->ItemIndex(), 0);

    // Typed text that is no item survives in the styles with an edit part.
    combo->SetStyle(csDropDown);
    combo->SetItemIndex(-1);
    combo->SetText("Cahors");
    combo->SetStyle(csSimple);
    EXPECT_EQ(combo->Text(), "Cahors");
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(WidgetsComboBox, ProgramTextChangesAreReportedOnceAndClearEmptiesEverything)
{
    TComboBox* combo = MakeCombo(csDropDown);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->SetText("Cahors");
    combo->SetText("Cahors");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(GetWindowTextLengthA(combo->EditHandle()), 6);

    combo->SetText("Cahors wines");
    combo->SetSelStart(7);
    combo->SetSelLength(3);
    DWORD start = 0, end = 0;
    SendMessageA(combo->EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(end, 10u);
    EXPECT_EQ(combo->SelStart(), 7);
    EXPECT_EQ(combo->SelLength(), 3);

    combo->Clear();
    EXPECT_EQ(combo->Items()->Count(), 0);
    EXPECT_EQ(combo->Text(), "");

    // Without an edit part the text chooses the item.
    combo->SetStyle(csDropDownList);
    combo->Items()->SetText("Alsace\r\nBordeaux\r\n");
    combo->SetText("bordeaux");
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(WidgetsComboBox, TheWindowIsAsTallAsTheEditPartAndTheListTakesDropDownCountLines)
{
    TComboBox* combo = MakeCombo(csDropDownList);
    for (int i = 0; i < 20; ++i)
        combo->Items()->Add("Cru " + std::to_string(i));
    RECT window;
    GetWindowRect(combo->Handle(), &window);
    const int closed = window.bottom - window.top;
    EXPECT_EQ(combo->Height(), closed);

    combo->SetBounds(30, 25, 200, 300); // the height is the system's
    EXPECT_EQ(combo->Height(), closed);
    EXPECT_EQ(combo->Width(), 200);
    EXPECT_EQ(combo->Left(), 30);

    ShowForm();
    auto listHeight = [&] {
        combo->SetDroppedDown(true);
        const RECT r = DroppedListRect(*combo);
        combo->SetDroppedDown(false);
        return r.bottom - r.top;
    };
    combo->SetDropDownCount(8);
    EXPECT_EQ(listHeight(), 8 * combo->ItemHeight() + 2);
    combo->SetDropDownCount(12);
    EXPECT_EQ(listHeight(), 12 * combo->ItemHeight() + 2);
    combo->SetDropDownCount(INT_MAX); // as a damaged form may give it: the list takes the screen
    EXPECT_GT(listHeight(), 12 * combo->ItemHeight() + 2);
    EXPECT_LE(listHeight(), GetSystemMetrics(SM_CYSCREEN));
    combo->SetDropDownCount(12);
    EXPECT_THROW(combo->SetDropDownCount(0), EInvalidOperation);
    EXPECT_EQ(combo->DropDownCount(), 12);

    combo->SetStyle(csSimple); // the simple style shows its list inside the window
    combo->SetHeight(120);
    EXPECT_EQ(combo->Height(), 120);
}

TEST_F(WidgetsComboBox, OwnerDrawnItemsAreMeasuredAndDrawnByTheProgram)
{
    auto* combo = Add<TComboBox>(20, 20, 160, 21);
    combo->SetStyle(csOwnerDrawVariable);
    std::vector<int> measured;
    combo->OnMeasureItem = [&](TWinControl*, int index, int& height) {
        measured.push_back(index);
        height = 10 + 5 * index;
    };
    std::vector<std::string> drawn;
    combo->OnDrawItem = [&](TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
        drawn.push_back(std::to_string(index) + (state.Contains(odComboBoxEdit) ? " edit" : ""));
        TCanvas* canvas = static_cast<TComboBox*>(control)->Canvas();
        canvas->Brush()->SetColor(index == 1 ? clRed : clBlue);
        canvas->FillRect(rect);
    };
    combo->Items()->SetText("A\r\nB\r\nC\r\n");
    EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 2, 0), 20);

    combo->SetItemIndex(1);
    ShowForm();
    PumpUntil([&] { return !drawn.empty(); });
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "1 edit"), drawn.end());
    // The selection field shows what OnDrawItem painted, on the screen.
    const TPoint inside = combo->ClientToScreen(TPoint(8, combo->Height() / 2));
    TWindowDC screen(nullptr);
    EXPECT_EQ(GetPixel(screen.Get(), inside.x, inside.y), ColorToRGB(clRed));
}

namespace {
// A descendant that hooks the edit part after the framework, as a coded combo box
// does, and hands each message back to ComboWndProc.
class THookedComboBox : public TComboBox {
public:
    explicit THookedComboBox(TComponent* owner)
        : TComboBox(owner), FHook([this](TMessage& m) { HookProc(m); })
    {
    }
    ~THookedComboBox() override { DestroyHandle(); }
    int HookedChars = 0;

protected:
    void CreateWnd() override
    {
        TComboBox::CreateWnd();
        FHookedEdit = EditHandle();
        if (FHookedEdit)
            FPrevious = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(FHookedEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FHook.Proc())));
    }

private:
    void HookProc(TMessage& m)
    {
        if (m.Msg == WM_CHAR)
            ++HookedChars;
        ComboWndProc(m, FHookedEdit, FPrevious);
    }
    HWND FHookedEdit = nullptr;
    WNDPROC FPrevious = nullptr;
    TWndProcThunk FHook;
};
} // namespace

TEST_F(WidgetsComboBox, ADescendantsHookOnTheEditPartSeesEveryKeyWhichIsHandledOnce)
{
    auto* combo = new THookedComboBox(Form.get());
    combo->SetParent(Form.get());
    combo->SetBounds(20, 20, 160, 21);
    std::string pressed;
    combo->OnKeyPress = [&](TObject*, char& key) { pressed += key; };
    ShowForm();
    combo->SetFocus();
    PressKey('A');
    PressKey('B');
    ASSERT_TRUE(PumpUntil([&] { return pressed.size() >= 2; }));
    PumpFor(50);
    EXPECT_EQ(pressed, "ab");
    EXPECT_EQ(combo->HookedChars, 2);
    EXPECT_EQ(combo->Text(), "ab");

    // A new window gets the hook again.
    combo->SetStyle(csSimple);
    EXPECT_EQ(combo->Text(), "ab");
    combo->SetFocus();
    PressKey(VK_END);
    PressKey('C');
    ASSERT_TRUE(PumpUntil([&] { return pressed.size() >= 3; }));
    EXPECT_EQ(combo->HookedChars, 3);
    EXPECT_EQ(combo->Text(), "abc");
}
