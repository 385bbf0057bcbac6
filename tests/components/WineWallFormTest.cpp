// A wall read from a form resource, written back, and registered for the designer.
#include "WineWallTestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/designer/Registration.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
class TWallTestForm : public TForm {
    FW_CLASS(TWallTestForm)
public:
    explicit TWallTestForm(TComponent* AOwner) : TForm(AOwner) {}

    TWineWall* WW_Cellar = nullptr;
    std::vector<std::string> Log;

    void WallDrawing(TObject*, int row, int col, bool& empty, TColor& color, TColor&)
    {
        empty = !(row == 2 && col == 3);
        color = clBlue;
    }
    void WallClick(TObject*, int row, int col) { Log.push_back("Click " + Cell(row, col)); }
    void WallDblClick(TObject*, int row, int col) { Log.push_back("DblClick " + Cell(row, col)); }
    void WallMouseDown(TObject*, int row, int col) { Log.push_back("Down " + Cell(row, col)); }
    void WallNeedHint(TObject*, int row, int col) { WW_Cellar->SetHint("Hint " + Cell(row, col)); }
    void WallResize(TObject*) { Log.push_back("Resize"); }

private:
    static std::string Cell(int row, int col) { return std::to_string(row) + "," + std::to_string(col); }
};

FW_BEGIN_CLASS(TWallTestForm, TForm)
    .Field("WW_Cellar", &C::WW_Cellar)
    .Method("WallDrawing", &C::WallDrawing)
    .Method("WallClick", &C::WallClick)
    .Method("WallDblClick", &C::WallDblClick)
    .Method("WallMouseDown", &C::WallMouseDown)
    .Method("WallNeedHint", &C::WallNeedHint)
    .Method("WallResize", &C::WallResize)
FW_END_CLASS

// Every published property of the wall away from its default, in published order.
const char* const WallBlock = "  TWineWall WW_Cellar {\n"
                              "    Tag = 12\n"
                              "    Left = 8\n"
                              "    Top = 16\n"
                              "    Width = 300\n"
                              "    Height = 420\n"
                              "    Cursor = crHandPoint\n"
                              "    OnResize = WallResize\n"
                              "    Hint = \"Cave\"\n"
                              "    ShowHint = true\n"
                              "    Visible = false\n"
                              "    ParentShowHint = false\n"
                              "    Color = clYellow\n"
                              "    AutoChangeWidthHeight = true\n"
                              "    MaxWidth = 500\n"
                              "    MaxHeight = -1\n"
                              "    CaseWidthHeight = 25\n"
                              "    WallNumber = 4\n"
                              "    NbCaseWidth = 11\n"
                              "    NbCaseHeight = 12\n"
                              "    TypeHorizontal = weAlpha\n"
                              "    TypeVertical = weAlpha\n"
                              "    OnDrawing = WallDrawing\n"
                              "    OnClick = WallClick\n"
                              "    OnDblClick = WallDblClick\n"
                              "    OnMouseDown = WallMouseDown\n"
                              "    OnNeedHint = WallNeedHint\n"
                              "  }\n";

std::unique_ptr<TWallTestForm> ReadForm(const std::string& wallBlock)
{
    Application->Initialize();
    auto form = std::make_unique<TWallTestForm>(nullptr);
    ReadComponent("TWallTestForm FM_Wall {\n" + wallBlock + "}\n", *form, "WF_WallTest");
    return form;
}
} // namespace

TEST(WineWallForm, EveryPublishedPropertyIsRead)
{
    const auto form = ReadForm(WallBlock);
    TWineWall* wall = form->WW_Cellar;
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->Parent(), form.get());
    EXPECT_EQ(wall->Tag(), 12);
    EXPECT_EQ(wall->BoundsRect(), TRect(8, 16, 308, 436));
    EXPECT_EQ(wall->Cursor(), crHandPoint);
    EXPECT_EQ(wall->Hint(), "Cave");
    EXPECT_FALSE(wall->ParentShowHint());
    EXPECT_TRUE(wall->ShowHint());
    EXPECT_FALSE(wall->Visible());
    EXPECT_EQ(wall->Color(), clYellow);
    EXPECT_TRUE(wall->AutoChangeWidthHeight());
    EXPECT_EQ(wall->MaxWidth(), 500);
    EXPECT_EQ(wall->MaxHeight(), -1) << "written directly, unchecked";
    EXPECT_EQ(wall->CaseWidthHeight(), 25);
    EXPECT_EQ(wall->LoadedCaseWidthHeight(), 25) << "recorded once loading is done";
    EXPECT_EQ(wall->WallNumber(), 4);
    EXPECT_EQ(wall->NbCaseWidth(), 11);
    EXPECT_EQ(wall->NbCaseHeight(), 12);
    EXPECT_EQ(wall->TypeHorizontal(), weAlpha);
    EXPECT_EQ(wall->TypeVertical(), weAlpha);

    // The events reach the form's methods.
    bool empty = true;
    TColor color = clWhite, ring = clBlack;
    wall->OnDrawing(wall, 2, 3, empty, color, ring);
    EXPECT_FALSE(empty);
    EXPECT_EQ(color, clBlue);
    wall->OnClick(wall, 1, 2);
    wall->OnDblClick(wall, 3, 4);
    wall->OnMouseDown(wall, 5, 6);
    wall->SetBounds(8, 16, 310, 436);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"Click 1,2", "DblClick 3,4", "Down 5,6", "Resize"}));
    TRect cursor;
    EXPECT_EQ(wall->GetHint(15 + 25 + 1, 15 + 1, cursor), "Hint 1,2");
}

TEST(WineWallForm, WrittenBackAsRead)
{
    const auto form = ReadForm(WallBlock);
    const std::string text = WriteComponent(*form);
    EXPECT_NE(text.find(WallBlock), std::string::npos) << text;

    // Defaults are left out: a fresh wall writes only its place and size.
    const auto plain = ReadForm("  TWineWall WW_Cellar {\n  }\n");
    EXPECT_NE(WriteComponent(*plain).find("  TWineWall WW_Cellar {\n"
                                          "    Left = 0\n"
                                          "    Top = 0\n"
                                          "    Width = 30\n"
                                          "    Height = 60\n"
                                          "  }\n"),
              std::string::npos)
        << WriteComponent(*plain);
}

TEST(WineWallForm, ValuesOutOfRangeAreIgnoredAndUnknownOnesNamed)
{
    // The setters' ranges hold for stored forms too: the defaults stay.
    const auto form = ReadForm("  TWineWall WW_Cellar {\n"
                               "    CaseWidthHeight = 2\n"
                               "    NbCaseWidth = 0\n"
                               "    MaxWidth = -5\n"
                               "  }\n");
    EXPECT_EQ(form->WW_Cellar->CaseWidthHeight(), 20);
    EXPECT_EQ(form->WW_Cellar->NbCaseWidth(), 9);
    EXPECT_EQ(form->WW_Cellar->MaxWidth(), 0);
    EXPECT_EQ(form->WW_Cellar->LoadedCaseWidthHeight(), 20);

    try {
        ReadForm("  TWineWall WW_Cellar {\n"
                 "    TypeVertical = weRoman\n"
                 "  }\n");
        FAIL() << "an unknown labelling was accepted";
    } catch (const EReadError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("TypeVertical"), std::string::npos) << message;
        EXPECT_NE(message.find("weRoman"), std::string::npos) << message;
        EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    }
}

TEST(WineWallForm, RegisteredOnTheCorvelPage)
{
    WineWall::Register();
    const auto classes = ClassesOnPage("Corvel");
    EXPECT_NE(std::find(classes.begin(), classes.end(), &TWineWall::StaticClass()), classes.end());
    EXPECT_EQ(FindClass("TWineWall"), &TWineWall::StaticClass());
}
