#include "StreamingTestClasses.h"

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
std::string ExpectWriteError(const TComponent& root)
{
    try {
        WriteComponent(root);
    } catch (const EWriteError& e) {
        return e.Message();
    }
    ADD_FAILURE() << "written without an error";
    return "";
}
} // namespace

TEST(StreamingWrite, RoundTripOfEveryKindGivesTheSameText)
{
    const std::string text = "TTestForm FM_Test {\n"
                             "  Tag = 7\n"
                             "  Caption = \"Caves \xE9lvarine \\\"1\\\" \\\\ \\n\\r\\t\\x01\\x7F\"\n"
                             "  KeyPreview = true\n"
                             "  Color = 0x00D6DFE7\n"
                             "  Scale = 1.25\n"
                             "  Font.Name = \"Tahoma\"\n"
                             "  Font.Height = -13\n"
                             "  Font.Style = [fsBold, fsUnderline]\n"
                             "  Font.Charset = 238\n"
                             "  OnKeyPress = FormKeyPress\n"
                             "  TTestControl LA_1 {\n"
                             "    Left = 15\n"
                             "    Width = 16\n"
                             "    Caption = \"1-\"\n"
                             "    Hint = \"Install the Elvarine program\"\n"
                             "    Visible = false\n"
                             "    Ratio = 0.1\n"
                             "    Align = alClient\n"
                             "    Color = clBlue\n"
                             "    Font.Color = 0x80000010\n"
                             "    Font.Charset = ANSI_CHARSET\n"
                             "    Timer = TI_Timer\n"
                             "    Link = FM_Test\n"
                             "    Items = [\n"
                             "      \"12 Bordeaux\"\n"
                             "      \"\"\n"
                             "      \"13 Bourgogne\"\n"
                             "    ]\n"
                             "    Picture = bytes {\n"
                             "      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                             "      2021222324252627\n"
                             "    }\n"
                             "    OnClick = ControlClick\n"
                             "    OnBeforeLaunch = BeforeLaunch\n"
                             "    OnKeyPress = FormKeyPress\n"
                             "    TTestButton BU_Close {\n"
                             "      Left = -2147483648\n"
                             "      Ratio = 1e+20\n"
                             "      Link = LA_2\n"
                             "      Cancel = true\n"
                             "    }\n"
                             "  }\n"
                             "  TTestTimer TI_Timer {\n"
                             "    Interval = -1\n"
                             "  }\n"
                             "  TTestControl LA_2 {\n"
                             "    Left = 0\n"
                             "    Ratio = 0\n"
                             "  }\n"
                             "}\n";
    TTestForm form(nullptr);
    ReadComponent(text, form, "WF_Test");
    EXPECT_EQ(WriteComponent(form), text);
}

TEST(StreamingWrite, DefaultsUnstoredAndEmptyValuesAreLeftOut)
{
    TTestForm form(nullptr);
    form.SetName("FM_Test");
    auto* la1 = new TTestControl(&form);
    la1->SetName("LA_1");
    la1->SetParentComponent(&form);
    la1->Width = 64;               // the default
    la1->Hint = "not stored";
    la1->StoreHint = false;
    la1->Font()->Name = "";        // empty, but not the default: written
    la1->OnClick = [](TObject*) {}; // wired in code, with no method to name
    auto* unnamed = new TTestControl(&form);
    unnamed->SetParentComponent(la1);
    unnamed->Left = 3;

    EXPECT_EQ(WriteComponent(form), "TTestForm FM_Test {\n"
                                    "  TTestControl LA_1 {\n"
                                    "    Left = 0\n"
                                    "    Ratio = 0\n"
                                    "    Font.Name = \"\"\n"
                                    "    TTestControl {\n"
                                    "      Left = 3\n"
                                    "      Ratio = 0\n"
                                    "    }\n"
                                    "  }\n"
                                    "}\n");
}

TEST(StreamingWrite, ValuesTheFormatCannotHoldAreRefusedNamingTheProperty)
{
    TTestForm form(nullptr);
    auto* la1 = new TTestControl(&form);
    la1->SetName("LA_1");
    la1->SetParentComponent(&form);

    la1->SetTag(intptr_t{1} << 40);
    EXPECT_EQ(ExpectWriteError(form), "cannot write Tag of TTestControl LA_1: value 1099511627776 is out of the 32-bit range");
    la1->SetTag(0);

    la1->Ratio = std::nan("");
    EXPECT_EQ(ExpectWriteError(form),
              "cannot write Ratio of TTestControl LA_1: a float that is not a finite number cannot be written");
    la1->Ratio = 0;

    la1->Align = static_cast<TTestAlign>(9);
    EXPECT_EQ(ExpectWriteError(form), "cannot write Align of TTestControl LA_1: 9 is no value of TTestAlign");
    la1->Align = alNone;

    la1->Font()->Style = TTestFontStyles::FromBits(1u << 5);
    EXPECT_EQ(ExpectWriteError(form), "cannot write Font.Style of TTestControl LA_1: 5 is no value of TTestFontStyle");
    la1->Font()->Style = {};

    // A reference is written by name: one the reader could not find again is refused.
    TTestTimer elsewhere(nullptr);
    elsewhere.SetName("TI_Other");
    la1->Timer = &elsewhere;
    EXPECT_EQ(ExpectWriteError(form),
              "cannot write Timer of TTestControl LA_1: the component it refers to is no named component of the form");
    la1->Timer = new TTestTimer(&form); // of the form, but without a name
    EXPECT_NE(ExpectWriteError(form).find("no named component"), std::string::npos);
}
