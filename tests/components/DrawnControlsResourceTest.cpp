#include "support/FormFromText.h"
#include "ShortDateFormatScope.h"

#include "components/ColorButton.h"
#include "components/CorvelSplit.h"
#include "components/WineControl.h"
#include "framework/core/Exceptions.h"
#include "framework/designer/Registration.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
const char* const FormText = R"(TForm FM_Cellar {
  BorderStyle = bsNone
  ClientWidth = 400
  ClientHeight = 300
  TWineControl WC_Date {
    Left = 10
    Top = 10
    Width = 150
    Height = 21
    Cursor = crHandPoint
    Hint = "Date"
    Color = clYellow
    Text = "to be replaced"
    Date = 38053
    SelectedCode = "12"
    CodeTableType = "REGION"
    Style = wcDate
    Type = wtNumeric
    MaxLength = 8
    Control = CB_Red
    Alignment = taRightJustify
    Enabled = false
  }
  TCorvelSplit CS_Bar {
    Left = 200
    Kind = sbHorizontal
    ControlsAutoResize = true
    Control2AutoResize = true
    Overlap = 3
    Step = 5
    Control1 = WC_Date
    MargeLeftTop = -5
    MargeRightBottom = 250
  }
  TColorButton CB_Red {
    Left = 20
    Top = 200
    Width = 75
    Height = 25
    ShowHint = true
    Color = clRed
    Caption = "Rouge"
  }
}
)";

std::unique_ptr<TForm> Read(const std::string& text) { return ReadForm(text, "WF_Cellar"); }
} // namespace

TEST(DrawnControlsResource, ReadWrittenAndReadAgain)
{
    Application->Initialize();
    ShortDateFormatScope dates("M/d/yyyy");
    auto form = Read(FormText);

    auto& field = Find<TWineControl>(*form, "WC_Date");
    auto& bar = Find<TCorvelSplit>(*form, "CS_Bar");
    auto& button = Find<TColorButton>(*form, "CB_Red");
    EXPECT_EQ(field.BoundsRect(), TRect(10, 10, 160, 31));
    EXPECT_EQ(field.Color(), clYellow);
    EXPECT_EQ(field.Date(), 38053);
    EXPECT_EQ(field.Text(), "03/07/2004");
    EXPECT_EQ(field.SelectedCode(), "12");
    EXPECT_EQ(field.CodeTableType(), "REGION");
    EXPECT_EQ(field.Style(), wcDate);
    EXPECT_EQ(field.Type(), wtNumeric);
    EXPECT_EQ(field.MaxLength(), 8);
    EXPECT_EQ(field.Control(), &button);
    EXPECT_EQ(field.Alignment(), taRightJustify);
    EXPECT_FALSE(field.Enabled());
    EXPECT_EQ(field.Cursor(), crHandPoint);

    EXPECT_EQ(bar.Kind(), sbHorizontal);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 0, 400, 6)) << "stretched across the form as it was read";
    EXPECT_FALSE(bar.ControlsAutoResize()) << "a running program ignores the shared switch";
    EXPECT_FALSE(bar.Control1AutoResize());
    EXPECT_TRUE(bar.Control2AutoResize());
    EXPECT_EQ(bar.Overlap(), 3);
    EXPECT_EQ(bar.Step(), 5);
    EXPECT_EQ(bar.Control1(), &field);
    EXPECT_EQ(bar.Control2(), nullptr);
    EXPECT_EQ(bar.MargeLeftTop(), -1);
    EXPECT_EQ(bar.MargeRightBottom(), 250);

    EXPECT_EQ(button.Color(), clRed);
    EXPECT_EQ(button.Caption(), "Rouge");
    EXPECT_TRUE(button.ShowHint());

    const std::string written = WriteComponent(*form);
    EXPECT_EQ(written.find("DateFormat"), std::string::npos);
    EXPECT_EQ(written.find("ControlsAutoResize"), std::string::npos);
    EXPECT_NE(written.find("Kind = sbHorizontal"), std::string::npos);
    EXPECT_EQ(WriteComponent(*Read(written)), written);
}

TEST(DrawnControlsResource, ComputedDateFormatCannotBeSet)
{
    try {
        Read("TForm FM_Cellar {\n  TWineControl WC_Date {\n    DateFormat = \"yy\"\n  }\n}\n");
        FAIL() << "DateFormat was accepted";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
    }
}

TEST(DrawnControlsResource, DesignerShowsThemOnTheCorvelPage)
{
    WineControl::Register();
    CorvelSplit::Register();
    ColorButton::Register();
    const auto page = ClassesOnPage("Corvel");
    for (const TClassInfo* cls : {&TWineControl::StaticClass(), &TCorvelSplit::StaticClass(), &TColorButton::StaticClass()})
        EXPECT_NE(std::find(page.begin(), page.end(), cls), page.end()) << cls->Name;
}
