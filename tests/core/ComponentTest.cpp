#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {
// Counts destructions so that ownership can be observed.
struct TTracked : TComponent {
    explicit TTracked(TComponent* owner, int* deaths) : TComponent(owner), Deaths(deaths) {}
    ~TTracked() override { ++*Deaths; }
    int* Deaths;
};
} // namespace

TEST(Component, OwnerDestroysWhatItOwns)
{
    int deaths = 0;
    auto* owner = new TComponent(nullptr);
    auto* a = new TTracked(owner, &deaths);
    new TTracked(a, &deaths); // owned by a, so destroyed with it
    new TTracked(owner, &deaths);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(deaths, 3);
}

TEST(Component, OwnedComponentDestroyedFirstLeavesItsOwner)
{
    int deaths = 0;
    TComponent owner(nullptr);
    auto* a = new TTracked(&owner, &deaths);
    auto* b = new TTracked(&owner, &deaths);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
}

TEST(Component, NamesAreIdentifiersUniqueAmongSiblings)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("LA_Elvarine");
    EXPECT_EQ(owner.FindComponent("la_elvarine"), a);
    EXPECT_THROW(b->SetName("LA_ELVARINE"), EComponentError);
    EXPECT_THROW(b->SetName("2bad"), EComponentError);
    EXPECT_THROW(b->SetName("with space"), EComponentError);
    EXPECT_TRUE(b->Name().empty());
    b->SetName("LA_MDAC");
    EXPECT_EQ(owner.FindComponent("LA_MDAC"), b);
}

TEST(Component, DesignStateReachesOwnedComponents)
{
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
    auto* later = new TComponent(&owner);
    EXPECT_TRUE(later->IsDesigning());
    owner.SetDesigning(false);
    EXPECT_FALSE(child->IsDesigning());
}

TEST(Component, LoadedEndsTheLoadingState)
{
    TComponent c(nullptr);
    c.BeginLoading();
    EXPECT_TRUE(c.IsLoading());
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
}
