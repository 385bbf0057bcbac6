#include "support/DensityLayout.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ScreenDensity.h"
#include "framework/streaming/FormReader.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Image.h"
#include "framework/widgets/Label.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int AtScreenDensity(int Designed) { return MulDiv(Designed, ScreenPixelsPerInch(), DesignPixelsPerInch); }

void ExpectScaledFromDesign(const TCustomForm& Live, const char* ResourceName, const char* Exempt)
{
    const char* asked = std::getenv("ELV_SCREEN_DPI");
    ASSERT_EQ(ScreenPixelsPerInch(), asked ? std::atoi(asked) : DesignPixelsPerInch) << "not the density asked for";
    TForm designed(nullptr);
    designed.SetDesigning(true);
    ReadComponentRes(ResourceName, designed);
    EXPECT_EQ(Live.PixelsPerInch(), ScreenPixelsPerInch());
    // The system cuts a window larger than the screen down to it, whatever it asks for.
    const int width = AtScreenDensity(designed.ClientWidth()), height = AtScreenDensity(designed.ClientHeight());
    if (width + Live.Width() - Live.ClientWidth() <= GetSystemMetrics(SM_CXMAXTRACK) &&
        height + Live.Height() - Live.ClientHeight() <= GetSystemMetrics(SM_CYMAXTRACK)) {
        EXPECT_NEAR(Live.ClientWidth(), width, 1);
        EXPECT_NEAR(Live.ClientHeight(), height, 1);
    } else {
        std::printf("%s: %d x %d is larger than this screen: its size is not checked\n", ResourceName, width, height);
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    for (int i = 0; i < designed.ComponentCount(); ++i) {
        const auto* was = dynamic_cast<const TControl*>(designed.Components(i));
        if (!was || std::strstr(Exempt, was->Name().c_str()))
            continue;
        SCOPED_TRACE(was->Name());
        const auto* is = dynamic_cast<const TControl*>(Live.FindComponent(was->Name()));
        ASSERT_NE(is, nullptr);
        const auto* label = dynamic_cast<const TCustomLabel*>(is);
        const auto* image = dynamic_cast<const TImage*>(is);
        // The system gives a combo box the height of its font.
        const bool sizesItself = (label && label->AutoSize()) || (image && image->AutoSize()) ||
                                 dynamic_cast<const TCustomComboBox*>(is);
        EXPECT_NEAR(is->Left(), AtScreenDensity(was->Left()), 1);
        EXPECT_NEAR(is->Top(), AtScreenDensity(was->Top()), 1);
        if (!sizesItself) {
            EXPECT_NEAR(is->BoundsRect().right, AtScreenDensity(was->BoundsRect().right), 1);
            EXPECT_NEAR(is->BoundsRect().bottom, AtScreenDensity(was->BoundsRect().bottom), 1);
        }
        if (!is->ParentFont()) {
            EXPECT_EQ(is->Font()->Height(), AtScreenDensity(was->Font()->Height()));
        }
        measure.Canvas()->Font()->Assign(is->Font());
        const TSize text = measure.Canvas()->TextExtent(is->Caption());
        EXPECT_TRUE(text.cx <= is->Width() && text.cy <= is->Height()) << "\"" << is->Caption() << "\" outgrows it";
    }
}
