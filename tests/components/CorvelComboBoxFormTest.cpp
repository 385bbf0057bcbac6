// Coded combo boxes of French wine regions and wine colours read from a form
// resource, written back, seen by the designer and registered on its palette.
#include "framework/WindowTestSupport.h"

#include "components/CorvelComboBox.h"
#include "support/FormFuzz.h"
#include "framework/core/Streams.h"
#include "framework/designer/Registration.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {
class TWineRegionsForm : public TForm {
    FW_CLASS(TWineRegionsForm)
public:
    explicit TWineRegionsForm(TComponent* AOwner, bool load = true) : TForm(AOwner)
    {
        if (load)
            LoadFromResource();
    }

    TCorvelComboBox* CC_Region = nullptr;
    TCorvelComboBox* CC_Colour = nullptr;
    std::vector<std::string> Log;

    void RegionChange(TObject*) { Log.push_back("Change " + CC_Region->Text()); }
    void RegionCodeChange(TObject*) { Log.push_back("Code " + CC_Region->GetSelectedCode()); }
};

FW_BEGIN_CLASS(TWineRegionsForm, TForm)
    .Field("CC_Region", &C::CC_Region)
    .Field("CC_Colour", &C::CC_Colour)
    .Method("RegionChange", &C::RegionChange)
    .Method("RegionCodeChange", &C::RegionCodeChange)
FW_END_CLASS

std::string StoredForm()
{
    TResourceStream stored(GetModuleHandleA(nullptr), "TWINEREGIONSFORM");
    return stored.ReadAll();
}

class CorvelComboBoxForm : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};
} // namespace

TEST_F(CorvelComboBoxForm, RegionsComeUpSelectedByTheStoredCodeAndShowTheirCodes)
{
    TWineRegionsForm form(nullptr);
    TCorvelComboBox& region = *form.CC_Region;
    EXPECT_EQ(region.ItemsCode()->Count(), 12);
    EXPECT_EQ(region.GetSelectedCode(), "CHA");
    EXPECT_EQ(region.ItemIndex(), 2);
    EXPECT_EQ(region.Text(), "CHA Champagne");
    EXPECT_EQ(region.ItemsCode()->Strings(4), "LOI Val de Loire") << "SeeCode applied once loaded";
    EXPECT_EQ(region.GetDescription("lan"), "Languedoc-Roussillon");
    EXPECT_EQ(region.DroppedWidth(), 260);
    EXPECT_EQ(SendMessageA(region.Handle(), CB_GETDROPPEDWIDTH, 0, 0), 260);
    EXPECT_EQ(region.CodeTableType(), "REGION");
    EXPECT_TRUE(form.Log.empty()) << "loading reports no change: " << ::testing::PrintToString(form.Log);

    TCorvelComboBox& colour = *form.CC_Colour;
    EXPECT_EQ(colour.Text(), "Blanc");
    EXPECT_EQ(colour.GetSelectedCode(), "BL");
    EXPECT_EQ(colour.Control(), &region);
    EXPECT_TRUE(colour.CanClear());
    EXPECT_FALSE(colour.SeeCode());
    EXPECT_FALSE(colour.Ctl3D());
    EXPECT_TRUE(region.Ctl3D()) << "the form's";

    delete std::exchange(form.CC_Region, nullptr);
    EXPECT_EQ(colour.Control(), nullptr) << "a reference to a destroyed control is cleared";
}

TEST_F(CorvelComboBoxForm, TheFormIsWrittenBackUnchangedAtRunTimeAndInTheDesigner)
{
    // At run time the edit part shows the code too; everything else is as stored.
    TWineRegionsForm running(nullptr);
    std::string expected = StoredForm();
    expected.replace(expected.find("\"Champagne\""), 11, "\"CHA Champagne\"");
    EXPECT_EQ(WriteComponent(running), expected);

    TForm designed(nullptr);
    designed.SetDesigning(true);
    ReadComponent(StoredForm(), designed, "TWINEREGIONSFORM");
    auto& region = dynamic_cast<TCorvelComboBox&>(*designed.FindComponent("CC_Region"));
    char shown[64] = {};
    SendMessageA(region.Handle(), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, "Val de Loire") << "the designer's control shows descriptions";
    EXPECT_EQ(region.ItemsCode()->Strings(4), "LOI Val de Loire") << "its item editor sees item strings";
    EXPECT_EQ(WriteComponent(designed), StoredForm());
}

TEST_F(CorvelComboBoxForm, PublishesTheFrameworksPropertiesThenItsOwnInLoadingOrder)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : TCorvelComboBox::StaticClass().PublishedProps())
        names.push_back(p->Name);
    // Items and Sorted stay hidden: ItemsCode takes their place and the list is never sorted.
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Tag", "Left", "Top", "Width", "Height", "Style", "Color", "Ctl3D", "DragMode", "DragCursor",
                         "DropDownCount", "Enabled", "Font", "ImeMode", "ImeName", "ItemHeight", "MaxLength",
                         "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                         "TabOrder", "TabStop", "Text", "Visible", "OnChange", "OnClick", "OnDblClick", "OnDragDrop",
                         "OnDragOver", "OnDrawItem", "OnDropDown", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown",
                         "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnStartDrag", "OnMouseDown", "OnMouseMove",
                         "OnMouseUp", "ItemsCode", "DroppedWidth", "SeeCode", "SelectedCode", "AutoSelectItem",
                         "Control", "CodeTableType", "CanClear", "Type", "AllowNegative", "OnSelectedCodeChange"}));

    CorvelComboBox::Register();
    const auto page = ClassesOnPage("Corvel");
    EXPECT_NE(std::find(page.begin(), page.end(), &TCorvelComboBox::StaticClass()), page.end());
}

TEST_F(CorvelComboBoxForm, DamagedCopiesOfTheFormAreRefusedWithReadErrorsOrShowAndPaint)
{
    TWineRegionsForm form(nullptr, false);
    FuzzResource(StoredForm(), "TWINEREGIONSFORM", ShowInto(form, "TWINEREGIONSFORM"), 600);
}
