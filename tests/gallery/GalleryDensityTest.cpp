// The gallery's form at the screen's density (run again at 120, 144 and 192 dpi): its
// 96-dpi design times the factor, and so are the components' own pixel sizes.
#include "support/DensityLayout.h"

#include "gallery/WF_Gallery.h"

#include "framework/forms/Application.h"
#include "framework/streaming/FormReader.h"

#include <gtest/gtest.h>

TEST(GalleryDensity, TheFormAndItsComponentsSizesAreTheDesignTimesTheFactor)
{
    Application->Initialize();
    // Not shown: at 144 dpi and more the form outgrows the test display's 1024 x 768,
    // and the system would shrink a window shown larger than its screen.
    TFM_Gallery form(nullptr);
    // The wall's size is a whole number of compartments: checked below.
    ExpectScaledFromDesign(form, "TFM_Gallery", "WW_Cellar");
    TForm designed(nullptr);
    designed.SetDesigning(true);
    ReadComponentRes("TFM_Gallery", designed);
    const auto& wall = *dynamic_cast<TWineWall*>(designed.FindComponent("WW_Cellar"));
    const auto& split = *dynamic_cast<TCorvelSplit*>(designed.FindComponent("SP_Split"));
    const int sizes[][2] = {{wall.CaseWidthHeight(), form.WW_Cellar->CaseWidthHeight()},
                            {wall.LabelMargin(), form.WW_Cellar->LabelMargin()},
                            {wall.Left(), form.WW_Cellar->Left()},
                            {split.MargeLeftTop(), form.SP_Split->MargeLeftTop()},
                            {split.MargeRightBottom(), form.SP_Split->MargeRightBottom()}};
    for (const auto& size : sizes)
        EXPECT_EQ(size[1], AtScreenDensity(size[0])) << "designed " << size[0];
    EXPECT_NEAR(form.WW_Cellar->Width(), AtScreenDensity(wall.Width()), wall.NbCaseWidth());
    EXPECT_NEAR(form.WW_Cellar->Height(), AtScreenDensity(wall.Height()), wall.NbCaseHeight());
}
