// The gallery's cellar on its own: what the wall's menu and the producers' editor
// change in it.
#include "gallery/Cellar.h"
#include "gallery/WF_Gallery.h"

#include "framework/core/Exceptions.h"
#include "framework/forms/Application.h"

#include <gtest/gtest.h>

TEST(Cellar, DrinkingTheLastBottleOrEmptyingLeavesNoWine)
{
    TCellar cellar;
    // C7 holds one bottle, I18 four (the layout is the same on every start).
    ASSERT_EQ(cellar.Describe(3, 7), "Rose Brut 2018, 1 bottle");
    cellar.DrinkOne(3, 7);
    EXPECT_EQ(cellar.WineAt(3, 7), nullptr);
    EXPECT_EQ(cellar.Describe(3, 7), "empty");
    cellar.DrinkOne(3, 7); // nothing left to drink
    EXPECT_EQ(cellar.At(3, 7).Bottles, 0);

    cellar.DrinkOne(9, 18);
    EXPECT_EQ(cellar.Describe(9, 18), "Chambolle-Musigny Les Amoureuses 2016, 3 bottles");
    cellar.Empty(9, 18);
    EXPECT_EQ(cellar.WineAt(9, 18), nullptr);
    EXPECT_EQ(cellar.At(9, 18).Wine, -1);
}

TEST(Cellar, CompartmentsOutsideTheWallAreRefused)
{
    TCellar cellar;
    for (const auto& [row, col] : {std::pair{0, 1}, {1, 0}, {10, 1}, {1, 19}, {-1, -1}}) {
        EXPECT_THROW(cellar.At(row, col), EListError) << row << "," << col;
        EXPECT_THROW(cellar.DrinkOne(row, col), EListError) << row << "," << col;
    }
    EXPECT_NO_THROW(cellar.At(TCellar::Rows, TCellar::Columns));
}

TEST(Cellar, ProducersKeepTheirRegionByCodeIgnoringCase)
{
    TCellar cellar;
    EXPECT_EQ(cellar.RegionOf("GUI"), "RHO");
    EXPECT_EQ(cellar.RegionOf("gui"), "RHO");
    EXPECT_EQ(cellar.RegionOf("VIE"), "");
    cellar.SetRegion("vie", "JUR");
    EXPECT_EQ(cellar.RegionOf("VIE"), "JUR");
    cellar.SetRegion("GUI", "PRO"); // an updated producer moves
    EXPECT_EQ(cellar.RegionOf("Gui"), "PRO");
}

TEST(Cellar, EveryWineHasAProducerAndEveryProducerARegionOfTheForm)
{
    Application->Initialize();
    TFM_Gallery form(nullptr);
    for (const TProducer& producer : TCellar::Producers()) {
        EXPECT_GE(form.CC_Region->IndexOfCode(producer.Region), 0) << producer.Code;
        EXPECT_GE(form.LB_Producers->IndexOfCode(producer.Code), 0) << producer.Code;
    }
    for (const TWine& wine : TCellar::Wines())
        EXPECT_NE(form.Cellar().RegionOf(wine.Producer), "") << wine.Name;
}
