// A list editor of wine colours read from a form resource: every association,
// sorting, SeeCode and a stored selection loading right, the form written back
// unchanged, the published properties in loading order and the palette.
#include "framework/WindowTestSupport.h"

#include "components/CorvelListBox.h"
#include "support/FormFuzz.h"
#include "framework/core/Streams.h"
#include "framework/designer/Registration.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
class TWineColoursForm : public TForm {
    FW_CLASS(TWineColoursForm)
public:
    explicit TWineColoursForm(TComponent* AOwner) : TForm(AOwner) { LoadFromResource(); }

    TEdit* ED_Colour = nullptr;
    TButton* BU_Add = nullptr;
    TButton* BU_Update = nullptr;
    TButton* BU_Delete = nullptr;
    TCorvelListBox* LB_Colour = nullptr;
    std::vector<AssociateButton> Done;

    void ColourAdded(TObject*, AssociateButton Button) { Done.push_back(Button); }
};

FW_BEGIN_CLASS(TWineColoursForm, TForm)
    .Field("ED_Colour", &C::ED_Colour)
    .Field("BU_Add", &C::BU_Add)
    .Field("BU_Update", &C::BU_Update)
    .Field("BU_Delete", &C::BU_Delete)
    .Field("LB_Colour", &C::LB_Colour)
    .Method("ColourAdded", &C::ColourAdded)
FW_END_CLASS

std::string StoredForm()
{
    TResourceStream stored(GetModuleHandleA(nullptr), "TWINECOLOURSFORM");
    return stored.ReadAll();
}

class CorvelListBoxForm : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};
} // namespace

TEST_F(CorvelListBoxForm, TheEditorComesUpWiredSortedShowingCodesOnTheStoredSelection)
{
    TWineColoursForm form(nullptr);
    TCorvelListBox& list = *form.LB_Colour;
    EXPECT_EQ(list.ControlEdit(), form.ED_Colour);
    EXPECT_EQ(list.ControlAdd(), form.BU_Add);
    EXPECT_EQ(list.ControlUpdate(), form.BU_Update);
    EXPECT_EQ(list.ControlDelete(), form.BU_Delete);
    EXPECT_TRUE(list.Sorted());
    EXPECT_FALSE(list.Horizontal());
    EXPECT_EQ(list.ItemsCode()->Strings(2), "RO Rose") << "SeeCode applied once loaded";
    EXPECT_EQ(list.GetSelectedCode(), "RO") << "the stored selection, not the first item";
    EXPECT_EQ(form.ED_Colour->Text(), "RO Rose");
    EXPECT_FALSE(form.BU_Add->Enabled());
    EXPECT_FALSE(form.BU_Update->Enabled());
    EXPECT_TRUE(form.BU_Delete->Enabled());

    // The wiring works: a new text added through the button lands in its sorted place.
    form.Show();
    form.ED_Colour->SetText("GR Gris");
    EXPECT_TRUE(form.BU_Add->Enabled());
    form.BU_Add->Click();
    EXPECT_EQ(list.GetCode(1), "GR");
    EXPECT_EQ(form.Done, std::vector<AssociateButton>{abAdd});
}

TEST_F(CorvelListBoxForm, TheFormIsWrittenBackUnchangedAtRunTimeAndInTheDesigner)
{
    TWineColoursForm running(nullptr);
    EXPECT_EQ(WriteComponent(running), StoredForm());

    // The designer's list shows descriptions, so the edit takes the description.
    TForm designed(nullptr);
    designed.SetDesigning(true);
    ReadComponent(StoredForm(), designed, "TWINECOLOURSFORM");
    auto& list = dynamic_cast<TCorvelListBox&>(*designed.FindComponent("LB_Colour"));
    EXPECT_EQ(list.CodedItems()->DisplayText(2), "Rose");
    EXPECT_EQ(list.ItemsCode()->Strings(2), "RO Rose") << "its item editor sees item strings";
    std::string expected = StoredForm();
    expected.replace(expected.find("\"RO Rose\""), 9, "\"Rose\"");
    EXPECT_EQ(WriteComponent(designed), expected);
}

TEST_F(CorvelListBoxForm, PublishesItsOwnPropertiesLastInLoadingOrder)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : TCorvelListBox::StaticClass().PublishedProps())
        names.push_back(p->Name);
    const auto own = std::find(names.begin(), names.end(), "Sorted");
    ASSERT_NE(own, names.end());
    EXPECT_EQ(std::vector<std::string>(own, names.end()),
              (std::vector<std::string>{"Sorted", "OnEditChange", "OnAssociateButtonBeforeClick",
                                        "OnAssociateButtonAfterClick", "Horizontal", "ControlEdit", "ControlCombo",
                                        "ControlUpdate", "ControlAdd", "ControlDelete", "ItemsCode", "SeeCode",
                                        "SelectedCode"}));
    EXPECT_EQ(std::find(names.begin(), names.end(), "Items"), names.end());

    CorvelListBox::Register();
    const auto page = ClassesOnPage("Corvel");
    EXPECT_NE(std::find(page.begin(), page.end(), &TCorvelListBox::StaticClass()), page.end());
}

TEST_F(CorvelListBoxForm, DamagedCopiesOfTheFormAreRefusedWithReadErrorsOrShowAndPaint)
{
    TWineColoursForm form(nullptr);
    FuzzResource(StoredForm(), "TWINECOLOURSFORM", ShowInto(form, "TWINECOLOURSFORM"), 600);
}
