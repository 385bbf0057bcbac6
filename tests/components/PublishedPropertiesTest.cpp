// Each component publishes the properties its documentation lists, in that order,
// and the machinery those properties stand for (a popup menu reference, anchors,
// size constraints) reads from and writes back to a form resource.
#include "support/FormFromText.h"
#include "components/ColorButton.h"
#include "components/CorvelLabel.h"
#include "components/CorvelSplit.h"
#include "components/WineControl.h"
#include "components/WineWall.h"
#include "framework/controls/Menus.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/widgets/Label.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
using TNames = std::vector<std::string>;

TNames PublishedNames(const TClassInfo& cls)
{
    TNames names;
    for (const TPropInfo* p : cls.PublishedProps())
        names.push_back(p->Name);
    return names;
}

TNames Joined(TNames first, const TNames& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// Every component: the name is its title in a form resource; these come first.
const TNames AlwaysPublished{"Tag", "Left", "Top", "Width", "Height"};
} // namespace

TEST(PublishedProperties, EachComponentListsItsPropertiesInTheirDocumentedOrder)
{
    struct TCase {
        const TClassInfo& Class;
        TNames Expected;
    };
    const TCase cases[] = {
        {TCorvelLabel::StaticClass(),
         Joined(PublishedNames(TLabel::StaticClass()),
                {"Use3DEffect", "Use3DEffectHover", "IsLink", "UseIEDefaults", "UseHover", "Link", "LinkParameter",
                 "LinkColor", "HoverColor", "VisitedColor", "Color3D", "Color3DHover", "OnBeforeLaunchLink",
                 "OnAfterLaunchLink"})},
        {TWineWall::StaticClass(),
         Joined(AlwaysPublished,
                {"Cursor", "OnResize", "Hint", "ShowHint", "Visible", "ParentShowHint", "PopupMenu", "Color",
                 "AutoChangeWidthHeight", "MaxWidth", "MaxHeight", "CaseWidthHeight", "WallNumber", "NbCaseWidth",
                 "NbCaseHeight", "TypeHorizontal", "TypeVertical", "OnDrawing", "OnClick", "OnDblClick", "OnMouseDown",
                 "OnNeedHint"})},
        {TWineControl::StaticClass(),
         Joined(AlwaysPublished,
                {"Cursor", "Hint", "DateFormat", "Color", "Text", "Date", "SelectedCode", "CodeTableType", "Style",
                 "Type", "MaxLength", "Control", "Alignment", "OnWineClick", "OnChange", "OnSelectedCodeChange",
                 "Enabled"})},
        {TCorvelSplit::StaticClass(),
         Joined(AlwaysPublished,
                {"Hint", "ParentShowHint", "ShowHint", "PopupMenu", "Enabled", "OnMouseUp", "OnMouseMove",
                 "OnMouseDown", "OnResize", "OnEndMove", "OnBeginMove", "Kind", "ControlsAutoResize",
                 "Control1AutoResize", "Control2AutoResize", "CorvelSplitAutoResize", "Overlap", "Step", "Control1",
                 "Control2", "MargeLeftTop", "MargeRightBottom"})},
        // Action is left out: the framework has no actions.
        {TColorButton::StaticClass(),
         Joined(AlwaysPublished,
                {"OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown",
                 "OnMouseMove", "OnMouseUp", "OnStartDrag", "Align", "Anchors", "Constraints", "Cursor", "DragCursor",
                 "DragMode", "Hint", "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "Color", "Caption",
                 "Canvas"})},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PublishedNames(c.Class), c.Expected) << c.Class.Name;
}

namespace {
const char* const CellarForm = R"(TForm FM_Cellar {
  BorderStyle = bsNone
  ClientWidth = 400
  ClientHeight = 300
  TPopupMenu PM_Wall {
    TMenuItem MI_Open {
      Caption = "&Open"
      Default = true
      ShortCut = 16463
    }
    TMenuItem MI_Line {
      Caption = "-"
    }
    TMenuItem MI_Move {
      Caption = "&Move to"
      TMenuItem MI_Left {
        Caption = "Left wall"
        Checked = true
      }
      TMenuItem MI_Right {
        Caption = "Right wall"
        Enabled = false
      }
    }
  }
  TWineWall WW_Wall {
    Left = 10
    Top = 10
    Width = 200
    Height = 200
    PopupMenu = PM_Wall
  }
  TCorvelSplit CS_Bar {
    Left = 250
    PopupMenu = PM_Wall
  }
  TColorButton CB_Red {
    Left = 300
    Top = 250
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Constraints.MaxWidth = 60
    Constraints.MinHeight = 30
    DragCursor = crHandPoint
    PopupMenu = PM_Wall
  }
}
)";

std::unique_ptr<TForm> Read(const std::string& text) { return ReadForm(text, "WF_Cellar"); }
} // namespace

TEST(PublishedProperties, MenusAnchorsAndConstraintsReadAndWriteBack)
{
    Application->Initialize();
    auto form = Read(CellarForm);
    auto& menu = Find<TPopupMenu>(*form, "PM_Wall");
    auto& button = Find<TColorButton>(*form, "CB_Red");

    EXPECT_EQ(Find<TWineWall>(*form, "WW_Wall").PopupMenu(), &menu);
    EXPECT_EQ(Find<TCorvelSplit>(*form, "CS_Bar").PopupMenu(), &menu);
    EXPECT_EQ(button.PopupMenu(), &menu);

    ASSERT_EQ(menu.Items()->Count(), 3);
    TMenuItem* open = menu.Items()->Items(0);
    EXPECT_EQ(open, &Find<TMenuItem>(*form, "MI_Open"));
    EXPECT_TRUE(open->Default());
    EXPECT_EQ(ShortCutToText(open->ShortCut()), "Ctrl+O");
    EXPECT_TRUE(menu.Items()->Items(1)->IsLine());
    TMenuItem* move = menu.Items()->Items(2);
    ASSERT_EQ(move->Count(), 2);
    EXPECT_TRUE(move->Items(0)->Checked());
    EXPECT_FALSE(move->Items(1)->Enabled());

    EXPECT_EQ(button.Anchors(), (TAnchors{akRight, akBottom}));
    EXPECT_EQ(button.DragCursor(), crHandPoint);
    EXPECT_EQ(button.Constraints()->MaxWidth(), 60);
    EXPECT_EQ(button.BoundsRect(), TRect(300, 250, 360, 280)) << "75 x 25 constrained to at most 60 wide, 30 high";

    const std::string written = WriteComponent(*form);
    EXPECT_NE(written.find("Constraints.MinHeight = 30"), std::string::npos) << written;
    EXPECT_EQ(WriteComponent(*Read(written)), written);
}

TEST(PublishedProperties, DestroyingTheMenuFirstClearsEveryReference)
{
    auto form = Read(CellarForm);
    auto& wall = Find<TWineWall>(*form, "WW_Wall");
    auto& button = Find<TColorButton>(*form, "CB_Red");
    delete &Find<TPopupMenu>(*form, "PM_Wall");
    EXPECT_EQ(wall.PopupMenu(), nullptr);
    EXPECT_EQ(button.PopupMenu(), nullptr);
    // The items outlive their menu as the form's components, which still destroys them.
    EXPECT_NE(form->FindComponent("MI_Left"), nullptr);
}
