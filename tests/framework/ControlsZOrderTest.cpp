#include "framework/forms/Application.h"
#include "framework/forms/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
// The child windows of a window, topmost first, as the system orders them.
std::vector<HWND> ZOrder(HWND parent)
{
    std::vector<HWND> order;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(child);
    return order;
}
} // namespace

TEST(ControlsZOrder, BringToFrontRaisesTheWindowAndLeavesOneInFrontAlone)
{
    Application->Initialize();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(20, 20, 200, 150);
    auto* below = new TCustomControl(form.get());
    below->SetParent(form.get());
    below->SetBounds(10, 10, 60, 60);
    auto* above = new TCustomControl(form.get());
    above->SetParent(form.get());
    above->SetBounds(40, 40, 60, 60);
    form->Show();
    Application->ProcessMessages();

    below->BringToFront();
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), below);
    EXPECT_EQ(ZOrder(form->Handle()), (std::vector<HWND>{below->Handle(), above->Handle()}));
    above->BringToFront();
    EXPECT_EQ(ZOrder(form->Handle()), (std::vector<HWND>{above->Handle(), below->Handle()}));

    // Already in front: nothing to repaint, so painting code may call it freely.
    Application->ProcessMessages();
    above->BringToFront();
    EXPECT_FALSE(GetUpdateRect(above->Handle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE));
}
