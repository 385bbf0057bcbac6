// The keyboard interface of a form, driven by real keys: Escape, Enter, Alt with
// a mnemonic, and a form that previews the characters typed into its controls.
#include "WindowTestSupport.h"

#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"

#include <string>
#include <vector>

namespace {
class FormsDialogKeys : public TFormFixture {
protected:
    TButton* AddButton(const char* caption, int left)
    {
        auto* button = Add<TButton>(left, 150, 80, 25);
        button->SetCaption(caption);
        button->OnClick = [this, caption](TObject*) { Clicks.push_back(caption); };
        return button;
    }
    std::vector<std::string> Clicks;
};
} // namespace

TEST_F(FormsDialogKeys, EscapePressesTheFirstCancelButtonInControlOrder)
{
    TButton* close = AddButton("&Close", 200);
    TButton* readMe = AddButton("&Read me", 100);
    close->SetCancel(true);
    readMe->SetCancel(true);
    readMe->SetTabOrder(0); // first in tab order, second in control order
    ShowForm();
    ASSERT_TRUE(readMe->Focused());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Close"});

    close->SetEnabled(false); // a disabled cancel button lets the next one have it
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"&Close", "&Read me"}));
}

TEST_F(FormsDialogKeys, EnterPressesTheFocusedButtonThenTheDefaultOne)
{
    TButton* ok = AddButton("OK", 20);
    TButton* other = AddButton("Other", 120);
    auto* edit = Add<TEdit>(20, 20, 100, 21);
    ok->SetDefault(true);
    ShowForm();

    other->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<std::string>{"Other"});
    edit->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"Other", "OK"}));
    EXPECT_TRUE(edit->Focused());
    EXPECT_TRUE(GetWindowLongPtrA(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(FormsDialogKeys, AltWithAMnemonicPressesItsButtonWhereverTheFocusIs)
{
    AddButton("&Close", 20);
    AddButton("Read &me", 120);
    AddButton("Save && quit", 220); // "&&" is a plain ampersand, no mnemonic
    auto* edit = Add<TEdit>(20, 20, 100, 21);
    ShowForm();
    edit->SetFocus();
    PressKey('M', VK_MENU);
    PressKey('C', VK_MENU);
    PressKey('Q', VK_MENU);
    PumpFor(50);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"Read &me", "&Close"}));
    EXPECT_EQ(edit->Text(), ""); // mnemonics type nothing
}

TEST_F(FormsDialogKeys, AFormThatPreviewsKeysSeesEveryCharacterFirstAndMayKeepIt)
{
    auto* edit = Add<TEdit>(20, 20, 100, 21);
    std::string seen;
    Form->SetKeyPreview(true);
    Form->OnKeyPress = [&](TObject* sender, char& key) {
        EXPECT_EQ(sender, Form.get());
        seen += key;
        if (key == '2')
            key = 0;
    };
    std::string reached;
    edit->OnKeyPress = [&](TObject*, char& key) { reached += key; };
    ShowForm();
    edit->SetFocus();
    for (WORD key : {'1', '2', '3'})
        PressKey(key);
    PumpUntil([&] { return edit->Text().size() == 2; });
    EXPECT_EQ(seen, "123");
    EXPECT_EQ(reached, "13");
    EXPECT_EQ(edit->Text(), "13");

    Form->SetKeyPreview(false);
    PressKey('4');
    EXPECT_EQ(seen, "123");
    EXPECT_EQ(edit->Text(), "134");
}
