// The test tree's live counts (framework/core/ObjectCounters.h): whatever makes an
// object, a GDI object or a USER object counts it once and letting it go takes it
// back, so that a long random-input run can tell a leak from a level.
#include "WindowTestSupport.h"

#include "framework/core/Strings.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/system/Handles.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/Edit.h"

namespace {
long Live(TCountedKind kind) { return ObjectCounters::Live(kind); }

struct TCopyable : TObject {};

class ObjectCountersOnForm : public TFormFixture {};
} // namespace

TEST(ObjectCounters, ObjectsAndTheirCopiesCountUntilDestroyed)
{
    const long before = Live(TCountedKind::Objects);
    {
        TCopyable one;
        TCopyable two(one);
        auto three = std::make_unique<TStringList>();
        two = one;
        EXPECT_EQ(Live(TCountedKind::Objects), before + 3);
    }
    EXPECT_EQ(Live(TCountedKind::Objects), before);
}

TEST(ObjectCounters, GdiOwnersCountWhatTheyHold)
{
    const long before = Live(TCountedKind::GdiObjects);
    {
        TFont font;
        font.Handle();
        EXPECT_EQ(Live(TCountedKind::GdiObjects), before + 1);
        font.SetHeight(-20); // a new handle in place of the old one
        font.Handle();
        EXPECT_EQ(Live(TCountedKind::GdiObjects), before + 1);

        TGdiObject moved(TGdiObject(CreateSolidBrush(RGB(1, 2, 3))));
        TMemoryDC dc(CreateCompatibleDC(nullptr));
        TWindowDC screen(nullptr);
        EXPECT_EQ(Live(TCountedKind::GdiObjects), before + 4);
        moved.Reset(moved.Get()); // the same handle again: nothing changes hands
        EXPECT_EQ(Live(TCountedKind::GdiObjects), before + 4);
        DeleteObject(moved.Release()); // the caller's now
        EXPECT_EQ(Live(TCountedKind::GdiObjects), before + 3);
    }
    EXPECT_EQ(Live(TCountedKind::GdiObjects), before);
}

TEST_F(ObjectCountersOnForm, WindowsAndMenusCountUntilTheyGo)
{
    const long before = Live(TCountedKind::UserObjects);
    auto* button = Add<TButton>(10, 10, 80, 24);
    Add<TEdit>(10, 40, 80, 24);
    Form->HandleNeeded();
    EXPECT_EQ(Live(TCountedKind::UserObjects), before + 3);
    button->RecreateWnd();
    button->HandleNeeded();
    EXPECT_EQ(Live(TCountedKind::UserObjects), before + 3);
    {
        TUniqueHandle<HMENU, &DestroyMenu> menu(CreatePopupMenu());
        TRegKey notCounted(HKEY_CURRENT_USER); // only windows and menus are USER objects
        notCounted.Release();
        EXPECT_EQ(Live(TCountedKind::UserObjects), before + 4);
    }
    // What the program answers from outside is what it counts inside.
    const UINT query = ObjectCounters::CountQueryMessage();
    for (const TCountedKind kind : {TCountedKind::Objects, TCountedKind::GdiObjects, TCountedKind::UserObjects})
        EXPECT_EQ(SendMessageA(Application->Handle(), query, static_cast<WPARAM>(kind), 0), Live(kind));
    Form.reset();
    EXPECT_EQ(Live(TCountedKind::UserObjects), before);
}
