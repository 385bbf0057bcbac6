#include "StreamingTestClasses.h"

std::vector<std::string>& TestLog()
{
    static std::vector<std::string> log;
    return log;
}

namespace {
const TEnumInfo AlignInfo{"TTestAlign", {"alNone", "alTop", "alBottom", "alClient"}};
const TEnumInfo FontStyleInfo{"TTestFontStyle", {"fsBold", "fsItalic", "fsUnderline"}};
const TIdentMap ColorIdents{{{0x000000, "clBlack"},
                             {0xFF0000, "clBlue"},
                             {0x80000005, "clWindow"},
                             {0x80000008, "clWindowText"},
                             {0x8000000F, "clBtnFace"}},
                            true};
const TIdentMap CharsetIdents{{{0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}, {2, "SYMBOL_CHARSET"}}, false};

void ListChildren(const TComponent& parent, std::vector<TComponent*>& children, const TComponent* root,
                  bool withoutParent)
{
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (c->GetParentComponent() == &parent || (withoutParent && !c->GetParentComponent()))
            children.push_back(c);
    }
}
} // namespace

FW_BEGIN_CLASS(TTestFont, TPersistent)
    .String("Name", &C::Name, &C::Name, std::string("MS Sans Serif"))
    .Integer("Height", &C::Height, &C::Height, -11)
    .Integer("Color", &C::Color, &C::Color, 0x80000008, &ColorIdents)
    .Set("Style", FontStyleInfo, &C::Style, &C::Style)
    .Integer("Charset", &C::Charset, &C::Charset, 1, &CharsetIdents)
FW_END_CLASS

FW_BEGIN_CLASS(TTestControl, TComponent)
    .Integer("Left", &C::Left, &C::Left)
    .Integer("Width", &C::Width, &C::Width, 64)
    .String("Caption", &C::Caption, &C::SetCaption)
    .String("Hint", &C::Hint, &C::Hint)
    .StoredIf(&C::HintStored)
    .Bool("Visible", &C::Visible, &C::Visible, true)
    .Float("Ratio", &C::Ratio, &C::Ratio)
    .Enum("Align", AlignInfo, &C::Align, &C::Align, alNone)
    .Integer("Color", &C::Color, &C::Color, 0x8000000F, &ColorIdents)
    .Object("Font", TTestFont::StaticClass(), &C::Font)
    .Component("Timer", TTestTimer::StaticClass(), &C::Timer, &C::Timer)
    .Component("Link", TComponent::StaticClass(), &C::Link, &C::Link)
    .Lines("Items", &C::Items, &C::Items)
    .Bytes("Picture", &C::Picture, &C::Picture)
    .Event("OnClick", &C::OnClick)
    .Event("OnBeforeLaunch", &C::OnBeforeLaunch)
    .Event("OnKeyPress", &C::OnKeyPress)
FW_END_CLASS

void TTestControl::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    ListChildren(*this, children, root, false);
}

void TTestControl::Loaded()
{
    TComponent::Loaded();
    TestLog().push_back("Loaded " + Name());
}

void TTestControl::SetCaption(const std::string& caption)
{
    FCaption = caption;
    WasLoadingWhenCaptionSet = IsLoading();
    TestLog().push_back(Name() + ".Caption");
}

FW_BEGIN_CLASS(TTestButton, TTestControl)
    .Bool("Cancel", &C::Cancel, &C::Cancel, false)
FW_END_CLASS

FW_BEGIN_CLASS(TTestTimer, TComponent)
    .Integer("Interval", &C::Interval, &C::Interval, 1000)
FW_END_CLASS

FW_BEGIN_CLASS(TTestForm, TComponent)
    .String("Caption", &C::Caption, &C::Caption)
    .Bool("KeyPreview", &C::KeyPreview, &C::KeyPreview, false)
    .Integer("Color", &C::Color, &C::Color, 0x8000000F, &ColorIdents)
    .Float("Scale", &C::Scale, &C::Scale, 1.0)
    .Object("Font", TTestFont::StaticClass(), &C::Font)
    .Event("OnKeyPress", &C::OnKeyPress)
    .Field("LA_1", &C::LA_1)
    .Field("BU_Close", &C::BU_Close)
    .Field("TI_Timer", &C::TI_Timer)
    .Method("ControlClick", &C::ControlClick)
    .Method("BeforeLaunch", &C::BeforeLaunch)
    .Method("FormKeyPress", &C::FormKeyPress)
FW_END_CLASS

void TTestForm::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const
{
    if (root == this)
        ListChildren(*this, children, root, true);
}

void TTestForm::Loaded()
{
    TComponent::Loaded();
    TestLog().push_back("Loaded " + Name());
}

void TTestForm::ControlClick(TObject* sender)
{
    TestLog().push_back("ControlClick " + static_cast<TComponent*>(sender)->Name());
}

void TTestForm::BeforeLaunch(TObject*, bool& launch) { launch = false; }

void TTestForm::FormKeyPress(TObject*, char& key) { TestLog().push_back(std::string("FormKeyPress ") + key); }

FW_BEGIN_CLASS(TTestDerivedForm, TTestForm)
    .Method("DerivedClick", &C::DerivedClick)
FW_END_CLASS

void TTestDerivedForm::DerivedClick(TObject*) { TestLog().push_back("DerivedClick"); }
