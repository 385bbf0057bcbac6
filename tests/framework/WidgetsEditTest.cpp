// The one-line edit over the system EDIT: the user's typing and the program's
// changes both raise OnChange; selection, limits and read-only state are the
// window's.
#include "WindowTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/widgets/Edit.h"

#include <string>

namespace {
class WidgetsEdit : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Edit = Add<TEdit>(20, 20, 150, 21);
        Edit->OnChange = [this](TObject*) { Changes.push_back(Edit->Text()); };
    }
    TEdit* Edit = nullptr;
    std::vector<std::string> Changes;
};
} // namespace

TEST_F(WidgetsEdit, TypingAndProgramChangesRaiseOnChangeWithTheNewText)
{
    ShowForm();
    Edit->SetFocus();
    Edit->OnKeyPress = [](TObject*, char& key) {
        if (key == '3')
            key = 0; // refused before the window sees it
    };
    for (WORD key : {'1', '2', '3', '4'})
        PressKey(key);
    ASSERT_TRUE(PumpUntil([&] { return Changes.size() == 3; }));
    EXPECT_EQ(Changes, (std::vector<std::string>{"1", "12", "124"}));

    Edit->SetText("Elvarine");
    Edit->SetText("Elvarine"); // no change, no event
    EXPECT_EQ(Changes.back(), "Elvarine");
    EXPECT_EQ(Changes.size(), 4u);
    char window[32] = {};
    GetWindowTextA(Edit->Handle(), window, sizeof(window));
    EXPECT_STREQ(window, "Elvarine");
}

TEST_F(WidgetsEdit, SelectionLimitAndReadOnlyAreTheWindows)
{
    Edit->SetText("Cellar book");
    Edit->SetSelStart(3);
    EXPECT_EQ(Edit->SelStart(), 3);
    EXPECT_EQ(Edit->SelLength(), 0);
    Edit->SetSelLength(4);
    DWORD start = 0, end = 0;
    SendMessageA(Edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 7u);
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelLength(), 11);

    ShowForm();
    Edit->SetFocus();
    Edit->SetText("");
    Edit->SetMaxLength(2);
    for (WORD key : {'A', 'B', 'C'})
        PressKey(key);
    PumpFor(50);
    EXPECT_EQ(Edit->Text(), "ab");

    Edit->SetReadOnly(true);
    PressKey('D');
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_TRUE(GetWindowLongPtrA(Edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_THROW(Edit->SetMaxLength(-1), EInvalidOperation);
    EXPECT_EQ(Edit->MaxLength(), 2);

    // The border is a creation style: the window is made again, with its text.
    Edit->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongPtrA(Edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrA(Edit->Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_THROW(Edit->SetBorderStyle(bsDialog), EInvalidOperation);
}

TEST_F(WidgetsEdit, DrawsInItsOwnColourWhateverItsParents)
{
    Form->SetColor(clYellow);
    auto* inherits = Add<TEdit>(20, 60, 150, 21);
    inherits->SetParentColor(true);
    EXPECT_EQ(Edit->Color(), clWindow);
    EXPECT_FALSE(Edit->ParentColor());
    EXPECT_TRUE(Edit->TabStop());
    EXPECT_EQ(inherits->Color(), clYellow);

    Edit->SetColor(clAqua);
    auto shot = Snapshot(*Edit);
    EXPECT_EQ(shot->Pixel(Edit->Width() - 8, Edit->Height() / 2), clAqua);
    auto other = Snapshot(*inherits);
    EXPECT_EQ(other->Pixel(inherits->Width() - 8, inherits->Height() / 2), clYellow);
}
