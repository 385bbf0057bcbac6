#include "StreamingTestClasses.h"

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The message of the EReadError that reading Text into a fresh form raises.
std::string ReadError(const std::string& text, TComponent* owner = nullptr)
{
    TTestForm form(owner);
    try {
        ReadComponent(text, form, "WF_Test");
    } catch (const EReadError& e) {
        return e.Message();
    }
    ADD_FAILURE() << "read without an error:\n" << text;
    return "";
}

// A form holding one control whose block has the line Body (line 3 of the text).
std::string InControl(const std::string& body)
{
    return "TTestForm FM_Test {\n"
           "  TTestControl LA_1 {\n"
           "    " + body + "\n"
           "  }\n"
           "  TTestTimer TI_Timer {\n"
           "  }\n"
           "}\n";
}

struct TBadResource {
    std::string Text;
    std::string Message;
};
} // namespace

TEST(StreamingError, BadValuesNameTheLineTheTypeAndTheProperty)
{
    const TBadResource cases[] = {
        {InControl("Colour = clBlue"), "WF_Test line 3: unknown property \"Colour\" of TTestControl LA_1"},
        {InControl("Font.Size = 8"), "WF_Test line 3: unknown property \"Font.Size\" of TTestControl LA_1"},
        {InControl("Caption.Text = 8"), "WF_Test line 3: unknown property \"Caption.Text\" of TTestControl LA_1"},
        {InControl("Font = 8"), "WF_Test line 3: property \"Font\" of TTestControl LA_1 is read-only"},
        {InControl("Align = alFoo"), "WF_Test line 3: invalid value \"alFoo\" for TTestAlign property Align"},
        {InControl("Font.Style = [fsBold, fsHeavy]"),
         "WF_Test line 3: invalid value \"fsHeavy\" for TTestFontStyle property Font.Style"},
        {InControl("Font.Style = [fsBold fsItalic]"),
         "WF_Test line 3: expected \",\" or \"]\" in the set of Font.Style, found \"fsItalic\""},
        {InControl("Visible = \"yes\""), "WF_Test line 3: invalid value \"yes\" for Bool property Visible"},
        {InControl("Visible = True"), "WF_Test line 3: invalid value \"True\" for Bool property Visible"},
        {InControl("Caption = 12"), "WF_Test line 3: invalid value \"12\" for String property Caption"},
        {InControl("Left = 1.5"), "WF_Test line 3: invalid value \"1.5\" for Integer property Left"},
        {InControl("Left = 12px"), "WF_Test line 3: invalid value \"12px\" for Integer property Left"},
        {InControl("Left = clBlue"), "WF_Test line 3: invalid value \"clBlue\" for Integer property Left"},
        {InControl("Ratio = 0x10"), "WF_Test line 3: invalid value \"0x10\" for Float property Ratio"},
        {InControl("Left = 2147483648"),
         "WF_Test line 3: value 2147483648 is out of the 32-bit range for Integer property Left"},
        {InControl("Left = -2147483649"),
         "WF_Test line 3: value -2147483649 is out of the 32-bit range for Integer property Left"},
        {InControl("Color = 0x100000000"),
         "WF_Test line 3: value 0x100000000 is out of the 32-bit range for Integer property Color"},
        {InControl("Left = 99999999999999999999"),
         "WF_Test line 3: value 99999999999999999999 is out of the 32-bit range for Integer property Left"},
        {InControl("Items = \"12 Bordeaux\""), "WF_Test line 3: invalid value \"12 Bordeaux\" for Lines property Items"},
        {InControl("Items = [\n\"a\"\n12\n]"), "WF_Test line 5: expected a string or \"]\" in the lines of Items, found \"12\""},
        {InControl("Picture = bytes {\n4G\n}"), "WF_Test line 4: bad hex digit \"G\" in bytes"},
        {InControl("Picture = bytes { 424 }"), "WF_Test line 3: odd number of hex digits in bytes"},
        {InControl("Picture = \"BM\""), "WF_Test line 3: invalid value \"BM\" for Bytes property Picture"},
        {InControl("Caption = \"abc"), "WF_Test line 3: unterminated string"},
        {InControl("Caption = \"abc\\"), "WF_Test line 3: unterminated string"},
        {InControl("Caption = \"a\\qb\""), "WF_Test line 3: invalid escape \"\\q\" in string"},
        {InControl("Caption = \"a\\x4\""), "WF_Test line 3: invalid escape in string: \\x needs two hex digits"},
        {InControl("Left = @"), "WF_Test line 3: unexpected character \"@\""},
        {InControl("Left 12"), "WF_Test line 3: unexpected \"12\" after \"Left\" in TTestControl LA_1"},
        {InControl("Font. = 1"), "WF_Test line 3: expected a property name after \"Font.\", found \"=\""},
        {InControl("OnClick = Bogus"), "WF_Test line 3: unknown event handler \"Bogus\" for OnClick"},
        {InControl("OnClick = FormKeyPress"), "WF_Test line 3: incompatible event handler \"FormKeyPress\" for OnClick"},
        {InControl("OnClick = \"ControlClick\""),
         "WF_Test line 3: invalid value \"ControlClick\" for Event property OnClick"},
        {InControl("Timer = LA_9"), "WF_Test line 3: unknown component \"LA_9\" for Timer"},
        {InControl("Timer = LA_1"), "WF_Test line 3: invalid value \"LA_1\" for TTestTimer property Timer"},
    };
    for (const TBadResource& bad : cases) {
        SCOPED_TRACE(bad.Text);
        EXPECT_EQ(ReadError(bad.Text), bad.Message);
    }
}

TEST(StreamingError, BadStructureNamesTheLineAndTheComponent)
{
    const TBadResource cases[] = {
        {"TTestForm FM_Test {\n  TFoo LA_1 {\n  }\n}\n", "WF_Test line 2: class \"TFoo\" not found"},
        {"TTestForm FM_Test {\n  TTestFont FO_1 {\n  }\n}\n", "WF_Test line 2: class \"TTestFont\" cannot be created"},
        {"TTestForm FM_Test {\n  TTestControl LA_1 {\n  }\n  TTestTimer LA_1 {\n  }\n}\n",
         "WF_Test line 4: a component named LA_1 already exists"},
        {"TTestForm FM_Test {\n  TTestControl FM_TEST {\n  }\n}\n",
         "WF_Test line 2: a component named FM_TEST already exists"},
        {"TTestForm FM_Test {\n  TTestControl BU_Close {\n  }\n}\n",
         "WF_Test line 2: the field BU_Close of TTestForm cannot hold a TTestControl"},
        {"TTestForm FM_Test {\n  TTestControl LA_1 {\n    Left = 1\n  }\n", "WF_Test line 5: expected \"}\" to close "
                                                                          "TTestForm FM_Test, found end of text"},
        {"TTestForm FM_Test {\n  TTestControl LA_1 \n    Left = 1\n  }\n}\n",
         "WF_Test line 3: expected \"{\" after TTestControl LA_1, found \"Left\""},
        {"TTestForm FM_Test {\n}\nTTestTimer TI_Timer {\n}\n",
         "WF_Test line 3: unexpected \"TTestTimer\" after the root component"},
        {"TTestForm FM_Test {\n  = 1\n}\n", "WF_Test line 2: unexpected \"=\" in TTestForm FM_Test"},
        {"\"TTestForm\" FM_Test {\n}\n", "WF_Test line 1: expected a class name, found \"TTestForm\""},
        {"", "WF_Test line 1: expected a class name, found end of text"},
        {"TTestDerivedForm FM_Test {\n}\n",
         "WF_Test line 1: class \"TTestDerivedForm\" does not match the root's class TTestForm"},
    };
    for (const TBadResource& bad : cases) {
        SCOPED_TRACE(bad.Text);
        EXPECT_EQ(ReadError(bad.Text), bad.Message);
    }
}

TEST(StreamingError, ComponentErrorsReachTheCallerWithTheirPlace)
{
    // The owner already has a form of that name.
    TComponent application(nullptr);
    auto* first = new TTestForm(&application);
    first->SetName("FM_Test");
    EXPECT_EQ(ReadError("TTestForm FM_Test {\n}\n", &application),
              "WF_Test line 1: cannot name the root FM_Test: A component named FM_Test already exists");
}

TEST(StreamingError, DesignedRootAcceptsOnlyRegisteredRelativesOfItsClass)
{
    auto readDesigned = [](const std::string& text) {
        TTestControl designed(nullptr);
        designed.SetDesigning(true);
        try {
            ReadComponent(text, designed, "WF_Test");
        } catch (const EReadError& e) {
            return e.Message();
        }
        return std::string("read");
    };
    EXPECT_EQ(readDesigned("TTestForm FM_Test {\n}\n"),
              "WF_Test line 1: class \"TTestForm\" does not match the root's class TTestControl");
    EXPECT_EQ(readDesigned("TNoSuchForm FM_Test {\n}\n"), "WF_Test line 1: class \"TNoSuchForm\" not found");
    EXPECT_EQ(readDesigned("TTestButton BU_Test {\n}\n"), "read");
}

TEST(StreamingError, ComponentsCreatedBeforeAFaultStayOwnedByTheRoot)
{
    auto form = std::make_unique<TTestForm>(nullptr);
    EXPECT_THROW(ReadComponent("TTestForm FM_Test {\n"
                               "  TTestControl LA_1 {\n"
                               "    TTestButton BU_Close {\n"
                               "      Cancel = maybe\n"
                               "    }\n"
                               "  }\n"
                               "}\n",
                               *form, "WF_Test"),
                 EReadError);
    ASSERT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->LA_1, form->Components(0));
    EXPECT_EQ(form->BU_Close, form->Components(1));
    EXPECT_TRUE(form->LA_1->IsLoading()); // never loaded
    form.reset();                         // and destroyed with the root
}

namespace {
// A form whose every field has its component, and a chain of Depth controls
// nested one in the other below it.
std::string NestedChain(int depth)
{
    std::string text = "TTestForm FM_Test {\n  TTestControl LA_1 {\n  }\n  TTestButton BU_Close {\n  }\n"
                       "  TTestTimer TI_Timer {\n  }\n";
    for (int i = 1; i <= depth; ++i)
        text += "TTestControl N" + std::to_string(i) + " {\n";
    for (int i = 1; i <= depth; ++i)
        text += "}\n";
    return text + "}\n";
}
} // namespace

TEST(StreamingError, NestingIsRefusedBeyondThirtyTwoComponents)
{
    TTestForm deepest(nullptr);
    ReadComponent(NestedChain(32), deepest, "WF_Test");
    EXPECT_EQ(deepest.ComponentCount(), 3 + 32);
    // Line 8 holds N1; so N33 stands on line 40, however deep the chain goes on.
    for (int depth : {33, 2000})
        EXPECT_EQ(ReadError(NestedChain(depth)), "WF_Test line 40: TTestControl N33 is nested deeper than 32 components")
            << depth;
}

TEST(StreamingError, EveryPublishedFieldNeedsItsComponent)
{
    EXPECT_EQ(ReadError("TTestForm FM_Test {\n  TTestControl LA_1 {\n  }\n  TTestTimer TI_Timer {\n  }\n}\n"),
              "WF_Test line 7: no component for the field BU_Close of TTestForm");
    EXPECT_EQ(ReadError("TTestForm FM_Test {\n}\n"), "WF_Test line 3: no component for the field LA_1 of TTestForm");
}

TEST(StreamingError, FieldsAndMethodsAreBoundIgnoringCase)
{
    TTestForm form(nullptr);
    ReadComponent("TTestForm FM_Test {\n"
                  "  TTestControl la_1 {\n"
                  "    OnClick = CONTROLCLICK\n"
                  "  }\n"
                  "  TTestButton Bu_CLOSE {\n"
                  "  }\n"
                  "  TTestTimer ti_timer {\n"
                  "  }\n"
                  "}\n",
                  form, "WF_Test");
    ASSERT_NE(form.LA_1, nullptr);
    EXPECT_EQ(form.LA_1->Name(), "la_1");
    EXPECT_NE(form.BU_Close, nullptr);
    EXPECT_NE(form.TI_Timer, nullptr);
    TestLog().clear();
    form.LA_1->OnClick(form.LA_1);
    EXPECT_EQ(TestLog(), std::vector<std::string>{"ControlClick la_1"});
    EXPECT_EQ(ReadError("TTestForm FM_Test {\n  TTestControl bu_close {\n  }\n}\n"),
              "WF_Test line 2: the field BU_Close of TTestForm cannot hold a TTestControl");
}
