#pragma once
// Small components with a property of every kind, for the form reader and writer.
#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Sets.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the setters, handlers and Loaded() did, in order: "LA_1.Caption", "Loaded LA_1".
std::vector<std::string>& TestLog();

// A fixed underlying type: the writer tests store values outside the named ones.
enum TTestAlign : int { alNone, alTop, alBottom, alClient };
enum TTestFontStyle { fsBold, fsItalic, fsUnderline };
using TTestFontStyles = TSet<TTestFontStyle>;

class TTestFont : public TPersistent {
    FW_CLASS(TTestFont)
public:
    std::string Name = "MS Sans Serif";
    int Height = -11;
    uint32_t Color = 0x80000008; // clWindowText
    TTestFontStyles Style;
    int Charset = 1; // DEFAULT_CHARSET
};

// A component without a parent component, stored directly under the root.
class TTestTimer : public TComponent {
    FW_CLASS(TTestTimer)
public:
    explicit TTestTimer(TComponent* owner) : TComponent(owner) {}
    uint32_t Interval = 1000; // unsigned: a 32-bit word whatever its sign
};

// A control-like component: its parent component is the one whose block holds it.
class TTestControl : public TComponent {
    FW_CLASS(TTestControl)
public:
    explicit TTestControl(TComponent* owner) : TComponent(owner) {}

    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override { FParent = parent; }
    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;
    void Loaded() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    bool HintStored() const { return StoreHint; }

    int Left = 0;
    int Width = 64;
    std::string Hint;
    bool StoreHint = true;
    bool Visible = true;
    double Ratio = 0;
    TTestAlign Align = alNone;
    uint32_t Color = 0x8000000F; // clBtnFace
    TTestFont* Font() const { return FFont.get(); }
    TTestTimer* Timer = nullptr;
    TComponent* Link = nullptr; // any component of the form, the form itself included
    TLines Items;
    TBytes Picture;
    TNotifyEvent OnClick;
    TEvent<TObject*, bool&> OnBeforeLaunch;
    TEvent<TObject*, char&> OnKeyPress;
    bool WasLoadingWhenCaptionSet = false;

private:
    TComponent* FParent = nullptr;
    std::string FCaption;
    std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
};

class TTestButton : public TTestControl {
    FW_CLASS(TTestButton)
public:
    explicit TTestButton(TComponent* owner) : TTestControl(owner) {}
    bool Cancel = false;
};

class TTestForm : public TComponent {
    FW_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TComponent(owner) {}

    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;
    void Loaded() override;

    void ControlClick(TObject* sender);
    void BeforeLaunch(TObject* sender, bool& launch);
    void FormKeyPress(TObject* sender, char& key);

    std::string Caption;
    bool KeyPreview = false;
    uint32_t Color = 0x8000000F;
    double Scale = 1;
    TTestFont* Font() const { return FFont.get(); }
    TEvent<TObject*, char&> OnKeyPress;

    // Published fields.
    TTestControl* LA_1 = nullptr;
    TTestButton* BU_Close = nullptr;
    TTestTimer* TI_Timer = nullptr;

private:
    std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
};

// A form class whose resource a designer reads into a plain TTestForm.
class TTestDerivedForm : public TTestForm {
    FW_CLASS(TTestDerivedForm)
public:
    explicit TTestDerivedForm(TComponent* owner) : TTestForm(owner) {}
    void DerivedClick(TObject* sender);
};
