// Ctl3D: a sunken 3-D border or a flat line on the controls that have a border,
// taken from the parent while ParentCtl3D holds, and kept by form resources.
#include "WindowTestSupport.h"

#include "framework/graphics/GdiHandles.h"
#include "framework/widgets/Edit.h"
#include "framework/widgets/ListBox.h"

namespace {
using ControlsCtl3D = TFormFixture;

// "sunken" (the window's client edge), else "flat" or "none" as the screen shows the
// window's left edge: the system edit draws its flat line itself.
std::string Border(TWinControl& control)
{
    if (GetWindowLongA(control.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
        return "sunken";
    UpdateWindow(control.Handle());
    RECT r;
    GetWindowRect(control.Handle(), &r);
    const TWindowDC screen(nullptr);
    const COLORREF edge = GetPixel(screen.Get(), r.left, (r.top + r.bottom) / 2);
    return edge == ColorToRGB(clWindow) ? "none" : "flat";
}
} // namespace

TEST_F(ControlsCtl3D, TheBorderFollowsCtl3DAndTheParentsUntilSetItself)
{
    auto* edit = Add<TEdit>(10, 10, 100, 21);
    auto* list = Add<TListBox>(10, 40, 100, 80);
    auto* borderless = Add<TEdit>(10, 130, 100, 21);
    borderless->SetBorderStyle(bsNone);
    ShowForm();
    EXPECT_EQ(Border(*edit), "sunken");
    EXPECT_EQ(Border(*list), "sunken");

    Form->SetCtl3D(false);
    EXPECT_FALSE(edit->Ctl3D());
    EXPECT_TRUE(edit->ParentCtl3D());
    EXPECT_EQ(Border(*edit), "flat");
    EXPECT_EQ(Border(*list), "flat");
    EXPECT_EQ(Border(*borderless), "none");

    edit->SetCtl3D(true);
    EXPECT_FALSE(edit->ParentCtl3D());
    EXPECT_EQ(Border(*edit), "sunken");
    Form->SetCtl3D(true);
    Form->SetCtl3D(false);
    EXPECT_EQ(Border(*edit), "sunken") << "no longer the parent's";
    EXPECT_EQ(Border(*list), "flat");

    edit->SetParentCtl3D(true);
    EXPECT_EQ(Border(*edit), "flat");
    // A control placed on the form takes the form's at once.
    auto* late = Add<TEdit>(120, 10, 100, 21);
    EXPECT_EQ(Border(*late), "flat");
}
