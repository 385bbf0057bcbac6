#include "StreamingTestClasses.h"

#include "framework/core/Exceptions.h"
#include "framework/designer/Registration.h"

#include <gtest/gtest.h>

namespace {
// A class known to nobody until a palette registration names it.
const TClassInfo& UnlistedTimerClass()
{
    static const TClassInfo info = TClassBuilder<TTestTimer>("TUnlistedTimer", &TTestTimer::StaticClass()).Build();
    return info;
}
} // namespace

TEST(Designer, PalettePagesListTheirClassesOnceInRegistrationOrder)
{
    TDesignerRegistry registry;
    registry.RegisterComponents("Corvel", {&TTestControl::StaticClass(), &TTestButton::StaticClass()});
    registry.RegisterComponents("System", {&TTestTimer::StaticClass()});
    registry.RegisterComponents("Corvel", {&TTestControl::StaticClass()});

    EXPECT_EQ(registry.PalettePages(), (std::vector<std::string>{"Corvel", "System"}));
    EXPECT_EQ(registry.ClassesOnPage("Corvel"),
              (std::vector<const TClassInfo*>{&TTestControl::StaticClass(), &TTestButton::StaticClass()}));
    EXPECT_TRUE(registry.ClassesOnPage("Standard").empty());

    EXPECT_THROW(registry.RegisterComponents("Corvel", {&TTestTimer::StaticClass(), nullptr}), EComponentError);
    EXPECT_THROW(registry.RegisterComponents("", {&TTestTimer::StaticClass()}), EComponentError);
    EXPECT_EQ(registry.ClassesOnPage("Corvel").size(), 2u);

    registry.Clear();
    EXPECT_TRUE(registry.PalettePages().empty());
}

TEST(Designer, RegisteredComponentsCanBeFoundByTheFormReader)
{
    ASSERT_EQ(FindClass("TUnlistedTimer"), nullptr);
    TDesignerRegistry registry;
    registry.RegisterComponents("System", {&UnlistedTimerClass()});
    EXPECT_EQ(FindClass("TUnlistedTimer"), &UnlistedTimerClass());
}

TEST(Designer, CategoriesApplyToDescendantsUntilTheyRegisterTheirOwn)
{
    TDesignerRegistry registry;
    registry.RegisterPropertyInCategory(TVisualCategory(), TTestControl::StaticClass(), "Visible");
    registry.RegisterPropertyInCategory(TActionCategory(), TTestControl::StaticClass(), "OnClick");
    registry.RegisterPropertyInCategory(TActionCategory(), TTestButton::StaticClass(), "Color");

    EXPECT_EQ(registry.PropertyCategory(TTestControl::StaticClass(), "Visible"), "Visual");
    EXPECT_EQ(registry.PropertyCategory(TTestButton::StaticClass(), "Visible"), "Visual");
    EXPECT_EQ(registry.PropertyCategory(TTestButton::StaticClass(), "OnClick"), "Action");
    EXPECT_EQ(registry.PropertyCategory(TTestButton::StaticClass(), "Color"), "Action");
    EXPECT_EQ(registry.PropertyCategory(TTestControl::StaticClass(), "Color"), std::nullopt);
    EXPECT_EQ(registry.PropertyCategory(TTestControl::StaticClass(), "Caption"), std::nullopt);

    registry.RegisterPropertyInCategory(TVisualCategory(), TTestButton::StaticClass(), "Visible");
    EXPECT_EQ(registry.PropertyCategory(TTestButton::StaticClass(), "Visible"), "Visual");
    registry.RegisterPropertyInCategory(TActionCategory(), TTestButton::StaticClass(), "Visible");
    EXPECT_EQ(registry.PropertyCategory(TTestButton::StaticClass(), "Visible"), "Action");
    EXPECT_EQ(registry.PropertyCategory(TTestControl::StaticClass(), "Visible"), "Visual");
}

TEST(Designer, CategoryOfAPropertyTheClassDoesNotPublishIsRefused)
{
    TDesignerRegistry registry;
    try {
        registry.RegisterPropertyInCategory(TVisualCategory(), TTestControl::StaticClass(), "Colour");
        ADD_FAILURE() << "registered an unknown property";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "TTestControl has no published property Colour");
    }
    // Cancel is published by the button only.
    EXPECT_THROW(registry.RegisterPropertyInCategory(TActionCategory(), TTestControl::StaticClass(), "Cancel"),
                 EComponentError);
    EXPECT_EQ(registry.PropertyCategory(TTestControl::StaticClass(), "Colour"), std::nullopt);
}

TEST(Designer, UnitRegistrationsReachTheDesignersRegistry)
{
    DesignerRegistry().Clear();
    RegisterComponents("Corvel", {&TTestButton::StaticClass()});
    RegisterPropertyInCategory(TActionCategory(), TTestButton::StaticClass(), "Cancel");
    EXPECT_EQ(PalettePages(), std::vector<std::string>{"Corvel"});
    EXPECT_EQ(ClassesOnPage("Corvel"), std::vector<const TClassInfo*>{&TTestButton::StaticClass()});
    EXPECT_EQ(PropertyCategory(TTestButton::StaticClass(), "Cancel"), "Action");
    DesignerRegistry().Clear();
    EXPECT_TRUE(PalettePages().empty());
}
