// The launcher window at the screen's density (run again at 120, 144 and 192 dpi): its
// 96-dpi design times the factor, with the banner drawn for the density, sharp.
#include "support/DensityLayout.h"
#include "support/PaintedControl.h"

#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/forms/Application.h"

#include <gtest/gtest.h>

TEST(LauncherDensity, TheWindowIsItsDesignTimesTheFactorWithASharpBanner)
{
    Application->Initialize();
    TDM_LocalData data(nullptr);
    DM_LocalData = &data;
    TFM_Installation window(nullptr);
    window.Show();
    ExpectScaledFromDesign(window, "TFM_Installation");
    ASSERT_NE(window.Brush()->Bitmap(), nullptr);
    EXPECT_EQ(window.Brush()->Bitmap()->Width(), AtScreenDensity(8)); // the pattern tiles at the same scale
    EXPECT_EQ(window.SB_Bar->Color(), static_cast<TColor>(0x00D6DFE7));
    EXPECT_EQ(window.IM_Elvarine->Width(), AtScreenDensity(285));
    EXPECT_EQ(window.IM_Elvarine->Height(), AtScreenDensity(90));
    // The gold rule under the name (96-dpi rows 38 and 39, x from 100 to 277) on the
    // ground that is not drawn: each edge turns from ground to gold in one pixel.
    const TPaintedControl banner(*window.IM_Elvarine);
    const TColor Ground = 0x00FF00FF, Gold = 0x003080A8;
    const auto at = AtScreenDensity;
    const struct {
        int X, Y;
        TColor Color;
    } edges[] = {{at(150), at(38) - 1, Ground}, {at(150), at(38), Gold},     {at(150), at(40) - 1, Gold},
                 {at(150), at(40), Ground},     {at(100) - 1, at(39), Ground}, {at(100), at(39), Gold},
                 {at(278) - 1, at(39), Gold},   {at(278), at(39), Ground}};
    for (const auto& edge : edges)
        EXPECT_EQ(banner.Pixel(edge.X, edge.Y), edge.Color) << "at (" << edge.X << ", " << edge.Y << ")";
    DM_LocalData = nullptr;
}
