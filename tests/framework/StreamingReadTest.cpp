#include "StreamingTestClasses.h"

#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
std::unique_ptr<TTestForm> Load(const std::string& text)
{
    TestLog().clear();
    auto form = std::make_unique<TTestForm>(nullptr);
    ReadComponent(text, *form, "WF_Test");
    return form;
}

TTestControl& Control(const TComponent& root, const char* name)
{
    auto* control = dynamic_cast<TTestControl*>(root.FindComponent(name));
    if (!control)
        throw std::runtime_error(std::string("no control ") + name);
    return *control;
}
} // namespace

TEST(StreamingRead, EveryValueKind)
{
    auto form = Load("TTestForm FM_Test {\n"
                     "  Tag = 0xFFFFFFFF\n"
                     "  Caption = \"Caves \xE9lvarine\"\n"
                     "  KeyPreview = true\n"
                     "  Color = 0x00D6DFE7\n"
                     "  Scale = 1.5\n"
                     "  Font.Name = \"Tahoma\"\n"
                     "  Font.Style = [fsBold, fsUnderline]\n"
                     "  Font.Charset = ANSI_CHARSET\n"
                     "  OnKeyPress = FormKeyPress\n"
                     "  TTestControl LA_1 {\n"
                     "    Left = -11\n"
                     "    Width = 0x20\n"
                     "    Caption = \"say \\\"hi\\\" \\\\ \\n\\r\\t\\x01\\x7f\"\n"
                     "    Visible = false\n"
                     "    Ratio = -2.5e-3\n"
                     "    Align = alClient\n"
                     "    Color = clBlue\n"
                     "    Font.Color = 0x80000010\n"
                     "    Font.Style = []\n"
                     "    Items = [\n"
                     "      \"12 Bordeaux\"\n"
                     "      \"\"\n"
                     "      \"13 Bourgogne\"\n"
                     "    ]\n"
                     "    Picture = bytes {\n"
                     "      424D 3e00\n"
                     "      FF\n"
                     "    }\n"
                     "    OnClick = ControlClick\n"
                     "    OnBeforeLaunch = BeforeLaunch\n"
                     "    OnKeyPress = FormKeyPress\n"
                     "  }\n"
                     "  TTestButton BU_Close {\n"
                     "  }\n"
                     "  TTestTimer TI_Timer {\n"
                     "  }\n"
                     "}\n");
    EXPECT_EQ(form->Name(), "FM_Test");
    EXPECT_EQ(form->Tag(), -1); // a hex word keeps its bits, also in a wider field
    EXPECT_EQ(form->Caption, "Caves \xE9lvarine");
    EXPECT_TRUE(form->KeyPreview);
    EXPECT_EQ(form->Color, 0x00D6DFE7u);
    EXPECT_EQ(form->Scale, 1.5);
    EXPECT_EQ(form->Font()->Name, "Tahoma");
    EXPECT_EQ(form->Font()->Style, (TTestFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(form->Font()->Charset, 0);
    EXPECT_EQ(form->Font()->Height, -11); // untouched

    TTestControl& la1 = Control(*form, "LA_1");
    EXPECT_EQ(la1.Left, -11);
    EXPECT_EQ(la1.Width, 32);
    EXPECT_EQ(la1.Caption(), "say \"hi\" \\ \n\r\t\x01\x7f");
    EXPECT_FALSE(la1.Visible);
    EXPECT_DOUBLE_EQ(la1.Ratio, -0.0025);
    EXPECT_EQ(la1.Align, alClient);
    EXPECT_EQ(la1.Color, 0xFF0000u);
    EXPECT_EQ(la1.Font()->Color, 0x80000010u); // a hex word with the high bit set, into an unsigned field
    EXPECT_TRUE(la1.Font()->Style.Empty());
    EXPECT_EQ(la1.Items, (TLines{"12 Bordeaux", "", "13 Bourgogne"}));
    EXPECT_EQ(la1.Picture, (TBytes{0x42, 0x4D, 0x3E, 0x00, 0xFF}));

    // The events call the root's methods.
    EXPECT_EQ(la1.OnClick.MethodName(), "ControlClick");
    la1.OnClick(&la1);
    bool launch = true;
    la1.OnBeforeLaunch(&la1, launch);
    EXPECT_FALSE(launch);
    char key = '1';
    la1.OnKeyPress(&la1, key);
    form->OnKeyPress(form.get(), key);
    EXPECT_EQ(TestLog(), (std::vector<std::string>{"LA_1.Caption", "Loaded FM_Test", "Loaded LA_1", "Loaded BU_Close",
                                                   "ControlClick LA_1",
                                                   "FormKeyPress 1", "FormKeyPress 1"}));
}

TEST(StreamingRead, ComponentsAreCreatedNestedStoredInFieldsAndLoadedInCreationOrder)
{
    // CR LF line ends and comments, as a hand-edited resource may have them.
    auto form = Load("# the test form\r\n"
                     "TTestForm FM_Test {\r\n"
                     "  TTestControl LA_1 {  # a panel of sorts\r\n"
                     "    Caption = \"#1\"\r\n"
                     "    TTestButton BU_Close {\r\n"
                     "      Caption = \"close\"\r\n"
                     "      Cancel = true\r\n"
                     "    }\r\n"
                     "  }\r\n"
                     "  TTestTimer TI_Timer {\r\n"
                     "    Interval = 250\r\n"
                     "  }\r\n"
                     "  TTestControl LA_2 {\r\n"
                     "    Caption = \"two\"\r\n"
                     "  }\r\n"
                     "}\r\n");
    ASSERT_EQ(form->ComponentCount(), 4);
    TTestControl& la1 = Control(*form, "LA_1");
    TTestControl& close = Control(*form, "BU_Close");
    EXPECT_EQ(form->Components(0), &la1);
    EXPECT_EQ(form->Components(1), &close);
    EXPECT_EQ(la1.GetParentComponent(), form.get());
    EXPECT_EQ(close.GetParentComponent(), &la1);
    EXPECT_EQ(la1.Caption(), "#1");
    EXPECT_TRUE(dynamic_cast<TTestButton&>(close).Cancel);

    EXPECT_EQ(form->LA_1, &la1);
    EXPECT_EQ(form->BU_Close, &close);
    ASSERT_NE(form->TI_Timer, nullptr);
    EXPECT_EQ(form->TI_Timer->Interval, 250);

    // Setters ran as the text was read, while loading; Loaded came after the whole text, the root first.
    EXPECT_TRUE(la1.WasLoadingWhenCaptionSet);
    EXPECT_EQ(TestLog(), (std::vector<std::string>{"LA_1.Caption", "BU_Close.Caption", "LA_2.Caption",
                                                   "Loaded FM_Test", "Loaded LA_1", "Loaded BU_Close",
                                                   "Loaded LA_2"}));
    for (int i = 0; i < form->ComponentCount(); ++i)
        EXPECT_FALSE(form->Components(i)->IsLoading()) << form->Components(i)->Name();
    EXPECT_FALSE(form->IsLoading());
}

TEST(StreamingRead, ReferencesResolveAfterTheWholeText)
{
    auto form = Load("TTestForm FM_Test {\n"
                     "  TTestControl LA_1 {\n"
                     "    Timer = ti_timer\n" // forward, and names ignore case
                     "    Link = LA_2\n"
                     "  }\n"
                     "  TTestControl LA_2 {\n"
                     "    Link = FM_Test\n"
                     "  }\n"
                     "  TTestTimer TI_Timer {\n"
                     "  }\n"
                     "  TTestButton BU_Close {\n"
                     "  }\n"
                     "}\n");
    TTestControl& la1 = Control(*form, "LA_1");
    TTestControl& la2 = Control(*form, "LA_2");
    EXPECT_EQ(la1.Timer, form->TI_Timer);
    EXPECT_EQ(la1.Link, &la2);
    EXPECT_EQ(la2.Link, form.get());
}

TEST(StreamingRead, DesignModeKeepsEventNamesAndTheHeaderClassAndLeavesFieldsAlone)
{
    const std::string text = "TTestDerivedForm FM_Derived {\n"
                             "  OnKeyPress = FormKeyPress\n"
                             "  TTestControl LA_1 {\n"
                             "    OnClick = DerivedClick\n"
                             "  }\n"
                             "}\n";
    TTestForm designed(nullptr);
    designed.SetDesigning(true);
    ReadComponent(text, designed, "WF_Derived");

    TTestControl& la1 = Control(designed, "LA_1");
    EXPECT_TRUE(la1.IsDesigning());
    EXPECT_EQ(designed.LA_1, nullptr);
    EXPECT_EQ(la1.OnClick.MethodName(), "DerivedClick");
    EXPECT_FALSE(la1.OnClick); // nothing to call in the designer
    EXPECT_FALSE(designed.OnKeyPress);
    EXPECT_EQ(designed.DesignClassName(), "TTestDerivedForm");
    EXPECT_EQ(WriteComponent(designed), "TTestDerivedForm FM_Derived {\n"
                                        "  OnKeyPress = FormKeyPress\n"
                                        "  TTestControl LA_1 {\n"
                                        "    Left = 0\n"
                                        "    Ratio = 0\n"
                                        "    OnClick = DerivedClick\n"
                                        "  }\n"
                                        "}\n");

    // A designed root may also stand for an ancestor of its class.
    TTestDerivedForm derived(nullptr);
    derived.SetDesigning(true);
    ReadComponent("TTestForm FM_Base {\n}\n", derived, "WF_Base");
    EXPECT_EQ(derived.Name(), "FM_Base");
}
