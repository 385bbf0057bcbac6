#include "StreamingTestClasses.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(StreamingResource, FormIsReadFromTheExecutableAndWrittenBackUnchanged)
{
    TTestForm form(nullptr);
    ReadComponentRes("WF_TEST_FORM", form);
    EXPECT_EQ(form.Name(), "FM_Resource");
    ASSERT_NE(form.BU_Close, nullptr);
    EXPECT_EQ(form.BU_Close->Caption(), "&Close");
    EXPECT_EQ(form.LA_1->Font()->Height, -19);

    TResourceStream stored(GetModuleHandleA(nullptr), "WF_TEST_FORM");
    EXPECT_EQ(WriteComponent(form), stored.ReadAll());
}

TEST(StreamingResource, MissingResourceRaisesResNotFound)
{
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentRes("WF_NO_SUCH_FORM", form), EResNotFound);
    EXPECT_EQ(form.ComponentCount(), 0);
}
