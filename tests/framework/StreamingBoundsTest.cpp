// Values far outside what a window can be are refused where the form reader
// reads them, naming the property and its range.
#include "framework/core/Exceptions.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct TBadResource {
    std::string Text;
    std::string Message;
};
} // namespace

TEST(StreamingBounds, AbsurdSizesAndCoordinatesAreRefusedWhereTheyAreRead)
{
    const TBadResource cases[] = {
        {"TForm FM_Test {\n  ClientWidth = 2147483647\n}\n",
         "WF_Test line 2: value 2147483647 is out of the range 0..32767 of Integer property ClientWidth"},
        {"TForm FM_Test {\n  ClientHeight = -1\n}\n",
         "WF_Test line 2: value -1 is out of the range 0..32767 of Integer property ClientHeight"},
        {"TForm FM_Test {\n  Font.Height = 65535\n}\n",
         "WF_Test line 2: value 65535 is out of the range -1000..1000 of Integer property Font.Height"},
        {"TForm FM_Test {\n  Left = -40000\n}\n",
         "WF_Test line 2: value -40000 is out of the range -32768..32767 of Integer property Left"},
        {"TForm FM_Test {\n  Width = 0x7FFFFFFF\n}\n",
         "WF_Test line 2: value 0x7FFFFFFF is out of the range 0..32767 of Integer property Width"},
    };
    for (const TBadResource& bad : cases) {
        SCOPED_TRACE(bad.Text);
        TForm form(nullptr);
        try {
            ReadComponent(bad.Text, form, "WF_Test");
            ADD_FAILURE() << "read without an error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), bad.Message);
        }
    }
    // The ends of the ranges are values like any other.
    TForm form(nullptr);
    ReadComponent("TForm FM_Test {\n  Left = -32768\n  ClientWidth = 32767\n  Font.Height = -1000\n}\n", form,
                  "WF_Test");
    EXPECT_EQ(form.Left(), -32768);
    EXPECT_EQ(form.Font()->Height(), -1000);
}
