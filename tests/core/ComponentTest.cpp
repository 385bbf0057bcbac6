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

namespace {
// Holds a plain reference and records the removals it is told of.
struct TWatcher : TComponent {
    using TComponent::TComponent;
    TComponent* Watched = nullptr;
    int Removals = 0;
    void Watch(TComponent* c)
    {
        Watched = c;
        FreeNotification(c);
    }

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        if (op == opRemove && c == Watched) {
            Watched = nullptr;
            ++Removals;
        }
    }
};
} // namespace

TEST(ComponentFreeNotification, TheSurvivorOfALinkIsToldOnceAndTheLinkGoes)
{
    // Linked twice, owned elsewhere: one notice, and the reference is cleared.
    TComponent form(nullptr);
    TWatcher watcher(nullptr);
    auto* watched = new TComponent(&form);
    watcher.Watch(watched);
    watcher.FreeNotification(watched);
    delete watched;
    EXPECT_EQ(watcher.Watched, nullptr);
    EXPECT_EQ(watcher.Removals, 1);

    // Destroyed with its owner, like a form's controls.
    auto* owned = new TComponent(&form);
    watcher.Watch(owned);
    form.DestroyComponents();
    EXPECT_EQ(watcher.Removals, 2);

    // An owner hears of what comes and goes.
    TWatcher owner(nullptr);
    auto* child = new TComponent(nullptr);
    owner.Watched = child;
    owner.InsertComponent(child);
    owner.RemoveComponent(child);
    EXPECT_EQ(owner.Watched, nullptr);
    delete child;

    // Unlinked: nothing is said.
    TComponent kept(nullptr);
    {
        TComponent unlinked(nullptr);
        watcher.Watch(&unlinked);
        unlinked.RemoveFreeNotification(&watcher); // from either side
        watcher.Watched = nullptr;
    }
    EXPECT_EQ(watcher.Removals, 2);
}

TEST(ComponentFreeNotification, ALinkRunsBothWaysAndEndsWithEitherSide)
{
    auto* watched = new TWatcher(nullptr);
    auto* watcher = new TWatcher(nullptr);
    watcher->Watch(watched);
    watched->Watched = watcher;
    delete watcher;
    EXPECT_EQ(watched->Removals, 1) << "the watched one hears of its watcher too";
    EXPECT_EQ(watched->Watched, nullptr);
    // Nothing of the freed watcher is left to call: deleting the other is quiet.
    delete watched;
}
